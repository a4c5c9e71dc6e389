// The simulator's command line.
#pragma once

#include <string>
#include <vector>

struct SimOptions {
    int port = 8765;           // 0: the system picks one
    std::string documentFile;  // native path; empty: the built-in sample, kept in memory
    std::string login;         // 1251 bytes, as the configurator sends them
    std::string password;
    std::string updateDir;  // native path; empty: no update files
    bool help = false;
};

// Parses the arguments after the program name; false with an error text when
// an option is unknown, lacks its value or has a bad one.
bool ParseSimOptions(const std::vector<std::string>& args, SimOptions& options, std::string& error);

extern const char* const kSimUsage;
