// The pure half of the configuration transfer: addresses, file names and the
// reading of the controller's verdict.
#include <gtest/gtest.h>

#include "exchange/ConfigExchange.h"
#include "platform/Cp1251.h"

namespace {

TEST(ConfigExchange, UrlTakesTheAddressVerbatim) {
    struct Case {
        std::string ip, url;
    } cases[] = {
        {"192.168.1.10", "http://192.168.1.10/configuration"},
        {"127.0.0.1:8765", "http://127.0.0.1:8765/configuration"},
        {"zoren.local", "http://zoren.local/configuration"},
        {"", "http:///configuration"},
    };
    for (const Case& c : cases) EXPECT_EQ(ConfigurationUrl(c.ip), c.url) << "ip: " << c.ip;
}

TEST(ConfigExchange, FileIsMqttJsonInTheFolder) {
    const std::string folder = "/data/ZorEN_MQTT/Objects/" + std::string("Школа №5"_w);
    EXPECT_EQ(ConfigurationFile(folder), folder + "/mqtt.json");
}

TEST(ConfigExchange, OnlyTheExactAcceptanceTextCountsAsSuccess) {
    const std::string success(std::string("Успешно записано в ЗОРЕН ..."_w));
    struct Case {
        std::string reply;
        bool accepted;
    } cases[] = {
        {"configuration is correct\r\n", true},
        {"configuration is correct", false},
        {"configuration is correct\n", false},
        {"configuration is correct\r\n\r\n", false},
        {" configuration is correct\r\n", false},
        {"Configuration is correct\r\n", false},
        {"CONFIGURATION IS CORRECT\r\n", false},
        {"configuration error: unknown value at pos 3\r\n", false},
        {"", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsConfigurationAccepted(c.reply), c.accepted) << "reply: " << c.reply;
        EXPECT_EQ(WriteVerdictText(c.reply), c.accepted ? success : c.reply) << "reply: " << c.reply;
    }
    EXPECT_EQ(kConfigurationAccepted.size(), 26u);
}

}  // namespace
