// One registered controller.
#pragma once

#include <cstdint>
#include <string>

struct ZOREN_OBJECT {
    std::string Name;
    std::string Ip;
    std::string Path;
    std::string Login;
    std::string Password;
    std::string Comment;
    std::int32_t MqttId = 0;
    std::int32_t MqttIndex = 0;
};
