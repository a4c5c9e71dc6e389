// The release history: which releases count as newer, and how header and
// change lines are read.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Cp1251.h"
#include "update/ReleaseHistory.h"

namespace {

std::string W(std::string_view utf8) { return Utf8ToCp1251(utf8); }
std::string U(std::string_view cp1251) { return Cp1251ToUtf8(cp1251); }

constexpr FILE_VERSION kInstalled{1, 0, 0, 0};

}  // namespace

TEST(ReleaseHistory, ExampleHistoryListsOnlyTheNewerRelease) {
    const std::string text =
        "1.1.0.3 (01.06.2019)\r\n"
        "+ new report\r\n"
        "- wrong port\r\n"
        "1.0.0.0 (01.01.2019)\r\n"
        "+ first\r\n";
    RELEASE_HISTORY h = ParseReleaseHistory(text, kInstalled);
    ASSERT_EQ(h.Count(), 1);
    EXPECT_EQ(h.LatestVersion, (FILE_VERSION{1, 1, 0, 3}));
    const RELEASE_ENTRY& r = h.Releases[0];
    EXPECT_EQ(U(r.HeaderText), "Версия: 1.1.0.3  Дата: (01.06.2019)");
    EXPECT_EQ(r.HeaderText, W("Версия: 1.1.0.3  Дата: (01.06.2019)"));
    EXPECT_EQ(r.ImageIndex, 0);
    ASSERT_EQ(r.Changes.size(), 2u);
    EXPECT_EQ(r.Changes[0].Text, "new report");
    EXPECT_EQ(r.Changes[0].ImageIndex, 1);
    EXPECT_EQ(r.Changes[1].Text, "wrong port");
    EXPECT_EQ(r.Changes[1].ImageIndex, 3);
}

TEST(ReleaseHistory, NewerThanTheInstalledVersion) {
    struct Case {
        FILE_VERSION listed, installed;
        bool newer;
    } cases[] = {
        {{1, 0, 0, 0}, {1, 0, 0, 0}, false},
        {{1, 0, 0, 1}, {1, 0, 0, 0}, true},
        {{1, 0, 10, 0}, {1, 0, 9, 99}, true},  // numbers, not text
        {{1, 0, 9, 99}, {1, 0, 10, 0}, false},
        {{2, 0, 0, 0}, {1, 9, 9, 9}, true},
        {{1, 1, 0, 0}, {1, 0, 65535, 65535}, true},
        // Signed packing of (major, minor): a major of 32768 or more counts as lower.
        {{40000, 0, 0, 0}, {1, 0, 0, 0}, false},
        {{32768, 0, 0, 0}, {32767, 65535, 0, 0}, false},
        {{1, 0, 0, 0}, {40000, 0, 0, 0}, true},
        // Unsigned packing of (release, build).
        {{1, 0, 40000, 0}, {1, 0, 1, 0}, true},
        {{1, 0, 1, 0}, {1, 0, 40000, 0}, false},
        {{1, 0, 0, 0}, {0, 0, 0, 0}, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsNewerVersion(c.listed, c.installed), c.newer)
            << VersionText(c.listed) << " vs " << VersionText(c.installed);
}

// Each case: the history text, the headers of the releases kept, and the
// changes of the first of them as "image:text".
TEST(ReleaseHistory, HeaderAndLineRules) {
    struct Case {
        const char* what;
        std::string text;
        std::vector<std::string> headers;  // UTF-8
        std::vector<std::string> firstChanges;
    } cases[] = {
        {"equal version gives nothing", "1.0.0.0 (01.01.2019)\n+ x\n", {}, {}},
        {"two dots stop the reading, releases above stay",
         "1.3.0.0 (03.2020)\n+ a\n1.1.0\n+ b\n1.0.5.0\n",
         {"Версия: 1.3.0.0  Дата: (03.2020)"},
         {"1:a"}},
        {"two dots in the first header give nothing", "1.1.0\n+ b\n", {}, {}},
        {"third dot taken from a dotted date: build from it, no date",
         "1.1.0 (01.06.2019)\n+ b\n",
         {"Версия: 1.1.0.6  Дата: "},
         {"1:b"}},
        {"no parenthesis: empty date", "1.2.3.4\n* x\n", {"Версия: 1.2.3.4  Дата: "}, {"2:x"}},
        {"date trimmed at both ends, text after it kept",
         "1.2.3.4    (20.05.2019) beta   \n",
         {"Версия: 1.2.3.4  Дата: (20.05.2019) beta"},
         {}},
        {"parenthesis before the third dot is not the date",
         "1.2(x).3.4 (d)\n",
         {"Версия: 1.2.3.4  Дата: (d)"},
         {}},
        {"only the first 63 characters are looked at",
         "1.2.3.4 (" + std::string(60, 'x') + ")\n",
         {"Версия: 1.2.3.4  Дата: (" + std::string(54, 'x')},
         {}},
        {"dots beyond the 63rd character do not count", "1" + std::string(70, ' ') + ".2.3.4\n", {}, {}},
        {"numbers read like atol and kept in 16 bits",
         "2x.65537.  7a.-1 (q)\n",
         {"Версия: 2.1.7.65535  Дата: (q)"},
         {}},
        {"stops at the first release that is not newer, later newer ones unread",
         "1.2.0.0\n+ a\n0.9.0.0\n+ b\n1.5.0.0\n+ c\n",
         {"Версия: 1.2.0.0  Дата: "},
         {"1:a"}},
        {"signed major: 40000.0.0.0 is not newer", "40000.0.0.0\n+ a\n", {}, {}},
        {"unsigned release: 1.0.40000.0 is newer", "1.0.40000.0\n", {"Версия: 1.0.40000.0  Дата: "}, {}},
        {"change lines before the first header are ignored",
         "+ lost\nhello\n1.1.0.0\n+ kept\n",
         {"Версия: 1.1.0.0  Дата: "},
         {"1:kept"}},
        {"lines of one character are skipped anywhere",
         "+\n1\n1.1.0.0\nx\n-\n?text\n",
         {"Версия: 1.1.0.0  Дата: "},
         {"11:ext"}},
        {"two characters make an empty change", "1.1.0.0\n+ \n", {"Версия: 1.1.0.0  Дата: "}, {"1:"}},
        {"tabs become four blanks before anything else",
         "1.1.0.0\t(d)\n+\tx\ty\n\t\n",
         {"Версия: 1.1.0.0  Дата: (d)"},
         {"1:   x    y", "11:  "}},
        {"CR, LF and CR LF all end lines",
         "1.2.0.0\r+ a\n- b\r\n1.1.0.0\r\n@ c",
         {"Версия: 1.2.0.0  Дата: ", "Версия: 1.1.0.0  Дата: "},
         {"1:a", "3:b"}},
        {"a header line with text but digits first", "2nd release\n", {}, {}},
        {"empty text", "", {}, {}},
    };
    for (const Case& c : cases) {
        RELEASE_HISTORY h = ParseReleaseHistory(W(c.text), kInstalled);
        std::vector<std::string> headers, changes;
        for (const RELEASE_ENTRY& r : h.Releases) headers.push_back(U(r.HeaderText));
        if (!h.Releases.empty())
            for (const RELEASE_CHANGE& ch : h.Releases[0].Changes)
                changes.push_back(std::to_string(ch.ImageIndex) + ":" + U(ch.Text));
        EXPECT_EQ(headers, c.headers) << c.what;
        EXPECT_EQ(changes, c.firstChanges) << c.what;
        EXPECT_EQ(h.Count(), int(c.headers.size())) << c.what;
        if (h.Releases.empty())
            EXPECT_EQ(h.LatestVersion, FILE_VERSION{}) << c.what;
        else
            EXPECT_EQ(h.LatestVersion, h.Releases[0].Version) << c.what;
    }
}

TEST(ReleaseHistory, EveryMarkerHasItsImage) {
    const std::string markers = "+*-@!.#$%^?a ~";
    const int images[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 11, 11, 11};
    std::string text = "1.1.0.0\n";
    for (char m : markers) text += std::string(1, m) + " t\n";
    text += W("ж текст\n");
    RELEASE_HISTORY h = ParseReleaseHistory(text, kInstalled);
    ASSERT_EQ(h.Count(), 1);
    ASSERT_EQ(h.Releases[0].Changes.size(), markers.size() + 1);
    for (std::size_t i = 0; i < markers.size(); ++i) {
        EXPECT_EQ(h.Releases[0].Changes[i].ImageIndex, images[i]) << "marker " << markers[i];
        EXPECT_EQ(h.Releases[0].Changes[i].Text, "t") << "marker " << markers[i];
    }
    EXPECT_EQ(h.Releases[0].Changes.back().ImageIndex, 11) << "a Cyrillic marker";
    EXPECT_EQ(h.Releases[0].Changes.back().Text, W("текст"));
}
