#include "support/ModalAnswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>
#include <QWidget>

ModalAnswerer::ModalAnswerer() : timer_(new QTimer) {
    timer_->setInterval(10);
    QObject::connect(timer_, &QTimer::timeout, [this] { Poll(); });
    timer_->start();
}

ModalAnswerer::~ModalAnswerer() {
    timer_->stop();
    delete timer_;
}

ModalAnswerer& ModalAnswerer::Then(Action action) {
    actions_.push_back(std::move(action));
    return *this;
}

void ModalAnswerer::Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == last_ || actions_.empty() || !modal->isVisible()) return;
    last_ = modal;
    ModalSeen seen;
    seen.caption = modal->windowTitle();
    seen.className = QString::fromLatin1(modal->metaObject()->className());
    for (QLabel* label : modal->findChildren<QLabel*>()) seen.texts << label->text();
    seen_.push_back(seen);
    Action action = std::move(actions_.front());
    actions_.erase(actions_.begin());
    // A window may open another modal window from the action; act outside Poll.
    QTimer::singleShot(0, modal, [action, modal] { action(modal); });
    // The same window object may be shown again later (a new one at the same address).
    QObject::connect(modal, &QObject::destroyed, timer_, [this, modal] { if (last_ == modal) last_ = nullptr; });
}

ModalAnswerer::Action ModalAnswerer::ClickButton(const QString& text) {
    return [text](QWidget* modal) {
        for (QAbstractButton* b : modal->findChildren<QAbstractButton*>())
            if (b->text().trimmed() == text.trimmed()) {
                b->click();
                return;
            }
        // No such button: close it so the test fails on its result, not by hanging.
        modal->close();
    };
}

ModalAnswerer::Action ModalAnswerer::PressKey(int key) {
    return [key](QWidget* modal) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(modal, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
        QApplication::sendEvent(modal, &release);
    };
}

ModalAnswerer::Action ModalAnswerer::PressKeyInFocus(int key) {
    return [key](QWidget* modal) {
        QWidget* target = modal->focusWidget() ? modal->focusWidget() : modal;
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
        QApplication::sendEvent(target, &release);
    };
}

ModalAnswerer::Action ModalAnswerer::Close() {
    return [](QWidget* modal) { modal->close(); };
}
