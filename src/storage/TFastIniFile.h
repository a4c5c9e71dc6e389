// The settings document: an INI file held in memory as ordered sections of
// ordered entries, read once at construction and written in one pass when it
// is destroyed after a change.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "storage/IniName.h"
#include "storage/TFormBounds.h"
#include "storage/TIniSection.h"

class TFastIniFile {
public:
    // Stores the file name and loads the file unless noLoad is set.
    explicit TFastIniFile(std::string fileName, bool noLoad = false);
    // Saves when Modified, then frees everything.
    ~TFastIniFile();
    TFastIniFile(const TFastIniFile&) = delete;
    TFastIniFile& operator=(const TFastIniFile&) = delete;

    // Replaces the contents with the file's sections and entries; a missing file
    // is created empty (mode 0600). Sets Failed when the file cannot be read.
    void Load();
    // Replaces the file atomically (a new one gets mode 0600); false (and Failed)
    // when it cannot be written, the old file then stays as it was and Modified
    // stays set. A read-only file (owner-write bit cleared) is never replaced.
    bool Save();

    // Appends a new section even when one of that name exists; "" gives "NONAMED".
    TIniSection* AddSection(std::string_view name);
    // First section of that name (ASCII letters ignoring case), or null.
    TIniSection* FindSection(std::string_view name) const;
    TIniSection* SectionAt(int index) const;
    int SectionCount() const;
    bool SectionExists(std::string_view name) const;
    // Removes the first section of that name and sets Modified; nothing when there is none.
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

    // Window and list state. ReadFormBounds gives false, and changes nothing, when
    // the section has no "Left"; otherwise each key is read with the current value
    // as its default. Columns use the keys "<listName>_col<n>", n from 1.
    bool ReadFormBounds(std::string_view section, TFormBounds& bounds) const;
    void WriteFormBounds(std::string_view section, const TFormBounds& bounds);
    void ReadColumns(std::string_view section, std::string_view listName, std::vector<int>& widths) const;
    void WriteColumns(std::string_view section, std::string_view listName, const std::vector<int>& widths);

    // The file's bytes as Save writes them; a CR or LF inside a text is written as a blank.
    std::string Serialize() const;

    std::string FileName;
    std::string CurrentSection;
    bool Modified = false;
    bool Failed = false;

private:
    TIniSection* FindOrAddSection(std::string_view name);
    void ParseLine(std::string_view line, TIniSection*& current);
    void ClearSections();

    std::vector<std::unique_ptr<TIniSection>> sections_;
    // The first section of each name, so lookups in a large register stay constant-time.
    std::unordered_map<std::string_view, TIniSection*, ini::NameHash, ini::NameEqual> first_;
};
