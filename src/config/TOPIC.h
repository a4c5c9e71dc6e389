// One topic entry of an MQTT object: the topic code and the numbers of the
// block parameters it carries.
#pragma once

#include <cstdint>
#include <string>

struct TOPIC {
    std::string name;
    // Number of the block parameter the topic carries; -1 when absent.
    std::int8_t r = -1;
    // A second parameter number, stored only; -1 when absent.
    std::int8_t w = -1;
};
