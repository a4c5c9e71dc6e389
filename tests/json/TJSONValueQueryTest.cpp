// Path lookups, kind tests, conversions, the number text and the lookups with a default.
#include "json/TJSONValue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

namespace {

std::unique_ptr<TJSONValue> Load(const std::string& text) {
    auto v = std::make_unique<TJSONValue>();
    TJSONStream s(text);
    v->LoadFromStream(s, "");
    return v;
}

const char* kDoc = R"({"mqtt":{"host":"h","port":1883},"a":1,"a":2,"list":[10,"x",{"k":true}],
"":{"e":5},"n":null,"t":true,"f":false,"s":"7","o":{},"arr":[]})";

}  // namespace

TEST(TJSONValueQuery, PathsFindNodesOrNone) {
    auto root = Load(kDoc);
    const TJSONValue* mqtt = root->FindByName("mqtt");
    ASSERT_NE(mqtt, nullptr);
    EXPECT_EQ(root->ByPath(""), root.get());
    EXPECT_EQ(root->ByPath("mqtt/"), mqtt);
    EXPECT_EQ(root->ByPath("mqtt/host")->Text, "h");
    EXPECT_EQ(root->ByPath("mqtt/host/x"), nullptr);
    EXPECT_EQ(root->ByPath("mqtt/none"), nullptr);
    EXPECT_EQ(root->ByPath("MQTT"), nullptr);
    EXPECT_EQ(root->ByPath("a")->Number, 1.0);
    EXPECT_EQ(root->ByPath("list/2/k")->ValueType, TJSONValueType::jtBoolean);
    EXPECT_EQ(root->ByPath("list/3"), nullptr);
    EXPECT_EQ(root->ByPath("/e")->Number, 5.0);
    EXPECT_EQ(root->ByPath("list")->FindByName("1")->Text, "x");
    EXPECT_EQ(root->ByPath("s")->FindByName(""), nullptr);
    EXPECT_TRUE(root->PathExist("list/0"));
    EXPECT_FALSE(root->PathExist("list/01"));

    const TJSONValue* list = root->ByPath("list");
    EXPECT_EQ(list->Count(), 3);
    EXPECT_EQ(list->GetByIndex(-1), nullptr);
    EXPECT_EQ(list->GetByIndex(3), nullptr);
    EXPECT_EQ(list->GetByIndex(2)->Name, "2");
    EXPECT_EQ(root->ByPath("s")->Count(), 0);
    EXPECT_EQ(root->ByPath("s")->GetByIndex(0), nullptr);

    EXPECT_TRUE(root->IsNull("n"));
    EXPECT_FALSE(root->IsNull("missing"));
    EXPECT_TRUE(root->IsArray("arr"));
    EXPECT_FALSE(root->IsArray("o"));
    EXPECT_TRUE(root->IsObject("o"));
    EXPECT_TRUE(root->IsObject(""));
    EXPECT_TRUE(root->IsString("s"));
    EXPECT_FALSE(root->IsString("a"));
}

TEST(TJSONValueQuery, ConversionsRaiseTheirMessages) {
    auto root = Load(kDoc);
    auto message = [](auto&& f) {
        try {
            f();
        } catch (const EJSONException& e) {
            return std::string(e.what());
        }
        return std::string("no exception");
    };
    EXPECT_EQ(message([&] { root->ByPath("t")->AsNumber(); }), "can't convert this value to number");
    EXPECT_EQ(message([&] { root->ByPath("s")->AsInteger(); }), "can't convert this value to number");
    EXPECT_EQ(message([&] { root->ByPath("s")->AsBoolean(); }), "can't convert this value to boolean");
    EXPECT_EQ(message([&] { root->ByPath("n")->AsBoolean(); }), "can't convert this value to boolean");
    EXPECT_EQ(message([&] { root->ByPath("o")->AsString(); }), "can't get string value from this element");
    EXPECT_EQ(message([&] { root->ByPath("arr")->AsString(); }), "can't get string value from this element");
    EXPECT_EQ(message([&] { Load("[1e19]")->GetByIndex(0)->AsInteger(); }), "can't convert this value to integer");

    EXPECT_TRUE(root->ByPath("t")->AsBoolean());
    EXPECT_FALSE(root->ByPath("f")->AsBoolean());
    EXPECT_TRUE(Load("[0.5]")->GetByIndex(0)->AsBoolean());
    EXPECT_EQ(root->ByPath("n")->AsString(), "null");
    EXPECT_EQ(root->ByPath("t")->AsString(), "true");
    EXPECT_EQ(root->ByPath("f")->AsString(), "false");

    struct Round {
        double in;
        std::int64_t out;
    };
    const Round rounds[] = {{2.5, 2}, {3.5, 4}, {-2.5, -2}, {2.7, 3}, {-2.7, -3}, {0.5, 0}, {1.5, 2},
                            {9007199254740993.0, 9007199254740992}, {-9223372036854775808.0, INT64_MIN}};
    for (const Round& r : rounds) {
        TJSONValue v;
        v.ValueType = TJSONValueType::jtNumber;
        v.Number = r.in;
        EXPECT_EQ(v.AsInteger(), r.out) << "value: " << r.in;
    }
}

TEST(TJSONValueQuery, NumberText) {
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {
        {1883, "1883"},
        {-1.5, "-1.5"},
        {0, "0"},
        {-0.0, "0"},
        {0.0001, "0.0001"},
        {0.00012345, "0.00012345"},
        {0.00001, "1E-5"},
        {-0.00001, "-1E-5"},
        {1E20, "1E20"},
        {123456789012345678.0, "1.23456789012346E17"},
        {999999999999999.0, "999999999999999"},
        {1E15, "1E15"},
        {0.1, "0.1"},
        {1.0 / 3, "0.333333333333333"},
        {2.0 / 3, "0.666666666666667"},
        {100, "100"},
        {1.5E-300, "1.5E-300"},
        {1.7976931348623157E308, "1.79769313486232E308"},
        {123.456, "123.456"},
        {4294967297, "4294967297"},
    };
    for (const Case& c : cases) EXPECT_EQ(TJSONValue::NumberToText(c.value), c.text) << "value: " << c.value;
    EXPECT_EQ(Load("[1.5e3]")->GetByIndex(0)->AsString(), "1500");
}

TEST(TJSONValueQuery, DefValueNeverRaises) {
    auto root = Load(R"({"i27":2.7,"i25":2.5,"big":4294967297,"huge":1e300,"t":true,"s7":"7","n":null,
        "zero":0,"m1":-1,"st":"true","o":{},"a":[1],"num":5,"neg":-3000000000})");
    struct IntCase {
        const char* path;
        std::int32_t def;
        std::int32_t out;
    };
    const IntCase ints[] = {{"i27", -1, 3},   {"i25", -1, 2}, {"big", -1, 1},      {"huge", -1, -1},
                            {"t", -1, -1},    {"s7", -1, -1}, {"n", -1, -1},       {"o", -1, -1},
                            {"a", -1, -1},    {"x", 9, 9},    {"num", 0, 5},       {"neg", 0, 1294967296}};
    for (const IntCase& c : ints) EXPECT_EQ(root->DefValue(c.path, c.def), c.out) << "path: " << c.path;

    struct FlagCase {
        const char* path;
        bool def;
        bool out;
    };
    const FlagCase flags[] = {{"zero", true, false}, {"m1", false, true}, {"st", false, false}, {"st", true, true},
                              {"n", true, true},     {"n", false, false}, {"t", false, true},  {"o", true, true},
                              {"x", true, true},     {"i25", false, true}};
    for (const FlagCase& c : flags) EXPECT_EQ(root->DefValue(c.path, c.def), c.out) << "path: " << c.path;

    struct TextCase {
        const char* path;
        const char* out;
    };
    const TextCase texts[] = {{"n", "null"}, {"t", "true"}, {"num", "5"}, {"i25", "2.5"},
                              {"s7", "7"},   {"o", "def"},  {"a", "def"}, {"x", "def"}, {"a/0", "1"}};
    for (const TextCase& c : texts) EXPECT_EQ(root->DefValue(c.path, "def"), c.out) << "path: " << c.path;
    EXPECT_EQ(root->ByPath("num")->DefValue("", "def"), "5");
    EXPECT_EQ(root->DefValue("", "def"), "def");
}
