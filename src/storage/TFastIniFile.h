// The settings document: an INI file held in memory as ordered sections of
// ordered entries, read once at construction and written in one pass when it
// is destroyed after a change.
#pragma once

#include "storage/TIniSection.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TFastIniFile {
public:
    // Stores the file name and loads the file unless noLoad is set.
    explicit TFastIniFile(std::string fileName, bool noLoad = false);
    // Saves when Modified, then frees everything.
    ~TFastIniFile();
    TFastIniFile(const TFastIniFile&) = delete;
    TFastIniFile& operator=(const TFastIniFile&) = delete;

    void Load();
    // Replaces the file atomically; false (and Failed) when it cannot be written,
    // the old file then stays as it was.
    bool Save();

    TIniSection* AddSection(std::string_view name);
    TIniSection* FindSection(std::string_view name) const;
    TIniSection* SectionAt(int index) const;
    int SectionCount() const;
    bool SectionExists(std::string_view name) const;
    void EraseSection(std::string_view name);

    std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    int ReadInteger(std::string_view section, std::string_view key, int def) const;
    void WriteInteger(std::string_view section, std::string_view key, int value);

    // The same on the section named by CurrentSection.
    std::string ReadString(std::string_view key, std::string_view def) const;
    void WriteString(std::string_view key, std::string_view value);
    int ReadInteger(std::string_view key, int def) const;
    void WriteInteger(std::string_view key, int value);

    std::string FileName;
    std::string CurrentSection;
    bool Modified = false;
    bool Failed = false;

private:
    std::vector<std::unique_ptr<TIniSection>> sections_;
};
