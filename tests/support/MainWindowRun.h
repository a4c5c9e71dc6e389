// A window-test fixture for runs of the program: a data home of the test's own,
// an empty register, and the main window created as the program creates it.
// The settings file can be written before the run and read after it.
#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <filesystem>
#include <memory>
#include <string>

#include "app/TFormZorenMain.h"
#include "platform/Cp1251.h"
#include "registry/ZOREN_OBJECT_LIST.h"
#include "storage/AppSettings.h"
#include "support/TempDir.h"

class MainWindowRun : public ::testing::Test {
protected:
    MainWindowRun() : home_(true) { ObjectList.Clear(); }
    ~MainWindowRun() override {
        window_.reset();
        CloseIniFile();
        ObjectList.Clear();
        DataFolder.clear();
    }

    // Native path of the settings file.
    std::string IniPath() const { return home_.Path() + "/ZorEN_MQTT/ZorEN_MQTT.ini"; }
    // Writes the settings file (1251 bytes) before the run starts.
    void WriteIni(const std::string& bytes) {
        std::filesystem::create_directories(home_.Path() + "/ZorEN_MQTT");
        TempDir::WriteFile(IniPath(), bytes);
    }
    // A settings document over the file as the last run left it.
    std::unique_ptr<TFastIniFile> ReadIni() const {
        return std::make_unique<TFastIniFile>(Utf8ToCp1251(IniPath()));
    }
    // Starts a run: the main window is created and shown.
    TFormZorenMain& Start() {
        window_ = std::make_unique<TFormZorenMain>();
        FormZorenMain = window_.get();
        window_->show();
        QCoreApplication::processEvents();
        return *window_;
    }
    // Ends the run as the user does: the window closes and is destroyed.
    void Stop() {
        if (!window_) return;
        window_->close();
        QCoreApplication::processEvents();
        window_.reset();
    }
    // Ends the run without the close: nothing of it reaches the settings file.
    void Discard() {
        window_.reset();
        CloseIniFile();
    }
    TFormZorenMain& Window() { return *window_; }
    const TempDir& Home() const { return home_; }

private:
    TempDir home_;
    std::unique_ptr<TFormZorenMain> window_;
};
