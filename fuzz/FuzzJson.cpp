// The JSON reader on arbitrary bytes, then every typed lookup on what parses.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "json/TJSONValue.h"

namespace {

const char* const kPaths[] = {"", "a", "a/b", "/", "//", "0", "buildings", "buildings/0/devices", "x/y/z/",
                              "mqtt/broker", "http/login"};

// Touches each node the way the configuration records do.
void Walk(const TJSONValue& node, int depth) {
    try {
        (void)node.AsString();
    } catch (const EJSONException&) {
    }
    try {
        (void)node.AsInteger();
    } catch (const EJSONException&) {
    }
    try {
        (void)node.AsBoolean();
    } catch (const EJSONException&) {
    }
    for (const char* path : kPaths) {
        (void)node.ByPath(path);
        (void)node.PathExist(path);
        (void)node.IsNull(path);
        (void)node.IsArray(path);
        (void)node.IsObject(path);
        (void)node.IsString(path);
        (void)node.DefValue(path, "def");
        (void)node.DefValue(path, true);
        (void)node.DefValue(path, std::int32_t(-7));
    }
    if (depth > 64) return;  // the path lookups are what matter on deep trees
    for (int i = 0; i < node.Count(); ++i) {
        const TJSONValue* child = node.GetByIndex(i);
        (void)node.FindByName(child->Name);
        (void)node.ByPath(child->Name);
        Walk(*child, depth + 1);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    TJSONStream stream(bytes);
    TJSONValue root;
    bool parsed = true;
    try {
        root.LoadFromStream(stream, "");
    } catch (const EJSONException&) {
        parsed = false;
    }
    // A partial tree after a fault must still be safe to walk and release.
    Walk(root, 0);
    (void)parsed;
    return 0;
}
