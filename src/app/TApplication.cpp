#include "app/TApplication.h"

#include <exception>

#include "dialogs/MessageDialogs.h"

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ShowCurrentException();
        return false;
    }
}

void ShowCurrentException() {
    std::string text;
    try {
        throw;
    } catch (const std::exception& e) {
        text = e.what();
    } catch (...) {
    }
    ShowErrorMessage(QApplication::activeWindow(), text, "ZorEN_MQTT");
}
