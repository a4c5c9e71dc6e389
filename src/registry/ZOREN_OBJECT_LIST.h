// The register of controllers, in table order, with its persistence and the
// naming rules the windows use.
#pragma once

#include "registry/ZOREN_OBJECT.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TFastIniFile;

class ZOREN_OBJECT_LIST {
public:
    int Count() const;
    // Null when the position is invalid.
    ZOREN_OBJECT* Get(int position) const;
    // Appends a record with the defaults and returns it.
    ZOREN_OBJECT* New();
    void Delete(int position);
    void Clear();
    void Exchange(int a, int b);
    // Column 2 Name, 3 Ip, 4 MqttId, 5 MqttIndex, 6 Comment; others change nothing.
    void Sort(int column, bool ascending);
    // Whether the name may be given to the record except (blank and taken names may not).
    bool IsNameFree(std::string_view name, const ZOREN_OBJECT* except) const;
    // Position of the record, or -1.
    int IndexOf(const ZOREN_OBJECT* record) const;
    void Load(TFastIniFile& ini);
    void Save(TFastIniFile& ini) const;

private:
    std::vector<std::unique_ptr<ZOREN_OBJECT>> items_;
};

// The application's register.
extern ZOREN_OBJECT_LIST ObjectList;

// The controller folder name derived from a display name.
std::string FolderName(std::string_view name);
std::string Base64Encode(std::string_view bytes);
// False when the length is not a multiple of 4.
bool Base64Decode(std::string_view text, std::string& bytes);
