// The tool's message window: one text and one button, closed by the button,
// Enter or Escape.
#pragma once

#include <QDialog>
#include <QIcon>
#include <QList>

class QLabel;
class QPushButton;

class TMessageForm final : public QDialog {
    Q_OBJECT
public:
    // Without an owner the window stands on its own, with a task-bar entry of its own.
    explicit TMessageForm(QWidget* owner);

    QLabel* Panel1;
    QPushButton* sBitBtn;
    QList<QIcon> sAlphaImageList1;

    void FormCreate();
    void FormClose();
    // Enter and Escape close the window; true when the key was taken.
    bool FormKeyDown(int key);
    void sBitBtnClick();

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

// The message window while it is shown, else null.
extern TMessageForm* MessageForm;
