#include "app/TFormZorenMain.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QTreeWidget>
#include <memory>
#include <string>

#include "app/ClientNetworkIcon.h"
#include "app/TSkinManager.h"
#include "dialogs/WindowText.h"
#include "editor/EditConfiguration.h"
#include "exchange/ConfigTransfer.h"
#include "platform/FileSystem.h"
#include "platform/Shell.h"
#include "registry/TFormEditor.h"
#include "registry/ZOREN_OBJECT_LIST.h"
#include "storage/AppSettings.h"
#include "storage/FormState.h"
#include "update/ApplicationTerminate.h"
#include "update/UpdateCommands.h"

TFormZorenMain* FormZorenMain = nullptr;

namespace {

struct Column {
    std::string_view caption;
    Qt::Alignment alignment;
    int width;
};

const Column kColumns[] = {
    {"", Qt::AlignHCenter, 32},           {"№"_w, Qt::AlignHCenter, 50},
    {"Название"_w, Qt::AlignLeft, 250},   {"IP Адрес"_w, Qt::AlignHCenter, 120},
    {"ID"_w, Qt::AlignHCenter, 80},       {"MQTT"_w, Qt::AlignHCenter, 50},
    {"Примечание"_w, Qt::AlignLeft, 250},
};

// Centres the row picture of the first column, which has no text.
class TCentredIconDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->decorationPosition = QStyleOptionViewItem::Top;
        option->decorationAlignment = Qt::AlignCenter;
    }
};

std::string ExecutableFolder() {
    std::string exe = fs1251::ProgramFilePath();
    std::size_t slash = exe.rfind('/');
    return slash == std::string::npos ? std::string("./") : exe.substr(0, slash + 1);
}

}  // namespace

TFormZorenMain::TFormZorenMain(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("FormZorenMain"));
    setWindowTitle(ToQString("Конфигурация ЗОРЕН-RF в режиме MQTT"_w));
    setFont(TahomaFont(13));
    AlphaImageList1 = ClientNetworkIcon();
    setWindowIcon(AlphaImageList1);

    DataFolder = MakeDataFolder("ZorEN_MQTT");
    fs1251::CreateDir(DataFolder + "Objects");

    sSkinManager1 = new TSkinManager(this);

    ListView1 = new QTreeWidget(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setColumnCount(7);
    ListView1->setRootIsDecorated(false);
    ListView1->setItemsExpandable(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setAllColumnsShowFocus(true);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setSortingEnabled(false);
    ListView1->setIconSize(QSize(16, 16));
    ListView1->setItemDelegateForColumn(0, new TCentredIconDelegate(ListView1));
    ListView1->header()->setSectionsClickable(true);
    ListView1->header()->setSectionsMovable(false);
    ListView1->header()->setStretchLastSection(false);
    QTreeWidgetItem* header = ListView1->headerItem();
    for (int i = 0; i < 7; ++i) {
        header->setText(i, ToQString(kColumns[i].caption));
        header->setTextAlignment(i, kColumns[i].alignment | Qt::AlignVCenter);
        ListView1->setColumnWidth(i, kColumns[i].width);
    }
    setCentralWidget(ListView1);
    connect(ListView1->header(), &QHeaderView::sectionClicked, this, &TFormZorenMain::ListView1ColumnClick);
    connect(ListView1, &QTreeWidget::itemDoubleClicked, this, [this] { mEditClick(); });

    StatusBar1 = statusBar();
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(true);
    for (int i = 0; i < 2; ++i) {
        StatusBar1Panels[i] = new QLabel(StatusBar1);
        StatusBar1Panels[i]->setObjectName(QStringLiteral("StatusBar1Panel%1").arg(i));
        StatusBar1Panels[i]->setMinimumHeight(19);
    }
    StatusBar1Panels[0]->setFixedWidth(250);
    StatusBar1Panels[1]->setMinimumWidth(50);
    StatusBar1->addWidget(StatusBar1Panels[0]);
    StatusBar1->addWidget(StatusBar1Panels[1], 1);

    MainMenu1 = menuBar();
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    QMenu* file = MainMenu1->addMenu(ToQString("Файл"_w));
    mExit = file->addAction(ToQString("Выход"_w), this, &TFormZorenMain::mExitClick);
    QMenu* help = MainMenu1->addMenu(ToQString("Помошь"_w));
    mCheckUpgrade =
        help->addAction(ToQString("Проверить обновление ..."_w), this, &TFormZorenMain::mCheckUpgradeClick);
    help->addSeparator();
    mAbout = help->addAction(ToQString("О программе ..."_w), this, &TFormZorenMain::mAboutClick);

    sSkinProvider1 = new QToolButton(MainMenu1);
    sSkinProvider1->setObjectName(QStringLiteral("sSkinProvider1"));
    sSkinProvider1->setText(ToQString("Оформление"_w));
    sSkinProvider1->setToolTip(ToQString("Выбор оформления"_w));
    sSkinProvider1->setAutoRaise(true);
    sSkinProvider1->setPopupMode(QToolButton::InstantPopup);
    sSkinProvider1->setMenu(sSkinManager1->MakeSkinMenu(sSkinProvider1));
    MainMenu1->setCornerWidget(sSkinProvider1, Qt::TopRightCorner);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    pmReadConfig = PopupMenu1->addAction(ToQString("Прочитать конфигурацию ..."_w), this,
                                         &TFormZorenMain::pmReadConfigClick);
    mEditConfig = PopupMenu1->addAction(ToQString("Редактировать конфигурацию ..."_w), this,
                                        &TFormZorenMain::mEditConfigClick);
    pmPutConfig = PopupMenu1->addAction(ToQString("Записать  конфигурацию ..."_w), this,
                                        &TFormZorenMain::pmPutConfigClick);
    PopupMenu1->addSeparator();
    mEdit = PopupMenu1->addAction(ToQString("Изменить ..."_w), this, &TFormZorenMain::mEditClick);
    mAdd = PopupMenu1->addAction(ToQString("Добавить ..."_w), this, &TFormZorenMain::mAddClick);
    mDelete = PopupMenu1->addAction(ToQString("Удалить ..."_w), this, &TFormZorenMain::mDeleteClick);
    PopupMenu1->addSeparator();
    pmUp = PopupMenu1->addAction(ToQString("Переместить вверх"_w), this, &TFormZorenMain::pmUpClick);
    pmDown = PopupMenu1->addAction(ToQString("Переместить вниз"_w), this, &TFormZorenMain::pmDownClick);
    PopupMenu1->addSeparator();
    pmOpenFolder =
        PopupMenu1->addAction(ToQString("Открыть папку ..."_w), this, &TFormZorenMain::pmOpenFolderClick);
    ListView1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ListView1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1->popup(ListView1->viewport()->mapToGlobal(at)); });

    // Designed bounds: the top-left corner, a client area of 856 x 448 below the menu.
    move(0, 0);
    resize(856, 448 + MainMenu1->sizeHint().height());
    FormCreate();
}

TFormZorenMain::~TFormZorenMain() {
    if (FormZorenMain == this) FormZorenMain = nullptr;
}

void TFormZorenMain::FormCreate() {
    OpenIniFile("ZorEN_MQTT.ini");
    LoadSkinSettings();
    ReadColumns("ListView", ListView1);
    ObjectList.Load(*IniFile);
    FillList();
}

void TFormZorenMain::FormShow() { RestoreFormState(this); }

void TFormZorenMain::FormClose() {
    if (closed_ || !IniFile) return;
    closed_ = true;
    WriteColumns("ListView", ListView1);
    ObjectList.Save(*IniFile);
    SaveFormState(this);
    IniFile->WriteString("Skin", "SkinName", sSkinManager1->SkinName());
    IniFile->WriteString("Skin", "SkinDir", sSkinManager1->SkinDirectory());
    CloseIniFile();
}

void TFormZorenMain::setVisible(bool visible) {
    if (visible && !isVisible()) FormShow();
    QMainWindow::setVisible(visible);
}

void TFormZorenMain::closeEvent(QCloseEvent* event) {
    // After the installer has been started the run ends without storing anything.
    if (QuitWithoutSaving) {
        event->accept();
        return;
    }
    FormClose();
    event->accept();
}

void TFormZorenMain::LoadSkinSettings() {
    std::string beside = ExecutableFolder() + "Skins";
    if (fs1251::DirectoryExists(beside))
        sSkinManager1->SetSkinDirectory(beside);
    else
        sSkinManager1->SetSkinDirectory(IniFile->ReadString("Skin", "SkinDir", DataFolder + "Skins"));
    sSkinManager1->SetSkinName(IniFile->ReadString("Skin", "SkinName", sSkinManager1->SkinName()));
}

void TFormZorenMain::FillList() {
    ListView1->setUpdatesEnabled(false);
    ListView1->clear();
    QList<QTreeWidgetItem*> rows;
    for (int i = 0; i < ObjectList.Count(); ++i) {
        const ZOREN_OBJECT* object = ObjectList.Get(i);
        auto* row = new QTreeWidgetItem;
        row->setIcon(0, AlphaImageList1);
        row->setText(1, QString::number(i + 1) + QLatin1Char('.'));
        row->setText(2, ToQString(object->Name));
        row->setText(3, ToQString(object->Ip));
        row->setText(4, QString::number(object->MqttId));
        row->setText(5, QString::number(object->MqttIndex));
        row->setText(6, ToQString(object->Comment));
        for (int c = 0; c < 7; ++c) row->setTextAlignment(c, kColumns[c].alignment | Qt::AlignVCenter);
        rows.append(row);
    }
    ListView1->addTopLevelItems(rows);
    ListView1->setCurrentItem(nullptr);
    ListView1->clearSelection();
    ListView1->setUpdatesEnabled(true);
}

int TFormZorenMain::SelectedRow() const {
    const QList<QTreeWidgetItem*> selected = ListView1->selectedItems();
    return selected.isEmpty() ? -1 : ListView1->indexOfTopLevelItem(selected.first());
}

void TFormZorenMain::SelectRow(int row) {
    QTreeWidgetItem* item = ListView1->topLevelItem(row);
    ListView1->setCurrentItem(item);
    if (!item) return;
    item->setSelected(true);
    ListView1->scrollToItem(item);
}

void TFormZorenMain::mExitClick() { close(); }

void TFormZorenMain::mAddClick() {
    auto editor = std::make_unique<TFormEditor>(this);
    FormEditor = editor.get();
    int n = ObjectList.Count();
    editor->SetObject(ObjectList.New());
    if (editor->exec() == QDialog::Accepted) {
        FillList();
        SelectRow(n);
    } else {
        ObjectList.Delete(n);
    }
    editor.reset();
    FormEditor = nullptr;
}

void TFormZorenMain::mEditClick() {
    int i = SelectedRow();
    ZOREN_OBJECT* object = ObjectList.Get(i);
    if (!object) return;
    auto editor = std::make_unique<TFormEditor>(this);
    FormEditor = editor.get();
    editor->SetObject(object);
    if (editor->exec() == QDialog::Accepted) {
        FillList();
        SelectRow(i);
    }
    editor.reset();
    FormEditor = nullptr;
}

void TFormZorenMain::mDeleteClick() {
    int i = SelectedRow();
    if (!ObjectList.Get(i)) return;
    ObjectList.Delete(i);
    FillList();
    if (i > 0) SelectRow(i - 1);
}

void TFormZorenMain::pmUpClick() {
    int i = SelectedRow();
    if (!ObjectList.Get(i) || i == 0) return;
    ObjectList.Exchange(i - 1, i);
    FillList();
    SelectRow(i - 1);
}

void TFormZorenMain::pmDownClick() {
    int i = SelectedRow();
    if (!ObjectList.Get(i) || i >= ObjectList.Count() - 1) return;
    ObjectList.Exchange(i, i + 1);
    FillList();
    SelectRow(i + 1);
}

void TFormZorenMain::pmOpenFolderClick() {
    const ZOREN_OBJECT* object = ObjectList.Get(SelectedRow());
    // A controller never confirmed in the editor has no folder; the shell would open some other one.
    if (!object || object->Path.empty()) return;
    fs1251::CreateDir(object->Path);
    OpenFolderInShell(object->Path);
}

void TFormZorenMain::mEditConfigClick() {
    if (ZOREN_OBJECT* object = ObjectList.Get(SelectedRow())) EditConfiguration(this, *object);
}

void TFormZorenMain::pmReadConfigClick() {
    if (const ZOREN_OBJECT* object = ObjectList.Get(SelectedRow())) ReadConfiguration(this, *object);
}

void TFormZorenMain::pmPutConfigClick() {
    if (const ZOREN_OBJECT* object = ObjectList.Get(SelectedRow())) PutConfiguration(this, *object);
}

void TFormZorenMain::mCheckUpgradeClick() {
    StatusBar1Panels[1]->setText(ToQString(CheckForUpdate(this, false)));
}

void TFormZorenMain::mAboutClick() { ShowAboutBox(this); }

void TFormZorenMain::ListView1ColumnClick(int column) {
    SortAscending = !SortAscending;
    if (column < 2 || column > 6) return;
    const ZOREN_OBJECT* selected = ObjectList.Get(SelectedRow());
    ObjectList.Sort(column, SortAscending);
    FillList();
    if (selected) SelectRow(ObjectList.IndexOf(selected));
}
