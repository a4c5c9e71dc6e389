#include "storage/AppSettings.h"

#include <cstdint>

int TextToInt(std::string_view text) {
    std::size_t i = 0;
    auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; };
    while (i < text.size() && isSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    // Overflow is not detected: the value wraps modulo 2^32 like the C run-time's atol.
    std::uint32_t value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') value = value * 10u + std::uint32_t(text[i++] - '0');
    if (negative) value = 0u - value;
    return static_cast<std::int32_t>(value);
}
