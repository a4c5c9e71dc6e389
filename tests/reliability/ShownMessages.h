// Records the message windows a command shows and closes each by its button,
// so a fault test can check what the user was told, byte for byte.
#pragma once

#include <QLabel>
#include <QPushButton>

#include <string>
#include <vector>

#include "dialogs/TMessageForm.h"
#include "dialogs/WindowText.h"
#include "support/ModalAnswerer.h"

struct ShownMessage {
    std::string caption, text;
};

class ShownMessages {
public:
    // Spare recorders are queued so that an unexpected extra window cannot hang the test.
    explicit ShownMessages(int spare = 3) {
        for (int i = 0; i < spare; ++i)
            answerer_.Then([this](QWidget* modal) {
                if (auto* form = qobject_cast<TMessageForm*>(modal)) {
                    shown_.push_back({FromQString(form->windowTitle()), FromQString(form->Panel1->text())});
                    form->sBitBtn->click();
                } else {
                    shown_.push_back({std::string("<") + modal->metaObject()->className() + ">", ""});
                    modal->close();
                }
            });
    }
    const std::vector<ShownMessage>& All() const { return shown_; }

private:
    ModalAnswerer answerer_;
    std::vector<ShownMessage> shown_;
};
