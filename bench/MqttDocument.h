// A generated mqtt.json of a large building, shaped like a controller's own
// configuration: broker and HTTP settings, one building, its dispatch blocks
// with their parameters and MQTT objects. Indented as controllers serve it.
#pragma once

#include <string>

// The same bytes on every call for the same count; 2,000 blocks give about 5 MB.
std::string MakeMqttDocument(int blocks = 2000);
