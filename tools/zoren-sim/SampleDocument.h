// The configuration document the simulator serves when it is given none: a
// controller with one loop controller and one lift block.
#pragma once

#include <string_view>

inline constexpr std::string_view kSampleDocument = R"({
  "mqtt": {
    "host": "broker.dispatch.local",
    "port": 1883,
    "username": "zoren",
    "password": "mqtt-pass",
    "qos": 1,
    "retain": true,
    "willTopic": "zoren/1024/1/status",
    "willMessage": "offline",
    "addTimestamp": true,
    "buffering": true
  },
  "http": {
    "password": "admin:admin"
  },
  "staticTopics": {
    "model": "ZOREN-RF",
    "firmware": "2.4.1"
  },
  "buildings": [
    {
      "id": "1024",
      "connection": {
        "type": "ravikgw",
        "ip": "127.0.0.1",
        "port": 4000,
        "serial": "/dev/ttyS1"
      },
      "devices": [
        {
          "type": "SYS",
          "addr": 0,
          "topics": {
            "MQT": {
              "CNN": { "r": 1, "w": -1 },
              "PVD": { "r": 2, "w": -1 },
              "LVL": { "r": 3, "w": -1 },
              "BTR": { "r": 4, "w": -1 },
              "ALR": { "r": 5, "w": -1 }
            }
          }
        },
        {
          "type": "VELT",
          "addr": 3,
          "params": {
            "debug": 0,
            "type1": 1,
            "type2": 2,
            "type3": 4,
            "type4": 0
          },
          "topics": {
            "FAL/1": { "STT": { "r": 1, "w": -1 } },
            "FAL/2": { "STT": { "r": 2, "w": -1 } },
            "FAL/3": { "STT": { "r": 3, "w": -1 } },
            "TMP": { "TMP": { "r": 9, "w": -1 } }
          }
        },
        {
          "type": "RUML",
          "addr": 7,
          "params": {
            "debug": 0,
            "alarm1.1": "1,15,3,0,Door open",
            "alarm1.2": "0,2,1,0,Stop between floors"
          },
          "topics": {
            "LFT/1": {
              "STT": { "r": 3, "w": -1 },
              "ALR": { "r": 5, "w": -1 },
              "TMP": { "r": 8, "w": -1 }
            },
            "LFT/2": {
              "STT": { "r": 13, "w": -1 },
              "ALR": { "r": 15, "w": -1 }
            }
          }
        }
      ]
    }
  ]
}
)";
