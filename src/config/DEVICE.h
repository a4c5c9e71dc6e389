// The abstract dispatch block: bus address, MQTT objects, debug flag, and the
// catalogue of its internal parameters that each kind provides.
#pragma once

#include "config/MQT_OBJ_LIST.h"
#include "config/TParamList.h"
#include "json/TJSONValue.h"

#include <cstdint>
#include <string>

class DEVICE {
public:
    virtual ~DEVICE() = default;
    DEVICE(const DEVICE&) = delete;
    DEVICE& operator=(const DEVICE&) = delete;

    // 0 controller, 1 loop controller, 2 lift block.
    std::int32_t kind = 0;
    std::uint8_t addr = 0;
    MQT_OBJ_LIST topics;
    bool debug = false;

    // addr 0, debug false, no MQTT objects, then the kind's own fields.
    virtual void Reset();
    // Reset, then "addr" (low 8 bits), the kind's "params" and "topics" of a block
    // object. Raises EJSONException "can't get string value from this element" when a
    // "params" member the kind reads holds an object or an array.
    void LoadFromJson(const TJSONValue* node);
    // Empties the list and fills it with the kind's catalogue, tagged by parameter number.
    virtual void FillParamList(TParamList& list) const = 0;
    // "ЗОРЕН-RF", "ВЕЛТ-С <addr>", "РУМЛ <addr>", ...
    std::string DisplayName() const;

protected:
    DEVICE() = default;
    // Visits the members of a "params" object; the controller reads none.
    virtual void LoadParams(const TJSONValue& params) {}
};
