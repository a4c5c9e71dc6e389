#include "update/TFormUpgrade.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "dialogs/WindowText.h"
#include "platform/FileSystem.h"
#include "platform/FileVersion.h"
#include "update/UpdatePictures.h"

TFormUpgrade* FormUpgrade = nullptr;

TFormUpgrade::TFormUpgrade(QWidget* owner) : TFormUpgrade(owner, fs1251::ProgramFilePath()) {}

TFormUpgrade::TFormUpgrade(QWidget* owner, std::string_view programFile)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("FormUpgrade"));
    setWindowTitle(ToQString("Обновление ПО"_w));
    setSizeGripEnabled(true);
    resize(598, 392);

    sPanel1 = new QFrame(this);
    sPanel1->setObjectName(QStringLiteral("sPanel1"));
    sPanel1->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    sPanel1->setFixedHeight(69);

    sLabel1 = new QLabel(ToQString("Установлена версия"_w), sPanel1);
    sLabel1->setObjectName(QStringLiteral("sLabel1"));

    sBevel1 = new QFrame(sPanel1);
    sBevel1->setObjectName(QStringLiteral("sBevel1"));
    sBevel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    LabelVersion = new QLabel(sBevel1);
    LabelVersion->setObjectName(QStringLiteral("LabelVersion"));
    LabelVersion->setTextFormat(Qt::PlainText);
    LabelVersion->setMinimumWidth(100);
    LabelVersion->setAlignment(Qt::AlignCenter);
    QFont versionFont = LabelVersion->font();
    versionFont.setBold(true);
    LabelVersion->setFont(versionFont);
    auto* bevelLayout = new QHBoxLayout(sBevel1);
    bevelLayout->setContentsMargins(8, 4, 8, 4);
    bevelLayout->addWidget(LabelVersion);

    BtnUpgrade = new QPushButton(ToQString("Обновить"_w), sPanel1);
    BtnUpgrade->setObjectName(QStringLiteral("BtnUpgrade"));
    BtnUpgrade->setFixedSize(145, 50);
    BtnUpgrade->setIcon(QIcon(DrawUpgradePicture(32)));
    BtnUpgrade->setIconSize(QSize(32, 32));
    connect(BtnUpgrade, &QPushButton::clicked, this, &TFormUpgrade::BtnUpgradeClick);

    auto* panelLayout = new QHBoxLayout(sPanel1);
    panelLayout->setContentsMargins(12, 6, 12, 6);
    panelLayout->addWidget(sLabel1);
    panelLayout->addWidget(sBevel1);
    panelLayout->addStretch(1);
    panelLayout->addWidget(BtnUpgrade);

    TreeView1 = new QTreeWidget(this);
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    TreeView1->setColumnCount(1);
    TreeView1->setHeaderHidden(true);
    TreeView1->setIndentation(19);
    TreeView1->setIconSize(QSize(TAlphaImageList::kSize, TAlphaImageList::kSize));
    TreeView1->header()->setSectionResizeMode(QHeaderView::ResizeToContents);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(sPanel1);
    layout->addWidget(TreeView1, 1);

    if (ReadFileVersion(programFile, InstalledVersion.Major, InstalledVersion.Minor, InstalledVersion.Release,
                        InstalledVersion.Build))
        LabelVersion->setText(ToQString(VersionText(InstalledVersion)));
}

void TFormUpgrade::BtnUpgradeClick() { accept(); }

int ParseReleaseHistory(TFormUpgrade* window, std::string_view text) {
    QTreeWidget* tree = window->TreeView1;
    tree->clear();
    RELEASE_HISTORY history = ParseReleaseHistory(text, window->InstalledVersion);
    auto node = [window](QTreeWidgetItem* item, const std::string& caption, int image) {
        item->setText(0, ToQString(caption));
        item->setIcon(0, window->AlphaImageList16.Icon(image));
        item->setData(0, TFormUpgrade::kImageIndexRole, image);
    };
    for (const RELEASE_ENTRY& release : history.Releases) {
        auto* header = new QTreeWidgetItem(tree);
        node(header, release.HeaderText, release.ImageIndex);
        for (const RELEASE_CHANGE& change : release.Changes)
            node(new QTreeWidgetItem(header), change.Text, change.ImageIndex);
    }
    if (history.Count() > 0) window->LatestVersion = history.LatestVersion;
    tree->expandAll();
    if (tree->topLevelItemCount() > 0) tree->setCurrentItem(tree->topLevelItem(0));
    return history.Count();
}
