#include "platform/Shell.h"

#include "platform/FileSystem.h"

#include <QDesktopServices>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QUrl>

bool OpenFolderInShell(std::string_view folder) {
    QString native = QString::fromStdString(fs1251::NativePath(folder));
    return QDesktopServices::openUrl(QUrl::fromLocalFile(native));
}

bool StartDetached(std::string_view program) {
    QString native = QString::fromStdString(fs1251::NativePath(program));
    QFile file(native);
    if (!file.exists()) return false;
    file.setPermissions(file.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeUser);
    return QProcess::startDetached(native, {});
}
