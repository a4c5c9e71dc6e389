// The tool's yes/no dialog: "Да" accepts; "Нет", Escape and the close box refuse.
#pragma once

#include <QDialog>
#include <QIcon>
#include <QList>

class QLabel;
class QPushButton;
class QWidget;

class TFOkDialog final : public QDialog {
    Q_OBJECT
public:
    explicit TFOkDialog(QWidget* owner);

    QLabel* sPanel1;
    QWidget* sPanel2;
    QPushButton* sBitBtnOk;
    QPushButton* sBitBtnCancel;
    QList<QIcon> sAlphaImageList1;

    void FormCreate();
    void FormClose();
    // "Да" takes half the client width, "Нет" the rest.
    void FormResize();
    void sBitBtnOkClick();
    void sBitBtnCancelClick();

    void done(int result) override;

protected:
    void resizeEvent(QResizeEvent* event) override;
};

// The yes/no dialog while it is shown, else null.
extern TFOkDialog* FOkDialog;
