// The controller editor dialog, alone and through the main window's
// "Добавить ..." and "Изменить ..." commands.
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <filesystem>

#include "dialogs/WindowText.h"
#include "registry/TFormEditor.h"
#include "support/MainWindowRun.h"
#include "support/ModalAnswerer.h"

namespace {

std::string Bytes(const QString& s) { return FromQString(s); }
QString Text(std::string_view bytes1251) { return ToQString(bytes1251); }

using ControllerEditor = MainWindowRun;

const std::string kTwoControllers = Utf8ToCp1251(
    "[OBJECT0]\nName=Дом 1\nIp=10.0.0.1\nPath=/old/Дом 1\nComment=к1\nMqttId=7\nMqttIndex=2\n"
    "Login=dXNlcg==\nPassword=cGFzcw==\n"
    "[OBJECT1]\nName=Дом 2\nIp=10.0.0.2\nMqttId=8\nMqttIndex=3\n");

ZOREN_OBJECT Copy(const ZOREN_OBJECT& o) { return o; }

bool Same(const ZOREN_OBJECT& a, const ZOREN_OBJECT& b) {
    return a.Name == b.Name && a.Ip == b.Ip && a.Path == b.Path && a.Login == b.Login &&
           a.Password == b.Password && a.Comment == b.Comment && a.MqttId == b.MqttId &&
           a.MqttIndex == b.MqttIndex;
}

TEST_F(ControllerEditor, AddCreatesTheFolderAndSelectsTheNewLastRow) {
    WriteIni(kTwoControllers);
    TFormZorenMain& w = Start();
    ModalAnswerer answerer;
    std::string preview, caption;
    bool okAtFirst = true;
    answerer.Then([&](QWidget* modal) {
        auto* editor = static_cast<TFormEditor*>(modal);
        caption = Bytes(editor->windowTitle());
        okAtFirst = editor->ButtonOK->isEnabled();
        editor->EditName->setText(Text("Дом 1. Секция: А/Б"_w));
        editor->EditIP->setText("192.168.1.5");
        editor->EditMqttId->setText("41");
        preview = Bytes(editor->LabelPath->text());
        editor->ButtonOK->click();
    });
    w.mAddClick();
    EXPECT_EQ(caption, "ЗОРЕН-RF"_w);
    EXPECT_FALSE(okAtFirst) << "a nameless controller could be confirmed";
    const std::string folder = DataFolder + "Objects/" + std::string("Дом 1  Секция  А_Б"_w);
    EXPECT_EQ(preview, folder);
    ASSERT_EQ(ObjectList.Count(), 3);
    const ZOREN_OBJECT* added = ObjectList.Get(2);
    EXPECT_EQ(added->Name, "Дом 1. Секция: А/Б"_w);
    EXPECT_EQ(added->Path, folder);
    EXPECT_EQ(added->MqttId, 41);
    EXPECT_EQ(w.ListView1->topLevelItemCount(), 3);
    EXPECT_EQ(w.SelectedRow(), 2);
    EXPECT_EQ(Bytes(w.ListView1->topLevelItem(2)->text(2)), added->Name);
    // The folder name on disk is UTF-8, as Linux wants it.
    EXPECT_TRUE(std::filesystem::is_directory(Home().Path() + "/ZorEN_MQTT/Objects/Дом 1  Секция  А_Б"));
    EXPECT_EQ(FormEditor, nullptr);
}

TEST_F(ControllerEditor, AddThenCancelLeavesTheRegister) {
    WriteIni(kTwoControllers);
    TFormZorenMain& w = Start();
    struct Case {
        const char* name;
        ModalAnswerer::Action action;
    } cases[] = {{"Отмена", ModalAnswerer::ClickButton(Text("Отмена"_w))},
                 {"close box", ModalAnswerer::Close()},
                 {"Escape", ModalAnswerer::PressKeyInFocus(Qt::Key_Escape)}};
    for (const Case& c : cases) {
        ModalAnswerer answerer;
        answerer.Then([&, action = c.action](QWidget* modal) {
            static_cast<TFormEditor*>(modal)->EditName->setText("New");
            action(modal);
        });
        w.mAddClick();
        EXPECT_EQ(ObjectList.Count(), 2) << c.name;
        EXPECT_EQ(w.ListView1->topLevelItemCount(), 2) << c.name;
    }
}

TEST_F(ControllerEditor, EditWithoutOkLeavesTheRecord) {
    WriteIni(kTwoControllers);
    TFormZorenMain& w = Start();
    const ZOREN_OBJECT before = Copy(*ObjectList.Get(0));
    ASSERT_EQ(before.Login, "user");
    struct Case {
        const char* name;
        ModalAnswerer::Action action;
    } cases[] = {{"Отмена", ModalAnswerer::ClickButton(Text("Отмена"_w))},
                 {"close box", ModalAnswerer::Close()},
                 {"Escape", ModalAnswerer::PressKeyInFocus(Qt::Key_Escape)},
                 {"Enter presses nothing, then close box", [](QWidget* modal) {
                      QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
                      QApplication::sendEvent(modal->focusWidget() ? modal->focusWidget() : modal, &enter);
                      EXPECT_TRUE(modal->isVisible()) << "Enter closed the editor";
                      modal->close();
                  }}};
    for (const Case& c : cases) {
        w.SelectRow(0);
        ModalAnswerer answerer;
        answerer.Then([&, action = c.action](QWidget* modal) {
            auto* editor = static_cast<TFormEditor*>(modal);
            for (QLineEdit* e : {editor->EditName, editor->EditIP, editor->EditMqttId, editor->EditMqttIndex,
                                 editor->EditLogin, editor->EditPassword, editor->EditComment})
                e->setText("changed");
            action(modal);
        });
        w.mEditClick();
        EXPECT_TRUE(Same(*ObjectList.Get(0), before)) << c.name;
    }
}

TEST_F(ControllerEditor, EditWithOkWritesAllFieldsAndKeepsTheRowSelected) {
    WriteIni(kTwoControllers);
    TFormZorenMain& w = Start();
    w.SelectRow(1);
    ModalAnswerer answerer;
    std::string shownPath;
    answerer.Then([&](QWidget* modal) {
        auto* editor = static_cast<TFormEditor*>(modal);
        shownPath = Bytes(editor->LabelPath->text());
        editor->EditComment->setText(Text("Подвал"_w));
        editor->ButtonOK->click();
    });
    w.mEditClick();
    EXPECT_EQ(shownPath, "");  // its stored Path until the name is edited
    const ZOREN_OBJECT* o = ObjectList.Get(1);
    EXPECT_EQ(o->Name, "Дом 2"_w);
    EXPECT_EQ(o->Comment, "Подвал"_w);
    EXPECT_EQ(o->Path, DataFolder + "Objects/" + std::string("Дом 2"_w));
    EXPECT_EQ(w.SelectedRow(), 1);
    EXPECT_EQ(Bytes(w.ListView1->topLevelItem(1)->text(6)), "Подвал"_w);
}

TEST_F(ControllerEditor, RenameLeavesTheOldFolderAndItsFile) {
    WriteIni(kTwoControllers);
    TFormZorenMain& w = Start();
    const std::string oldFolder = Home().Path() + "/ZorEN_MQTT/Objects/Дом 2";
    std::filesystem::create_directories(oldFolder);
    TempDir::WriteFile(oldFolder + "/mqtt.json", "{}");
    ObjectList.Get(1)->Path = DataFolder + "Objects/" + std::string("Дом 2"_w);
    w.SelectRow(1);
    ModalAnswerer answerer;
    answerer.Then([](QWidget* modal) {
        auto* editor = static_cast<TFormEditor*>(modal);
        editor->EditName->setText(Text("Дом 2а"_w));
        editor->ButtonOK->click();
    });
    w.mEditClick();
    EXPECT_EQ(ObjectList.Get(1)->Path, DataFolder + "Objects/" + std::string("Дом 2а"_w));
    const std::string newFolder = Home().Path() + "/ZorEN_MQTT/Objects/Дом 2а";
    EXPECT_TRUE(std::filesystem::is_directory(newFolder));
    EXPECT_FALSE(std::filesystem::exists(newFolder + "/mqtt.json"));
    EXPECT_EQ(TempDir::ReadFile(oldFolder + "/mqtt.json"), "{}");
}

TEST_F(ControllerEditor, SetObjectFillsTheFields) {
    WriteIni(kTwoControllers);
    Start();
    TFormEditor editor(&Window());
    editor.SetObject(ObjectList.Get(0));
    std::vector<std::string> fields;
    for (QLineEdit* e : {editor.EditName, editor.EditIP, editor.EditMqttId, editor.EditMqttIndex,
                         editor.EditLogin, editor.EditPassword, editor.EditComment})
        fields.push_back(Bytes(e->text()));
    std::vector<std::string> expected{Utf8ToCp1251("Дом 1"), "10.0.0.1", "7", "2", "user", "pass",
                                      Utf8ToCp1251("к1")};
    EXPECT_EQ(fields, expected);
    EXPECT_EQ(Bytes(editor.LabelPath->text()), "/old/Дом 1"_w);
    EXPECT_TRUE(editor.ButtonOK->isEnabled());
}

TEST_F(ControllerEditor, NameRules) {
    WriteIni(kTwoControllers);
    Start();
    TFormEditor editor(&Window());
    editor.SetObject(ObjectList.Get(1));  // "Дом 2"
    struct Case {
        std::string_view typed;
        bool ok;
    } cases[] = {{"   ", false},    {"ДОМ 1"_w, false}, {"  дом 1 "_w, false}, {"Дом 2"_w, true},
                 {"дом 2"_w, true}, {"Дом 3"_w, true},  {"", false},           {" x", true}};
    for (const Case& c : cases) {
        editor.EditName->setText(Text(c.typed));
        EXPECT_EQ(editor.ButtonOK->isEnabled(), c.ok) << "name «" << Cp1251ToUtf8(c.typed) << "»";
        EXPECT_EQ(Bytes(editor.LabelPath->text()), DataFolder + "Objects/" + FolderName(c.typed))
            << "name «" << Cp1251ToUtf8(c.typed) << "»";
    }
}

TEST_F(ControllerEditor, NumberFieldsTakeTheLeadingNumber) {
    Start();
    ZOREN_OBJECT* record = ObjectList.New();
    struct Case {
        const char* typed;
        int stored;
    } cases[] = {{"12abc", 12}, {"abc", 0}, {" -5", -5}, {"+7", 7}, {"", 0}};
    for (const Case& c : cases) {
        TFormEditor editor(&Window());
        editor.SetObject(record);
        editor.EditName->setText("N");
        editor.EditMqttId->setText(c.typed);
        editor.EditMqttIndex->setText(c.typed);
        editor.ButtonOKClick();
        EXPECT_EQ(record->MqttId, c.stored) << "text «" << c.typed << "»";
        EXPECT_EQ(record->MqttIndex, c.stored) << "text «" << c.typed << "»";
    }
}

TEST_F(ControllerEditor, ShowLoginUnmasksBoth) {
    Start();
    TFormEditor editor(&Window());
    EXPECT_FALSE(editor.CheckBoxShowLogin->isChecked());
    EXPECT_EQ(Bytes(editor.CheckBoxShowLogin->text()), "Показывать"_w);
    for (bool checked : {true, false}) {
        editor.CheckBoxShowLogin->click();
        QLineEdit::EchoMode mode = checked ? QLineEdit::Normal : QLineEdit::Password;
        EXPECT_EQ(editor.EditLogin->echoMode(), mode) << "checked " << checked;
        EXPECT_EQ(editor.EditPassword->echoMode(), mode) << "checked " << checked;
    }
}

TEST_F(ControllerEditor, TabOrderAndLabels) {
    Start();
    TFormEditor editor(&Window());
    std::vector<QWidget*> expected{
        editor.EditName,    editor.EditIP,      editor.EditMqttId,   editor.EditMqttIndex,
        editor.EditComment, editor.EditLogin,   editor.EditPassword, editor.CheckBoxShowLogin,
        editor.ButtonOK,    editor.ButtonCancel};
    QWidget* w = editor.EditName;
    for (std::size_t i = 1; i < expected.size(); ++i) {
        do w = w->nextInFocusChain();
        while (w->focusPolicy() == Qt::NoFocus);
        EXPECT_EQ(w, expected[i]) << "tab stop " << i;
    }
    std::vector<std::string> labels;
    for (QLabel* l : editor.sPanel1->findChildren<QLabel*>())
        if (l != editor.LabelPath) labels.push_back(Bytes(l->text()));
    std::vector<std::string> wanted;
    for (const char* l :
         {"Название", "IP адрес", "ID объекта", "Номер MQTT", "Логин", "Пароль", "Комментарий", "Каталог:"})
        wanted.push_back(Utf8ToCp1251(l));
    EXPECT_EQ(labels, wanted);
    EXPECT_EQ(editor.EditName->maxLength(), 255);
    EXPECT_FALSE(editor.ButtonOK->isDefault() || editor.ButtonOK->autoDefault());
    EXPECT_FALSE(editor.ButtonCancel->isDefault() || editor.ButtonCancel->autoDefault());
}

TEST_F(ControllerEditor, ButtonsStayCentred) {
    Start();
    TFormEditor editor(&Window());
    editor.show();
    for (int width : {486, 700, 487, 300}) {
        editor.resize(width, 303);
        QCoreApplication::processEvents();
        int half = editor.Panel2->width() / 2;
        EXPECT_EQ(editor.ButtonOK->x(), half - 75 - 16) << "width " << width;
        EXPECT_EQ(editor.ButtonCancel->x(), half + 16) << "width " << width;
        EXPECT_EQ(editor.ButtonOK->size(), QSize(75, 25));
    }
    editor.hide();
}

TEST_F(ControllerEditor, BoundsComeBackInTheNextRun) {
    WriteIni(kTwoControllers);
    TFormZorenMain& w = Start();
    QRect stored, seen;
    {
        ModalAnswerer answerer;
        answerer.Then([&](QWidget* modal) {
            modal->setGeometry(200, 150, 600, 350);
            QCoreApplication::processEvents();
            stored = modal->frameGeometry();
            modal->close();
        });
        w.SelectRow(0);
        w.mEditClick();
    }
    Stop();
    TFormZorenMain& next = Start();
    ModalAnswerer answerer;
    answerer.Then([&](QWidget* modal) {
        QCoreApplication::processEvents();
        seen = modal->frameGeometry();
        modal->close();
    });
    next.SelectRow(0);
    next.mEditClick();
    EXPECT_EQ(seen, stored);
    EXPECT_EQ(ReadIni()->ReadInteger("FormEditor", "Width", -1), stored.width());
}

}  // namespace
