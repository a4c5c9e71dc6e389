// The loop controller block and its catalogue.
#include "config/DEVICE_VELT.h"

#include "platform/Cp1251.h"
#include "storage/AppSettings.h"

void DEVICE_VELT::Reset() {
    DEVICE::Reset();
    loopType.fill(-1);
    kind = 1;
}

void DEVICE_VELT::LoadParams(const TJSONValue& params) {
    for (int i = 0; i < params.Count(); ++i) {
        const TJSONValue* p = params.GetByIndex(i);
        const std::string& key = p->Name;
        const std::string text = p->AsString();
        if (key == "debug") {
            debug = TextToInt(text) != 0;
        } else if (key.size() == 5 && key.compare(0, 4, "type") == 0 && key[4] >= '1' && key[4] <= '8') {
            loopType[static_cast<std::size_t>(key[4] - '1')] = static_cast<std::int8_t>(TextToInt(text));
        }
    }
}

void DEVICE_VELT::FillParamList(TParamList& list) const {
    list.clear();
    list.push_back({std::string("0 - Исправность ВЕЛТ-С"_w), 0});
    for (int loop = 1; loop <= 8; ++loop)
        list.push_back({std::to_string(loop) + std::string(" - Состояние шлейфа номер "_w) + std::to_string(loop), loop});
    list.push_back({std::string("9 - Температура встроенного датчика"_w), 9});
    list.push_back({std::string("10 - Код ключа Touch Memory "_w), 10});
}
