// How the controller reaches the building's dispatch equipment, read from the
// first element of "buildings"; a read-only view that never raises.
#pragma once

#include "json/TJSONValue.h"

#include <cstdint>
#include <string>

struct BUILDING_DATA {
    std::string id;
    std::string connectionType = "ravikgw";
    std::string ip = "127.0.0.1";
    std::uint16_t port = 4000;
    std::string serial = "/dev/ttyS1";

    // The values shown before a building is read: "ravikgw", "127.0.0.1", 4000, "/dev/ttyS1".
    void Reset();
    // Sets every field from the building object; missing members give empty texts and port 0.
    void LoadFromJson(const TJSONValue& building);
};

// The application's one building record.
extern BUILDING_DATA BuildingData;
