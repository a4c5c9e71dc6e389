// The in-memory byte stream the JSON reader works on: inline byte access with
// a one-byte step back, no virtual call and no system call per byte.
#pragma once

#include <cstdint>
#include <string_view>

class TJSONStream {
public:
    explicit TJSONStream(std::string_view bytes) : data_(bytes.data()), size_(static_cast<std::int64_t>(bytes.size())) {}

    // False at the end of the input.
    bool Read(char& c) {
        if (pos_ >= size_) return false;
        c = data_[pos_++];
        return true;
    }
    void GoBack() { if (pos_ > 0) --pos_; }
    std::int64_t Position() const { return pos_; }
    void SetPosition(std::int64_t p) { pos_ = p; }
    std::int64_t Size() const { return size_; }
    const char* Data() const { return data_; }

private:
    const char* data_;
    std::int64_t size_;
    std::int64_t pos_ = 0;
};
