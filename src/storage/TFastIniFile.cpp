#include "storage/TFastIniFile.h"

#include <algorithm>

#include "platform/FileSystem.h"
#include "storage/TFile.h"

namespace {
// A line holds at most this many bytes of text; longer lines are cut.
constexpr std::size_t kLineBuffer = 1025;

// A CR or LF inside a text would start a new line in the file and let a value
// forge entries or section headers on the next load; it is written as a blank.
void AppendOneLine(std::string& out, std::string_view text) {
    std::size_t start = out.size();
    out += text;
    for (std::size_t i = start; i < out.size(); ++i)
        if (out[i] == '\r' || out[i] == '\n') out[i] = ' ';
}

std::string_view TrimTrailing(std::string_view s, std::size_t keep = 0) {
    while (s.size() > keep && s.back() == ' ') s.remove_suffix(1);
    return s;
}
}  // namespace

TFastIniFile::TFastIniFile(std::string fileName, bool noLoad) : FileName(std::move(fileName)) {
    if (!noLoad) Load();
}

TFastIniFile::~TFastIniFile() {
    if (Modified) Save();
}

void TFastIniFile::ClearSections() {
    first_.clear();
    sections_.clear();
}

void TFastIniFile::Load() {
    try {
        ClearSections();
        TFile file;
        if (!file.Open(FileName, TFile::Access::Read, TFile::Disposition::OpenAlways, TFile::Share::Read,
                       0600)) {
            Failed = true;
            return;
        }
        // One read of the whole file; the line rule is applied on the copy.
        std::string bytes;
        bool complete = file.ReadToEnd(bytes);
        file.Close();
        TIniSection* current = nullptr;
        const char* data = bytes.data();
        for (std::size_t pos = 0; pos < bytes.size();) {
            std::size_t taken = TFile::TakeLine(data + pos, bytes.size() - pos, kLineBuffer - 1);
            ParseLine(TFile::LineText(data + pos, taken), current);
            pos += taken;
        }
        if (!complete) Failed = true;
        Modified = false;
    } catch (...) {
        Failed = true;
    }
}

void TFastIniFile::ParseLine(std::string_view line, TIniSection*& current) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
    std::size_t start = line.find_first_not_of(' ');
    if (start == std::string_view::npos) return;
    line.remove_prefix(start);
    if (line.front() == '[') {
        std::size_t close = line.find(']', 1);
        if (close != std::string_view::npos && close > 1) current = AddSection(line.substr(1, close - 1));
        return;
    }
    if (!current) return;
    std::size_t eq = line.find('=');
    if (eq == std::string_view::npos || eq == 0) return;
    // The first byte after "=" always stays, so a value of blanks reads as one blank.
    current->AddParam(TrimTrailing(line.substr(0, eq)), TrimTrailing(line.substr(eq + 1), 1));
}

std::string TFastIniFile::Serialize() const {
    std::size_t size = 0;
    for (const auto& s : sections_) {
        size += s->Name().size() + 4;
        for (int i = 0; i < s->ParamCount(); ++i) {
            const TIniParam* p = s->ParamAt(i);
            size += p->Key().size() + p->Value().size() + 3;
        }
    }
    std::string out;
    out.reserve(size);
    for (const auto& s : sections_) {
        out += '[';
        AppendOneLine(out, s->Name());
        out += "]\r\n";
        for (int i = 0; i < s->ParamCount(); ++i) {
            const TIniParam* p = s->ParamAt(i);
            AppendOneLine(out, p->Key());
            out += '=';
            AppendOneLine(out, p->Value());
            out += "\r\n";
        }
    }
    return out;
}

bool TFastIniFile::Save() {
    try {
        std::string error;
        // The settings hold credentials: a new file is readable by its owner only.
        if (!fs1251::WriteFileAtomic(FileName, Serialize(), error, 0600)) {
            Failed = true;
            return false;
        }
        Modified = false;
        return true;
    } catch (...) {
        Failed = true;
        return false;
    }
}

TIniSection* TFastIniFile::AddSection(std::string_view name) {
    sections_.push_back(std::make_unique<TIniSection>(name));
    TIniSection* section = sections_.back().get();
    first_.emplace(section->Name(), section);  // keeps an earlier section of that name
    return section;
}

TIniSection* TFastIniFile::FindSection(std::string_view name) const {
    auto it = first_.find(name.empty() ? ini::kNoName : name);
    return it == first_.end() ? nullptr : it->second;
}

TIniSection* TFastIniFile::SectionAt(int index) const {
    if (index < 0 || index >= SectionCount()) return nullptr;
    return sections_[static_cast<std::size_t>(index)].get();
}

int TFastIniFile::SectionCount() const { return static_cast<int>(sections_.size()); }

bool TFastIniFile::SectionExists(std::string_view name) const { return FindSection(name) != nullptr; }

void TFastIniFile::EraseSection(std::string_view name) {
    TIniSection* section = FindSection(name);
    if (!section) return;
    auto pos =
        std::find_if(sections_.begin(), sections_.end(), [&](const auto& s) { return s.get() == section; });
    first_.erase(section->Name());
    std::unique_ptr<TIniSection> removed = std::move(*pos);
    pos = sections_.erase(pos);
    // A later section of the same name becomes the first one.
    auto next = std::find_if(pos, sections_.end(),
                             [&](const auto& s) { return ini::NamesEqual(s->Name(), removed->Name()); });
    if (next != sections_.end()) first_.emplace((*next)->Name(), next->get());
    Modified = true;
}

TIniSection* TFastIniFile::FindOrAddSection(std::string_view name) {
    TIniSection* section = FindSection(name);
    return section ? section : AddSection(name);
}

std::string TFastIniFile::ReadString(std::string_view section, std::string_view key,
                                     std::string_view def) const {
    const TIniSection* s = FindSection(section);
    return s ? s->ReadString(key, def) : std::string(def);
}

void TFastIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    Modified = true;
    FindOrAddSection(section)->WriteString(key, value);
}

int TFastIniFile::ReadInteger(std::string_view section, std::string_view key, int def) const {
    const TIniSection* s = FindSection(section);
    return s ? s->ReadInteger(key, def) : def;
}

void TFastIniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
    Modified = true;
    FindOrAddSection(section)->WriteInteger(key, value);
}

std::string TFastIniFile::ReadString(std::string_view key, std::string_view def) const {
    return ReadString(CurrentSection, key, def);
}

void TFastIniFile::WriteString(std::string_view key, std::string_view value) {
    WriteString(CurrentSection, key, value);
}

int TFastIniFile::ReadInteger(std::string_view key, int def) const {
    return ReadInteger(CurrentSection, key, def);
}

void TFastIniFile::WriteInteger(std::string_view key, int value) { WriteInteger(CurrentSection, key, value); }

bool TFastIniFile::ReadFormBounds(std::string_view section, TFormBounds& bounds) const {
    const TIniSection* s = FindSection(section);
    if (!s || !s->FindParam("Left")) return false;
    bounds.Left = s->ReadInteger("Left", bounds.Left);
    bounds.Top = s->ReadInteger("Top", bounds.Top);
    bounds.Width = s->ReadInteger("Width", bounds.Width);
    bounds.Height = s->ReadInteger("Height", bounds.Height);
    return true;
}

void TFastIniFile::WriteFormBounds(std::string_view section, const TFormBounds& bounds) {
    Modified = true;
    TIniSection* s = FindOrAddSection(section);
    s->WriteInteger("Left", bounds.Left);
    s->WriteInteger("Top", bounds.Top);
    s->WriteInteger("Width", bounds.Width);
    s->WriteInteger("Height", bounds.Height);
}

namespace {
std::string ColumnKey(std::string_view listName, std::size_t number) {
    std::string key(listName);
    key += "_col";
    key += std::to_string(number);
    return key;
}
}  // namespace

void TFastIniFile::ReadColumns(std::string_view section, std::string_view listName,
                               std::vector<int>& widths) const {
    const TIniSection* s = FindSection(section);
    if (!s) return;
    for (std::size_t i = 0; i < widths.size(); ++i)
        widths[i] = s->ReadInteger(ColumnKey(listName, i + 1), widths[i]);
}

void TFastIniFile::WriteColumns(std::string_view section, std::string_view listName,
                                const std::vector<int>& widths) {
    Modified = true;
    TIniSection* s = FindOrAddSection(section);
    for (std::size_t i = 0; i < widths.size(); ++i) s->WriteInteger(ColumnKey(listName, i + 1), widths[i]);
}
