#include "update/UpdateServer.h"

#include "storage/AppSettings.h"

std::string UpdateServerAddress() {
    std::string server = IniFile ? IniFile->ReadString("Update", "Server", kDefaultUpdateServer)
                                 : std::string(kDefaultUpdateServer);
    if (server.empty()) server = kDefaultUpdateServer;
    while (server.size() > 1 && server.back() == '/') server.pop_back();
    return server;
}

std::string UpdateFileUrl(std::string_view server, std::string_view fileName) {
    return std::string(server) + "/update/zoren_mqtt/" + std::string(fileName);
}

std::string UpdateFileUrl(std::string_view fileName) {
    return UpdateFileUrl(UpdateServerAddress(), fileName);
}
