// Blocks, their MQTT objects and topic entries, loop settings, lift alarms,
// display names and the parameter catalogues.
#include "config/DEVICE_LIST.h"
#include "config/DEVICE_RUML.h"
#include "config/DEVICE_VELT.h"
#include "config/DEVICE_ZOREN.h"
#include "config/LIFT_ALARM.h"
#include "platform/Cp1251.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

std::unique_ptr<TJSONValue> Json(const std::string& text) {
    auto v = std::make_unique<TJSONValue>();
    TJSONStream s(text);
    v->LoadFromStream(s, "");
    return v;
}

}  // namespace

TEST(Blocks, AddressTopicsAndDisplayNames) {
    DEVICE_VELT velt;
    velt.LoadFromJson(Json(R"({"addr":300})").get());
    EXPECT_EQ(velt.addr, 44);
    EXPECT_EQ(Cp1251ToUtf8(velt.DisplayName()), "ВЕЛТ-С 44");
    velt.LoadFromJson(Json(R"({"addr":"5","topics":"MQT"})").get());
    EXPECT_EQ(velt.addr, 0);
    EXPECT_EQ(velt.topics.Count(), 0);
    velt.LoadFromJson(Json(R"({"topics":{"DSC/1":{}}})").get());
    EXPECT_EQ(velt.topics.Count(), 1);
    velt.LoadFromJson(Json("[1]").get());
    EXPECT_EQ(velt.topics.Count(), 0);

    DEVICE_ZOREN sys;
    EXPECT_EQ(Cp1251ToUtf8(sys.DisplayName()), "ЗОРЕН-RF");
    DEVICE_RUML ruml;
    ruml.addr = 7;
    EXPECT_EQ(Cp1251ToUtf8(ruml.DisplayName()), "РУМЛ 7");
    ruml.kind = 3;
    EXPECT_EQ(Cp1251ToUtf8(ruml.DisplayName()), "ТАРН 7");
    ruml.kind = 9;
    EXPECT_EQ(Cp1251ToUtf8(ruml.DisplayName()), "Тип 9");

    // Entries that are no objects and entries without a name are skipped; "r" keeps its low 8 bits.
    sys.LoadFromJson(Json(R"({"addr":1,"topics":{"MQT":{"CNN":1,"PVD":{"w":3},"LVL":{"r":200},"":{"r":1},
        "BTR":{"r":"4"},"BTR":{"r":4,"w":-1}},"x":5,"":{"ALR":{"r":5}}}})").get());
    ASSERT_EQ(sys.topics.Count(), 2);
    const TOPIC_LIST& t = sys.topics.Get(0)->topics;
    ASSERT_EQ(t.Count(), 4);
    struct Entry {
        const char* name;
        int r;
        int w;
    };
    const Entry entries[] = {{"PVD", -1, 3}, {"LVL", -56, -1}, {"BTR", -1, -1}, {"BTR", 4, -1}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(t.Get(i)->name, entries[i].name) << "entry " << i;
        EXPECT_EQ(t.Get(i)->r, entries[i].r) << "entry " << i;
        EXPECT_EQ(t.Get(i)->w, entries[i].w) << "entry " << i;
    }
    EXPECT_EQ(sys.topics.Get(1)->name, "");  // an MQTT object with an empty name is kept

    sys.Reset();
    EXPECT_EQ(sys.addr, 0);
    EXPECT_EQ(sys.topics.Count(), 0);
}

TEST(Blocks, MqttObjectNaming) {
    struct Case {
        std::string name;
        bool tmp;
        std::string prefix;
        int number;
        int kind;
        const char* display;
    };
    const std::string a61(61, 'A');
    const std::string a62(62, 'A');
    const Case cases[] = {
        {"LFT/2", false, "LFT", 2, 2, "Лифт 2"},
        {"LFT/0", false, "LFT", 0, 2, "Лифт"},
        {"LFT/x", false, "LFT", 0, 2, "Лифт"},
        {"LFT/-3", false, "LFT", -3, 2, "Лифт"},
        {"LFT/", false, "LFT/", -1, 0, "LFT/"},
        {"LFT", false, "LFT", -1, 2, "Лифт"},
        {"FAL/3", true, "FAL", 3, 6, "Пожарный извещатель температурный 3"},
        {"FAL/3", false, "FAL", 3, 6, "Пожарный извещатель 3"},
        {"MQT", false, "MQT", -1, 1, "Контроллер MQTT"},
        {"DSC/1", false, "DSC", 1, 3, "Контроллер 1"},
        {"ICM/2", false, "ICM", 2, 4, "Переговорное устройство 2"},
        {"ALR/5", false, "ALR", 5, 5, "Охранный датчик 5"},
        {"SCM/1", false, "SCM", 1, 7, "Электрооборудование 1"},
        {"WTR/10", false, "WTR", 10, 8, "Датчик затопления 10"},
        {"GAS/1/2", false, "GAS", 1, 9, "Датчик загазованности 1"},
        {"mqt", false, "mqt", -1, 0, "mqt"},
        {"XYZ/7", false, "XYZ", 7, 0, "XYZ 7"},
        {"", false, "", -1, 0, ""},
        {a61 + "/5", false, a61, 5, 0, ""},
        {a62 + "/5", false, a62 + "/", -1, 0, ""},  // the '/' is the 63rd byte
        {a62 + "A/5", false, a62 + "A", -1, 0, ""},
    };
    for (const Case& c : cases) {
        MQT_OBJ obj;
        obj.name = c.name;
        if (c.tmp) obj.topics.Set("TMP", 1, -1);
        EXPECT_EQ(obj.Prefix(), c.prefix) << "name: " << c.name;
        EXPECT_EQ(obj.ObjectNumber(), c.number) << "name: " << c.name;
        EXPECT_EQ(obj.KindCode(), c.kind) << "name: " << c.name;
        if (*c.display) {
            EXPECT_EQ(Cp1251ToUtf8(obj.DisplayName()), c.display) << "name: " << c.name;
        }
    }
}

TEST(Blocks, TopicListSetRemoveAndPositions) {
    TOPIC_LIST list;
    list.Set("CNN", 1, -1);
    ASSERT_EQ(list.Count(), 1);
    list.Set("PVD", 2, -1);
    list.Set("CNN", 5, 6);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Get(0)->name, "CNN");
    EXPECT_EQ(list.Get(0)->r, 5);
    EXPECT_EQ(list.Get(0)->w, 6);
    EXPECT_TRUE(list.Contains("PVD"));
    EXPECT_FALSE(list.Contains("pvd"));
    EXPECT_EQ(list.Find("XXX"), nullptr);
    list.Remove("XXX");
    EXPECT_EQ(list.Count(), 2);
    list.Remove("CNN");
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Get(0)->name, "PVD");
    EXPECT_EQ(list.Get(-1), nullptr);
    EXPECT_EQ(list.Get(1), nullptr);
    list.Delete(5);
    EXPECT_EQ(list.Count(), 1);
    TOPIC* added = list.AddNew();
    EXPECT_EQ(added->name, "");
    EXPECT_EQ(added->r, -1);
    EXPECT_EQ(added->w, -1);
    list.Delete(0);
    EXPECT_EQ(list.Get(0), added);
}

TEST(Blocks, LoopControllerParams) {
    struct Case {
        const char* params;
        int loop3;
        bool debug;
    };
    const Case cases[] = {
        {R"({"type3":2})", 2, false},
        {R"({"type3":"2"})", 2, false},
        {R"({"type3":true})", 0, false},
        {R"({"type3":300})", 44, false},
        {R"({"type3":null})", 0, false},
        {R"({"type3":2.9})", 2, false},
        {R"({"debug":true})", -1, false},
        {R"({"debug":1})", -1, true},
        {R"({"debug":"7abc"})", -1, true},
        {R"({"type9":2,"TYPE3":2,"type03":2})", -1, false},
        {R"("type3")", -1, false},
    };
    for (const Case& c : cases) {
        DEVICE_VELT velt;
        velt.LoadFromJson(Json(std::string(R"({"params":)") + c.params + "}").get());
        EXPECT_EQ(velt.loopType[2], c.loop3) << "params: " << c.params;
        EXPECT_EQ(velt.debug, c.debug) << "params: " << c.params;
        for (int i : {0, 1, 3, 4, 5, 6, 7}) EXPECT_EQ(velt.loopType[i], -1) << "params: " << c.params << " loop " << i + 1;
    }
}

TEST(Blocks, LiftAlarmParse) {
    struct Case {
        const char* key;
        std::string value;
        bool ok;
        int lift, alarm, flag, v1, v2, v3;
        const char* text;
    };
    const Case cases[] = {
        {"alarm2.4", "1,15,3,0,Door open", true, 2, 4, 1, 15, 3, 0, "Door open"},
        {"alarm1.1", "0,5,1,2,", true, 1, 1, 0, 5, 1, 2, ""},
        {" alarm3.5\t", "  1x,70000,300,7z,a,b  ", true, 3, 5, 1, 4464, 44, 7, "a,b"},
        {"alarm1.1", "1,2,3,4, spaced ", true, 1, 1, 1, 2, 3, 4, " spaced"},
        {"alarm4.1", "1,1,1,1,x", false, 0, 0, 0, 0, 0, 0, ""},
        {"alarm0.1", "1,1,1,1,x", false, 0, 0, 0, 0, 0, 0, ""},
        {"alarm1.6", "1,1,1,1,x", false, 0, 0, 0, 0, 0, 0, ""},
        {"alarm1.0", "1,1,1,1,x", false, 0, 0, 0, 0, 0, 0, ""},
        {"alarm1.10", "1,1,1,1,x", false, 0, 0, 0, 0, 0, 0, ""},
        {"alarm1-1", "1,1,1,1,x", false, 0, 0, 0, 0, 0, 0, ""},
        {"Alarm1.1", "1,1,1,1,x", false, 0, 0, 0, 0, 0, 0, ""},
        {"alarm1.1", "1,2,3", false, 0, 0, 0, 0, 0, 0, ""},
        {"alarm1.1", "1,2,3,text", false, 0, 0, 0, 0, 0, 0, ""},
        {"alarm1.1", "", false, 0, 0, 0, 0, 0, 0, ""},
        {"alarm1.1", "   ", false, 0, 0, 0, 0, 0, 0, ""},
        {"alarm1.1", "2,1,1,1,x", false, 0, 0, 0, 0, 0, 0, ""},
        {"alarm1.1", "1,,1,1,x", false, 0, 0, 0, 0, 0, 0, ""},
        {"alarm1.1", ",1,1,1,x", false, 0, 0, 0, 0, 0, 0, ""},
        {"alarm1.1", "1,a,1,1,x", false, 0, 0, 0, 0, 0, 0, ""},
        {"alarm1.1", "1,1,1,-1,x", false, 0, 0, 0, 0, 0, 0, ""},
        {"alarm1.1", "1,1,1," + std::string(300, '7') + ",x", false, 0, 0, 0, 0, 0, 0, ""},  // the fourth comma is cut off at 255 bytes
    };
    for (const Case& c : cases) {
        LIFT_ALARM a;
        a.text = "old";
        a.lift = 9;
        EXPECT_EQ(a.Parse(c.key, c.value), c.ok) << "key: " << c.key << " value: " << c.value;
        if (!c.ok) {
            EXPECT_EQ(a.lift, 0) << "key: " << c.key << " value: " << c.value;
            EXPECT_EQ(a.text, "") << "key: " << c.key << " value: " << c.value;
            continue;
        }
        EXPECT_EQ(a.lift, c.lift) << "key: " << c.key;
        EXPECT_EQ(a.alarmNumber, c.alarm) << "key: " << c.key;
        EXPECT_EQ(a.flag, c.flag) << "key: " << c.key;
        EXPECT_EQ(a.value1, c.v1) << "key: " << c.key;
        EXPECT_EQ(a.value2, c.v2) << "key: " << c.key;
        EXPECT_EQ(a.value3, c.v3) << "key: " << c.key;
        EXPECT_EQ(a.text, c.text) << "key: " << c.key;
    }
    LIFT_ALARM a;
    ASSERT_TRUE(a.Parse("alarm1.1", "1,2,3,4," + std::string(300, 'x')));
    EXPECT_EQ(a.text.size(), 255u - 8u);
}

TEST(Blocks, LiftBlockTakesFiveAlarmsAtMost) {
    DEVICE_RUML ruml;
    EXPECT_EQ(ruml.option, 0);
    EXPECT_TRUE(ruml.enabled);
    ruml.LoadFromJson(Json(R"({"params":{"debug":1,"alarm1.1":"1,1,1,1,a","alarm4.1":"1,1,1,1,bad",
        "alarm1.2":"0,2,2,2,b","alarmX":"1,1,1,1,bad","alarm1.3":"1,3,3,3,c","xalarm1.4":"1,1,1,1,bad",
        "alarm2.1":"1,4,4,4,d"," alarm2.2":"1,1,1,1,bad","alarm3.1":5,"alarm3.2":"1,6,6,6,f","alarm3.3":"1,7,7,7,g"}})")
                        .get());
    EXPECT_TRUE(ruml.debug);
    const char* texts[] = {"a", "b", "c", "d", "f"};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(ruml.alarms[i].text, texts[i]) << "alarm " << i;
    EXPECT_EQ(ruml.alarms[4].lift, 3);
    EXPECT_EQ(ruml.alarms[4].alarmNumber, 2);

    ruml.Reset();
    for (const LIFT_ALARM& a : ruml.alarms) EXPECT_EQ(a.lift, 0);
}

TEST(Blocks, DeviceListAddsKnownKindsOnly) {
    DEVICE_LIST list;
    EXPECT_EQ(list.Add(3), nullptr);
    EXPECT_EQ(list.Add(-1), nullptr);
    EXPECT_EQ(list.Count(), 0);
    for (int kind : {0, 1, 2}) {
        DEVICE* d = list.Add(kind);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->kind, kind);
    }
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(dynamic_cast<DEVICE_VELT*>(list.Get(1))->loopType[7], -1);
    list.Delete(0);
    EXPECT_EQ(list.Get(0)->kind, 1);
    EXPECT_EQ(list.Get(2), nullptr);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST(Blocks, CataloguesLineByLine) {
    struct Line {
        int tag;
        const char* text;
    };
    const Line sys[] = {
        {0, "0 - Исправность ЗОРЕН-RF"},
        {1, "1 - Cпособ подключения к серверу MQTT"},
        {2, "2 - Провайдер подключения"},
        {3, "3 - Уровень сигнала GSM GPRS"},
        {4, "4 - Уровень заряда АКБ %"},
        {5, "5 - Сигнализация о неисправности "},
    };
    const Line velt[] = {
        {0, "0 - Исправность ВЕЛТ-С"},
        {1, "1 - Состояние шлейфа номер 1"},
        {2, "2 - Состояние шлейфа номер 2"},
        {3, "3 - Состояние шлейфа номер 3"},
        {4, "4 - Состояние шлейфа номер 4"},
        {5, "5 - Состояние шлейфа номер 5"},
        {6, "6 - Состояние шлейфа номер 6"},
        {7, "7 - Состояние шлейфа номер 7"},
        {8, "8 - Состояние шлейфа номер 8"},
        {9, "9 - Температура встроенного датчика"},
        {10, "10 - Код ключа Touch Memory "},
    };
    const Line ruml[] = {
        {0, "0 - Исправность РУМЛ(Л)"},
        {1, "1 - MOD лифт 1"},
        {2, "2 - FLR лифт 1"},
        {3, "3 - STT лифт 1"},
        {4, "4 - ALM лифт 1"},
        {5, "5 - ALR лифт 1"},
        {6, "6 - ATX лифт 1"},
        {7, "7 - ADD лифт 1"},
        {8, "8 - TMP температура лифт 1"},
        {11, "11 - MOD лифт 2"},
        {12, "12 - FLR лифт 2"},
        {13, "13 - STT лифт 2"},
        {14, "14 - ALM лифт 2"},
        {15, "15 - ALR лифт 2"},
        {16, "16 - ATX лифт 2"},
        {17, "17 - ADD лифт 2"},
        {21, "21 - MOD лифт 3"},
        {22, "22 - FLR лифт 3"},
        {23, "23 - STT лифт 3"},
        {24, "24 - ALM лифт 3"},
        {25, "25 - ALR лифт 3"},
        {26, "26 - ATX лифт 3"},
        {27, "27 - ADD лифт 3"},
        {31, "31 - Охранный шлейф номер 1"},
        {32, "32 - Охранный шлейф номер 2"},
        {33, "33 - Охранный шлейф номер 3"},
        {34, "34 - Охранный шлейф номер 4"},
        {35, "35 - Охранный шлейф номер 5"},
        {41, "41 - Код считывателя номер 1"},
        {42, "42 - Код считывателя номер 2"},
        {43, "43 - Код считывателя номер 3"},
        {44, "44 - Код считывателя номер 4"},
        {45, "45 - Код считывателя номер 5"},
    };
    auto check = [](const DEVICE& device, const auto& expected) {
        TParamList list = {{"stale", 99}};
        device.FillParamList(list);
        ASSERT_EQ(list.size(), std::size(expected)) << "kind " << device.kind;
        for (std::size_t i = 0; i < list.size(); ++i) {
            EXPECT_EQ(list[i].Tag, expected[i].tag) << "kind " << device.kind << " line " << i;
            EXPECT_EQ(Cp1251ToUtf8(list[i].Text), expected[i].text) << "kind " << device.kind << " line " << i;
        }
    };
    check(DEVICE_ZOREN(), sys);
    check(DEVICE_VELT(), velt);
    check(DEVICE_RUML(), ruml);

    // The controller's line 1 begins with a Latin C (0x43), not the Cyrillic one (0xD1).
    TParamList list;
    DEVICE_ZOREN().FillParamList(list);
    EXPECT_EQ(list[1].Text[4], 'C');
    EXPECT_EQ(list[0].Text, std::string("\x30\x20\x2D\x20\xC8\xF1\xEF\xF0\xE0\xE2\xED\xEE\xF1\xF2\xFC\x20\xC7\xCE\xD0\xC5\xCD\x2D\x52\x46"));
}
