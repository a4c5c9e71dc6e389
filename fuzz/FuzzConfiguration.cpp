// The configuration document walk the editor runs on every opening, on
// whatever parses as JSON, and the names and catalogues it then shows.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "config/ConfigurationDocument.h"
#include "config/DEVICE.h"
#include "config/DEVICE_LIST.h"
#include "config/MQT_OBJ.h"
#include "config/TParamList.h"
#include "json/TJSONValue.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TJSONStream stream(std::string_view(reinterpret_cast<const char*>(data), size));
    TJSONValue root;
    try {
        root.LoadFromStream(stream, "");
    } catch (const EJSONException&) {
        return 0;  // the editor stops here too
    }
    DEVICE_LIST blocks;
    try {
        ReadConfiguration(root, blocks);
    } catch (const EJSONException&) {
        // a block's params holding an object: the blocks read so far stay
    }
    for (int i = 0; i < blocks.Count(); ++i) {
        const DEVICE* block = blocks.Get(i);
        (void)block->DisplayName();
        TParamList params;
        block->FillParamList(params);
        for (int j = 0; j < block->topics.Count(); ++j) {
            const MQT_OBJ* object = block->topics.Get(j);
            (void)object->DisplayName();
            (void)object->KindCode();
        }
    }
    return 0;
}
