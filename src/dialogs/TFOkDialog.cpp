#include "dialogs/TFOkDialog.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/BadgeImages.h"
#include "dialogs/WindowText.h"
#include "storage/FormState.h"

TFOkDialog* FOkDialog = nullptr;

TFOkDialog::TFOkDialog(QWidget* owner)
    : QDialog(owner, (owner ? Qt::Tool : Qt::Window) | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("FOkDialog"));
    setFont(TahomaFont(16));
    sAlphaImageList1 = BadgeImageList();

    sPanel1 = new QLabel(this);
    sPanel1->setObjectName(QStringLiteral("sPanel1"));
    sPanel1->setFont(TahomaFont(21));
    sPanel1->setTextFormat(Qt::PlainText);
    sPanel1->setAlignment(Qt::AlignCenter);
    sPanel1->setWordWrap(true);
    sPanel1->setMargin(12);
    sPanel1->setFrameShape(QFrame::StyledPanel);

    sPanel2 = new QWidget(this);
    sPanel2->setObjectName(QStringLiteral("sPanel2"));
    sPanel2->setFixedHeight(58);

    sBitBtnOk = new QPushButton(ToQString("Да"_w), sPanel2);
    sBitBtnOk->setObjectName(QStringLiteral("sBitBtnOk"));
    sBitBtnCancel = new QPushButton(ToQString("Нет"_w), sPanel2);
    sBitBtnCancel->setObjectName(QStringLiteral("sBitBtnCancel"));
    for (QPushButton* b : {sBitBtnOk, sBitBtnCancel}) {
        b->setFont(TahomaFont(21));
        b->setIconSize(QSize(48, 48));
        b->setAutoDefault(false);
    }
    sBitBtnOk->setIcon(sAlphaImageList1[0]);
    sBitBtnCancel->setIcon(sAlphaImageList1[1]);
    sBitBtnOk->setGeometry(0, 0, 236, 58);
    connect(sBitBtnOk, &QPushButton::clicked, this, &TFOkDialog::sBitBtnOkClick);
    connect(sBitBtnCancel, &QPushButton::clicked, this, &TFOkDialog::sBitBtnCancelClick);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(sPanel1, 1);
    layout->addWidget(sPanel2);
    resize(475, 198);
    FormResize();
    FormCreate();
}

void TFOkDialog::FormCreate() { RestoreFormState(this); }

void TFOkDialog::FormClose() { SaveFormState(this); }

void TFOkDialog::FormResize() {
    int half = width() / 2;
    sBitBtnOk->setGeometry(0, 0, half, sPanel2->height());
    sBitBtnCancel->setGeometry(half, 0, width() - half, sPanel2->height());
}

void TFOkDialog::sBitBtnOkClick() { accept(); }

void TFOkDialog::sBitBtnCancelClick() { reject(); }

void TFOkDialog::done(int result) {
    if (isVisible()) FormClose();
    QDialog::done(result);
}

void TFOkDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    FormResize();
}
