// The editor's file codec: encodings, line breaks and byte-for-byte round trips.
#include <gtest/gtest.h>

#include <string>

#include "editor/TTextFileCodec.h"
#include "platform/Cp1251.h"

namespace {

using C = TTextFileCodec;

std::string Hex(std::string_view s) {
    static const char* d = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : s) {
        out += d[c >> 4];
        out += d[c & 15];
        out += ' ';
    }
    return out;
}

TEST(TextFileCodec, DecodesAndRoundTripsByteForByte) {
    const std::string cyr1251 = std::string("{\"name\": \"") + std::string("Котельная №2"_w) + "\"}";
    struct Case {
        const char* what;
        std::string bytes;
        C::Encoding encoding;
        C::LineBreak lineBreak;
        bool finalBreak;
        std::string text;  // editor text, UTF-8
    } cases[] = {
        {"plain ASCII", "{\"a\": 1}", C::Encoding::Utf8, C::LineBreak::CRLF, false, "{\"a\": 1}"},
        {"CR LF, final break", "{\r\n\"a\": 1\r\n}\r\n", C::Encoding::Utf8, C::LineBreak::CRLF, true,
         "{\r\n\"a\": 1\r\n}"},
        {"LF only", "{\n\"a\": 1\n}\n", C::Encoding::Utf8, C::LineBreak::LF, true, "{\n\"a\": 1\n}"},
        {"LF, no final break", "{\n}", C::Encoding::Utf8, C::LineBreak::LF, false, "{\n}"},
        {"CR only", "{\r}\r", C::Encoding::Utf8, C::LineBreak::CR, true, "{\r}"},
        {"mixed breaks", "{\n\"a\": 1\r\n}\r", C::Encoding::Utf8, C::LineBreak::LF, true, "{\n\"a\": 1\r\n}"},
        {"UTF-8 Cyrillic", "{\"n\": \"Пароль\"}\n", C::Encoding::Utf8, C::LineBreak::LF, true,
         "{\"n\": \"Пароль\"}"},
        {"1251 Cyrillic", cyr1251, C::Encoding::Ansi, C::LineBreak::CRLF, false,
         "{\"name\": \"Котельная №2\"}"},
        {"UTF-16 LE", std::string("\xFF\xFE{\0\n\0\x1F\x04}\0", 10), C::Encoding::Utf16LE, C::LineBreak::LF,
         false, "{\nП}"},
        {"UTF-16 BE", std::string("\xFE\xFF\0{\0\n\x04\x1F\0}\0\n", 12), C::Encoding::Utf16BE,
         C::LineBreak::LF, true, "{\nП}"},
        {"empty", "", C::Encoding::Utf8, C::LineBreak::CRLF, false, ""},
    };
    for (const auto& c : cases) {
        C::Format f;
        std::string text = C::Decode(c.bytes, f);
        EXPECT_EQ(text, c.text) << c.what;
        EXPECT_EQ(f.encoding, c.encoding) << c.what;
        EXPECT_EQ(f.lineBreak, c.lineBreak) << c.what;
        EXPECT_EQ(f.finalLineBreak, c.finalBreak) << c.what;
        EXPECT_EQ(Hex(C::Encode(text, f)), Hex(c.bytes)) << c.what;
    }
}

TEST(TextFileCodec, Utf8MarkIsReadButNotWritten) {
    // A saved file must stay readable by the JSON reader, which does not skip a mark.
    C::Format f;
    std::string text = C::Decode("\xEF\xBB\xBF{\"a\": \"Да\"}\r\n", f);
    EXPECT_EQ(text, "{\"a\": \"Да\"}");
    EXPECT_EQ(f.encoding, C::Encoding::Utf8Bom);
    EXPECT_EQ(C::Encode(text, f), "{\"a\": \"Да\"}\r\n");
}

TEST(TextFileCodec, TypedTextGoesBackInTheFileEncoding) {
    C::Format f;
    C::Decode(std::string("\xCF\xE0\n", 3), f);  // "Па" in 1251
    ASSERT_EQ(f.encoding, C::Encoding::Ansi);
    EXPECT_EQ(C::Encode("Ёлка €", f), std::string("\xA8\xEB\xEA\xE0 \x88\n", 7));
    EXPECT_EQ(C::Encode("日", f), "?\n");  // not in the code page
}

TEST(TextFileCodec, FileOffsetsMapToTextOffsets) {
    const std::string ansi = std::string("{\"") + std::string("Пар"_w) + "\": x}";
    const std::string bom = "\xEF\xBB\xBF{\"a\": x}";
    const std::string utf16 = std::string("\xFF\xFE{\0x\0", 6);
    struct Case {
        const char* what;
        std::string bytes;
        std::size_t fileOffset;
        std::size_t textOffset;
    } cases[] = {
        {"UTF-8", "{\"a\": x}", 6, 6},
        {"ANSI after three letters", ansi, 5, 2 + 6},
        {"ANSI at the end", ansi, ansi.size(), ansi.size() + 3},
        {"UTF-8 with mark", bom, 9, 6},
        {"beyond the end", "{}", 99, 2},
        {"UTF-16", utf16, 4, 1},
    };
    for (const auto& c : cases) {
        C::Format f;
        C::Decode(c.bytes, f);
        EXPECT_EQ(C::TextOffset(c.bytes, f, c.fileOffset), c.textOffset) << c.what;
    }
}

}  // namespace
