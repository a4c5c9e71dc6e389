// The update server's address: read from the settings document, never written.
#include <gtest/gtest.h>

#include "storage/AppSettings.h"
#include "support/TempDir.h"
#include "update/UpdateServer.h"

TEST(UpdateServer, AddressFromTheSettingsOrTheDefault) {
    TempDir dir;
    struct Case {
        const char* what;
        bool haveIni;
        const char* value;  // null: key absent
        const char* url;
    } cases[] = {
        {"no settings document", false, nullptr, "http://127.0.0.1:8765/update/zoren_mqtt/release_r.txt"},
        {"key absent", true, nullptr, "http://127.0.0.1:8765/update/zoren_mqtt/release_r.txt"},
        {"key empty", true, "", "http://127.0.0.1:8765/update/zoren_mqtt/release_r.txt"},
        {"configured", true, "http://updates.local:81",
         "http://updates.local:81/update/zoren_mqtt/release_r.txt"},
        {"trailing slash", true, "http://updates.local/",
         "http://updates.local/update/zoren_mqtt/release_r.txt"},
    };
    for (const Case& c : cases) {
        IniFile.reset();
        if (c.haveIni) {
            IniFile = std::make_unique<TFastIniFile>(dir / "settings.ini", true);
            if (c.value) IniFile->WriteString("Update", "Server", c.value);
            IniFile->Modified = false;
        }
        EXPECT_EQ(UpdateFileUrl("release_r.txt"), c.url) << c.what;
        if (IniFile) {
            EXPECT_FALSE(IniFile->Modified) << c.what;
            EXPECT_EQ(IniFile->SectionExists("Update"), c.value != nullptr) << c.what;
        }
    }
    IniFile.reset();
}
