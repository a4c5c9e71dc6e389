#include <gtest/gtest.h>

#include "platform/Cp1251.h"
#include "platform/FileSystem.h"
#include "registry/ZOREN_OBJECT_LIST.h"
#include "storage/TFastIniFile.h"
#include "support/TempDir.h"

namespace {

std::string W(std::string_view bytes) { return std::string(bytes); }

std::string Names(const ZOREN_OBJECT_LIST& list) {
    std::string out;
    for (int i = 0; i < list.Count(); ++i) out += (i ? "," : "") + list.Get(i)->Name;
    return out;
}

std::string Ids(const ZOREN_OBJECT_LIST& list) {
    std::string out;
    for (int i = 0; i < list.Count(); ++i) out += (i ? "," : "") + std::to_string(list.Get(i)->MqttId);
    return out;
}

void Fill(ZOREN_OBJECT_LIST& list, std::initializer_list<const char*> names) {
    list.Clear();
    for (const char* n : names) list.New()->Name = n;
}

std::string FixturePath(const std::string& name) { return std::string(ZOREN_TEST_DATA) + "/ini/" + name; }

}  // namespace

TEST(Registry, CyrillicRegisterSurvivesSaveAndLoad) {
    TempDir dir;
    std::string file = fs1251::ModelPath(dir / "ZorEN_MQTT.ini");
    ZOREN_OBJECT_LIST list;
    ZOREN_OBJECT* a = list.New();
    a->Name = W("Дом 1. Секция: А/Б"_w);
    a->Ip = "192.168.0.10:8080";
    a->Path = "/data/Objects/" + FolderName(a->Name);
    a->Comment = W("Щитовая, 2 этаж; ключ у вахтёра = да"_w);
    a->MqttId = -17;
    a->MqttIndex = 2147483647;
    a->Login = W("админ"_w);
    a->Password = "p@ss:w=rd";
    ZOREN_OBJECT* b = list.New();
    b->Name = W("ёлка"_w);
    b->Password = "only password";
    list.New()->Name = "Third";
    {
        TFastIniFile ini(file);
        list.Save(ini);
    }
    std::string bytes = TempDir::ReadFile(dir / "ZorEN_MQTT.ini");
    std::string first = "[OBJECT0]\r\nName=" + a->Name + "\r\nIp=" + a->Ip + "\r\nPath=" + a->Path +
                        "\r\nComment=" + a->Comment +
                        "\r\nMqttId=-17\r\nMqttIndex=2147483647\r\nLogin=" + Base64Encode(a->Login) +
                        "\r\nPassword=cEBzczp3PXJk\r\n[OBJECT1]\r\n";
    EXPECT_EQ(bytes.substr(0, first.size()), first);
    EXPECT_NE(bytes.find("[OBJECT1]\r\nName=" + b->Name +
                         "\r\nIp=\r\nPath=\r\nComment=\r\nMqttId=0\r\nMqttIndex=0\r\n"
                         "Login=\r\nPassword=b25seSBwYXNzd29yZA==\r\n[OBJECT2]\r\n"),
              std::string::npos);

    ZOREN_OBJECT_LIST loaded;
    TFastIniFile ini(file);
    loaded.Load(ini);
    ASSERT_EQ(loaded.Count(), 3);
    for (int i = 0; i < 3; ++i) {
        const ZOREN_OBJECT& x = *list.Get(i);
        const ZOREN_OBJECT& y = *loaded.Get(i);
        EXPECT_EQ(y.Name, x.Name) << i;
        EXPECT_EQ(y.Ip, x.Ip) << i;
        EXPECT_EQ(y.Path, x.Path) << i;
        EXPECT_EQ(y.Comment, x.Comment) << i;
        EXPECT_EQ(y.MqttId, x.MqttId) << i;
        EXPECT_EQ(y.MqttIndex, x.MqttIndex) << i;
        EXPECT_EQ(y.Login, x.Login) << i;
        EXPECT_EQ(y.Password, x.Password) << i;
    }
    EXPECT_FALSE(ini.Modified);  // loading writes nothing
}

TEST(Registry, SaveErasesOnlyTheSectionAfterTheLast) {
    TFastIniFile ini("unused", true);
    ZOREN_OBJECT_LIST list;
    Fill(list, {"a", "b", "c", "d", "e"});
    list.Save(ini);
    EXPECT_TRUE(ini.SectionExists("OBJECT4"));

    list.Delete(1);
    list.Delete(1);
    list.Save(ini);
    EXPECT_TRUE(ini.SectionExists("OBJECT2"));
    EXPECT_FALSE(ini.SectionExists("OBJECT3"));
    EXPECT_TRUE(ini.SectionExists("OBJECT4"));  // left from the longer register, never loaded
    EXPECT_EQ(ini.ReadString("OBJECT1", "Name", ""), "d");

    ZOREN_OBJECT_LIST loaded;
    loaded.Load(ini);
    EXPECT_EQ(Names(loaded), "a,d,e");

    Fill(list, {"x", "y", "z", "w"});
    list.Save(ini);
    loaded.Load(ini);
    EXPECT_EQ(Names(loaded), "x,y,z,w");
    EXPECT_FALSE(ini.SectionExists("OBJECT4"));  // erased now that the count reached it
    ini.Modified = false;
}

TEST(Registry, LoadStopsAtTheFirstGap) {
    TFastIniFile ini(FixturePath("register_with_gap.ini"));
    ZOREN_OBJECT_LIST list;
    list.New()->Name = "replaced";
    list.Load(ini);
    EXPECT_EQ(Names(list), "First,Second");

    TFastIniFile empty("unused", true);
    list.Load(empty);
    EXPECT_EQ(list.Count(), 0);
}

TEST(Registry, CredentialsLoadEmptyWhenTheyCannotBeDecoded) {
    TFastIniFile ini(FixturePath("register_bad_credentials.ini"));
    ZOREN_OBJECT_LIST list;
    list.Load(ini);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Get(0)->Login, "");     // five characters
    EXPECT_EQ(list.Get(0)->Password, "");  // outside the alphabet
    EXPECT_EQ(list.Get(1)->Login, "a");    // up to the zero byte
    EXPECT_EQ(list.Get(1)->Password, "");
    EXPECT_EQ(list.Get(1)->MqttId, 12);
    EXPECT_EQ(list.Get(1)->MqttIndex, 0);
}

TEST(Registry, EmptyLoginWithPasswordKeepsBoth) {
    TFastIniFile ini("unused", true);
    ZOREN_OBJECT_LIST list;
    ZOREN_OBJECT* r = list.New();
    r->Password = "secret";
    list.Save(ini);
    EXPECT_EQ(ini.ReadString("OBJECT0", "Login", "?"), "");
    EXPECT_EQ(ini.ReadString("OBJECT0", "Password", "?"), "c2VjcmV0");
    list.Load(ini);
    EXPECT_EQ(list.Get(0)->Login, "");
    EXPECT_EQ(list.Get(0)->Password, "secret");
    ini.Modified = false;
}

TEST(Registry, LineBreaksInAFieldCannotForgeRecords) {
    // A comment with a line break used to come back as extra keys and sections.
    TempDir dir;
    std::string file = fs1251::ModelPath(dir / "r.ini");
    ZOREN_OBJECT_LIST list;
    ZOREN_OBJECT* r = list.New();
    r->Name = "one";
    r->Comment = "note\r\n[OBJECT1]\r\nName=forged";
    {
        TFastIniFile ini(file);
        list.Save(ini);
    }
    TFastIniFile ini(file);
    list.Load(ini);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Get(0)->Comment, "note  [OBJECT1]  Name=forged");
}

TEST(Registry, BinaryOrEmptySettingsGiveAPartialRegister) {
    TFastIniFile ini(FixturePath("binary_garbage.ini"));
    ZOREN_OBJECT_LIST list;
    list.Load(ini);
    ASSERT_GE(list.Count(), 1);
    EXPECT_EQ(list.Get(0)->Name, "x");
}

TEST(Registry, LargeRegisterRoundTrips) {
    TempDir dir;
    std::string file = fs1251::ModelPath(dir / "big.ini");
    ZOREN_OBJECT_LIST list;
    for (int i = 0; i < 10000; ++i) {
        ZOREN_OBJECT* r = list.New();
        r->Name = W("Объект "_w) + std::to_string(i);
        r->MqttId = i;
        r->Login = "user" + std::to_string(i);
    }
    {
        TFastIniFile ini(file);
        list.Save(ini);
    }
    TFastIniFile ini(file);
    EXPECT_EQ(ini.SectionCount(), 10000);
    ZOREN_OBJECT_LIST loaded;
    loaded.Load(ini);
    ASSERT_EQ(loaded.Count(), 10000);
    EXPECT_EQ(loaded.Get(9999)->Name, W("Объект 9999"_w));
    EXPECT_EQ(loaded.Get(9999)->MqttId, 9999);
    EXPECT_EQ(loaded.Get(1234)->Login, "user1234");
}

TEST(Registry, IsNameFreeFoldsCyrillicAndTrims) {
    ZOREN_OBJECT_LIST list;
    ZOREN_OBJECT* home = list.New();
    home->Name = W("Дом 1"_w);
    list.New()->Name = "Office";
    list.New()->Name = " padded ";
    struct Case {
        std::string name;
        const ZOREN_OBJECT* except;
        bool free;
    } cases[] = {
        {W("  дом 1 "_w), nullptr, false},
        {W("  дом 1 "_w), home, true},
        {W("ДОМ 1"_w), nullptr, false},
        {"   ", nullptr, false},
        {"", nullptr, false},
        {"\t\r\n", nullptr, false},
        {"office", nullptr, false},
        {W("Дом 2"_w), nullptr, true},
        {"padded", nullptr, true},  // stored names are not trimmed
    };
    for (const auto& c : cases)
        EXPECT_EQ(list.IsNameFree(c.name, c.except), c.free) << "name: '" << c.name << "'";
}

TEST(Registry, FolderNameReplacesForbiddenBytes) {
    struct Case {
        std::string name;
        std::string folder;
    } cases[] = {
        {W("Дом 1. Секция: А/Б"_w), W("Дом 1  Секция  А_Б"_w)},
        {"a\\b<c>d*e?f\"g|h", "a_b_c_d_e_f_g|h"},
        {" lead and trail ", " lead and trail "},
        {std::string(300, 'n'), std::string(255, 'n')},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(FolderName(c.name), c.folder) << "name: '" << c.name << "'";
}

TEST(Registry, SortByNumbersAndTexts) {
    ZOREN_OBJECT_LIST list;
    for (int id : {5, -1, 3}) list.New()->MqttId = id;
    list.Sort(4, true);
    EXPECT_EQ(Ids(list), "-1,3,5");
    list.Sort(4, false);
    EXPECT_EQ(Ids(list), "5,3,-1");
    list.Sort(7, true);  // not a sort column
    list.Sort(1, true);
    EXPECT_EQ(Ids(list), "5,3,-1");

    struct Case {
        std::vector<std::string> names;
        const char* what;
        std::vector<std::string> sorted;
    } cases[] = {
        {{W("а"_w), W("Б"_w)}, "upper-case Cyrillic before lower-case", {W("Б"_w), W("а"_w)}},
        {{"Zeta", "alpha"}, "Latin folded", {"alpha", "Zeta"}},
        {{W("А"_w), W("ё"_w), W("Ё"_w)}, "Yo before A", {W("Ё"_w), W("ё"_w), W("А"_w)}},
        {{"abc", "AB", "b"}, "prefix first", {"AB", "abc", "b"}},
        {{W("я"_w), "z"}, "Latin before Cyrillic", {"z", W("я"_w)}},
    };
    for (const auto& c : cases) {
        list.Clear();
        for (const auto& n : c.names) list.New()->Name = n;
        list.Sort(2, true);
        std::vector<std::string> got;
        for (int i = 0; i < list.Count(); ++i) got.push_back(list.Get(i)->Name);
        EXPECT_EQ(got, c.sorted) << c.what;
        list.Sort(2, false);
        EXPECT_EQ(list.Get(0)->Name, c.sorted.back()) << c.what << " descending";
    }

    list.Clear();
    for (const char* ip : {"10.0.0.2", "10.0.0.10", "1.1.1.1"}) list.New()->Ip = ip;
    list.Get(0)->Comment = "b";
    list.Get(1)->Comment = "C";
    list.Get(2)->Comment = "a";
    list.Get(0)->MqttIndex = 2;
    list.Get(1)->MqttIndex = -3;
    list.Get(2)->MqttIndex = 1;
    list.Sort(3, true);
    EXPECT_EQ(list.Get(0)->Ip + " " + list.Get(1)->Ip + " " + list.Get(2)->Ip, "1.1.1.1 10.0.0.10 10.0.0.2");
    list.Sort(6, true);
    EXPECT_EQ(list.Get(0)->Comment + list.Get(1)->Comment + list.Get(2)->Comment, "abC");
    list.Sort(5, false);
    EXPECT_EQ(std::to_string(list.Get(0)->MqttIndex) + std::to_string(list.Get(2)->MqttIndex), "2-3");
}

TEST(Registry, PositionsOutsideTheListChangeNothing) {
    ZOREN_OBJECT_LIST list;
    Fill(list, {"a", "b", "c"});
    list.Exchange(2, 2);
    list.Exchange(0, list.Count());
    list.Exchange(-1, 0);
    EXPECT_EQ(Names(list), "a,b,c");
    list.Exchange(0, 2);
    EXPECT_EQ(Names(list), "c,b,a");

    EXPECT_EQ(list.Get(-1), nullptr);
    EXPECT_EQ(list.Get(3), nullptr);
    list.Delete(3);
    list.Delete(-1);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.IndexOf(list.Get(1)), 1);
    EXPECT_EQ(list.IndexOf(nullptr), -1);
    ZOREN_OBJECT other;
    EXPECT_EQ(list.IndexOf(&other), -1);

    ZOREN_OBJECT* fresh = list.New();
    EXPECT_EQ(list.IndexOf(fresh), 3);
    EXPECT_TRUE(fresh->Name.empty() && fresh->Login.empty() && fresh->MqttId == 0 && fresh->MqttIndex == 0);
}

TEST(Registry, Base64FollowsRfc4648) {
    struct Case {
        std::string bytes;
        std::string text;
    } cases[] = {
        {"", ""},
        {"f", "Zg=="},
        {"fo", "Zm8="},
        {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="},
        {"fooba", "Zm9vYmE="},
        {"foobar", "Zm9vYmFy"},
        {"\xFF\xFE", "//4="},
        {std::string("\0a", 2), "AGE="},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Base64Encode(c.bytes), c.text) << c.text;
        std::string decoded = "junk";
        EXPECT_TRUE(Base64Decode(c.text, decoded)) << c.text;
        EXPECT_EQ(decoded, c.bytes) << c.text;
    }
    for (const char* bad : {"abc", "YWJjZ", "ab!d", "Zm9v\r\n"}) {
        std::string decoded;
        EXPECT_FALSE(Base64Decode(bad, decoded)) << bad;
        EXPECT_TRUE(decoded.empty()) << bad;
    }
}
