// The lift-dispatch block ("RUML"): up to three lifts with up to five alarm
// definitions in all.
#pragma once

#include "config/DEVICE.h"
#include "config/LIFT_ALARM.h"

#include <array>
#include <cstdint>
#include <string_view>

class DEVICE_RUML final : public DEVICE {
public:
    DEVICE_RUML() { DEVICE_RUML::Reset(); }

    // Kept for the controller's block record; no JSON member sets them.
    std::int32_t option = 0;
    bool enabled = true;
    std::array<LIFT_ALARM, 5> alarms;

    void Reset() override;
    void FillParamList(TParamList& list) const override;
    // Parses the entry into the first free alarm; ignored when all five are in use
    // or the entry does not parse.
    void AddAlarm(std::string_view key, std::string_view value);

protected:
    // "debug" and the "alarm..." entries, each through its text.
    void LoadParams(const TJSONValue& params) override;
};
