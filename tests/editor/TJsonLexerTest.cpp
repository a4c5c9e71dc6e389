// The editor's highlighter inside a real QScintilla document: the styles it
// leaves equal the tokenizer's over the whole text, also after edits that
// open or close a section above already styled lines.
#include <Qsci/qsciscintilla.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/TJsonLexer.h"
#include "editor/TJsonTokenizer.h"

namespace {

using T = TJsonTokenizer;

std::string DocumentText(QsciScintilla& ed) {
    const long n = ed.SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
    return std::string(
        static_cast<const char*>(ed.SendScintillaPtrResult(QsciScintillaBase::SCI_GETCHARACTERPOINTER)),
        std::size_t(n));
}

void ExpectStyledAsTokenizer(QsciScintilla& ed, const char* when) {
    ed.SendScintilla(QsciScintillaBase::SCI_COLOURISE, 0UL, -1L);
    const std::string text = DocumentText(ed);
    std::vector<std::uint8_t> expected(text.size());
    T::Tokenize(text.data(), text.size(), T::Scheme::Default, expected.data());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int got =
            int(ed.SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, static_cast<unsigned long>(i)));
        ASSERT_EQ(got, int(expected[i])) << when << ": byte " << i << " of\n" << text;
    }
}

TEST(JsonLexer, DocumentStylesFollowTheTokenizerThroughEdits) {
    QsciScintilla ed;
    ed.setUtf8(true);
    TJsonLexer lexer(&ed);
    ed.setLexer(&lexer);
    ed.setText(QString::fromUtf8(
        "{\r\n  \"name\": \"Котельная\",\r\n  \"host\": \"h\", \"port\": 1,\r\n  \"qos\": 1 },\r\n"
        "  \"http\": { \"password\": 'a:b' },\r\n  \"devices\": [ { \"MQT\": { \"CNN\": { \"r\": 1 } } } "
        "]\r\n}\r\n"));
    ExpectStyledAsTokenizer(ed, "loaded");

    // Opening the mqtt section on line 1 changes the scheme of the lines below it.
    ed.insertAt(QStringLiteral("\"mqtt\": {"), 1, 0);
    ExpectStyledAsTokenizer(ed, "section opened");
    EXPECT_EQ(
        T::TokenOfStyle(std::uint8_t(ed.SendScintilla(
            QsciScintillaBase::SCI_GETSTYLEAT, static_cast<unsigned long>(DocumentText(ed).find("host"))))),
        T::Token::Keyword);

    // Removing the comma of its end marker lets the section run on to the http marker's "},".
    const std::string text = DocumentText(ed);
    const auto endMarker = long(text.find("},"));
    ed.SendScintilla(QsciScintillaBase::SCI_DELETERANGE, static_cast<unsigned long>(endMarker + 1), 1L);
    ExpectStyledAsTokenizer(ed, "end marker broken");
}

TEST(JsonLexer, EveryStyleHasADescriptionAndTheStatedColours) {
    TJsonLexer lexer;
    EXPECT_STREQ(lexer.language(), "JSON");
    for (int s = 0; s < T::kSchemeCount; ++s)
        for (int k = 0; k < T::kTokenCount; ++k)
            EXPECT_FALSE(lexer.description(T::StyleOf(T::Scheme(s), T::Token(k))).isEmpty()) << s << "," << k;
    EXPECT_TRUE(lexer.description(40).isEmpty());
    struct Case {
        T::Scheme scheme;
        T::Token token;
        QColor colour;
    } cases[] = {
        {T::Scheme::Default, T::Token::Keyword, QColor(0, 0, 255)},
        {T::Scheme::Default, T::Token::Number, QColor(128, 0, 128)},
        {T::Scheme::Mqtt, T::Token::Keyword, QColor(64, 128, 128)},
        {T::Scheme::Mqtt, T::Token::Marker, QColor(0, 128, 64)},
        {T::Scheme::Http, T::Token::Keyword, QColor(210, 105, 0)},
        {T::Scheme::Http, T::Token::Marker, QColor(210, 105, 0)},
        {T::Scheme::Static, T::Token::Keyword, QColor(0, 179, 0)},
        {T::Scheme::Static, T::Token::Marker, QColor(0, 128, 0)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(lexer.defaultColor(T::StyleOf(c.scheme, c.token)), c.colour)
            << int(c.scheme) << "," << int(c.token);
    EXPECT_EQ(lexer.defaultFont(T::StyleOf(T::Scheme::Default, T::Token::Text)).pointSizeF(), 12.0);
}

}  // namespace
