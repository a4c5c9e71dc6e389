// The reader: kinds, children, every fault message with its exact byte offset,
// the limits, a pass/fail corpus and the three well-known benchmark documents.
#include "json/TJSONValue.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

struct ParseResult {
    bool ok = false;
    std::string message;
    std::unique_ptr<TJSONValue> root = std::make_unique<TJSONValue>();
};

ParseResult Parse(const std::string& input) {
    ParseResult r;
    TJSONStream stream(input);
    try {
        r.root->LoadFromStream(stream, "root");
        r.ok = true;
    } catch (const EJSONException& e) {
        r.message = e.what();
    }
    return r;
}

struct Case {
    const char* input;
    const char* message;  // empty: loads
    TJSONValueType kind;  // checked when it loads
    int children;         // checked in both cases: children kept after a fault
};

constexpr auto S = TJSONValueType::jtString;
constexpr auto N = TJSONValueType::jtNumber;
constexpr auto O = TJSONValueType::jtObject;
constexpr auto A = TJSONValueType::jtArray;
constexpr auto B = TJSONValueType::jtBoolean;
constexpr auto Z = TJSONValueType::jtNull;

const Case kCases[] = {
    {"", "unexpected end of file at pos 0", Z, 0},
    {"   ", "unexpected end of file at pos 3", Z, 0},
    {"{}", "", O, 0},
    {"[]", "", A, 0},
    {" \t\r\n\b\f{ \"a\" : 1 , \"b\" : \"x y\" \n}", "", O, 2},
    {"[ 1 , 2 ]", "", A, 2},
    {"\"x\"", "", S, 0},
    {"{\"a\":1,}", "bad string format pos 7", O, 1},
    {"[1,]", "unknown value at pos 3", A, 1},
    {"{\"a\" 1}", "colon expected at pos 5", O, 0},
    {"{1:2}", "bad string format pos 1", O, 0},
    {"[1 2]", "", A, 1},
    {"[-]", "unknown number at pos 0", A, 0},
    {"[\"\\u0041\"]", "sorry, hex digits unsupported at pos 3", A, 0},
    {"[\"\\x\"]", "unknown symbol at pos 3", A, 0},
    {"[\"a\\/b\\\"\\\\\\b\\f\\n\\r\\t\"]", "", A, 1},
    {"{\"a\":1,\"a\":2}", "", O, 2},
    {"True", "unknown value at pos 0", Z, 0},
    {"tRUE", "bad value at pos 0", Z, 0},
    {"[fAlse]", "bad value at pos 1", A, 0},
    {"[nul]", "bad value at pos 1", A, 0},
    {"t r u e", "", B, 0},
    {"n u l l", "", Z, 0},
    {"f\ta\nl s e", "", B, 0},
    {"tru", "unexpected end of file at pos 3", Z, 0},
    {"{\"a\":1} xyz", "", O, 1},
    {"[1]]]", "", A, 1},
    {"42", "unexpected end of file at pos 2", Z, 0},
    {"42  \n", "unexpected end of file at pos 5", Z, 0},
    {"\xEF\xBB\xBF{}", "unknown value at pos 0", Z, 0},
    {"/* c */ {}", "unknown value at pos 0", Z, 0},
    {"{/* c */}", "bad string format pos 1", O, 0},
    {"[1 /* c */]", "expected \",\" or \"]\" at pos 3", A, 1},
    {"{\"a\":1 // c\n}", "expected \",\" or \"}\" at pos 7", O, 1},
    {"[\"abc", "unexpected end of file at pos 5", A, 0},
    {"[\"abc\\", "unexpected end of file at pos 6", A, 0},
    {"{\"a\":1", "unexpected end of file at pos 6", O, 0},
    {"{\"a\"", "unexpected end of file at pos 4", O, 0},
    {"[1,\x0b" "2]", "unknown value at pos 3", A, 1},  // vertical tab is no blank
    {"[+1]", "unknown value at pos 1", A, 0},
    {"[.5]", "unknown value at pos 1", A, 0},
    {"['a']", "unknown value at pos 1", A, 0},
    {"[NaN]", "unknown value at pos 1", A, 0},
    {"[1.]", "", A, 1},
    {"[-.5]", "", A, 1},
    {"[-.]", "", A, 1},
    {"[0012]", "", A, 1},
    {"[1e]", "unknown number at pos 0", A, 0},
    {"[1e+]", "unknown number at pos 0", A, 0},
    {"[1.2.3]", "unknown number at pos 2", A, 0},
    {"[1-2]", "unknown number at pos 2", A, 0},
    {"[--1]", "unknown number at pos 2", A, 0},
    {"[1e5e]", "unknown number at pos 1", A, 0},
    {"[1e400]", "unknown number at pos 5", A, 0},
    {"[-1e400]", "unknown number at pos 6", A, 0},
    {"[1e-400]", "", A, 1},
    {"[1,[2,3],x]", "unknown value at pos 9", A, 2},
    {"{\"a\":1,\"b\":[1,2,x]}", "unknown value at pos 16", O, 1},
};

}  // namespace

TEST(TJSONValueParse, CasesGiveKindChildrenOrMessageWithPosition) {
    for (const Case& c : kCases) {
        const ParseResult r = Parse(c.input);
        if (*c.message == 0) {
            EXPECT_TRUE(r.ok) << "input: " << c.input << " message: " << r.message;
            EXPECT_EQ(r.root->ValueType, c.kind) << "input: " << c.input;
        } else {
            EXPECT_FALSE(r.ok) << "input: " << c.input;
            EXPECT_EQ(r.message, c.message) << "input: " << c.input;
        }
        EXPECT_EQ(r.root->Count(), c.children) << "input: " << c.input;
    }
}

TEST(TJSONValueParse, ValuesNamesAndStreamPosition) {
    ParseResult r = Parse(" \t{ \"a\" : [ 1 2 , \"x y\" , true , false , null, -.5, 1.5e3 ] , \"a\" : {\"\":\"q\"} } tail");
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(r.root->Name, "root");
    ASSERT_EQ(r.root->Count(), 2);
    const TJSONValue* a = r.root->GetByIndex(0);
    EXPECT_EQ(a->Name, "a");
    ASSERT_EQ(a->Count(), 7);
    const char* names[] = {"0", "1", "2", "3", "4", "5", "6"};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(a->GetByIndex(i)->Name, names[i]);
    EXPECT_EQ(a->GetByIndex(0)->Number, 12.0);
    EXPECT_EQ(a->GetByIndex(1)->Text, "x y");
    EXPECT_EQ(a->GetByIndex(2)->Number, 1.0);
    EXPECT_EQ(a->GetByIndex(3)->ValueType, TJSONValueType::jtBoolean);
    EXPECT_EQ(a->GetByIndex(3)->Number, 0.0);
    EXPECT_EQ(a->GetByIndex(4)->ValueType, TJSONValueType::jtNull);
    EXPECT_EQ(a->GetByIndex(5)->Number, -0.5);
    EXPECT_EQ(a->GetByIndex(6)->Number, 1500.0);
    EXPECT_EQ(r.root->GetByIndex(1)->GetByIndex(0)->Name, "");
    EXPECT_EQ(r.root->GetByIndex(1)->GetByIndex(0)->Text, "q");

    const std::string escapes = "\"a\\/b\\\"\\\\\\b\\f\\n\\r\\t\xC0\xFF\x01\"";
    const std::string input = escapes + "rest";
    TJSONStream s(input);
    TJSONValue v;
    v.LoadFromStream(s, "");
    EXPECT_EQ(v.Text, std::string("a/b\"\\\b\f\n\r\t\xC0\xFF\x01"));
    EXPECT_EQ(s.Position(), static_cast<std::int64_t>(escapes.size()));  // right behind the closing quote

    const std::string numbers = "[12 ,3]";
    TJSONStream n(numbers);
    n.SetPosition(1);
    v.LoadFromStream(n, "n");
    EXPECT_EQ(v.Number, 12.0);
    EXPECT_EQ(n.Position(), 4);  // at the byte that ended the number
}

TEST(TJSONValueParse, StringOf1024BytesLoadsAnd1025Fails) {
    const std::string k1024(1024, 'a');
    EXPECT_TRUE(Parse("[\"" + k1024 + "\"]").ok);
    EXPECT_TRUE(Parse("{\"" + k1024 + "\":1}").ok);
    // Opening quote at 1, the 1025th byte at 1026: position 1027 minus 1024.
    EXPECT_EQ(Parse("[\"" + k1024 + "a\"]").message, "string too long at pos 3");
    EXPECT_EQ(Parse("{\"" + k1024 + "a\":1}").message, "string too long at pos 3");
    // The escape's byte counts too: it is the 1025th, read up to offset 1028.
    EXPECT_EQ(Parse("\"" + std::string(1023, 'a') + "\\n\\n\"").message, "string too long at pos 4");
    EXPECT_EQ(Parse("[\"" + std::string(1022, 'a') + "\\n\\n\"]").root->Count(), 1);
}

TEST(TJSONValueParse, NestingIsLimited) {
    const int limit = TJSONValue::MaxDepth;
    EXPECT_TRUE(Parse(std::string(limit, '[') + std::string(limit, ']')).ok);
    EXPECT_EQ(Parse(std::string(limit + 1, '[') + std::string(limit + 1, ']')).message,
              "nesting too deep at pos " + std::to_string(limit));
    EXPECT_EQ(Parse(std::string(100000, '[')).message, "nesting too deep at pos 512");
    std::string objects;
    for (int i = 0; i < 100000; ++i) objects += "{\"a\":";
    EXPECT_EQ(Parse(objects).message, "nesting too deep at pos " + std::to_string(512 * 5));
}

TEST(TJSONValueParse, LoadFromFileReadsTheWholeFileWithAnEmptyName) {
    TempDir dir;
    const std::string path = dir / "a.json";
    TempDir::WriteFile(path, "{\"a\":[1,2]}");
    TJSONValue v;
    v.Name = "old";
    v.LoadFromFile(path);
    EXPECT_EQ(v.Name, "");
    EXPECT_EQ(v.ByPath("a/1")->Number, 2.0);

    TempDir::WriteFile(path, "{\"a\":");
    try {
        v.LoadFromFile(path);
        ADD_FAILURE() << "no exception";
    } catch (const EJSONException& e) {
        EXPECT_STREQ(e.what(), "unexpected end of file at pos 5");
    }
    try {
        v.LoadFromFile(dir / "missing.json");
        ADD_FAILURE() << "no exception";
    } catch (const EJSONFileError& e) {
        EXPECT_STREQ(e.what(), "No such file or directory");
    }
}

TEST(TJSONValueParse, AddValueAndReloadMixWithLoadedChildren) {
    ParseResult r = Parse("[1,[2,3]]");
    auto extra = std::make_unique<TJSONValue>();
    extra->Name = "x";
    r.root->AddValue(std::move(extra));
    ASSERT_EQ(r.root->Count(), 3);
    EXPECT_EQ(r.root->GetByIndex(0)->Number, 1.0);
    EXPECT_EQ(r.root->GetByIndex(2)->Name, "x");
    for (int i = 0; i < 10; ++i) r.root->GetByIndex(1)->AddValue(std::make_unique<TJSONValue>());
    EXPECT_EQ(r.root->ByPath("1")->Count(), 12);
    // An inner node loaded again owns what it reads.
    const std::string again = "{\"k\":[true]}";
    TJSONStream s(again);
    r.root->GetByIndex(1)->LoadFromStream(s, "inner");
    ASSERT_TRUE(r.root->GetByIndex(1)->PathExist("k/0"));
    EXPECT_TRUE(r.root->GetByIndex(1)->ByPath("k/0")->AsBoolean());
    EXPECT_EQ(r.root->GetByIndex(1)->Name, "inner");
}

TEST(TJSONValueParse, ClearEmptiesTheNodeButKeepsTheNumber) {
    ParseResult r = Parse("[1,{\"a\":2}]");
    r.root->Number = 5;
    r.root->Clear();
    EXPECT_EQ(r.root->Count(), 0);
    EXPECT_EQ(r.root->Name, "");
    EXPECT_EQ(r.root->ValueType, TJSONValueType::jtNull);
    EXPECT_EQ(r.root->Number, 5.0);
    r.root->AddValue(std::make_unique<TJSONValue>());
    EXPECT_EQ(r.root->Count(), 1);
}

TEST(TJSONValueParse, CorpusPassesAndFails) {
    namespace fs = std::filesystem;
    const fs::path base = fs::path(ZOREN_TEST_DATA) / "json";
    int seen = 0;
    for (const char* folder : {"pass", "fail"}) {
        const bool mustPass = std::string(folder) == "pass";
        for (const auto& entry : fs::directory_iterator(base / folder)) {
            ++seen;
            TJSONValue v;
            bool ok = true;
            std::string message;
            try {
                v.LoadFromFile(entry.path().string());
            } catch (const EJSONException& e) {
                ok = false;
                message = e.what();
            }
            EXPECT_EQ(ok, mustPass) << entry.path() << ": " << message;
        }
    }
    EXPECT_GT(seen, 10);
}

TEST(TJSONValueParse, BenchmarkDocumentsLoad) {
    const std::string folder = "/work/shared/bench-data/";
    struct Doc {
        const char* file;
        const char* path;
        int count;
    };
    const Doc docs[] = {
        {"canada.json", "features/0/geometry/coordinates", 480},
        {"citm_catalog.json", "areaNames", 17},
        {"twitter.json", "statuses", 100},
    };
    int loaded = 0;
    for (const Doc& d : docs) {
        const std::string path = folder + d.file;
        if (!std::filesystem::exists(path)) continue;
        TJSONValue v;
        ASSERT_NO_THROW(v.LoadFromFile(path)) << d.file;
        ASSERT_TRUE(v.PathExist(d.path)) << d.file;
        EXPECT_EQ(v.ByPath(d.path)->Count(), d.count) << d.file;
        ++loaded;
    }
    if (loaded == 0) GTEST_SKIP() << "benchmark documents not present in " << folder;
}

TEST(TJSONValueParse, NumbersConvertExactly) {
    // The direct path (number ended by a bracket) and the collecting path (ended
    // by a blank) must both give the correctly rounded value.
    const char* texts[] = {"0", "-0", "7", "0.1", "-65.613616999999977", "1e22", "1e23", "9007199254740993",
                           "12345678901234567890123", "0.000000000000000000000000000001", "4.9e-324",
                           "1.7976931348623157e308", "2.2250738585072014E-308", "123.456e-2", "00012.5000",
                           "18446744073709551615", "0.30000000000000004", "1E+2", "5e-1", "9007199254740995", "18014398509481987",
                           "4.503599627370497e15", "2.0000000000000002", "0.1000000000000000055511151231257827",
                           "1.0000000000000001110", "123456789012345678e-19", "9999999999999999999e19"};
    for (const char* t : texts) {
        double expected = 0;
        std::from_chars(t, t + std::strlen(t), expected);
        for (const std::string& doc : {std::string("[") + t + "]", std::string("[") + t + " ]"}) {
            const ParseResult r = Parse(doc);
            ASSERT_TRUE(r.ok) << doc << ": " << r.message;
            EXPECT_EQ(r.root->GetByIndex(0)->Number, expected) << doc;
            EXPECT_EQ(std::signbit(r.root->GetByIndex(0)->Number), std::signbit(expected)) << doc;
        }
    }
}

TEST(TJSONValueParse, ManyLongNumbersMatchTheLibraryConversion) {
    // Numbers of up to 19 significant digits take the reader's own exact path.
    std::uint64_t state = 12345;
    auto next = [&state] {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return state >> 11;
    };
    std::string doc = "[";
    std::vector<std::string> texts;
    for (int i = 0; i < 20000; ++i) {
        std::string digits = std::to_string(next() % 10000000000000000000ULL);
        const std::size_t point = next() % (digits.size() + 1);
        std::string t = (next() & 1 ? "-" : "") + (point == 0 ? "0" : digits.substr(0, point)) + "." +
                        (point == digits.size() ? "5" : digits.substr(point));
        if (next() % 4 == 0) t += "e" + std::to_string(int(next() % 40) - 20);
        texts.push_back(t);
        doc += t + (i + 1 < 20000 ? "," : "]");
    }
    const ParseResult r = Parse(doc);
    ASSERT_TRUE(r.ok) << r.message;
    ASSERT_EQ(r.root->Count(), 20000);
    for (int i = 0; i < 20000; ++i) {
        double expected = 0;
        const std::string& t = texts[std::size_t(i)];
        std::from_chars(t.data(), t.data() + t.size(), expected);
        ASSERT_EQ(r.root->GetByIndex(i)->Number, expected) << t;
    }
}
