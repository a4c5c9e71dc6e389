// One alarm definition of a lift block, parsed from a "params" entry such as
// "alarm2.4": "1,15,3,0,Door open".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct LIFT_ALARM {
    // Lift 1..3; 0 marks the record as free.
    std::int32_t lift = 0;
    // Alarm 1..5.
    std::int32_t alarmNumber = 0;
    std::uint8_t flag = 0;
    std::uint16_t value1 = 0;
    std::uint8_t value2 = 0;
    std::uint8_t value3 = 0;
    std::string text;

    void Reset() { *this = LIFT_ALARM(); }
    // Fills the record from a key "alarm<lift 1..3>.<alarm 1..5>" and a value
    // "<0|1>,<n>,<n>,<n>,<text>" (both trimmed, the value cut to 255 bytes).
    // False, with the record reset, when either does not have that shape.
    bool Parse(std::string_view key, std::string_view value);
};
