// One section of the settings document: a name and its ordered entries.
#pragma once

#include "storage/TIniParam.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TIniSection {
public:
    // An empty name becomes "NONAMED".
    explicit TIniSection(std::string_view name);

    const std::string& Name() const { return name_; }
    // First entry whose key matches (ASCII letters ignoring case), or null.
    TIniParam* FindParam(std::string_view key) const;
    TIniParam* ParamAt(int index) const;
    int ParamCount() const;
    TIniParam* AddParam(std::string_view key, std::string_view value);

    std::string ReadString(std::string_view key, std::string_view def) const;
    void WriteString(std::string_view key, std::string_view value);
    int ReadInteger(std::string_view key, int def) const;
    void WriteInteger(std::string_view key, int value);

private:
    std::string name_;
    std::vector<std::unique_ptr<TIniParam>> params_;
};
