// The MQTT-object and topic readers on a parsed "topics" node, and the naming
// rules on an object name of arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "config/MQT_OBJ.h"
#include "config/MQT_OBJ_LIST.h"
#include "config/TOPIC_LIST.h"
#include "json/TJSONValue.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    MQT_OBJ named;
    named.name = std::string(bytes.substr(0, 200));
    (void)named.Prefix();
    (void)named.ObjectNumber();
    (void)named.KindCode();
    (void)named.DisplayName();

    TJSONStream stream(bytes);
    TJSONValue root;
    try {
        root.LoadFromStream(stream, "topics");
    } catch (const EJSONException&) {
        return 0;
    }
    MQT_OBJ_LIST objects;
    objects.LoadFromJson(&root);
    for (int i = 0; i < objects.Count(); ++i) {
        MQT_OBJ* object = objects.Get(i);
        (void)object->DisplayName();
        TOPIC_LIST& topics = object->topics;
        for (int j = 0; j < topics.Count(); ++j) {
            const TOPIC* topic = topics.Get(j);
            (void)topics.Find(topic->name);
        }
        topics.Set("TMP", 1, -1);
        topics.Remove("TMP");
        topics.Delete(topics.Count() - 1);
    }
    objects.Delete(0);
    return 0;
}
