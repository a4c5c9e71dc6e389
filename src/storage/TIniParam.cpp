#include "storage/TIniParam.h"

#include "storage/IniName.h"

TIniParam::TIniParam(std::string_view key, std::string_view value) : key_(key), value_(value) {}

bool TIniParam::KeyIs(std::string_view key) const { return !key_.empty() && ini::NamesEqual(key_, key); }
