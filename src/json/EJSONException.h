// The exception of the JSON code: it carries only its message.
#pragma once

#include <stdexcept>
#include <string>

class EJSONException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Raised by LoadFromFile when the file cannot be read at all.
class EJSONFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
