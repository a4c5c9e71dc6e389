// The common part of every block kind.
#include "config/DEVICE.h"

#include "platform/Cp1251.h"

void DEVICE::Reset() {
    addr = 0;
    debug = false;
    topics.Clear();
}

void DEVICE::LoadFromJson(const TJSONValue* node) {
    Reset();
    if (!node || node->ValueType != TJSONValueType::jtObject) return;
    if (node->PathExist("addr")) addr = static_cast<std::uint8_t>(node->DefValue("addr", std::int32_t{0}));
    if (node->IsObject("params")) LoadParams(*node->ByPath("params"));
    topics.LoadFromJson(node->ByPath("topics"));
}

std::string DEVICE::DisplayName() const {
    switch (kind) {
        case 0: return std::string("ЗОРЕН-RF"_w);
        case 1: return std::string("ВЕЛТ-С "_w) + std::to_string(addr);
        case 2: return std::string("РУМЛ "_w) + std::to_string(addr);
        case 3: return std::string("ТАРН "_w) + std::to_string(addr);
        default: return std::string("Тип "_w) + std::to_string(kind);
    }
}
