#include "registry/TFormEditor.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "dialogs/ButtonCentring.h"
#include "dialogs/WindowText.h"
#include "platform/FileSystem.h"
#include "registry/ZOREN_OBJECT_LIST.h"
#include "storage/AppSettings.h"
#include "storage/FormState.h"

TFormEditor* FormEditor = nullptr;

namespace {

constexpr int kLabelRight = 120;
constexpr int kInputLeft = 132;
constexpr int kRowHeight = 21;

QLabel* AddLabel(QWidget* panel, std::string_view text, int top) {
    auto* label = new QLabel(ToQString(text), panel);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setGeometry(4, top, kLabelRight - 4, kRowHeight);
    return label;
}

QLineEdit* AddEdit(QWidget* panel, const char* name, std::string_view label, int top, int width) {
    auto* edit = new QLineEdit(panel);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setGeometry(kInputLeft, top, width, kRowHeight);
    QLabel* caption = AddLabel(panel, label, top);
    caption->setBuddy(edit);
    return edit;
}

}  // namespace

TFormEditor::TFormEditor(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("FormEditor"));
    setWindowTitle(ToQString("ЗОРЕН-RF"_w));
    setFont(TahomaFont(13));

    sPanel1 = new QWidget(this);
    sPanel1->setObjectName(QStringLiteral("sPanel1"));
    EditName = AddEdit(sPanel1, "EditName", "Название"_w, 17, 313);
    EditName->setMaxLength(255);
    EditIP = AddEdit(sPanel1, "EditIP", "IP адрес"_w, 47, 145);
    EditMqttId = AddEdit(sPanel1, "EditMqttId", "ID объекта"_w, 77, 145);
    EditMqttIndex = AddEdit(sPanel1, "EditMqttIndex", "Номер MQTT"_w, 107, 145);
    EditLogin = AddEdit(sPanel1, "EditLogin", "Логин"_w, 137, 145);
    EditPassword = AddEdit(sPanel1, "EditPassword", "Пароль"_w, 167, 145);
    for (QLineEdit* masked : {EditLogin, EditPassword}) {
        masked->setEchoMode(QLineEdit::Password);
        masked->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));  // '*'
    }
    CheckBoxShowLogin = new QCheckBox(ToQString("Показывать"_w), sPanel1);
    CheckBoxShowLogin->setObjectName(QStringLiteral("CheckBoxShowLogin"));
    CheckBoxShowLogin->setGeometry(292, 156, 94, kRowHeight);
    CheckBoxShowLogin->adjustSize();
    CheckBoxShowLogin->move(292, 156 + (kRowHeight - CheckBoxShowLogin->height()) / 2);
    EditComment = AddEdit(sPanel1, "EditComment", "Комментарий"_w, 197, 313);
    AddLabel(sPanel1, "Каталог:"_w, 230)->setAlignment(Qt::AlignRight | Qt::AlignTop);
    LabelPath = new QLabel(sPanel1);
    LabelPath->setObjectName(QStringLiteral("LabelPath"));
    LabelPath->setTextFormat(Qt::PlainText);
    LabelPath->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Long paths wrap at their blanks onto a second line instead of being cut off.
    LabelPath->setWordWrap(true);
    LabelPath->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LabelPath->setGeometry(kInputLeft, 230, 313, 2 * kRowHeight - 8);

    Panel2 = new QWidget(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFixedHeight(43);
    ButtonOK = new QPushButton(QStringLiteral("OK"), Panel2);
    ButtonOK->setObjectName(QStringLiteral("ButtonOK"));
    ButtonCancel = new QPushButton(ToQString("Отмена"_w), Panel2);
    ButtonCancel->setObjectName(QStringLiteral("ButtonCancel"));
    for (QPushButton* button : {ButtonOK, ButtonCancel}) {
        // Neither is the default button: Enter presses nothing.
        button->setAutoDefault(false);
        button->setDefault(false);
        button->setGeometry(0, 9, 75, 25);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(sPanel1, 1);
    layout->addWidget(Panel2);

    setTabOrder(EditName, EditIP);
    setTabOrder(EditIP, EditMqttId);
    setTabOrder(EditMqttId, EditMqttIndex);
    setTabOrder(EditMqttIndex, EditComment);
    setTabOrder(EditComment, EditLogin);
    setTabOrder(EditLogin, EditPassword);
    setTabOrder(EditPassword, CheckBoxShowLogin);
    setTabOrder(CheckBoxShowLogin, ButtonOK);
    setTabOrder(ButtonOK, ButtonCancel);

    connect(EditName, &QLineEdit::textChanged, this, &TFormEditor::EditNameChange);
    connect(ButtonOK, &QPushButton::clicked, this, &TFormEditor::ButtonOKClick);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(CheckBoxShowLogin, &QCheckBox::clicked, this, &TFormEditor::CheckBoxShowLoginClick);

    resize(486, 303);
    FormResize();
}

void TFormEditor::SetObject(ZOREN_OBJECT* object) {
    Object = object;
    if (!object) return;
    EditName->setText(ToQString(object->Name));
    EditIP->setText(ToQString(object->Ip));
    EditMqttId->setText(QString::number(object->MqttId));
    EditMqttIndex->setText(QString::number(object->MqttIndex));
    EditLogin->setText(ToQString(object->Login));
    EditPassword->setText(ToQString(object->Password));
    EditComment->setText(ToQString(object->Comment));
    LabelPath->setText(ToQString(object->Path));
    LabelPath->setToolTip(LabelPath->text());
    // An empty name sets off no change; without this a new controller could be confirmed nameless.
    CheckName();
}

void TFormEditor::CheckName() {
    ButtonOK->setEnabled(ObjectList.IsNameFree(FromQString(EditName->text()), Object));
}

void TFormEditor::EditNameChange() {
    CheckName();
    LabelPath->setText(ToQString(DataFolder + "Objects/" + FolderName(FromQString(EditName->text()))));
    LabelPath->setToolTip(LabelPath->text());
}

void TFormEditor::ButtonOKClick() {
    if (!Object) return;
    Object->Name = FromQString(EditName->text());
    Object->Ip = FromQString(EditIP->text());
    Object->MqttId = TextToInt(FromQString(EditMqttId->text()));
    Object->MqttIndex = TextToInt(FromQString(EditMqttIndex->text()));
    Object->Login = FromQString(EditLogin->text());
    Object->Password = FromQString(EditPassword->text());
    Object->Comment = FromQString(EditComment->text());
    Object->Path = DataFolder + "Objects/" + FolderName(Object->Name);
    fs1251::CreateDir(Object->Path);
    accept();
}

void TFormEditor::CheckBoxShowLoginClick() {
    QLineEdit::EchoMode mode = CheckBoxShowLogin->isChecked() ? QLineEdit::Normal : QLineEdit::Password;
    EditLogin->setEchoMode(mode);
    EditPassword->setEchoMode(mode);
}

void TFormEditor::FormResize() {
    const CentredButtons lefts = CentredButtonLefts(Panel2->width(), ButtonOK->width());
    ButtonOK->move(lefts.ok, ButtonOK->y());
    ButtonCancel->move(lefts.cancel, ButtonCancel->y());
    LabelPath->resize(std::max(313, sPanel1->width() - kInputLeft - 8), LabelPath->height());
}

void TFormEditor::FormShow() { RestoreFormState(this); }

void TFormEditor::FormClose() { SaveFormState(this); }

void TFormEditor::done(int result) {
    if (isVisible()) FormClose();
    QDialog::done(result);
}

void TFormEditor::setVisible(bool visible) {
    if (visible && !isVisible()) FormShow();
    QDialog::setVisible(visible);
}

void TFormEditor::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    FormResize();
}
