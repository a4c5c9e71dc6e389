// A temporary folder of the test's own, removed afterwards; optionally made
// the data home (XDG_DATA_HOME) so nothing touches the developer's files.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

class TempDir {
public:
    explicit TempDir(bool asDataHome = false) {
        std::string pattern = (std::filesystem::temp_directory_path() / "zoren-test-XXXXXX").string();
        char* made = ::mkdtemp(pattern.data());
        path_ = made ? made : pattern;
        if (asDataHome) {
            const char* old = std::getenv("XDG_DATA_HOME");
            hadOld_ = old != nullptr;
            if (old) oldValue_ = old;
            ::setenv("XDG_DATA_HOME", path_.c_str(), 1);
            restore_ = true;
        }
    }
    ~TempDir() {
        if (restore_) {
            if (hadOld_) ::setenv("XDG_DATA_HOME", oldValue_.c_str(), 1);
            else ::unsetenv("XDG_DATA_HOME");
        }
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ec);
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // Native (UTF-8) path of the folder, without a trailing slash.
    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

    static void WriteFile(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string ReadFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

private:
    std::string path_;
    bool restore_ = false;
    bool hadOld_ = false;
    std::string oldValue_;
};
