// The editor's highlighting tokenizer: schemes, keywords, markers, numbers,
// strings, and restarting at a line start.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/TJsonTokenizer.h"

namespace {

using T = TJsonTokenizer;
using S = T::Scheme;
using K = T::Token;

std::vector<std::uint8_t> Styles(std::string_view text, S initial = S::Default) {
    std::vector<std::uint8_t> styles(text.size());
    T::Tokenize(text.data(), text.size(), initial, styles.data());
    return styles;
}

// The style of the first occurrence of `what` at or after `from`, required to
// be one style over all its bytes.
std::uint8_t StyleOfWord(std::string_view text, std::string_view what, std::size_t from = 0) {
    auto styles = Styles(text);
    std::size_t at = text.find(what, from);
    EXPECT_NE(at, std::string_view::npos) << what;
    if (at == std::string_view::npos) return 255;
    for (std::size_t i = at; i < at + what.size(); ++i)
        EXPECT_EQ(styles[i], styles[at]) << "'" << what << "' mixes styles at " << i;
    return styles[at];
}

TEST(JsonTokenizer, TokensOfTheDefaultScheme) {
    struct Case {
        std::string text;
        std::string word;
        std::uint8_t style;
    } cases[] = {
        {"\"CNN\": 1", "CNN", T::StyleOf(S::Default, K::Keyword)},
        {"\"cnn\": 1", "cnn", T::StyleOf(S::Default, K::Keyword)},  // case-insensitive
        {"\"CNNX\": 1", "CNNX", T::StyleOf(S::Default, K::Text)},   // whole words only
        {"\"CNN_1\": 1", "CNN_1", T::StyleOf(S::Default, K::Text)},
        {"\"host\": 1", "host", T::StyleOf(S::Default, K::Text)},  // not a default keyword
        {"\"a\": 1883,", "1883", T::StyleOf(S::Default, K::Number)},
        {"\"a\": 3.25e5}", "3.25e5", T::StyleOf(S::Default, K::Number)},
        {"\"a\": 0x1F}", "0x1F", T::StyleOf(S::Default, K::Number)},
        {"\"a\": -1}", "-", T::StyleOf(S::Default, K::Symbol)},
        {"\"a\": 'x y CNN'", "'x y CNN'", T::StyleOf(S::Default, K::String)},
        {"\"a\": 'open\n\"b\"", "'open", T::StyleOf(S::Default, K::String)},  // one line only
        {"\"a\": 'open\n\"b\"", "b", T::StyleOf(S::Default, K::Text)},
        {"\"a\": \"b\"", "\"", T::StyleOf(S::Default, K::Symbol)},
        {"{\"name\": \"Пароль\"}", "Пароль", T::StyleOf(S::Default, K::Text)},
        {"{\"Пароль1CNN\": 1}", "Пароль1CNN", T::StyleOf(S::Default, K::Text)},
        {"{\"x\":\"ЗОРЕН\", \"y\": \"ALR\"}", "ALR", T::StyleOf(S::Default, K::Keyword)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(int(StyleOfWord(c.text, c.word)), int(c.style))
            << "text: " << c.text << " word: " << c.word;
}

TEST(JsonTokenizer, EachSchemeHasItsOwnKeywordsBetweenItsMarkers) {
    const std::string text =
        "{\r\n"
        "  \"mqtt\": {\r\n"
        "    \"host\": \"10.0.0.1\", \"port\": 1883, \"CNN\": 1\r\n"
        "  },\r\n"
        "  \"http\": { \"password\": \"admin:1\", \"host\": 2 },\r\n"
        "  \"staticTopics\": { \"password\": 3, \"port\": 4 },\r\n"
        "  \"host\": \"x\", \"password\": \"y\", \"CNN\": 5\r\n"
        "}\r\n";
    struct Case {
        std::string word;
        std::size_t from;
        std::uint8_t style;
    } cases[] = {
        {"\"mqtt\"", 0, T::StyleOf(S::Mqtt, K::Marker)},
        {"host", 0, T::StyleOf(S::Mqtt, K::Keyword)},
        {"port", 0, T::StyleOf(S::Mqtt, K::Keyword)},
        {"1883", 0, T::StyleOf(S::Mqtt, K::Number)},
        {"CNN", 0, T::StyleOf(S::Mqtt, K::Text)},  // topic codes are the default scheme's
        {"},", 0, T::StyleOf(S::Mqtt, K::Marker)},
        {"\"http\"", 0, T::StyleOf(S::Http, K::Marker)},
        {"password", text.find("\"http\""), T::StyleOf(S::Http, K::Keyword)},
        {"host", text.find("\"http\""), T::StyleOf(S::Http, K::Text)},
        {"},", text.find("\"http\""), T::StyleOf(S::Http, K::Marker)},
        {"\"staticTopics\"", 0, T::StyleOf(S::Static, K::Marker)},
        {"password", text.find("\"staticTopics\""), T::StyleOf(S::Static, K::Keyword)},
        {"port", text.find("\"staticTopics\""), T::StyleOf(S::Static, K::Text)},
        {"},", text.find("\"staticTopics\""), T::StyleOf(S::Static, K::Marker)},
        // after the last "}," the default scheme is back
        {"host", text.find("\"host\": \"x\""), T::StyleOf(S::Default, K::Text)},
        {"password", text.find("\"host\": \"x\""), T::StyleOf(S::Default, K::Text)},
        {"CNN", text.find("\"host\": \"x\""), T::StyleOf(S::Default, K::Keyword)},
        {"5", text.find("\"host\": \"x\""), T::StyleOf(S::Default, K::Number)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(int(StyleOfWord(text, c.word, c.from)), int(c.style))
            << "word: " << c.word << " from " << c.from;
}

TEST(JsonTokenizer, SchemeEndsAtTheFirstBraceCommaOnly) {
    // A closing brace without a comma does not end the scheme; the marker is
    // recognised even inside a single-quoted string.
    const std::string text = "\"mqtt\": { \"a\": {} }\n\"host\" 'x}, \"host\"";
    auto styles = Styles(text);
    EXPECT_EQ(int(styles[text.find("host")]), int(T::StyleOf(S::Mqtt, K::Keyword)));
    std::size_t end = text.find("},");
    EXPECT_EQ(int(styles[end]), int(T::StyleOf(S::Mqtt, K::Marker)));
    EXPECT_EQ(int(styles[end + 1]), int(T::StyleOf(S::Mqtt, K::Marker)));
    EXPECT_EQ(int(styles[end - 1]), int(T::StyleOf(S::Mqtt, K::String)));
    EXPECT_EQ(int(styles[text.rfind("host")]), int(T::StyleOf(S::Default, K::Text)));
    EXPECT_EQ(T::SchemeAt(text, text.size()), S::Default);
}

TEST(JsonTokenizer, MarkersAreExactText) {
    // "MQTT" in other case, or without its quotes, opens no scheme.
    for (std::string text : {"\"MQTT\": { \"host\": 1 },", "mqtt: { \"host\": 1 },", "'mqtt' \"host\""}) {
        EXPECT_EQ(int(StyleOfWord(text, "host")), int(T::StyleOf(S::Default, K::Text))) << text;
    }
}

TEST(JsonTokenizer, RestartAtAnyLineStartGivesTheSameStyles) {
    const std::string text =
        "{\n  \"mqtt\": {\n    \"host\": \"h\",\n    \"qos\": 1\r\n  },\r  \"http\": {\n \"password\": 'p'\n "
        "},\n"
        "  \"buildings\": [ { \"devices\": [ { \"type\": \"SYS\", \"topics\": { \"MQT\": { \"CNN\": { \"r\": "
        "1 } } } } ] } ]\n}";
    const auto whole = Styles(text);
    for (std::size_t i = 0; i <= text.size(); ++i) {
        bool lineStart =
            i == 0 || text[i - 1] == '\n' || (text[i - 1] == '\r' && (i == text.size() || text[i] != '\n'));
        if (!lineStart) continue;
        // The scheme to restart in comes from the style of the break before the line.
        S scheme = i == 0 ? S::Default : T::SchemeOfStyle(whole[i - 1]);
        EXPECT_EQ(scheme, T::SchemeAt(text, i)) << "line start " << i;
        auto part = Styles(std::string_view(text).substr(i), scheme);
        for (std::size_t k = 0; k < part.size(); ++k)
            ASSERT_EQ(int(part[k]), int(whole[i + k])) << "restart at " << i << ", byte " << i + k;
    }
}

TEST(JsonTokenizer, RunsCoverTheTextAndMergeEqualStyles) {
    const std::string text = "\"CNN\": 12";
    auto runs = T::Runs(text);
    const std::vector<T::Run> expected = {{0, 1, T::StyleOf(S::Default, K::Symbol)},
                                          {1, 3, T::StyleOf(S::Default, K::Keyword)},
                                          {4, 2, T::StyleOf(S::Default, K::Symbol)},
                                          {6, 1, T::StyleOf(S::Default, K::Text)},
                                          {7, 2, T::StyleOf(S::Default, K::Number)}};
    EXPECT_EQ(runs, expected);
}

}  // namespace
