// The document walk.
#include "config/ConfigurationDocument.h"

#include "config/BUILDING_DATA.h"
#include "config/MAIN_DATA.h"

void ReadConfiguration(const TJSONValue& root, DEVICE_LIST& blocks) {
    MainData.LoadFromJson(root);
    const TJSONValue* buildings = root.ByPath("buildings");
    const TJSONValue* building = buildings ? buildings->GetByIndex(0) : nullptr;
    if (!building) return;
    BuildingData.LoadFromJson(*building);
    const TJSONValue* devices = building->ByPath("devices");
    if (!devices) return;
    for (int i = 0; i < devices->Count(); ++i) {
        const TJSONValue* element = devices->GetByIndex(i);
        if (element->ValueType != TJSONValueType::jtObject) continue;
        const std::string type = element->DefValue("type", "");
        int kind;
        if (type == "SYS") kind = 0;
        else if (type == "VELT") kind = 1;
        else if (type == "RUML") kind = 2;
        else continue;
        DEVICE* block = blocks.Add(kind);
        try {
            block->LoadFromJson(element);
        } catch (...) {
            // A half-read block would show wrong settings: only whole blocks stay.
            blocks.Delete(blocks.Count() - 1);
            throw;
        }
    }
}

void ReadConfigurationDocument(const std::string& fileName, TJSONValue& root, DEVICE_LIST& blocks) {
    MainData.Reset();
    BuildingData.Reset();
    root.LoadFromFile(fileName);
    ReadConfiguration(root, blocks);
}
