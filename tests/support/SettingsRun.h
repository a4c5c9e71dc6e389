// One "run" of the program's settings for a window test: a data home of the
// test's own, DataFolder in it and IniFile opened over ZorEN_MQTT.ini;
// Restart() closes the document (writing the file) and opens it again, as the
// next run of the program would.
#pragma once

#include "storage/AppSettings.h"
#include "support/TempDir.h"

class SettingsRun {
public:
    SettingsRun() : home_(true) {
        DataFolder = MakeDataFolder("ZorEN_MQTT");
        OpenIniFile("ZorEN_MQTT.ini");
    }
    ~SettingsRun() {
        CloseIniFile();
        DataFolder.clear();
    }
    SettingsRun(const SettingsRun&) = delete;
    SettingsRun& operator=(const SettingsRun&) = delete;

    void Restart() {
        CloseIniFile();
        OpenIniFile("ZorEN_MQTT.ini");
    }
    const TempDir& Home() const { return home_; }
    // Native path of the settings file.
    std::string IniPath() const { return home_.Path() + "/ZorEN_MQTT/ZorEN_MQTT.ini"; }

private:
    TempDir home_;
};
