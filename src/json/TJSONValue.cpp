// The reader works directly on the stream's bytes: runs of plain string bytes
// and number bytes are scanned in place, so the per-byte path is a table
// lookup and a compare, with no allocation, virtual call or system call.
#include "json/TJSONValue.h"

#include "platform/FileSystem.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace {

// Byte 11 (vertical tab) is deliberately not a blank.
constexpr bool IsBlank(unsigned char c) { return c == 8 || c == 9 || c == 10 || c == 12 || c == 13 || c == 32; }

constexpr bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }

constexpr bool IsNumberByte(unsigned char c) {
    return IsDigit(c) || c == '+' || c == '-' || c == '.' || c == 'e' || c == 'E';
}

[[noreturn]] void Raise(const char* prefix, std::int64_t pos) {
    throw EJSONException(std::string(prefix) + std::to_string(pos));
}

[[noreturn]] void RaiseEndOfFile(std::int64_t pos) { Raise("unexpected end of file at pos ", pos); }

struct NumberCheck {
    std::size_t errorIndex = 0;  // 1-based index of the first byte not accepted; 0 when all is accepted
    std::size_t mantissaDigits = 0;
};

// Sign, digits, optional '.' with digits on either side or none, optional
// exponent with at least one digit, nothing after that.
NumberCheck CheckNumberText(std::string_view t) {
    NumberCheck r;
    std::size_t i = 0;
    const std::size_t n = t.size();
    if (i < n && (t[i] == '+' || t[i] == '-')) ++i;
    while (i < n && IsDigit(t[i])) ++i, ++r.mantissaDigits;
    bool point = false;
    if (i < n && t[i] == '.') {
        point = true;
        ++i;
        while (i < n && IsDigit(t[i])) ++i, ++r.mantissaDigits;
    }
    if (r.mantissaDigits == 0 && !point) {
        r.errorIndex = i + 1;
        return r;
    }
    if (i < n && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < n && (t[i] == '+' || t[i] == '-')) ++i;
        std::size_t expDigits = 0;
        while (i < n && IsDigit(t[i])) ++i, ++expDigits;
        if (expDigits == 0) {
            r.errorIndex = i + 1;
            return r;
        }
    }
    if (i < n) r.errorIndex = i + 1;
    return r;
}

// Whether a well-formed number text that the conversion found out of range is
// too large (rather than too small, which reads as zero).
bool IsOverflow(std::string_view t) {
    std::size_t i = 0;
    if (t[i] == '+' || t[i] == '-') ++i;
    long long magnitude = 0;  // decimal exponent of the first significant digit, before the exponent part
    bool found = false;
    long long intDigits = 0;
    while (i < t.size() && IsDigit(t[i])) {
        if (found || t[i] != '0') {
            found = true;
            ++intDigits;
        }
        ++i;
    }
    if (found) {
        magnitude = intDigits - 1;
    } else if (i < t.size() && t[i] == '.') {
        ++i;
        long long zeros = 0;
        while (i < t.size() && t[i] == '0') ++i, ++zeros;
        magnitude = -(zeros + 1);
    }
    while (i < t.size() && t[i] != 'e' && t[i] != 'E') ++i;
    long long exponent = 0;
    if (i < t.size()) {
        ++i;
        bool negative = false;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
        while (i < t.size() && IsDigit(t[i])) {
            if (exponent < 1000000000LL) exponent = exponent * 10 + (t[i] - '0');
            ++i;
        }
        if (negative) exponent = -exponent;
    }
    return magnitude + exponent > 0;
}

}  // namespace

TJSONValue::~TJSONValue() { Clear(); }

void TJSONValue::Clear() {
    Children.clear();
    Children.shrink_to_fit();
    Name.clear();
    Text.clear();
    ValueType = TJSONValueType::jtNull;
}

void TJSONValue::LoadFromFile(std::string_view fileName) {
    std::string bytes;
    std::string error;
    if (!fs1251::ReadWholeFile(fileName, bytes, error)) throw EJSONFileError(error);
    TJSONStream stream(bytes);
    LoadFromStream(stream, {});
}

void TJSONValue::LoadFromStream(TJSONStream& stream, std::string_view name) {
    Clear();
    Name.assign(name);
    Stream = &stream;
    struct Release {
        TJSONStream*& s;
        ~Release() { s = nullptr; }
    } release{Stream};
    Load(0);
}

void TJSONValue::AddValue(std::unique_ptr<TJSONValue> child) {
    if (child) Children.push_back(std::move(child));
}

char TJSONValue::GetChar(bool skipBlanks) {
    char c;
    for (;;) {
        if (!Stream->Read(c)) RaiseEndOfFile(Stream->Position());
        if (!skipBlanks || !IsBlank(static_cast<unsigned char>(c))) return c;
    }
}

void TJSONValue::GoBack() { Stream->GoBack(); }

TJSONValueType TJSONValue::GetValueType() {
    const unsigned char c = static_cast<unsigned char>(GetChar(true));
    GoBack();
    switch (c) {
        case '"': return TJSONValueType::jtString;
        case '-': case '0': case '1': case '2': case '3': case '4':
        case '5': case '6': case '7': case '8': case '9': return TJSONValueType::jtNumber;
        case '{': return TJSONValueType::jtObject;
        case '[': return TJSONValueType::jtArray;
        case 't': case 'f': return TJSONValueType::jtBoolean;
        case 'n': return TJSONValueType::jtNull;
        default: Raise("unknown value at pos ", Stream->Position());
    }
}

std::string TJSONValue::GetChars(int count) {
    std::string s;
    for (int i = 0; i < count; ++i) s.push_back(GetChar(true));
    return s;
}

void TJSONValue::GetString(std::string& out) {
    if (GetChar(true) != '"') Raise("bad string format pos ", Stream->Position() - 1);
    out.clear();
    const char* const d = Stream->Data();
    const std::int64_t size = Stream->Size();
    std::int64_t p = Stream->Position();
    for (;;) {
        const std::int64_t start = p;
        while (p < size && d[p] != '"' && d[p] != '\\') ++p;
        const std::size_t run = static_cast<std::size_t>(p - start);
        if (out.size() + run > MaxStringLength) {
            // The fault comes with the byte that makes the text one byte too long.
            const std::int64_t after = start + static_cast<std::int64_t>(MaxStringLength - out.size()) + 1;
            Stream->SetPosition(after);
            Raise("string too long at pos ", after - static_cast<std::int64_t>(MaxStringLength));
        }
        out.append(d + start, run);
        if (p >= size) {
            Stream->SetPosition(size);
            RaiseEndOfFile(size);
        }
        if (d[p++] == '"') {
            Stream->SetPosition(p);
            return;
        }
        if (p >= size) {
            Stream->SetPosition(size);
            RaiseEndOfFile(size);
        }
        const char e = d[p++];
        Stream->SetPosition(p);
        char appended;
        switch (e) {
            case '"': appended = '"'; break;
            case '\\': appended = '\\'; break;
            case '/': appended = '/'; break;
            case 'b': appended = 8; break;
            case 'f': appended = 12; break;
            case 'n': appended = 10; break;
            case 'r': appended = 13; break;
            case 't': appended = 9; break;
            case 'u': Raise("sorry, hex digits unsupported at pos ", p - 1);
            default: Raise("unknown symbol at pos ", p - 1);
        }
        out.push_back(appended);
        if (out.size() > MaxStringLength) Raise("string too long at pos ", p - static_cast<std::int64_t>(MaxStringLength));
    }
}

double TJSONValue::GetNumber() {
    const char* const d = Stream->Data();
    const std::int64_t size = Stream->Size();
    const std::int64_t start = Stream->Position();
    std::int64_t p = start;
    // Blanks inside a number are dropped; only then is the text copied.
    bool blanks = false;
    std::string joined;
    for (;;) {
        if (p >= size) {
            Stream->SetPosition(size);
            RaiseEndOfFile(size);
        }
        const unsigned char c = static_cast<unsigned char>(d[p]);
        if (IsNumberByte(c)) {
            if (blanks) joined.push_back(static_cast<char>(c));
        } else if (IsBlank(c)) {
            if (!blanks) {
                blanks = true;
                joined.assign(d + start, static_cast<std::size_t>(p - start));
            }
        } else {
            break;
        }
        ++p;
    }
    Stream->SetPosition(p);
    const std::string_view text = blanks ? std::string_view(joined) : std::string_view(d + start, std::size_t(p - start));
    const NumberCheck check = CheckNumberText(text);
    if (check.errorIndex != 0) Raise("unknown number at pos ", p - static_cast<std::int64_t>(check.errorIndex));
    if (check.mantissaDigits == 0) return 0.0;  // "-." and the like
    double value = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec == std::errc::result_out_of_range) {
        if (IsOverflow(text)) Raise("unknown number at pos ", p - 1);
        return text[0] == '-' ? -0.0 : 0.0;
    }
    if (ec != std::errc() || end != text.data() + text.size()) Raise("unknown number at pos ", p - 1);
    return value;
}

bool TJSONValue::GetBoolean() {
    if (GetChar(true) == 't') {
        if (GetChars(3) != "rue") Raise("bad value at pos ", Stream->Position() - 4);
        return true;
    }
    if (GetChars(4) != "alse") Raise("bad value at pos ", Stream->Position() - 5);
    return false;
}

void TJSONValue::GetNull() {
    if (GetChars(4) != "null") Raise("bad value at pos ", Stream->Position() - 4);
}

void TJSONValue::Load(int depth) {
    ValueType = GetValueType();
    switch (ValueType) {
        case TJSONValueType::jtString: GetString(Text); return;
        case TJSONValueType::jtNumber: Number = GetNumber(); return;
        case TJSONValueType::jtBoolean: Number = GetBoolean() ? 1.0 : 0.0; return;
        case TJSONValueType::jtNull: GetNull(); return;
        case TJSONValueType::jtObject: {
            if (depth >= MaxDepth) Raise("nesting too deep at pos ", Stream->Position());
            GetChar(true);
            if (GetChar(true) == '}') return;
            GoBack();
            for (;;) {
                auto child = std::make_unique<TJSONValue>();
                GetString(child->Name);
                if (GetChar(true) != ':') Raise("colon expected at pos ", Stream->Position() - 1);
                child->Stream = Stream;
                child->Load(depth + 1);
                child->Stream = nullptr;
                Children.push_back(std::move(child));
                const char c = GetChar(true);
                if (c == '}') return;
                if (c != ',') Raise("expected \",\" or \"}\" at pos ", Stream->Position() - 1);
            }
        }
        case TJSONValueType::jtArray: {
            if (depth >= MaxDepth) Raise("nesting too deep at pos ", Stream->Position());
            GetChar(true);
            if (GetChar(true) == ']') return;
            GoBack();
            for (int counter = 0;; ++counter) {
                auto child = std::make_unique<TJSONValue>();
                char digits[16];
                const auto r = std::to_chars(digits, digits + sizeof digits, counter);
                child->Name.assign(digits, r.ptr);
                child->Stream = Stream;
                child->Load(depth + 1);
                child->Stream = nullptr;
                Children.push_back(std::move(child));
                const char c = GetChar(true);
                if (c == ']') return;
                if (c != ',') Raise("expected \",\" or \"]\" at pos ", Stream->Position() - 1);
            }
        }
    }
}

int TJSONValue::Count() const { return static_cast<int>(Children.size()); }

TJSONValue* TJSONValue::GetByIndex(int position) const {
    if (position < 0 || position >= Count()) return nullptr;
    return Children[static_cast<std::size_t>(position)].get();
}

TJSONValue* TJSONValue::FindByName(std::string_view name) const {
    if (ValueType != TJSONValueType::jtObject && ValueType != TJSONValueType::jtArray) return nullptr;
    for (const auto& child : Children)
        if (child->Name == name) return child.get();
    return nullptr;
}

TJSONValue* TJSONValue::ByPath(std::string_view path) const {
    const TJSONValue* node = this;
    for (;;) {
        if (path.empty()) return const_cast<TJSONValue*>(node);
        const std::size_t slash = path.find('/');
        if (slash == std::string_view::npos) return node->FindByName(path);
        node = node->FindByName(path.substr(0, slash));
        if (!node) return nullptr;
        path.remove_prefix(slash + 1);
    }
}

bool TJSONValue::PathExist(std::string_view path) const { return ByPath(path) != nullptr; }

bool TJSONValue::IsNull(std::string_view path) const {
    const TJSONValue* v = ByPath(path);
    return v && v->ValueType == TJSONValueType::jtNull;
}

bool TJSONValue::IsArray(std::string_view path) const {
    const TJSONValue* v = ByPath(path);
    return v && v->ValueType == TJSONValueType::jtArray;
}

bool TJSONValue::IsObject(std::string_view path) const {
    const TJSONValue* v = ByPath(path);
    return v && v->ValueType == TJSONValueType::jtObject;
}

bool TJSONValue::IsString(std::string_view path) const {
    const TJSONValue* v = ByPath(path);
    return v && v->ValueType == TJSONValueType::jtString;
}

double TJSONValue::AsNumber() const {
    if (ValueType != TJSONValueType::jtNumber) throw EJSONException("can't convert this value to number");
    return Number;
}

std::int64_t TJSONValue::AsInteger() const {
    // nearbyint rounds halves to even under the default rounding mode.
    const double r = std::nearbyint(AsNumber());
    if (!(r >= -9223372036854775808.0 && r < 9223372036854775808.0))
        throw EJSONException("can't convert this value to integer");
    return static_cast<std::int64_t>(r);
}

bool TJSONValue::AsBoolean() const {
    if (ValueType != TJSONValueType::jtNumber && ValueType != TJSONValueType::jtBoolean)
        throw EJSONException("can't convert this value to boolean");
    return Number != 0.0;
}

std::string TJSONValue::AsString() const {
    switch (ValueType) {
        case TJSONValueType::jtString: return Text;
        case TJSONValueType::jtNumber: return NumberToText(Number);
        case TJSONValueType::jtBoolean: return Number != 0.0 ? "true" : "false";
        case TJSONValueType::jtNull: return "null";
        default: throw EJSONException("can't get string value from this element");
    }
}

std::string TJSONValue::NumberToText(double value) {
    if (value == 0.0) return "0";
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    // 15 significant digits, rounded once; the exponent of the rounded value
    // decides between fixed and scientific notation.
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 14);
    const std::string_view sci(buf, static_cast<std::size_t>(r.ptr - buf));
    const std::size_t ePos = sci.find('e');
    std::string digits;
    digits.push_back(sci[0]);
    digits.append(sci.substr(2, ePos - 2));
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    int exponent = 0;
    std::from_chars(sci.data() + ePos + (sci[ePos + 1] == '+' ? 2 : 1), sci.data() + sci.size(), exponent);

    std::string out;
    if (value < 0) out.push_back('-');
    if (exponent >= -4 && exponent < 15) {
        if (exponent < 0) {
            out.append("0.");
            out.append(static_cast<std::size_t>(-exponent - 1), '0');
            out.append(digits);
        } else {
            const std::size_t intLen = static_cast<std::size_t>(exponent) + 1;
            if (digits.size() <= intLen) {
                out.append(digits);
                out.append(intLen - digits.size(), '0');
            } else {
                out.append(digits, 0, intLen);
                out.push_back('.');
                out.append(digits, intLen, std::string::npos);
            }
        }
    } else {
        out.push_back(digits[0]);
        if (digits.size() > 1) {
            out.push_back('.');
            out.append(digits, 1, std::string::npos);
        }
        out.push_back('E');
        out.append(std::to_string(exponent));
    }
    return out;
}

std::string TJSONValue::DefValue(std::string_view path, std::string_view def) const {
    try {
        if (const TJSONValue* v = ByPath(path)) return v->AsString();
    } catch (...) {
    }
    return std::string(def);
}

bool TJSONValue::DefValue(std::string_view path, bool def) const {
    try {
        if (const TJSONValue* v = ByPath(path)) return v->AsBoolean();
    } catch (...) {
    }
    return def;
}

std::int32_t TJSONValue::DefValue(std::string_view path, std::int32_t def) const {
    try {
        if (const TJSONValue* v = ByPath(path))
            return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(v->AsInteger())));
    } catch (...) {
    }
    return def;
}
