// The highlighting of the configuration editor as a pure byte tokenizer: the
// default scheme with the topic codes, and the three nested schemes of the
// "mqtt", "http" and "staticTopics" sections, each running from its start
// marker to the first "}," after it. Works on the editor's UTF-8 bytes; bytes
// of 0x80 and above count as identifier bytes, so Cyrillic passes as text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

class TJsonTokenizer {
public:
    enum class Scheme : std::uint8_t { Default = 0, Mqtt = 1, Http = 2, Static = 3 };
    enum class Token : std::uint8_t { Text = 0, Keyword = 1, Number = 2, String = 3, Symbol = 4, Marker = 5 };

    static constexpr int kSchemeCount = 4;
    static constexpr int kTokenCount = 6;
    // Styles are scheme * 8 + token: 0..29, clear of the editor's predefined styles 32..39.
    static constexpr std::uint8_t StyleOf(Scheme s, Token t) { return std::uint8_t(int(s) * 8 + int(t)); }
    static constexpr Scheme SchemeOfStyle(std::uint8_t style) { return Scheme((style >> 3) & 3); }
    static constexpr Token TokenOfStyle(std::uint8_t style) { return Token(style & 7); }

    struct Run {
        std::size_t start;
        std::size_t length;
        std::uint8_t style;
        bool operator==(const Run&) const = default;
    };

    // Styles text[0..length) into styles[0..length), starting in the given
    // scheme; text must begin at a line start. Returns the scheme in force
    // after the last byte. Line breaks take the Text style of the scheme in
    // force, so the scheme at any line start is SchemeOfStyle of the byte
    // before it: that is how a styling pass restarts at a line.
    static Scheme Tokenize(const char* text, std::size_t length, Scheme initial, std::uint8_t* styles);

    // The same as runs of equal style, merged, offsets relative to text.
    static std::vector<Run> Runs(std::string_view text, Scheme initial = Scheme::Default);

    // The scheme in force at byte offset `at` (a line start), scanning from the start.
    static Scheme SchemeAt(std::string_view text, std::size_t at);

    // Keywords of a scheme, as written; compared ignoring ASCII case, as the
    // general highlighter does by default.
    static const std::vector<std::string_view>& Keywords(Scheme s);
    static bool IsKeyword(Scheme s, std::string_view word);
};
