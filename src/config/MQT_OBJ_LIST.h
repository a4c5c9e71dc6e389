// The ordered, owned MQTT objects of one block.
#pragma once

#include "config/MQT_OBJ.h"
#include "json/TJSONValue.h"

#include <memory>
#include <vector>

class MQT_OBJ_LIST final {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    // The object at the position, or null when out of range.
    MQT_OBJ* Get(int position) const;
    void Clear() { items_.clear(); }
    // Destroys the object at the position; nothing when out of range.
    void Delete(int position);
    MQT_OBJ* AddNew();
    // Replaces the content with the object members of a "topics" node (null or
    // not an object: empty); an empty member name is kept.
    void LoadFromJson(const TJSONValue* node);

private:
    std::vector<std::unique_ptr<MQT_OBJ>> items_;
};
