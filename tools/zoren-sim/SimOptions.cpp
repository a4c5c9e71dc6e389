#include "SimOptions.h"

#include <cstdlib>

#include "platform/Cp1251.h"

const char* const kSimUsage =
    "usage: zoren-sim [--port N] [--document FILE] [--login L --password P] [--update-dir DIR]\n"
    "  --port N          port on 127.0.0.1 (default 8765; 0 picks a free one)\n"
    "  --document FILE   the stored configuration; written back on every accepted PUT\n"
    "                    (default: a built-in sample kept in memory)\n"
    "  --login L         require HTTP Basic credentials for /configuration\n"
    "  --password P      their password (UTF-8 on the command line, compared as 1251)\n"
    "  --update-dir DIR  serve GET /update/zoren_mqtt/<file> from DIR\n";

namespace {

// The configurator sends the 1251 bytes of its texts; a terminal gives UTF-8.
std::string CredentialBytes(const std::string& arg) { return IsValidUtf8(arg) ? Utf8ToCp1251(arg) : arg; }

}  // namespace

bool ParseSimOptions(const std::vector<std::string>& args, SimOptions& options, std::string& error) {
    bool passwordGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            continue;
        }
        if (arg != "--port" && arg != "--document" && arg != "--login" && arg != "--password" &&
            arg != "--update-dir") {
            error = "unknown option: " + arg;
            return false;
        }
        if (i + 1 >= args.size()) {
            error = "missing value for " + arg;
            return false;
        }
        const std::string& value = args[++i];
        if (arg == "--port") {
            char* end = nullptr;
            long port = std::strtol(value.c_str(), &end, 10);
            if (value.empty() || *end != '\0' || port < 0 || port > 65535) {
                error = "bad port: " + value;
                return false;
            }
            options.port = int(port);
        } else if (arg == "--document") {
            options.documentFile = value;
        } else if (arg == "--login") {
            options.login = CredentialBytes(value);
        } else if (arg == "--password") {
            options.password = CredentialBytes(value);
            passwordGiven = true;
        } else {
            options.updateDir = value;
        }
    }
    if (passwordGiven && options.login.empty()) {
        error = "--password needs --login";
        return false;
    }
    return true;
}
