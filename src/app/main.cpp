// Entry point: the application object, the main window, the message loop.
#include <cstdlib>
#include <memory>

#include "app/TApplication.h"
#include "app/TFirstPaintReport.h"
#include "app/TFormZorenMain.h"

int main(int argc, char* argv[]) {
    std::unique_ptr<TApplication> app;
    try {
        app = std::make_unique<TApplication>(argc, argv);
        // Only the name: a display name would be appended to every window caption.
        QApplication::setApplicationName(QStringLiteral("ZorEN_MQTT"));
        QApplication::setDesktopFileName(QStringLiteral("zoren-mqtt"));
        auto window = std::make_unique<TFormZorenMain>();
        FormZorenMain = window.get();
        if (std::getenv("ZOREN_REPORT_FIRST_PAINT"))
            window->installEventFilter(new TFirstPaintReport(window.get()));
        window->show();
        QApplication::exec();
    } catch (...) {
        if (app) ShowCurrentException();
    }
    return 0;
}
