#include "app/TSkinManager.h"

#include <QActionGroup>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QStyle>
#include <QStyleFactory>
#include <algorithm>

#include "dialogs/WindowText.h"
#include "platform/FileSystem.h"

namespace {

bool IsStyleSheetName(const std::string& name) {
    return name.size() > 4 &&
           QString::fromStdString(name.substr(name.size() - 4)).compare(".qss", Qt::CaseInsensitive) == 0;
}

void ApplyStyle(const QString& key, const QString& sheet) {
    if (!qApp) return;
    if (qApp->style()->name().compare(key, Qt::CaseInsensitive) != 0)
        if (QStyle* style = QStyleFactory::create(key)) qApp->setStyle(style);
    qApp->setStyleSheet(sheet);
}

}  // namespace

TSkinManager::TSkinManager(QObject* parent) : QObject(parent) {}

void TSkinManager::SetSkinDirectory(std::string folder) { skinDirectory_ = std::move(folder); }

void TSkinManager::SetSkinName(std::string name) {
    skinName_ = std::move(name);
    std::vector<std::string> names = SkinNames();
    bool known = std::find(names.begin(), names.end(), skinName_) != names.end();
    if (known && IsStyleSheetName(skinName_)) {
        std::string folder = skinDirectory_;
        if (!folder.empty() && folder.back() != '/') folder += '/';
        std::string sheet, error;
        if (fs1251::ReadWholeFile(folder + skinName_, sheet, error)) {
            ApplyStyle(QString::fromLatin1(BuiltInSkin), QString::fromStdString(sheet));
            return;
        }
        known = false;
    }
    ApplyStyle(known ? ToQString(skinName_) : QString::fromLatin1(BuiltInSkin), {});
}

std::vector<std::string> TSkinManager::SkinNames() const {
    std::vector<std::string> names{BuiltInSkin};
    for (const QString& key : QStyleFactory::keys())
        if (key.compare(QString::fromLatin1(BuiltInSkin), Qt::CaseInsensitive) != 0)
            names.push_back(FromQString(key));
    if (!skinDirectory_.empty()) {
        QDir folder(QString::fromStdString(fs1251::NativePath(skinDirectory_)));
        for (const QString& file : folder.entryList({QStringLiteral("*.qss")}, QDir::Files, QDir::Name))
            names.push_back(fs1251::ModelPath(file.toStdString()));
    }
    return names;
}

QMenu* TSkinManager::MakeSkinMenu(QWidget* parent) {
    auto* menu = new QMenu(parent);
    connect(menu, &QMenu::aboutToShow, this, [this, menu] {
        menu->clear();
        qDeleteAll(menu->findChildren<QActionGroup*>(Qt::FindDirectChildrenOnly));
        auto* group = new QActionGroup(menu);
        for (const std::string& name : SkinNames()) {
            QAction* action = menu->addAction(ToQString(name));
            action->setCheckable(true);
            action->setChecked(name == skinName_);
            group->addAction(action);
            connect(action, &QAction::triggered, this, [this, name] { SetSkinName(name); });
        }
    });
    return menu;
}
