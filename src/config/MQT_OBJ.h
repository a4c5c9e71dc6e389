// One MQTT object of a block: its name ("LFT/2") and its topic entries, with
// the naming rules the blocks page shows.
#pragma once

#include "config/TOPIC_LIST.h"
#include "json/TJSONValue.h"

#include <string>

class MQT_OBJ final {
public:
    std::string name;
    TOPIC_LIST topics;

    // name becomes the node's Name; topics are read from the node.
    void LoadFromJson(const TJSONValue* node);

    // The first 63 bytes of name, cut before the first '/' unless that '/' is their last byte.
    std::string Prefix() const;
    // The number after the '/', 0 when it has none; -1 without a '/'.
    int ObjectNumber() const;
    // 1 "MQT" .. 9 "GAS"; 0 for any other prefix.
    int KindCode() const;
    // The kind's Russian name (or the prefix), with " <number>" when the number is above 0.
    std::string DisplayName() const;
};
