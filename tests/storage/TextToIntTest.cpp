#include "storage/AppSettings.h"

#include <gtest/gtest.h>

TEST(TextToInt, LeadingNumberByTheAtolRule) {
    struct Case { const char* text; int value; } cases[] = {
        {"42", 42}, {" -5", -5}, {"12abc", 12}, {"", 0}, {"abc", 0}, {"+7", 7}, {"\t\n 3", 3},
        {"- 5", 0}, {"4294967297", 1}, {"-2147483648", -2147483647 - 1}, {"\v9", 9},
    };
    for (const auto& c : cases) EXPECT_EQ(TextToInt(c.text), c.value) << "text: '" << c.text << "'";
}
