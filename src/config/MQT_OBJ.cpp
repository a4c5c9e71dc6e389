// MQTT object naming.
#include "config/MQT_OBJ.h"

#include "platform/Cp1251.h"
#include "storage/AppSettings.h"

#include <string_view>

namespace {

struct Split {
    std::string_view prefix;
    bool hasNumber = false;
    std::string_view rest;
};

// A name buffer of 63 bytes is what the controller keeps; a '/' as its last
// byte leaves nothing to number and so does not split.
Split SplitName(std::string_view name) {
    const std::string_view head = name.substr(0, 63);
    const std::size_t slash = head.find('/');
    if (slash == std::string_view::npos || slash + 1 == head.size()) return {head, false, {}};
    return {head.substr(0, slash), true, head.substr(slash + 1)};
}

}  // namespace

void MQT_OBJ::LoadFromJson(const TJSONValue* node) {
    name = node ? node->Name : std::string();
    topics.LoadFromJson(node);
}

std::string MQT_OBJ::Prefix() const { return std::string(SplitName(name).prefix); }

int MQT_OBJ::ObjectNumber() const {
    const Split s = SplitName(name);
    return s.hasNumber ? TextToInt(s.rest) : -1;
}

int MQT_OBJ::KindCode() const {
    static constexpr std::string_view kPrefixes[] = {"MQT", "LFT", "DSC", "ICM", "ALR", "FAL", "SCM", "WTR", "GAS"};
    const std::string_view prefix = SplitName(name).prefix;
    for (int i = 0; i < 9; ++i)
        if (prefix == kPrefixes[i]) return i + 1;
    return 0;
}

std::string MQT_OBJ::DisplayName() const {
    std::string text;
    switch (KindCode()) {
        case 1: text = "Контроллер MQTT"_w; break;
        case 2: text = "Лифт"_w; break;
        case 3: text = "Контроллер"_w; break;
        case 4: text = "Переговорное устройство"_w; break;
        case 5: text = "Охранный датчик"_w; break;
        case 6:
            text = topics.Contains("TMP") ? "Пожарный извещатель температурный"_w : "Пожарный извещатель"_w;
            break;
        case 7: text = "Электрооборудование"_w; break;
        case 8: text = "Датчик затопления"_w; break;
        case 9: text = "Датчик загазованности"_w; break;
        default: text = Prefix(); break;
    }
    const int number = ObjectNumber();
    if (number > 0) text += " " + std::to_string(number);
    return text;
}
