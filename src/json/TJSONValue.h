// A node of a parsed JSON document and the byte-by-byte reader that fills it,
// with the path lookups and typed conversions the configuration records use.
#pragma once

#include "json/EJSONException.h"
#include "json/TJSONArena.h"
#include "json/TJSONStream.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

enum class TJSONValueType : std::uint8_t { jtString, jtNumber, jtObject, jtArray, jtBoolean, jtNull };

class TJSONValue final {
public:
    // Deepest nesting of objects and arrays a load accepts; one more raises
    // "nesting too deep at pos %d" at the opening bracket.
    static constexpr int MaxDepth = 512;
    // Longest string (value or member name) a load accepts, in bytes.
    static constexpr std::size_t MaxStringLength = 1024;

    TJSONValue() = default;
    ~TJSONValue();
    TJSONValue(const TJSONValue&) = delete;
    TJSONValue& operator=(const TJSONValue&) = delete;

    // Destroys the children, empties Name and Text, makes the node jtNull; Number stays.
    void Clear();
    // Reads the whole file, then parses it with an empty name; raises EJSONException,
    // or EJSONFileError with the system's text when the file cannot be read.
    void LoadFromFile(std::string_view fileName);
    // Parses one value from the stream's position; raises EJSONException. On return
    // the stream stands right behind the value. After a fault the node keeps the
    // children completed before it.
    void LoadFromStream(TJSONStream& stream, std::string_view name);
    // Appends the child; the node takes ownership.
    void AddValue(std::unique_ptr<TJSONValue> child);

    // Number of children, 0 for a node without any.
    int Count() const;
    // The child at the position, or null when the position is out of range.
    TJSONValue* GetByIndex(int position) const;
    // The first child of an object or array with this name, or null.
    TJSONValue* FindByName(std::string_view name) const;
    // The node at a '/'-separated path ("" is the node itself), or null; never raises.
    TJSONValue* ByPath(std::string_view path) const;
    bool PathExist(std::string_view path) const;
    bool IsNull(std::string_view path) const;
    bool IsArray(std::string_view path) const;
    bool IsObject(std::string_view path) const;
    bool IsString(std::string_view path) const;

    // Number of a jtNumber; raises "can't convert this value to number" otherwise.
    double AsNumber() const;
    // AsNumber rounded, halves to even; raises "can't convert this value to integer"
    // when the result does not fit into 64 bits.
    std::int64_t AsInteger() const;
    // Number != 0 for jtNumber and jtBoolean; raises "can't convert this value to boolean" otherwise.
    bool AsBoolean() const;
    // Text, number text (15 significant digits), "true"/"false", "null"; raises
    // "can't get string value from this element" for objects and arrays.
    std::string AsString() const;

    // Lookups with a default; they never raise.
    std::string DefValue(std::string_view path, std::string_view def) const;
    std::string DefValue(std::string_view path, const char* def) const { return DefValue(path, std::string_view(def)); }
    bool DefValue(std::string_view path, bool def) const;
    // AsInteger cut to its low 32 bits, or the default.
    std::int32_t DefValue(std::string_view path, std::int32_t def) const;

    // The decimal text of a number as AsString gives it.
    static std::string NumberToText(double value);

    std::string Name;
    TJSONValueType ValueType = TJSONValueType::jtNull;

private:
    // Kept in the padding after ValueType: a large document is millions of
    // nodes, and every byte of a node is written by the load and read again
    // when the tree is freed.
    bool InArena = false;
    std::uint32_t KidCount = 0;

public:
    double Number = 0.0;
    std::string Text;

private:
    struct Loader;
    explicit TJSONValue(std::string_view name) : Name(name) {}
    void ReleaseChildren();
    void LoadNode(TJSONValue& node, int depth, Loader& loader);
    void KeepChildren(TJSONValue& node, std::size_t first, Loader& loader);
    char GetChar(bool skipBlanks);
    void GoBack();
    TJSONValueType GetValueType();
    std::string GetChars(int count);
    void GetString(std::string& out);
    double GetNumber();
    double ConvertNumber(std::string_view text, std::int64_t end);
    bool GetBoolean();
    void GetNull();

    // Child pointers; KidCapacity 0 means the array lives in an arena. Nodes made
    // by a load live in the arena of the node the load ran on (InArena), nodes
    // given to AddValue on the heap.
    TJSONValue** Kids = nullptr;
    std::uint32_t KidCapacity = 0;
    std::unique_ptr<TJSONArena> Arena;
    // Set while a load runs on this node; not owned.
    TJSONStream* Stream = nullptr;
};
