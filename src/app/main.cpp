// Entry point: the application object, the main window, the message loop.
#include <QEvent>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>

#include "app/TApplication.h"
#include "app/TFormZorenMain.h"

namespace {

// With ZOREN_REPORT_FIRST_PAINT set, prints "first-paint <monotonic ns>" on the main window's
// first paint, for the start-up benchmark; it changes nothing else.
class TFirstPaintReport final : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            timespec now{};
            clock_gettime(CLOCK_MONOTONIC, &now);
            std::printf("first-paint %lld\n",
                        static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
            std::fflush(stdout);
            watched->removeEventFilter(this);
        }
        return false;
    }
};

}  // namespace

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
