#include "update/ReleaseHistory.h"

#include "platform/Cp1251.h"
#include "storage/AppSettings.h"

namespace {

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

std::string ExpandTabs(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '\t')
            out += "    ";
        else
            out += c;
    }
    return out;
}

// Blanks and control characters off both ends, as the classic Trim does.
std::string_view Trim(std::string_view s) {
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

std::uint16_t Part(std::string_view text) { return static_cast<std::uint16_t>(TextToInt(text) & 0xFFFF); }

// False when the header has fewer than three dots in the part looked at.
bool ReadHeader(std::string_view line, FILE_VERSION& version, std::string& date) {
    std::string_view head = line.substr(0, 63);
    std::size_t dots[3];
    std::size_t from = 0;
    for (std::size_t& d : dots) {
        d = head.find('.', from);
        if (d == std::string_view::npos) return false;
        from = d + 1;
    }
    version.Major = Part(head);
    version.Minor = Part(head.substr(dots[0] + 1));
    version.Release = Part(head.substr(dots[1] + 1));
    version.Build = Part(head.substr(dots[2] + 1));
    std::size_t open = head.find('(', dots[2] + 1);
    date = open == std::string_view::npos ? std::string() : std::string(Trim(head.substr(open)));
    return true;
}

}  // namespace

bool IsNewerVersion(const FILE_VERSION& a, const FILE_VERSION& b) {
    auto high = [](const FILE_VERSION& v) {
        return static_cast<std::int32_t>(std::uint32_t(v.Major) << 16 | v.Minor);
    };
    auto low = [](const FILE_VERSION& v) { return std::uint32_t(v.Release) << 16 | v.Build; };
    if (high(a) != high(b)) return high(a) > high(b);
    return low(a) > low(b);
}

std::string VersionText(const FILE_VERSION& v) {
    return std::to_string(v.Major) + "." + std::to_string(v.Minor) + "." + std::to_string(v.Release) + "." +
           std::to_string(v.Build);
}

int ChangeImageIndex(char marker) {
    constexpr std::string_view markers = "+*-@!.#$%^";
    std::size_t at = markers.find(marker);
    return at == std::string_view::npos ? kOtherChangeImage : static_cast<int>(at) + 1;
}

RELEASE_HISTORY ParseReleaseHistory(std::string_view text, const FILE_VERSION& installed) {
    RELEASE_HISTORY history;
    for (const std::string& line : SplitLines(ExpandTabs(text))) {
        if (line.size() < 2) continue;
        if (line[0] >= '0' && line[0] <= '9') {
            RELEASE_ENTRY entry;
            if (!ReadHeader(line, entry.Version, entry.Date)) break;
            if (!IsNewerVersion(entry.Version, installed)) break;
            if (history.Releases.empty()) history.LatestVersion = entry.Version;
            entry.HeaderText = std::string("Версия: "_w) + VersionText(entry.Version) +
                               std::string("  Дата: "_w) + entry.Date;
            history.Releases.push_back(std::move(entry));
            continue;
        }
        if (history.Releases.empty()) continue;
        history.Releases.back().Changes.push_back({line.substr(2), ChangeImageIndex(line[0])});
    }
    return history;
}
