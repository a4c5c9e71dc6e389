// The broker connection and the controller's HTTP credentials, read from the
// root of a configuration document; a read-only view that never raises.
#pragma once

#include "json/TJSONValue.h"

#include <cstdint>
#include <string>

struct MAIN_DATA {
    std::string host;
    std::uint16_t port = 1883;
    std::string username;
    std::string password;
    std::uint8_t qos = 1;
    bool retain = true;
    std::string willTopic;
    std::string willMessage;
    bool addTimestamp = true;
    bool buffering = true;
    std::string httpLogin;
    std::string httpPassword;

    // Every field to its value before any document: port 1883, qos 1, flags true, texts empty.
    void Reset();
    // Sets every field from the document's root; a missing or mistyped member gives its default.
    void LoadFromJson(const TJSONValue& root);
};

// The application's one broker record.
extern MAIN_DATA MainData;

// The flag rule: DefValue text with default "true"; true for "true" in any
// letter case and for "1", false for anything else.
bool ReadFlag(const TJSONValue& node, std::string_view path);
