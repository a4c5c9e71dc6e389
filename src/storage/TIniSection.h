// One section of the settings document: a name and its ordered entries.
#pragma once

#include "storage/TIniParam.h"

#include <vector>
#include <string>
#include <string_view>

class TIniSection {
public:
    // An empty name becomes "NONAMED".
    explicit TIniSection(std::string_view name);

    const std::string& Name() const { return name_; }
    // First entry whose key matches (ASCII letters ignoring case), or null.
    TIniParam* FindParam(std::string_view key) const;
    TIniParam* ParamAt(int index) const;
    int ParamCount() const;
    // The new entry; it and the other entries' addresses stay valid until the next AddParam.
    TIniParam* AddParam(std::string_view key, std::string_view value);

    std::string ReadString(std::string_view key, std::string_view def) const;
    void WriteString(std::string_view key, std::string_view value);
    int ReadInteger(std::string_view key, int def) const;
    void WriteInteger(std::string_view key, int value);

private:
    std::string name_;
    // Entries in one array, not one allocation each: a register is 80,000 entries.
    std::vector<TIniParam> params_;
};
