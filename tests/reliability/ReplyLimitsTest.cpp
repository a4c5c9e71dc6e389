// Limits on what a misbehaving server can make the program show.
#include <gtest/gtest.h>

#include <string>

#include "exchange/ConfigExchange.h"

TEST(ReplyLimits, VerdictShownAsItCameUpToItsLimitThenCut) {
    // A 50 MB reply to a write used to go whole into the message window, whose
    // layout then froze the program for minutes.
    struct Case {
        std::size_t size;
        std::size_t shown;
        bool cut;
    } cases[] = {
        {0, 0, false},
        {kVerdictShownMax, kVerdictShownMax, false},
        {kVerdictShownMax + 1, kVerdictShownMax + 4, true},
        {50u << 20, kVerdictShownMax + 4, true},
    };
    for (const Case& c : cases) {
        const std::string reply(c.size, 'r');
        const std::string text = WriteVerdictText(reply);
        EXPECT_EQ(text.size(), c.shown) << "reply of " << c.size << " bytes";
        EXPECT_EQ(text.substr(0, kVerdictShownMax), reply.substr(0, kVerdictShownMax)) << "reply of " << c.size;
        if (c.cut) EXPECT_EQ(text.substr(kVerdictShownMax), " ...") << "reply of " << c.size;
    }
}
