// The application-wide settings state: the data folder, the one settings
// document IniFile, and the text-to-number rule the other parts share.
#pragma once

#include "storage/TFastIniFile.h"

#include <memory>
#include <string>
#include <string_view>

// Folder of the settings file, "Objects" and the installer; ends in '/'.
extern std::string DataFolder;
// The application's settings document, or null outside the main window's life.
extern std::unique_ptr<TFastIniFile> IniFile;

// Determines and creates the data folder (XDG data home + sub-folder + '/'),
// falling back to the program's folder when that cannot be used.
std::string MakeDataFolder(std::string_view subFolder);
// Creates and loads IniFile over DataFolder + fileName (ProgramBaseName + ".ini" when empty).
void OpenIniFile(std::string_view fileName);
// Destroys IniFile, which saves it when modified.
void CloseIniFile();
// The program file's name without folder and extension.
std::string ProgramBaseName();
// The leading decimal integer of a text by the atol rule, modulo 2^32; 0 when none.
int TextToInt(std::string_view text);
