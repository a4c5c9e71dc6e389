// MQTT objects of one block.
#include "config/MQT_OBJ_LIST.h"

MQT_OBJ* MQT_OBJ_LIST::Get(int position) const {
    if (position < 0 || position >= Count()) return nullptr;
    return items_[static_cast<std::size_t>(position)].get();
}

void MQT_OBJ_LIST::Delete(int position) {
    if (position < 0 || position >= Count()) return;
    items_.erase(items_.begin() + position);
}

MQT_OBJ* MQT_OBJ_LIST::AddNew() { return items_.emplace_back(std::make_unique<MQT_OBJ>()).get(); }

void MQT_OBJ_LIST::LoadFromJson(const TJSONValue* node) {
    Clear();
    if (!node || node->ValueType != TJSONValueType::jtObject) return;
    for (int i = 0; i < node->Count(); ++i) {
        const TJSONValue* child = node->GetByIndex(i);
        if (child->ValueType == TJSONValueType::jtObject) AddNew()->LoadFromJson(child);
    }
}
