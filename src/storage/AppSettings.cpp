#include "storage/AppSettings.h"

#include "platform/FileSystem.h"

std::string DataFolder;
std::unique_ptr<TFastIniFile> IniFile;

namespace {
std::string WithSlash(std::string path) {
    if (path.empty() || path.back() != '/') path += '/';
    return path;
}

std::string ProgramFolder() {
    std::string exe = fs1251::ProgramFilePath();
    std::size_t slash = exe.rfind('/');
    return slash == std::string::npos ? std::string("./") : exe.substr(0, slash + 1);
}
}  // namespace

std::string ProgramBaseName() {
    std::string exe = fs1251::ProgramFilePath();
    std::size_t slash = exe.rfind('/');
    std::string name = slash == std::string::npos ? exe : exe.substr(slash + 1);
    std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) name.erase(dot);
    return name;
}

std::string MakeDataFolder(std::string_view subFolder) {
    std::string result;
    std::string base = fs1251::CommonAppDataFolder();
    if (!base.empty() && fs1251::CreateDirs(base)) {
        result = WithSlash(base) + (subFolder.empty() ? ProgramBaseName() : std::string(subFolder)) + "/";
        fs1251::CreateDir(result);  // it usually exists already
    }
    // A plain file of that name is no folder to keep data in either.
    if (!fs1251::DirectoryExists(result)) result = ProgramFolder();
    return result;
}

void OpenIniFile(std::string_view fileName) {
    std::string name = fileName.empty() ? ProgramBaseName() + ".ini" : std::string(fileName);
    IniFile = std::make_unique<TFastIniFile>(DataFolder + name);
}

void CloseIniFile() { IniFile.reset(); }
