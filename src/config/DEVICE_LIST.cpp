// The block list.
#include "config/DEVICE_LIST.h"

#include "config/DEVICE_RUML.h"
#include "config/DEVICE_VELT.h"
#include "config/DEVICE_ZOREN.h"

DEVICE* DEVICE_LIST::Get(int position) const {
    if (position < 0 || position >= Count()) return nullptr;
    return items_[static_cast<std::size_t>(position)].get();
}

void DEVICE_LIST::Delete(int position) {
    if (position < 0 || position >= Count()) return;
    items_.erase(items_.begin() + position);
}

DEVICE* DEVICE_LIST::Add(int kind) {
    std::unique_ptr<DEVICE> block;
    switch (kind) {
        case 0: block = std::make_unique<DEVICE_ZOREN>(); break;
        case 1: block = std::make_unique<DEVICE_VELT>(); break;
        case 2: block = std::make_unique<DEVICE_RUML>(); break;
        default: return nullptr;
    }
    return items_.emplace_back(std::move(block)).get();
}
