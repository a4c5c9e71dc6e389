// How the settings document compares section names and keys: byte by byte,
// with only the ASCII letters a-z equal to A-Z.
#pragma once

#include <cstddef>
#include <string_view>

namespace ini {

constexpr char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

constexpr bool NamesEqual(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
    return true;
}

// Hash and equality for an index keyed by names under that comparison.
struct NameHash {
    std::size_t operator()(std::string_view s) const noexcept {
        std::size_t h = 14695981039346656037ull;
        for (char c : s) h = (h ^ static_cast<unsigned char>(AsciiUpper(c))) * 1099511628211ull;
        return h;
    }
};
struct NameEqual {
    bool operator()(std::string_view a, std::string_view b) const noexcept { return NamesEqual(a, b); }
};

// The name a section gets, and is looked up by, when none is given.
inline constexpr std::string_view kNoName = "NONAMED";

}  // namespace ini
