#include "dialogs/TMessageForm.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/BadgeImages.h"
#include "dialogs/WindowText.h"
#include "storage/FormState.h"

TMessageForm* MessageForm = nullptr;

TMessageForm::TMessageForm(QWidget* owner)
    : QDialog(owner, (owner ? Qt::Tool : Qt::Window) | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("MessageForm"));
    setFont(TahomaFont(21));
    setSizeGripEnabled(true);

    Panel1 = new QLabel(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFont(TahomaFont(19));
    Panel1->setTextFormat(Qt::PlainText);
    Panel1->setAlignment(Qt::AlignCenter);
    Panel1->setWordWrap(true);
    Panel1->setMargin(12);
    Panel1->setFrameShape(QFrame::StyledPanel);
    Panel1->setTextInteractionFlags(Qt::TextSelectableByMouse);

    sAlphaImageList1 = BadgeImageList();
    sBitBtn = new QPushButton(this);
    sBitBtn->setObjectName(QStringLiteral("sBitBtn"));
    sBitBtn->setFont(TahomaFont(21));
    sBitBtn->setFixedHeight(75);
    sBitBtn->setIconSize(QSize(48, 48));
    sBitBtn->setAutoDefault(false);
    sBitBtn->installEventFilter(this);
    connect(sBitBtn, &QPushButton::clicked, this, &TMessageForm::sBitBtnClick);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Panel1, 1);
    layout->addWidget(sBitBtn);
    resize(710, 399);
    FormCreate();
}

void TMessageForm::FormCreate() { RestoreFormState(this); }

void TMessageForm::FormClose() { SaveFormState(this); }

bool TMessageForm::FormKeyDown(int key) {
    if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Escape) return false;
    reject();
    return true;
}

void TMessageForm::sBitBtnClick() { reject(); }

void TMessageForm::done(int result) {
    if (isVisible()) FormClose();
    QDialog::done(result);
}

bool TMessageForm::eventFilter(QObject* watched, QEvent* event) {
    // The window sees the keys before the focused button does.
    if (event->type() == QEvent::KeyPress && FormKeyDown(static_cast<QKeyEvent*>(event)->key())) return true;
    return QDialog::eventFilter(watched, event);
}

void TMessageForm::keyPressEvent(QKeyEvent* event) {
    if (!FormKeyDown(event->key())) QDialog::keyPressEvent(event);
}
