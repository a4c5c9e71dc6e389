// The message window and the yes/no dialog, answered as a user would.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>

#include "dialogs/MessageDialogs.h"
#include "dialogs/TFOkDialog.h"
#include "dialogs/TMessageForm.h"
#include "dialogs/WindowText.h"
#include "support/ModalAnswerer.h"
#include "support/SettingsRun.h"

namespace {

std::string Bytes(const QString& s) { return FromQString(s); }

struct CloseCase {
    const char* name;
    ModalAnswerer::Action action;
};

std::vector<CloseCase> MessageClosers() {
    return {{"Enter on the button", ModalAnswerer::PressKeyInFocus(Qt::Key_Return)},
            {"keypad Enter", ModalAnswerer::PressKeyInFocus(Qt::Key_Enter)},
            {"Escape on the button", ModalAnswerer::PressKeyInFocus(Qt::Key_Escape)},
            {"Escape on the window", ModalAnswerer::PressKey(Qt::Key_Escape)},
            {"close box", ModalAnswerer::Close()},
            {"button", ModalAnswerer::ClickButton(ToQString("ОK"_w))}};
}

TEST(MessageDialogs, EveryWayOfClosingTheMessageReturns) {
    for (const CloseCase& c : MessageClosers()) {
        ModalAnswerer answerer;
        std::string text, button, caption;
        bool formSet = false;
        answerer.Then([&, action = c.action](QWidget* modal) {
            auto* form = qobject_cast<TMessageForm*>(modal);
            formSet = form && MessageForm == form;
            if (form) {
                text = Bytes(form->Panel1->text());
                button = Bytes(form->sBitBtn->text());
                caption = Bytes(form->windowTitle());
            }
            action(modal);
        });
        ShowInfoMessage(nullptr, "Успешно прочитано"_w, "Внимание"_w);
        EXPECT_TRUE(formSet) << c.name;
        EXPECT_EQ(text, "Успешно прочитано"_w) << c.name;
        EXPECT_EQ(caption, "Внимание"_w) << c.name;
        EXPECT_EQ(button, "  ОK"_w) << c.name;
        EXPECT_EQ(MessageForm, nullptr) << c.name;
    }
}

TEST(MessageDialogs, ButtonTextsByteForByte) {
    // "ОK": Cyrillic О (0xCE) and Latin K (0x4B), after two blanks.
    EXPECT_EQ("  ОK"_w, std::string_view("\x20\x20\xCE\x4B", 4));
    struct Case {
        bool error;
        std::string_view button;
    } cases[] = {{false, "  ОK"_w}, {true, "  Закрыть"_w}};
    for (const Case& c : cases) {
        ModalAnswerer answerer;
        std::string button;
        bool iconSet = false;
        answerer.Then([&](QWidget* modal) {
            auto* form = static_cast<TMessageForm*>(modal);
            button = Bytes(form->sBitBtn->text());
            iconSet = !form->sBitBtn->icon().isNull();
            form->sBitBtn->click();
        });
        if (c.error)
            ShowErrorMessage(nullptr, "x"_w, "Ошибка"_w);
        else
            ShowInfoMessage(nullptr, "x"_w, "Внимание"_w);
        EXPECT_EQ(button, c.button) << "error: " << c.error;
        EXPECT_TRUE(iconSet) << "error: " << c.error;
    }
}

TEST(MessageDialogs, MessageTextIsShownAsPlainText) {
    ModalAnswerer answerer;
    Qt::TextFormat format = Qt::RichText;
    answerer.Then([&](QWidget* modal) {
        format = static_cast<TMessageForm*>(modal)->Panel1->textFormat();
        modal->close();
    });
    ShowErrorMessage(nullptr, "<b>1 < 2</b>", "Ошибка"_w);
    EXPECT_EQ(format, Qt::PlainText);
}

TEST(MessageDialogs, UnownedMessageIsATopLevelWindowOfItsOwn) {
    QWidget owner;
    struct Case {
        QWidget* owner;
        bool ownWindow;
    } cases[] = {{nullptr, true}, {&owner, false}};
    for (const Case& c : cases) {
        TMessageForm form(c.owner);
        EXPECT_EQ(form.parentWidget(), c.owner);
        EXPECT_EQ(form.windowType() == Qt::Window, c.ownWindow) << "owned: " << (c.owner != nullptr);
    }
}

TEST(MessageDialogs, AskConfirmationIsTrueOnlyForYes) {
    struct Case {
        const char* name;
        ModalAnswerer::Action action;
        bool expected;
    } cases[] = {{"Да", ModalAnswerer::ClickButton(ToQString("Да"_w)), true},
                 {"Нет", ModalAnswerer::ClickButton(ToQString("Нет"_w)), false},
                 {"Escape", ModalAnswerer::PressKeyInFocus(Qt::Key_Escape), false},
                 {"Escape on the window", ModalAnswerer::PressKey(Qt::Key_Escape), false},
                 {"close box", ModalAnswerer::Close(), false}};
    for (const Case& c : cases) {
        ModalAnswerer answerer;
        std::string question, caption;
        answerer.Then([&, action = c.action](QWidget* modal) {
            auto* dialog = qobject_cast<TFOkDialog*>(modal);
            if (dialog && dialog == FOkDialog) {
                question = Bytes(dialog->sPanel1->text());
                caption = Bytes(dialog->windowTitle());
            }
            action(modal);
        });
        bool answer = AskConfirmation(nullptr, "Сохранить изменения JSON файла ?"_w, "/tmp/mqtt.json");
        EXPECT_EQ(answer, c.expected) << c.name;
        EXPECT_EQ(question, "Сохранить изменения JSON файла ?"_w) << c.name;
        EXPECT_EQ(caption, "/tmp/mqtt.json") << c.name;
        EXPECT_EQ(FOkDialog, nullptr) << c.name;
    }
}

TEST(MessageDialogs, YesNoButtonsTextsAndHalves) {
    TFOkDialog dialog(nullptr);
    EXPECT_EQ(Bytes(dialog.sBitBtnOk->text()), "Да"_w);
    EXPECT_EQ(Bytes(dialog.sBitBtnCancel->text()), "Нет"_w);
    dialog.show();
    for (int width : {475, 600, 801, 300}) {
        dialog.resize(width, 198);
        QCoreApplication::processEvents();
        EXPECT_EQ(dialog.sBitBtnOk->width(), dialog.width() / 2) << "width " << width;
        EXPECT_EQ(dialog.sBitBtnCancel->x(), dialog.sBitBtnOk->width()) << "width " << width;
        EXPECT_EQ(dialog.sBitBtnCancel->x() + dialog.sBitBtnCancel->width(), dialog.width())
            << "width " << width;
    }
    dialog.hide();
}

// The bounds a user gave the window come back in the next window of the run and of the next run.
TEST(MessageDialogs, BoundsComeBack) {
    SettingsRun run;
    struct Case {
        const char* name;
        std::function<void()> show;
    } cases[] = {{"MessageForm", [] { ShowInfoMessage(nullptr, "a", "b"); }},
                 {"FOkDialog", [] { AskConfirmation(nullptr, "a", "b"); }}};
    for (const Case& c : cases) {
        QRect wanted, seen1, seen2;
        {
            ModalAnswerer answerer;
            answerer.Then([&](QWidget* modal) {
                modal->setGeometry(40, 60, 520, 300);
                QCoreApplication::processEvents();
                wanted = modal->frameGeometry();
                modal->close();
            });
            c.show();
        }
        EXPECT_EQ(IniFile->ReadInteger(c.name, "Width", -1), wanted.width()) << c.name;
        for (QRect* seen : {&seen1, &seen2}) {
            ModalAnswerer answerer;
            answerer.Then([seen](QWidget* modal) {
                *seen = modal->frameGeometry();
                modal->close();
            });
            c.show();
            run.Restart();
        }
        EXPECT_EQ(seen1, wanted) << c.name;
        EXPECT_EQ(seen2, wanted) << c.name << " (next run)";
    }
}

}  // namespace
