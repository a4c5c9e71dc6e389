// The application object: a QApplication that shows an exception leaving an
// event handler in the tool's error window and goes on, since Qt's event loop
// does not survive exceptions.
#pragma once

#include <QApplication>

class TApplication final : public QApplication {
    Q_OBJECT
public:
    TApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

// Shows the text of the exception being handled; an unknown exception shows an empty text.
void ShowCurrentException();
