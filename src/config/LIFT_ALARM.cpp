// Parsing of lift alarm definitions.
#include "config/LIFT_ALARM.h"

#include "storage/AppSettings.h"

namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= 32) s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= 32) s.remove_suffix(1);
    return s;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool LIFT_ALARM::Parse(std::string_view key, std::string_view value) {
    Reset();
    key = Trim(key);
    if (key.size() != 8 || key.substr(0, 5) != "alarm" || key[6] != '.') return false;
    if (key[5] < '1' || key[5] > '3' || key[7] < '1' || key[7] > '5') return false;

    value = Trim(value).substr(0, 255);
    if (value.empty()) return false;
    std::string_view fields[4];
    for (std::string_view& field : fields) {
        const std::size_t comma = value.find(',');
        if (comma == std::string_view::npos || comma == 0) return false;
        field = value.substr(0, comma);
        value.remove_prefix(comma + 1);
    }
    if (fields[0][0] != '0' && fields[0][0] != '1') return false;
    for (int i = 1; i < 4; ++i)
        if (!IsDigit(fields[i][0])) return false;

    lift = key[5] - '0';
    alarmNumber = key[7] - '0';
    flag = static_cast<std::uint8_t>(fields[0][0] - '0');
    value1 = static_cast<std::uint16_t>(TextToInt(fields[1]));
    value2 = static_cast<std::uint8_t>(TextToInt(fields[2]));
    value3 = static_cast<std::uint8_t>(TextToInt(fields[3]));
    text = value;
    return true;
}
