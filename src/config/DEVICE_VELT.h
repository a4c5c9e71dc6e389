// The loop controller block ("VELT"): eight loops, each with its setting.
#pragma once

#include "config/DEVICE.h"

#include <array>
#include <cstdint>

class DEVICE_VELT final : public DEVICE {
public:
    DEVICE_VELT() { DEVICE_VELT::Reset(); }

    // Setting of loops 1..8: 0 not used, 1 active fire, 2 passive fire,
    // 3 normally open, 4 normally closed; -1 not given.
    std::array<std::int8_t, 8> loopType{};

    void Reset() override;
    void FillParamList(TParamList& list) const override;

protected:
    // "debug" and "type1".."type8", each through its text and TextToInt.
    void LoadParams(const TJSONValue& params) override;
};
