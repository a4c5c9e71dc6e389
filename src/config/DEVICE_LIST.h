// The ordered, owned blocks of a building, of any kind.
#pragma once

#include "config/DEVICE.h"

#include <memory>
#include <vector>

class DEVICE_LIST final {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    // The block at the position, or null when out of range.
    DEVICE* Get(int position) const;
    void Clear() { items_.clear(); }
    // Destroys the block at the position; nothing when out of range.
    void Delete(int position);
    // Appends a new block of kind 0 (controller), 1 (loop controller) or 2 (lift
    // block) and returns it; null, with nothing appended, for any other kind.
    DEVICE* Add(int kind);

private:
    std::vector<std::unique_ptr<DEVICE>> items_;
};
