// "Добавление блока": the dialog in which the engineer picks the kind of a
// dispatch block to add.
#pragma once

#include <QDialog>

class QPushButton;
class QWidget;
class TRadioGroup;

class TFormAddDev final : public QDialog {
    Q_OBJECT
public:
    explicit TFormAddDev(QWidget* owner);

    QWidget* Panel1;
    TRadioGroup* RadioGroupType;
    QWidget* Panel2;
    QPushButton* ButtonOK;
    QPushButton* ButtonCancel;

    void FormResize();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
};

// The dialog while it is shown.
extern TFormAddDev* FormAddDev;
