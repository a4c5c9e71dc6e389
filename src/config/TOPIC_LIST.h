// The ordered, owned topic entries of one MQTT object.
#pragma once

#include "config/TOPIC.h"
#include "json/TJSONValue.h"

#include <memory>
#include <string_view>
#include <vector>

class TOPIC_LIST final {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    // The entry at the position, or null when out of range.
    TOPIC* Get(int position) const;
    void Clear() { items_.clear(); }
    // Destroys the entry at the position; nothing when out of range.
    void Delete(int position);
    TOPIC* AddNew();

    // Replaces the content with the object members of an MQTT object node ("r"
    // and "w" default to -1, cut to 8 bits); members with an empty name are skipped.
    void LoadFromJson(const TJSONValue* node);

    // Codes compare exactly, case included.
    bool Contains(std::string_view code) const { return Find(code) != nullptr; }
    TOPIC* Find(std::string_view code) const;
    // Changes the first entry with this code, or appends one.
    void Set(std::string_view code, std::int8_t r, std::int8_t w);
    // Destroys the first entry with this code; nothing when there is none.
    void Remove(std::string_view code);

private:
    std::vector<std::unique_ptr<TOPIC>> items_;
};
