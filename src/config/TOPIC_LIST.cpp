// Topic entries of one MQTT object.
#include "config/TOPIC_LIST.h"

TOPIC* TOPIC_LIST::Get(int position) const {
    if (position < 0 || position >= Count()) return nullptr;
    return items_[static_cast<std::size_t>(position)].get();
}

void TOPIC_LIST::Delete(int position) {
    if (position < 0 || position >= Count()) return;
    items_.erase(items_.begin() + position);
}

TOPIC* TOPIC_LIST::AddNew() { return items_.emplace_back(std::make_unique<TOPIC>()).get(); }

void TOPIC_LIST::LoadFromJson(const TJSONValue* node) {
    Clear();
    if (!node || node->ValueType != TJSONValueType::jtObject) return;
    for (int i = 0; i < node->Count(); ++i) {
        const TJSONValue* child = node->GetByIndex(i);
        if (child->ValueType != TJSONValueType::jtObject) continue;
        const auto r = static_cast<std::int8_t>(child->DefValue("r", std::int32_t{-1}));
        const auto w = static_cast<std::int8_t>(child->DefValue("w", std::int32_t{-1}));
        if (child->Name.empty()) continue;
        TOPIC* t = AddNew();
        t->name = child->Name;
        t->r = r;
        t->w = w;
    }
}

TOPIC* TOPIC_LIST::Find(std::string_view code) const {
    for (const auto& t : items_)
        if (t->name == code) return t.get();
    return nullptr;
}

void TOPIC_LIST::Set(std::string_view code, std::int8_t r, std::int8_t w) {
    TOPIC* t = Find(code);
    if (!t) {
        t = AddNew();
        t->name = code;
    }
    t->r = r;
    t->w = w;
}

void TOPIC_LIST::Remove(std::string_view code) {
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i]->name == code) {
            items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(i));
            return;
        }
}
