#include "platform/Cp1251.h"

#include <gtest/gtest.h>

TEST(Cp1251, LiteralIsConvertedAtCompileTime) {
    constexpr std::string_view w = "Ошибка"_w;
    static_assert(w.size() == 6);
    EXPECT_EQ(w, std::string_view("\xCE\xF8\xE8\xE1\xEA\xE0", 6));
    // "  ОK": Cyrillic О (0xCE), Latin K.
    EXPECT_EQ("  ОK"_w, std::string_view("  \xCEK", 4));
    EXPECT_EQ("Ёё№"_w, std::string_view("\xA8\xB8\xB9", 3));
}

TEST(Cp1251, EveryByteSurvivesTheRoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += char(b);
    std::string utf8 = Cp1251ToUtf8(all);
    EXPECT_TRUE(IsValidUtf8(utf8));
    EXPECT_EQ(Utf8ToCp1251(utf8), all);
}

TEST(Cp1251, UpperCaseFollowsTheCodePageTable) {
    struct Case { std::string_view in, out; } cases[] = {
        {"abc xyz", "ABC XYZ"},
        {"дом 1"_w, "ДОМ 1"_w},
        {"ёжик"_w, "ЁЖИК"_w},
        {"ўїєіґ"_w, "ЎЇЄІҐ"_w},
        {"µ"_w, "µ"_w},
    };
    for (const auto& c : cases) EXPECT_EQ(UpperCase1251(c.in), c.out) << Cp1251ToUtf8(c.in);
}

TEST(Cp1251, Utf8Validation) {
    EXPECT_TRUE(IsValidUtf8("plain"));
    EXPECT_TRUE(IsValidUtf8("Дом"));
    EXPECT_FALSE(IsValidUtf8("Дом"_w));
    EXPECT_FALSE(IsValidUtf8("\xC0\x80"));        // overlong
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));    // surrogate
    EXPECT_FALSE(IsValidUtf8("\xE2\x82"));        // cut short
    EXPECT_EQ(Utf8ToCp1251("€ 日"), "\x88 ?");   // a character outside the code page
}
