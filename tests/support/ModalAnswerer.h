// Answers the modal windows a test opens: arm it before the call that shows
// the window; it waits for QApplication::activeModalWidget(), records the
// window's caption and texts, then acts on it. Actions queue up, one per
// modal window, in the order the windows appear.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QWidget;
class QTimer;

struct ModalSeen {
    QString caption;   // window title
    QStringList texts; // texts of the window's labels, in child order
    QString className; // class name of the modal window
};

class ModalAnswerer {
public:
    using Action = std::function<void(QWidget* modal)>;

    ModalAnswerer();
    ~ModalAnswerer();

    // Queues an action for the next modal window that appears.
    ModalAnswerer& Then(Action action);
    // Common actions.
    static Action ClickButton(const QString& text);  // a QAbstractButton by its text, trimmed
    static Action PressKey(int key);                 // a key press sent to the window
    static Action PressKeyInFocus(int key);          // a key press sent to the window's focused widget
    static Action Close();                           // the close box

    const std::vector<ModalSeen>& Seen() const { return seen_; }
    // Whether every queued action has been used.
    bool Done() const { return actions_.empty(); }

private:
    void Poll();

    QTimer* timer_;
    std::vector<Action> actions_;
    std::vector<ModalSeen> seen_;
    QWidget* last_ = nullptr;
};
