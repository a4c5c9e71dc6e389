// LIFT_ALARM::Parse on a key and a value cut from the input at its first
// '=' (as the entry "alarm2.4": "1,15,3,0,Door open" reaches it).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "config/LIFT_ALARM.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view in(reinterpret_cast<const char*>(data), size);
    const std::size_t cut = in.find('=');
    const std::string_view key = in.substr(0, cut);
    const std::string_view value = cut == std::string_view::npos ? std::string_view() : in.substr(cut + 1);
    LIFT_ALARM alarm;
    const bool parsed = alarm.Parse(key, value);
    // What the lift page relies on: a parsed alarm names a lift and an alarm that exist.
    if (parsed && (alarm.lift < 1 || alarm.lift > 3 || alarm.alarmNumber < 1 || alarm.alarmNumber > 5 ||
                   alarm.flag > 1 || alarm.text.size() > 255)) {
        std::fprintf(stderr, "parsed alarm out of range\n");
        std::abort();
    }
    if (!parsed && alarm.lift != 0) {
        std::fprintf(stderr, "a refused alarm is not left free\n");
        std::abort();
    }
    return 0;
}
