// The update window: the installed version, the tree of newer releases with
// their changes, and the "Обновить" button that closes it with the OK result.
#pragma once

#include <QDialog>
#include <string_view>

#include "update/ReleaseHistory.h"
#include "update/TAlphaImageList.h"

class QFrame;
class QLabel;
class QPushButton;
class QTreeWidget;

class TFormUpgrade final : public QDialog {
    Q_OBJECT
public:
    // Item data role holding a node's image position in AlphaImageList16.
    static constexpr int kImageIndexRole = Qt::UserRole + 1;

    // Reads InstalledVersion from the running program's own file.
    explicit TFormUpgrade(QWidget* owner);
    // Reads InstalledVersion from the given file (a 1251 path) instead.
    TFormUpgrade(QWidget* owner, std::string_view programFile);

    QFrame* sPanel1;
    QLabel* sLabel1;
    QFrame* sBevel1;
    QLabel* LabelVersion;
    QPushButton* BtnUpgrade;
    QTreeWidget* TreeView1;
    TAlphaImageList AlphaImageList16;

    FILE_VERSION InstalledVersion;  // 0.0.0.0 when the program file carries no version
    FILE_VERSION LatestVersion;     // the newest release of the history

    void BtnUpgradeClick();
};

// The update window while a check holds it, else null.
extern TFormUpgrade* FormUpgrade;

// Fills window's TreeView1 and LatestVersion from the history text (1251)
// against its InstalledVersion; expands every node and selects the first.
// Returns the number of newer releases.
int ParseReleaseHistory(TFormUpgrade* window, std::string_view text);
