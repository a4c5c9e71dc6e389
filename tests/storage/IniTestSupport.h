// Helpers for the settings tests: a document over bytes written to a temporary
// file, and a one-line picture of what a document holds.
#pragma once

#include <fstream>
#include <memory>
#include <string>

#include "platform/FileSystem.h"
#include "storage/TFastIniFile.h"
#include "support/TempDir.h"

// The document's contents in the save format, with "|" for each CR LF.
inline std::string Picture(const TFastIniFile& ini) {
    std::string out;
    for (char c : ini.Serialize()) {
        if (c == '\r') continue;
        out += c == '\n' ? '|' : c;
    }
    return out;
}

inline std::unique_ptr<TFastIniFile> LoadBytes(const TempDir& dir, const std::string& bytes,
                                               const std::string& name = "test.ini") {
    TempDir::WriteFile(dir / name, bytes);
    return std::make_unique<TFastIniFile>(fs1251::ModelPath(dir / name));
}

inline std::string Fixture(const std::string& name) {
    return TempDir::ReadFile(std::string(ZOREN_TEST_DATA) + "/ini/" + name);
}
