// Reading the general part of a configuration document: broker, HTTP
// credentials, building, and the walk over the blocks, with the fixture files.
#include "config/BUILDING_DATA.h"
#include "config/ConfigurationDocument.h"
#include "config/DEVICE_RUML.h"
#include "config/DEVICE_VELT.h"
#include "config/MAIN_DATA.h"
#include "platform/Cp1251.h"

#include <gtest/gtest.h>

#include <string>

namespace {

void ReadText(const std::string& json, TJSONValue& root, DEVICE_LIST& blocks) {
    MainData.Reset();
    BuildingData.Reset();
    TJSONStream stream(json);
    root.LoadFromStream(stream, "");
    ReadConfiguration(root, blocks);
}

std::string Field(const std::string& name, const DEVICE_LIST& blocks) {
    const MAIN_DATA& m = MainData;
    const BUILDING_DATA& b = BuildingData;
    if (name == "host") return m.host;
    if (name == "port") return std::to_string(m.port);
    if (name == "username") return m.username;
    if (name == "password") return m.password;
    if (name == "qos") return std::to_string(m.qos);
    if (name == "retain") return std::to_string(m.retain);
    if (name == "willTopic") return m.willTopic;
    if (name == "willMessage") return m.willMessage;
    if (name == "addTimestamp") return std::to_string(m.addTimestamp);
    if (name == "buffering") return std::to_string(m.buffering);
    if (name == "login") return m.httpLogin;
    if (name == "httpPassword") return m.httpPassword;
    if (name == "b.id") return b.id;
    if (name == "b.type") return b.connectionType;
    if (name == "b.ip") return b.ip;
    if (name == "b.port") return std::to_string(b.port);
    if (name == "b.serial") return b.serial;
    if (name == "blocks") return std::to_string(blocks.Count());
    return "unknown field " + name;
}

struct Case {
    const char* json;
    const char* field;
    const char* expected;
};

const Case kCases[] = {
    {"{}", "host", ""},
    {"{}", "port", "1883"},
    {"{}", "qos", "1"},
    {"{}", "retain", "1"},
    {"{}", "addTimestamp", "1"},
    {"{}", "buffering", "1"},
    {"{}", "username", ""},
    {"{}", "password", ""},
    {"{}", "willTopic", ""},
    {"{}", "willMessage", ""},
    {"{}", "login", ""},
    {"{}", "b.type", "ravikgw"},
    {"{}", "b.ip", "127.0.0.1"},
    {"{}", "b.port", "4000"},
    {"{}", "b.serial", "/dev/ttyS1"},
    {"{}", "blocks", "0"},
    {R"({"mqtt":{"port":8883}})", "port", "8883"},
    {R"({"mqtt":{"port":"8883"}})", "port", "1883"},
    {R"({"mqtt":{"port":1883.6}})", "port", "1884"},
    {R"({"mqtt":{"port":70000}})", "port", "4464"},
    {R"({"mqtt":{"port":true}})", "port", "1883"},
    {R"({"mqtt":{"qos":2}})", "qos", "2"},
    {R"({"mqtt":{"qos":300}})", "qos", "44"},
    {R"({"mqtt":{"qos":2.5}})", "qos", "2"},
    {R"({"mqtt":{"retain":false}})", "retain", "0"},
    {R"({"mqtt":{"retain":0}})", "retain", "0"},
    {R"({"mqtt":{"retain":1}})", "retain", "1"},
    {R"({"mqtt":{"retain":1.0}})", "retain", "1"},
    {R"({"mqtt":{"retain":2}})", "retain", "0"},
    {R"({"mqtt":{"retain":1.5}})", "retain", "0"},
    {R"({"mqtt":{"retain":"TRUE"}})", "retain", "1"},
    {R"({"mqtt":{"retain":"True"}})", "retain", "1"},
    {R"({"mqtt":{"retain":"1"}})", "retain", "1"},
    {R"({"mqtt":{"retain":"yes"}})", "retain", "0"},
    {R"({"mqtt":{"retain":null}})", "retain", "0"},
    {R"({"mqtt":{"retain":{}}})", "retain", "1"},
    {R"({"mqtt":{"addTimestamp":[]}})", "addTimestamp", "1"},
    {R"({"mqtt":{"buffering":false}})", "buffering", "0"},
    {R"({"mqtt":{"host":5}})", "host", "5"},
    {R"({"mqtt":{"host":{"a":1}}})", "host", ""},
    {R"({"mqtt":{"willTopic":null}})", "willTopic", "null"},
    {R"({"mqtt":{"username":"u","password":"p","willMessage":"bye"}})", "willMessage", "bye"},
    {R"({"http":{"password":"admin"}})", "login", "admin"},
    {R"({"http":{"password":"admin"}})", "httpPassword", ""},
    {R"({"http":{"password":"admin:"}})", "login", "admin"},
    {R"({"http":{"password":"admin:"}})", "httpPassword", ""},
    {R"({"http":{"password":":pw"}})", "login", ""},
    {R"({"http":{"password":":pw"}})", "httpPassword", "pw"},
    {R"({"http":{"password":"a:b:c"}})", "login", "a"},
    {R"({"http":{"password":"a:b:c"}})", "httpPassword", "b:c"},
    {R"({"buildings":[]})", "b.type", "ravikgw"},
    {R"({"buildings":[]})", "b.port", "4000"},
    {R"({"buildings":{}})", "b.ip", "127.0.0.1"},
    {R"({"buildings":[{}]})", "b.type", ""},
    {R"({"buildings":[{}]})", "b.ip", ""},
    {R"({"buildings":[{}]})", "b.serial", ""},
    {R"({"buildings":[{}]})", "b.port", "0"},
    {R"({"buildings":[{"id":"A1","connection":{"type":"rs485","ip":"10.0.0.2","port":4001,"serial":"/dev/ttyUSB0"}}]})",
     "b.serial", "/dev/ttyUSB0"},
    {R"({"buildings":[{"id":"A1","connection":{"port":70000}}]})", "b.port", "4464"},
    {R"({"buildings":[{"id":7}]})", "b.id", "7"},
    {R"({"buildings":[{"devices":["SYS",{"addr":1},{"type":"sys"},{"type":"TARN"},[]]}]})", "blocks", "0"},
    {R"({"buildings":[{"devices":[{"type":"SYS"},{"type":"VELT"},{"type":"RUML"},{"type":"SYS"}]}]})", "blocks", "4"},
    {R"({"buildings":[{"devices":"SYS"}]})", "blocks", "0"},
    {R"({"buildings":[{"devices":[{"type":"SYS"}]},{"devices":[{"type":"SYS"}]}]})", "blocks", "1"},
};

}  // namespace

TEST(ConfigurationDocument, MembersGiveTheirValuesOrDefaults) {
    for (const Case& c : kCases) {
        TJSONValue root;
        DEVICE_LIST blocks;
        ReadText(c.json, root, blocks);
        EXPECT_EQ(Field(c.field, blocks), c.expected) << "json: " << c.json << " field: " << c.field;
    }
}

TEST(ConfigurationDocument, ParamsHoldingAnObjectEndsTheWalkKeepingEarlierBlocks) {
    const char* json = R"({"buildings":[{"devices":[{"type":"SYS"},{"type":"VELT","addr":5},
        {"type":"VELT","addr":6,"params":{"type1":1,"type2":{"x":1}}},{"type":"SYS"}]}]})";
    TJSONValue root;
    DEVICE_LIST blocks;
    try {
        ReadText(json, root, blocks);
        ADD_FAILURE() << "no exception";
    } catch (const EJSONException& e) {
        EXPECT_STREQ(e.what(), "can't get string value from this element");
    }
    ASSERT_EQ(blocks.Count(), 2);
    EXPECT_EQ(blocks.Get(1)->addr, 5);

    // The controller block reads no params, so the same member does not stop it.
    DEVICE_LIST more;
    ReadText(R"({"buildings":[{"devices":[{"type":"SYS","params":{"a":[1]}}]}]})", root, more);
    EXPECT_EQ(more.Count(), 1);
    // A lift block stops at an array just as well.
    EXPECT_THROW(ReadText(R"({"buildings":[{"devices":[{"type":"RUML","params":{"alarm1.1":[1]}}]}]})", root, more),
                 EJSONException);
    EXPECT_EQ(more.Count(), 1);
}

TEST(ConfigurationDocument, FixtureReadsIntoTheExpectedBlocks) {
    TJSONValue root;
    DEVICE_LIST blocks;
    MainData.host = "stale";
    ReadConfigurationDocument(std::string(ZOREN_TEST_DATA) + "/mqtt.json", root, blocks);

    EXPECT_EQ(MainData.host, "broker.dispatch.local");
    EXPECT_EQ(MainData.port, 8883);
    EXPECT_EQ(MainData.username, "zoren1001");
    EXPECT_EQ(MainData.password, "Mq7!secret");
    EXPECT_EQ(MainData.qos, 1);
    EXPECT_FALSE(MainData.retain);
    EXPECT_EQ(MainData.willTopic, "zoren/1001/online");
    EXPECT_EQ(MainData.willMessage, "0");
    EXPECT_TRUE(MainData.addTimestamp);
    EXPECT_TRUE(MainData.buffering);
    EXPECT_EQ(MainData.httpLogin, "admin");
    EXPECT_EQ(MainData.httpPassword, "pa:ss");
    EXPECT_EQ(BuildingData.id, "1001");
    EXPECT_EQ(BuildingData.connectionType, "ravikgw");
    EXPECT_EQ(BuildingData.ip, "192.168.10.50");
    EXPECT_EQ(BuildingData.port, 4001);
    EXPECT_EQ(BuildingData.serial, "/dev/ttyS2");

    ASSERT_EQ(blocks.Count(), 4);
    const char* names[] = {"ЗОРЕН-RF", "ВЕЛТ-С 1", "ВЕЛТ-С 2", "РУМЛ 3"};
    const int kinds[] = {0, 1, 1, 2};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(blocks.Get(i)->kind, kinds[i]) << "block " << i;
        EXPECT_EQ(Cp1251ToUtf8(blocks.Get(i)->DisplayName()), names[i]) << "block " << i;
    }

    struct Object {
        int block;
        int index;
        const char* display;
        int topics;
    };
    const Object objects[] = {
        {0, 0, "Контроллер MQTT", 6},
        {1, 0, "Контроллер 1", 1},
        {1, 1, "Пожарный извещатель температурный 1", 2},
        {1, 2, "Охранный датчик 2", 1},
        {1, 3, "Датчик затопления 1", 1},
        {1, 4, "Датчик загазованности 1", 1},
        {2, 0, "Пожарный извещатель 2", 1},
        {2, 1, "Электрооборудование 1", 1},
        {3, 0, "Лифт 1", 2},
        {3, 1, "Лифт 2", 2},
        {3, 2, "Переговорное устройство 1", 1},
    };
    for (const Object& o : objects) {
        const MQT_OBJ* obj = blocks.Get(o.block)->topics.Get(o.index);
        ASSERT_NE(obj, nullptr) << o.display;
        EXPECT_EQ(Cp1251ToUtf8(obj->DisplayName()), o.display);
        EXPECT_EQ(obj->topics.Count(), o.topics) << o.display;
    }
    EXPECT_EQ(blocks.Get(0)->topics.Get(0)->topics.Find("BTR")->r, 4);
    EXPECT_EQ(blocks.Get(3)->topics.Get(1)->topics.Find("ALM")->r, 14);

    const auto* velt1 = dynamic_cast<const DEVICE_VELT*>(blocks.Get(1));
    const auto* velt2 = dynamic_cast<const DEVICE_VELT*>(blocks.Get(2));
    ASSERT_TRUE(velt1 && velt2);
    EXPECT_EQ(velt1->loopType, (std::array<std::int8_t, 8>{1, 2, 3, 4, 0, -1, -1, -1}));
    EXPECT_FALSE(velt1->debug);
    EXPECT_EQ(velt2->loopType, (std::array<std::int8_t, 8>{2, -1, -1, -1, -1, -1, -1, 4}));
    EXPECT_TRUE(velt2->debug);

    const auto* ruml = dynamic_cast<const DEVICE_RUML*>(blocks.Get(3));
    ASSERT_TRUE(ruml);
    EXPECT_EQ(ruml->alarms[0].lift, 1);
    EXPECT_EQ(ruml->alarms[0].text, "Door open");
    EXPECT_EQ(ruml->alarms[1].lift, 2);
    EXPECT_EQ(ruml->alarms[1].alarmNumber, 4);
    EXPECT_EQ(ruml->alarms[1].text, "Overload");
    EXPECT_EQ(ruml->alarms[2].lift, 0);
}

TEST(ConfigurationDocument, BrokenOrMissingFileLeavesTheResetRecords) {
    TJSONValue root;
    DEVICE_LIST blocks;
    MainData.host = "stale";
    BuildingData.ip = "stale";
    try {
        ReadConfigurationDocument(std::string(ZOREN_TEST_DATA) + "/mqtt-broken.json", root, blocks);
        ADD_FAILURE() << "no exception";
    } catch (const EJSONException& e) {
        EXPECT_STREQ(e.what(), "expected \",\" or \"}\" at pos 86");
    }
    EXPECT_EQ(MainData.host, "");
    EXPECT_EQ(MainData.port, 1883);
    EXPECT_EQ(BuildingData.ip, "127.0.0.1");
    EXPECT_EQ(blocks.Count(), 0);

    EXPECT_THROW(ReadConfigurationDocument(std::string(ZOREN_TEST_DATA) + "/no-such.json", root, blocks),
                 EJSONFileError);
}
