#include "registry/ZOREN_OBJECT_LIST.h"

#include <algorithm>
#include <array>

#include "platform/Cp1251.h"
#include "storage/TFastIniFile.h"

ZOREN_OBJECT_LIST ObjectList;

namespace {
std::string SectionName(int i) { return "OBJECT" + std::to_string(i); }

// Latin letters folded, everything else by its unsigned code; a prefix sorts first.
int CompareText(std::string_view a, std::string_view b) {
    std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        auto fold = [](char c) {
            unsigned char u = static_cast<unsigned char>(c);
            return u >= 'a' && u <= 'z' ? u - 'a' + 'A' : u;
        };
        int x = fold(a[i]), y = fold(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

int CompareNumber(std::int32_t a, std::int32_t b) { return a < b ? -1 : a > b ? 1 : 0; }

int CompareBy(int column, const ZOREN_OBJECT& a, const ZOREN_OBJECT& b) {
    switch (column) {
        case 2:
            return CompareText(a.Name, b.Name);
        case 3:
            return CompareText(a.Ip, b.Ip);
        case 4:
            return CompareNumber(a.MqttId, b.MqttId);
        case 5:
            return CompareNumber(a.MqttIndex, b.MqttIndex);
        case 6:
            return CompareText(a.Comment, b.Comment);
        default:
            return 0;
    }
}

std::string DecodeCredential(const std::string& stored) {
    std::string bytes;
    if (stored.empty() || !Base64Decode(stored, bytes)) return {};
    return bytes.substr(0, bytes.find('\0'));
}

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
}  // namespace

int ZOREN_OBJECT_LIST::Count() const { return static_cast<int>(items_.size()); }

ZOREN_OBJECT* ZOREN_OBJECT_LIST::Get(int position) const {
    if (position < 0 || position >= Count()) return nullptr;
    return items_[static_cast<std::size_t>(position)].get();
}

ZOREN_OBJECT* ZOREN_OBJECT_LIST::New() {
    items_.push_back(std::make_unique<ZOREN_OBJECT>());
    return items_.back().get();
}

void ZOREN_OBJECT_LIST::Delete(int position) {
    if (position < 0 || position >= Count()) return;
    items_.erase(items_.begin() + position);
}

void ZOREN_OBJECT_LIST::Clear() { items_.clear(); }

void ZOREN_OBJECT_LIST::Exchange(int a, int b) {
    if (a == b || !Get(a) || !Get(b)) return;
    std::swap(items_[static_cast<std::size_t>(a)], items_[static_cast<std::size_t>(b)]);
}

void ZOREN_OBJECT_LIST::Sort(int column, bool ascending) {
    if (column < 2 || column > 6) return;
    std::sort(items_.begin(), items_.end(), [&](const auto& a, const auto& b) {
        return ascending ? CompareBy(column, *a, *b) < 0 : CompareBy(column, *b, *a) < 0;
    });
}

bool ZOREN_OBJECT_LIST::IsNameFree(std::string_view name, const ZOREN_OBJECT* except) const {
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    while (!name.empty() && blank(name.front())) name.remove_prefix(1);
    while (!name.empty() && blank(name.back())) name.remove_suffix(1);
    if (name.empty()) return false;
    std::string candidate = UpperCase1251(name);
    for (const auto& item : items_)
        if (item.get() != except && UpperCase1251(item->Name) == candidate) return false;
    return true;
}

int ZOREN_OBJECT_LIST::IndexOf(const ZOREN_OBJECT* record) const {
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i].get() == record) return static_cast<int>(i);
    return -1;
}

void ZOREN_OBJECT_LIST::Load(TFastIniFile& ini) {
    Clear();
    for (int n = 0;; ++n) {
        std::string section = SectionName(n);
        if (!ini.SectionExists(section)) break;
        ZOREN_OBJECT* r = New();
        ini.CurrentSection = section;
        r->Name = ini.ReadString("Name", r->Name);
        r->Ip = ini.ReadString("Ip", r->Ip);
        r->Path = ini.ReadString("Path", r->Path);
        r->Comment = ini.ReadString("Comment", r->Comment);
        r->MqttId = ini.ReadInteger("MqttId", 0);
        r->MqttIndex = ini.ReadInteger("MqttIndex", 0);
        r->Login = DecodeCredential(ini.ReadString("Login", ""));
        r->Password = DecodeCredential(ini.ReadString("Password", ""));
    }
}

void ZOREN_OBJECT_LIST::Save(TFastIniFile& ini) const {
    for (int i = 0; i < Count(); ++i) {
        const ZOREN_OBJECT& r = *items_[static_cast<std::size_t>(i)];
        ini.CurrentSection = SectionName(i);
        ini.WriteString("Name", r.Name);
        ini.WriteString("Ip", r.Ip);
        ini.WriteString("Path", r.Path);
        ini.WriteString("Comment", r.Comment);
        ini.WriteInteger("MqttId", r.MqttId);
        ini.WriteInteger("MqttIndex", r.MqttIndex);
        ini.WriteString("Login", r.Login.empty() ? std::string() : Base64Encode(r.Login));
        ini.WriteString("Password", r.Password.empty() ? std::string() : Base64Encode(r.Password));
    }
    // Higher sections of an earlier, longer register stay; Load stops at this gap.
    ini.EraseSection(SectionName(Count()));
}

std::string FolderName(std::string_view name) {
    std::string out(name.substr(0, 255));
    for (char& c : out) {
        switch (c) {
            case '.':
            case ':':
                c = ' ';
                break;
            case '\\':
            case '/':
            case '<':
            case '>':
            case '*':
            case '?':
            case '"':
                c = '_';
                break;
            default:
                break;
        }
    }
    return out;
}

std::string Base64Encode(std::string_view bytes) {
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        std::uint32_t v = std::uint32_t(static_cast<unsigned char>(bytes[i])) << 16;
        std::size_t left = bytes.size() - i;
        if (left > 1) v |= std::uint32_t(static_cast<unsigned char>(bytes[i + 1])) << 8;
        if (left > 2) v |= std::uint32_t(static_cast<unsigned char>(bytes[i + 2]));
        out += kAlphabet[(v >> 18) & 63];
        out += kAlphabet[(v >> 12) & 63];
        out += left > 1 ? kAlphabet[(v >> 6) & 63] : '=';
        out += left > 2 ? kAlphabet[v & 63] : '=';
    }
    return out;
}

bool Base64Decode(std::string_view text, std::string& bytes) {
    // -1 marks a byte outside the alphabet; "=" counts as zero bits.
    static const std::array<signed char, 256> table = [] {
        std::array<signed char, 256> t{};
        t.fill(-1);
        for (int i = 0; i < 64; ++i)
            t[static_cast<unsigned char>(kAlphabet[i])] = static_cast<signed char>(i);
        t['='] = 0;
        return t;
    }();
    bytes.clear();
    if (text.size() % 4 != 0) return false;
    std::size_t length = text.size() / 4 * 3;
    if (!text.empty() && text[text.size() - 1] == '=') --length;
    if (text.size() >= 2 && text[text.size() - 2] == '=') --length;
    std::string out;
    out.reserve(text.size() / 4 * 3);
    for (std::size_t i = 0; i < text.size(); i += 4) {
        std::uint32_t v = 0;
        for (std::size_t k = 0; k < 4; ++k) {
            signed char d = table[static_cast<unsigned char>(text[i + k])];
            if (d < 0) return false;
            v = (v << 6) | std::uint32_t(d);
        }
        out += char((v >> 16) & 0xFF);
        out += char((v >> 8) & 0xFF);
        out += char(v & 0xFF);
    }
    out.resize(length);
    bytes = std::move(out);
    return true;
}
