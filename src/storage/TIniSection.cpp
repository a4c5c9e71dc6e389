#include "storage/TIniSection.h"

#include "storage/AppSettings.h"
#include "storage/IniName.h"

TIniSection::TIniSection(std::string_view name) : name_(name.empty() ? ini::kNoName : name) {}

TIniParam* TIniSection::FindParam(std::string_view key) const {
    for (const auto& p : params_)
        if (p.KeyIs(key)) return const_cast<TIniParam*>(&p);
    return nullptr;
}

TIniParam* TIniSection::ParamAt(int index) const {
    if (index < 0 || index >= ParamCount()) return nullptr;
    return const_cast<TIniParam*>(&params_[static_cast<std::size_t>(index)]);
}

int TIniSection::ParamCount() const { return static_cast<int>(params_.size()); }

TIniParam* TIniSection::AddParam(std::string_view key, std::string_view value) {
    return &params_.emplace_back(key, value);
}

std::string TIniSection::ReadString(std::string_view key, std::string_view def) const {
    const TIniParam* p = FindParam(key);
    return p ? p->Value() : std::string(def);
}

void TIniSection::WriteString(std::string_view key, std::string_view value) {
    if (TIniParam* p = FindParam(key))
        p->SetValue(value);
    else
        AddParam(key, value);
}

int TIniSection::ReadInteger(std::string_view key, int def) const {
    const TIniParam* p = FindParam(key);
    return p ? TextToInt(p->Value()) : def;
}

void TIniSection::WriteInteger(std::string_view key, int value) { WriteString(key, std::to_string(value)); }
