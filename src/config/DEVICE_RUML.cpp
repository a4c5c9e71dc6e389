// The lift block and its catalogue.
#include "config/DEVICE_RUML.h"

#include "platform/Cp1251.h"
#include "storage/AppSettings.h"

void DEVICE_RUML::Reset() {
    DEVICE::Reset();
    option = 0;
    enabled = true;
    for (LIFT_ALARM& a : alarms) a.Reset();
    kind = 2;
}

void DEVICE_RUML::AddAlarm(std::string_view key, std::string_view value) {
    for (LIFT_ALARM& a : alarms)
        if (a.lift == 0) {
            a.Parse(key, value);
            return;
        }
}

void DEVICE_RUML::LoadParams(const TJSONValue& params) {
    for (int i = 0; i < params.Count(); ++i) {
        const TJSONValue* p = params.GetByIndex(i);
        const std::string& key = p->Name;
        const std::string text = p->AsString();
        if (key == "debug") debug = TextToInt(text) != 0;
        else if (key.compare(0, 5, "alarm") == 0) AddAlarm(key, text);
    }
}

void DEVICE_RUML::FillParamList(TParamList& list) const {
    list.clear();
    list.push_back({std::string("0 - Исправность РУМЛ(Л)"_w), 0});
    static constexpr const char* kLiftCodes[] = {"MOD", "FLR", "STT", "ALM", "ALR", "ATX", "ADD"};
    // Through a string_view: clang 14 crashes on a std::string variable initialised from the literal.
    const std::string_view liftWord = " лифт "_w;
    const std::string lift(liftWord);
    for (int n = 1; n <= 3; ++n) {
        for (int i = 0; i < 7; ++i) {
            const int number = (n - 1) * 10 + i + 1;
            list.push_back({std::to_string(number) + " - " + kLiftCodes[i] + lift + std::to_string(n), number});
        }
        // Only lift 1 reports its temperature.
        if (n == 1) list.push_back({std::string("8 - TMP температура лифт 1"_w), 8});
    }
    for (int i = 1; i <= 5; ++i)
        list.push_back({std::to_string(30 + i) + std::string(" - Охранный шлейф номер "_w) + std::to_string(i), 30 + i});
    for (int i = 1; i <= 5; ++i)
        list.push_back({std::to_string(40 + i) + std::string(" - Код считывателя номер "_w) + std::to_string(i), 40 + i});
}
