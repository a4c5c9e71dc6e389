// The building record and its instance.
#include "config/BUILDING_DATA.h"

BUILDING_DATA BuildingData;

void BUILDING_DATA::Reset() { *this = BUILDING_DATA(); }

void BUILDING_DATA::LoadFromJson(const TJSONValue& building) {
    id = building.DefValue("id", "");
    connectionType = building.DefValue("connection/type", "");
    ip = building.DefValue("connection/ip", "");
    port = static_cast<std::uint16_t>(building.DefValue("connection/port", std::int32_t{0}));
    serial = building.DefValue("connection/serial", "");
}
