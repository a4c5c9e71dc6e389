// Scans bytes in place with one style byte per text byte, so a styling pass
// costs one memset per token and no allocation.
#include "editor/TJsonTokenizer.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

namespace {

using Scheme = TJsonTokenizer::Scheme;
using Token = TJsonTokenizer::Token;

constexpr std::string_view kStartMarkers[] = {"\"mqtt\"", "\"http\"", "\"staticTopics\""};
constexpr std::string_view kEndMarker = "},";

const std::array<std::vector<std::string_view>, 4> kKeywords = {{
    {"ACT", "ADD", "ADR", "ALM", "ALR", "ASG", "ATX", "BLD", "BTR", "CNN", "COO", "CRL", "DCL",
     "DCM", "DSC", "FAL", "FLR", "GAS", "ICM", "INF", "KEY", "LCT", "LFT", "LVL", "MDL", "MNF",
     "MOD", "MQT", "OPO", "PVD", "QLT", "SCM", "SRL", "STT", "TMP", "TMZ", "VIP", "WTR"},
    {"addTimestamp", "buffering", "host", "password", "port", "qos", "retain", "username", "willMessage",
     "willTopic"},
    {"password"},
    {"password"},
}};

constexpr std::size_t kLongestKeyword = 16;

char Up(char c) { return (c >= 'a' && c <= 'z') ? char(c - 32) : c; }

// Upper-cased, sorted keyword lists, for a binary search per identifier.
struct UpperLists {
    std::array<std::vector<std::string>, 4> lists;
    UpperLists() {
        for (int s = 0; s < 4; ++s) {
            for (auto k : kKeywords[s]) {
                std::string u(k);
                for (char& c : u) c = Up(c);
                lists[s].push_back(u);
            }
            std::sort(lists[s].begin(), lists[s].end());
        }
    }
};

const UpperLists& Upper() {
    static const UpperLists lists;
    return lists;
}

bool KeywordIn(const std::vector<std::string>& list, const char* word, std::size_t n) {
    if (n == 0 || n > kLongestKeyword) return false;
    char buf[kLongestKeyword];
    for (std::size_t i = 0; i < n; ++i) buf[i] = Up(word[i]);
    std::string_view w(buf, n);
    auto it = std::lower_bound(list.begin(), list.end(), w, [](const std::string& a, std::string_view b) {
        return std::string_view(a) < b;
    });
    return it != list.end() && std::string_view(*it) == w;
}

bool IsLetter(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c >= 0x80;
}
bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }
bool IsHex(unsigned char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

bool StartsWith(const char* p, const char* end, std::string_view m) {
    return std::size_t(end - p) >= m.size() && std::memcmp(p, m.data(), m.size()) == 0;
}

// Length of the marker at p that switches the scheme, or 0; sets next.
std::size_t MarkerAt(const char* p, const char* end, Scheme in, Scheme& next) {
    if (in == Scheme::Default) {
        if (*p != '"') return 0;
        for (int i = 0; i < 3; ++i)
            if (StartsWith(p, end, kStartMarkers[i])) {
                next = Scheme(i + 1);
                return kStartMarkers[i].size();
            }
        return 0;
    }
    if (*p == '}' && StartsWith(p, end, kEndMarker)) {
        next = Scheme::Default;
        return kEndMarker.size();
    }
    return 0;
}

}  // namespace

const std::vector<std::string_view>& TJsonTokenizer::Keywords(Scheme s) { return kKeywords[int(s) & 3]; }

bool TJsonTokenizer::IsKeyword(Scheme s, std::string_view word) {
    return KeywordIn(Upper().lists[int(s) & 3], word.data(), word.size());
}

TJsonTokenizer::Scheme TJsonTokenizer::Tokenize(const char* text, std::size_t length, Scheme scheme,
                                                std::uint8_t* styles) {
    const UpperLists& upper = Upper();
    const char* const begin = text;
    const char* const end = text + length;
    const char* p = text;
    auto fill = [&](const char* from, const char* to, Token t) {
        std::memset(styles + (from - begin), StyleOf(scheme, t), std::size_t(to - from));
    };
    while (p < end) {
        const unsigned char c = static_cast<unsigned char>(*p);
        const char* q = p + 1;
        Scheme next = scheme;
        if (std::size_t m = MarkerAt(p, end, scheme, next)) {
            // The marker takes the colour of the scheme it opens or closes.
            Scheme drawn = next == Scheme::Default ? scheme : next;
            std::memset(styles + (p - begin), StyleOf(drawn, Token::Marker), m);
            scheme = next;
            p += m;
            continue;
        }
        if (IsLetter(c)) {
            while (q < end &&
                   (IsLetter(static_cast<unsigned char>(*q)) || IsDigit(static_cast<unsigned char>(*q))))
                ++q;
            fill(p, q,
                 KeywordIn(upper.lists[int(scheme)], p, std::size_t(q - p)) ? Token::Keyword : Token::Text);
        } else if (IsDigit(c)) {
            if (c == '0' && q < end && (*q == 'x' || *q == 'X')) {
                ++q;
                while (q < end && IsHex(static_cast<unsigned char>(*q))) ++q;
            } else {
                while (q < end) {
                    const char d = *q;
                    if (IsDigit(static_cast<unsigned char>(d)) || d == 'e' || d == 'E')
                        ++q;
                    else if (d == '.' && !(q + 1 < end && q[1] == '.'))
                        ++q;
                    else
                        break;
                }
            }
            fill(p, q, Token::Number);
        } else if (c == '\'') {
            // Strings stay on one line, and a marker inside one still switches the scheme.
            while (q < end && *q != '\'' && *q != '\n' && *q != '\r') {
                Scheme ignored;
                if (MarkerAt(q, end, scheme, ignored)) break;
                ++q;
            }
            if (q < end && *q == '\'') ++q;
            fill(p, q, Token::String);
        } else if (c <= ' ' || c == 0x7F) {
            while (q < end && (static_cast<unsigned char>(*q) <= ' ' || *q == 0x7F)) ++q;
            fill(p, q, Token::Text);
        } else {
            fill(p, q, Token::Symbol);
        }
        p = q;
    }
    return scheme;
}

std::vector<TJsonTokenizer::Run> TJsonTokenizer::Runs(std::string_view text, Scheme initial) {
    std::vector<std::uint8_t> styles(text.size());
    Tokenize(text.data(), text.size(), initial, styles.data());
    std::vector<Run> runs;
    for (std::size_t i = 0; i < styles.size();) {
        std::size_t j = i + 1;
        while (j < styles.size() && styles[j] == styles[i]) ++j;
        runs.push_back({i, j - i, styles[i]});
        i = j;
    }
    return runs;
}

TJsonTokenizer::Scheme TJsonTokenizer::SchemeAt(std::string_view text, std::size_t at) {
    at = std::min(at, text.size());
    std::vector<std::uint8_t> styles(at);
    return Tokenize(text.data(), at, Scheme::Default, styles.data());
}
