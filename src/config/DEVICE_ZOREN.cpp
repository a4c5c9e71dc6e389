// The controller block and its catalogue.
#include "config/DEVICE_ZOREN.h"

#include "platform/Cp1251.h"

void DEVICE_ZOREN::Reset() {
    DEVICE::Reset();
    kind = 0;
}

void DEVICE_ZOREN::FillParamList(TParamList& list) const {
    list.clear();
    // Line 1 starts with a Latin "C", as the controller's own documentation has it.
    list.push_back({std::string("0 - Исправность ЗОРЕН-RF"_w), 0});
    list.push_back({std::string("1 - Cпособ подключения к серверу MQTT"_w), 1});
    list.push_back({std::string("2 - Провайдер подключения"_w), 2});
    list.push_back({std::string("3 - Уровень сигнала GSM GPRS"_w), 3});
    list.push_back({std::string("4 - Уровень заряда АКБ %"_w), 4});
    list.push_back({std::string("5 - Сигнализация о неисправности "_w), 5});
}
