// Reading a whole mqtt.json into MainData, BuildingData and a block list: the
// walk the configuration editor runs each time it opens a file.
#pragma once

#include "config/DEVICE_LIST.h"
#include "json/TJSONValue.h"

#include <string>

// Reads an already parsed document: MainData from the root; when "buildings"
// has a first element, BuildingData from it and, for every object element of
// its "devices" whose "type" is exactly "SYS", "VELT" or "RUML", a block of
// kind 0, 1 or 2 appended to blocks (which is not emptied first). Missing or
// mistyped members give defaults. Raises EJSONException "can't get string
// value from this element" when a block's "params" member holds an object or
// an array: the walk stops there, the blocks read before stay in the list and
// the failing block is not added.
void ReadConfiguration(const TJSONValue& root, DEVICE_LIST& blocks);

// Resets MainData and BuildingData, parses the file into root (LoadFromFile)
// and reads it with ReadConfiguration. A parse failure (EJSONException, or
// EJSONFileError when the file cannot be read) propagates with both records
// as Reset left them and no block added; a failure of ReadConfiguration
// propagates as described there.
void ReadConfigurationDocument(const std::string& fileName, TJSONValue& root, DEVICE_LIST& blocks);
