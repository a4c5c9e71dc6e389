// The add-block dialog; the opener reads RadioGroupType after OK.
#include "dialogs/WindowText.h"
#include "editor/TFormAddDev.h"

#include <QPushButton>
#include <QResizeEvent>
#include <QVBoxLayout>

#include "dialogs/ButtonCentring.h"
#include "editor/TRadioGroup.h"

TFormAddDev* FormAddDev = nullptr;

TFormAddDev::TFormAddDev(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("FormAddDev"));
    setWindowTitle(QString::fromUtf8("Добавление блока"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFont(TahomaFont(13));
    resize(401, 250);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    auto* top = new QVBoxLayout(Panel1);
    RadioGroupType = new TRadioGroup(
        QString::fromUtf8("Тип"),
        {QString::fromUtf8("ЗОРЕН-RF"), QString::fromUtf8("ВЕЛТ-С"), QString::fromUtf8("РУМЛ-Л")}, Panel1);
    RadioGroupType->setObjectName(QStringLiteral("RadioGroupType"));
    RadioGroupType->SetItemIndex(2);
    top->addWidget(RadioGroupType);
    layout->addWidget(Panel1, 1);

    Panel2 = new QWidget(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFixedHeight(43);
    ButtonOK = new QPushButton(QStringLiteral("OK"), Panel2);
    ButtonOK->setObjectName(QStringLiteral("ButtonOK"));
    ButtonOK->setDefault(true);
    ButtonCancel = new QPushButton(QString::fromUtf8("Отмена"), Panel2);
    ButtonCancel->setObjectName(QStringLiteral("ButtonCancel"));
    for (QPushButton* b : {ButtonOK, ButtonCancel}) b->setGeometry(0, 9, 75, 25);
    layout->addWidget(Panel2);

    connect(ButtonOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    FormResize();
}

void TFormAddDev::FormResize() {
    const auto lefts = CentredButtonLefts(Panel2->width(), ButtonOK->width());
    ButtonOK->move(lefts.ok, ButtonOK->y());
    ButtonCancel->move(lefts.cancel, ButtonCancel->y());
}

void TFormAddDev::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    layout()->activate();
    FormResize();
}

void TFormAddDev::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (parentWidget()) move(parentWidget()->geometry().center() - rect().center());
}
