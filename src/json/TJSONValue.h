// A node of a parsed JSON document and the byte-by-byte reader that fills it,
// with the path lookups and typed conversions the configuration records use.
#pragma once

#include "json/EJSONException.h"
#include "json/TJSONStream.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

enum class TJSONValueType : std::uint8_t { jtString, jtNumber, jtObject, jtArray, jtBoolean, jtNull };

class TJSONValue {
public:
    TJSONValue() = default;
    ~TJSONValue();
    TJSONValue(const TJSONValue&) = delete;
    TJSONValue& operator=(const TJSONValue&) = delete;

    void Clear();
    // Reads the whole file, then parses it; raises EJSONException, or
    // EJSONFileError when the file cannot be read.
    void LoadFromFile(std::string_view fileName);
    // Parses one value from the stream's position; raises EJSONException.
    void LoadFromStream(TJSONStream& stream, std::string_view name);
    void AddValue(std::unique_ptr<TJSONValue> child);

    int Count() const;
    TJSONValue* GetByIndex(int position) const;
    TJSONValue* FindByName(std::string_view name) const;
    TJSONValue* ByPath(std::string_view path) const;
    bool PathExist(std::string_view path) const;
    bool IsNull(std::string_view path) const;
    bool IsArray(std::string_view path) const;
    bool IsObject(std::string_view path) const;
    bool IsString(std::string_view path) const;

    double AsNumber() const;
    std::int64_t AsInteger() const;
    bool AsBoolean() const;
    std::string AsString() const;

    // Lookups with a default; they never raise.
    std::string DefValue(std::string_view path, std::string_view def) const;
    std::string DefValue(std::string_view path, const char* def) const { return DefValue(path, std::string_view(def)); }
    bool DefValue(std::string_view path, bool def) const;
    std::int32_t DefValue(std::string_view path, std::int32_t def) const;

    std::string Name;
    TJSONValueType ValueType = TJSONValueType::jtNull;
    double Number = 0.0;
    std::string Text;

private:
    std::unique_ptr<std::vector<std::unique_ptr<TJSONValue>>> Children;
    TJSONStream* Stream = nullptr;
};
