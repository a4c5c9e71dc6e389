// The main window: the table of registered controllers and every command of
// the tool. It opens the settings document at creation and, at close, stores
// the register, its own state and the skin settings and writes the file.
#pragma once

#include <QIcon>
#include <QMainWindow>
#include <array>

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QStatusBar;
class QToolButton;
class QTreeWidget;
class TSkinManager;

class TFormZorenMain final : public QMainWindow {
    Q_OBJECT
public:
    explicit TFormZorenMain(QWidget* parent = nullptr);
    ~TFormZorenMain() override;

    TSkinManager* sSkinManager1;
    QToolButton* sSkinProvider1;  // the skin-selection menu button in the menu bar's corner
    QTreeWidget* ListView1;
    QStatusBar* StatusBar1;
    std::array<QLabel*, 2> StatusBar1Panels;  // 250 and 50 pixels wide
    QMenuBar* MainMenu1;
    QMenu* PopupMenu1;
    QIcon AlphaImageList1;  // the one row picture, client_network
    bool SortAscending = false;

    // Main menu.
    QAction* mExit;
    QAction* mCheckUpgrade;
    QAction* mAbout;
    // Context menu of the table, in menu order.
    QAction* pmReadConfig;
    QAction* mEditConfig;
    QAction* pmPutConfig;
    QAction* mEdit;
    QAction* mAdd;
    QAction* mDelete;
    QAction* pmUp;
    QAction* pmDown;
    QAction* pmOpenFolder;

    void FormCreate();
    void FormShow();
    void FormClose();
    void FillList();
    void LoadSkinSettings();

    void mExitClick();
    void mAddClick();
    void mEditClick();
    void mDeleteClick();
    void pmUpClick();
    void pmDownClick();
    void pmOpenFolderClick();
    void mEditConfigClick();
    void pmReadConfigClick();
    void pmPutConfigClick();
    void mCheckUpgradeClick();
    void mAboutClick();
    void ListView1ColumnClick(int column);

    // Index of the selected row, or -1.
    int SelectedRow() const;
    // Selects the row, or none when it does not exist.
    void SelectRow(int row);

    // Showing restores the stored bounds first, before the system window exists,
    // so that the stored corner is taken as the frame's corner.
    void setVisible(bool visible) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool closed_ = false;
};

// The one main window while it exists.
extern TFormZorenMain* FormZorenMain;
