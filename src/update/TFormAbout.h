// The about box: the program's picture, name, version (major.minor.release of
// the program file's version record), copyright and web address.
#pragma once

#include <QDialog>
#include <string_view>

class QFrame;
class QLabel;
class QPushButton;

class TFormAbout final : public QDialog {
    Q_OBJECT
public:
    // Reads the version of the running program's own file.
    explicit TFormAbout(QWidget* owner);
    // Reads the version of the given file (a 1251 path) instead.
    TFormAbout(QWidget* owner, std::string_view programFile);

    QFrame* Panel1;
    QLabel* ProgramIcon;
    QLabel* ProductName;
    QLabel* LabelVersion;
    QLabel* Copyright;
    QLabel* Comments;
    QPushButton* OKButton;
};

// The about box while it is shown, else null.
extern TFormAbout* FormAbout;
