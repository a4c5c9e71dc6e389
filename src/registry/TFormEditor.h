// The controller editor dialog: enters or changes one register record. Only
// OK writes the record (all seven fields and the folder path) and creates the
// controller's working folder; Cancel, Escape and the close box leave it alone.
#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
struct ZOREN_OBJECT;

class TFormEditor final : public QDialog {
    Q_OBJECT
public:
    explicit TFormEditor(QWidget* owner);

    QWidget* sPanel1;
    QWidget* Panel2;
    QLineEdit* EditName;
    QLineEdit* EditIP;
    QLineEdit* EditMqttId;
    QLineEdit* EditMqttIndex;
    QLineEdit* EditLogin;
    QLineEdit* EditPassword;
    QCheckBox* CheckBoxShowLogin;
    QLineEdit* EditComment;
    QLabel* LabelPath;
    QPushButton* ButtonOK;
    QPushButton* ButtonCancel;

    // The record being edited; not owned.
    ZOREN_OBJECT* Object = nullptr;

    // Binds the dialog to the record and fills the controls; OK stays disabled
    // until the name may be given to the record.
    void SetObject(ZOREN_OBJECT* object);

    void EditNameChange();
    void ButtonOKClick();
    void CheckBoxShowLoginClick();
    void FormResize();
    void FormShow();
    void FormClose();

    void done(int result) override;
    // Showing restores the stored bounds before the system window exists.
    void setVisible(bool visible) override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void CheckName();
};

// The editor dialog while a command shows it, else null.
extern TFormEditor* FormEditor;
