// The controller itself as a block ("SYS"): its health values as parameters.
#pragma once

#include "config/DEVICE.h"

class DEVICE_ZOREN final : public DEVICE {
public:
    DEVICE_ZOREN() { DEVICE_ZOREN::Reset(); }
    void Reset() override;
    void FillParamList(TParamList& list) const override;
};
