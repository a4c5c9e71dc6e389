// The shell: opening a folder in the desktop's file manager and starting a
// program detached from this one.
#pragma once

#include <string_view>

// Opens the folder (a 1251 path) with the desktop's handler; false when none could be asked.
bool OpenFolderInShell(std::string_view folder);
// Makes the file executable and starts it detached; false when it could not be started.
bool StartDetached(std::string_view program);
