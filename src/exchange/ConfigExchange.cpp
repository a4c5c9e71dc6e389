// Addresses, file names and the verdict text of the configuration transfer.
#include "exchange/ConfigExchange.h"

#include "platform/Cp1251.h"

std::string ConfigurationUrl(std::string_view ip) {
    std::string url = "http://";
    url += ip;
    url += "/configuration";
    return url;
}

std::string ConfigurationFile(std::string_view folder) {
    std::string file(folder);
    file += "/mqtt.json";
    return file;
}

bool IsConfigurationAccepted(std::string_view reply) { return reply == kConfigurationAccepted; }

std::string WriteVerdictText(std::string_view reply) {
    if (IsConfigurationAccepted(reply)) return std::string("Успешно записано в ЗОРЕН ..."_w);
    if (reply.size() > kVerdictShownMax) return std::string(reply.substr(0, kVerdictShownMax)) + " ...";
    return std::string(reply);
}
