// Where the update files are: the server address from the settings document
// (section "Update", key "Server"; read only, never written) and the
// addresses of the files in its "/update/zoren_mqtt/" folder.
#pragma once

#include <string>
#include <string_view>

inline constexpr std::string_view kDefaultUpdateServer = "http://127.0.0.1:8765";

// The configured server, or the default when IniFile is null or the key is
// missing or empty; a trailing '/' is dropped.
std::string UpdateServerAddress();
// server + "/update/zoren_mqtt/" + fileName.
std::string UpdateFileUrl(std::string_view server, std::string_view fileName);
// The same on UpdateServerAddress().
std::string UpdateFileUrl(std::string_view fileName);
