// One key/value entry of a settings section.
#pragma once

#include <string>
#include <string_view>

class TIniParam {
public:
    TIniParam(std::string_view key, std::string_view value);

    const std::string& Key() const { return key_; }
    const std::string& Value() const { return value_; }
    void SetKey(std::string_view key) { key_ = key; }
    void SetValue(std::string_view value) { value_ = value; }
    // True when the key is not empty and matches, ASCII letters ignoring case.
    bool KeyIs(std::string_view key) const;

private:
    std::string key_;    // empty stands for an absent key
    std::string value_;  // empty stands for an absent value
};
