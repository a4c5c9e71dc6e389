// The broker record and its instance.
#include "config/MAIN_DATA.h"

MAIN_DATA MainData;

bool ReadFlag(const TJSONValue& node, std::string_view path) {
    std::string text = node.DefValue(path, "true");
    if (text == "1") return true;
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text == "true";
}

void MAIN_DATA::Reset() { *this = MAIN_DATA(); }

void MAIN_DATA::LoadFromJson(const TJSONValue& root) {
    host = root.DefValue("mqtt/host", "");
    port = static_cast<std::uint16_t>(root.DefValue("mqtt/port", std::int32_t{1883}));
    username = root.DefValue("mqtt/username", "");
    password = root.DefValue("mqtt/password", "");
    qos = static_cast<std::uint8_t>(root.DefValue("mqtt/qos", std::int32_t{1}));
    retain = ReadFlag(root, "mqtt/retain");
    willTopic = root.DefValue("mqtt/willTopic", "");
    willMessage = root.DefValue("mqtt/willMessage", "");
    addTimestamp = ReadFlag(root, "mqtt/addTimestamp");
    buffering = ReadFlag(root, "mqtt/buffering");

    // "login:password"; further colons belong to the password.
    const std::string credentials = root.DefValue("http/password", "");
    httpLogin.clear();
    httpPassword.clear();
    if (credentials.empty()) return;
    const std::size_t colon = credentials.find(':');
    if (colon == std::string::npos) {
        httpLogin = credentials;
        return;
    }
    httpLogin = credentials.substr(0, colon);
    httpPassword = credentials.substr(colon + 1);
}
