// The reader works directly on the stream's bytes: blank runs and plain string
// bytes are scanned sixteen at a time, numbers are checked and converted in
// place, and the nodes of a load come from one arena, so the per-byte path has
// no allocation, virtual call or system call.
#include "json/TJSONValue.h"

#include "platform/FileSystem.h"

#include <charconv>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <cmath>
#include <cstring>
#include <system_error>

namespace {

// Byte 11 (vertical tab) is deliberately not a blank.
constexpr bool IsBlank(unsigned char c) {
    // One shift and mask: bits 8, 9, 10, 12, 13 and 32.
    return c <= 32 && ((std::uint64_t(1) << c) & ((1ULL << 8) | (1ULL << 9) | (1ULL << 10) | (1ULL << 12) | (1ULL << 13) | (1ULL << 32))) != 0;
}

// Pretty-printed documents are mostly indentation: spaces are skipped sixteen at a time.
[[gnu::noinline]] std::int64_t SkipBlanks(const char* d, std::int64_t p, std::int64_t size) {
    for (;;) {
#if defined(__SSE2__)
        while (p + 16 <= size) {
            const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + p));
            const unsigned notSpace = ~static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, _mm_set1_epi8(' ')))) & 0xFFFFu;
            if (notSpace == 0) {
                p += 16;
                continue;
            }
            p += __builtin_ctz(notSpace);
            break;
        }
#endif
        if (p >= size || !IsBlank(static_cast<unsigned char>(d[p]))) return p;
        ++p;
    }
}

// Offset of the first '"' or '\\' at or after p, or size; sixteen bytes at a time.
inline std::int64_t FindQuoteOrBackslash(const char* d, std::int64_t p, std::int64_t size) {
#if defined(__SSE2__)
    const __m128i quote = _mm_set1_epi8('"');
    const __m128i backslash = _mm_set1_epi8('\\');
    while (p + 16 <= size) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + p));
        const unsigned hit = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(chunk, quote), _mm_cmpeq_epi8(chunk, backslash))));
        if (hit != 0) return p + __builtin_ctz(hit);
        p += 16;
    }
#endif
    while (p < size && d[p] != '"' && d[p] != '\\') ++p;
    return p;
}

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the eight-digit reads assume little-endian");

// Whether eight bytes (read little-endian) are all decimal digits.
inline bool IsEightDigits(std::uint64_t v) {
    return (((v + 0x4646464646464646ULL) | (v - 0x3030303030303030ULL)) & 0x8080808080808080ULL) == 0;
}

// The value of eight decimal digits, the first byte the most significant.
inline std::uint64_t EightDigitsValue(std::uint64_t v) {
    v -= 0x3030303030303030ULL;
    v = v * 10 + (v >> 8);
    return (((v & 0x000000FF000000FFULL) * (100 + (1000000ULL << 32))) +
            (((v >> 16) & 0x000000FF000000FFULL) * (1 + (10000ULL << 32)))) >> 32;
}

// mantissa * 10^exp10 correctly rounded, for |exp10| <= 22, through the 64-bit
// significand of the x87 extended type: both operands are exact there, the one
// operation rounds once, and the second rounding to double can only go wrong
// when the extended result lies exactly halfway between two doubles, which is
// left to the full conversion (false).
inline bool ExtendedQuotient(std::uint64_t mantissa, int exp10, double& out) {
#if defined(__x86_64__) && __LDBL_MANT_DIG__ == 64
    static constexpr long double kPow10[] = {1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,
                                             1e8L,  1e9L,  1e10L, 1e11L, 1e12L, 1e13L, 1e14L, 1e15L,
                                             1e16L, 1e17L, 1e18L, 1e19L, 1e20L, 1e21L, 1e22L};
    if (exp10 < -22 || exp10 > 22) return false;
    const long double m = static_cast<long double>(mantissa);
    const long double x = exp10 < 0 ? m / kPow10[-exp10] : m * kPow10[exp10];
    std::uint64_t significand;
    std::memcpy(&significand, &x, sizeof significand);
    if ((significand & 0x7FF) == 0x400) return false;
    out = static_cast<double>(x);
    return true;
#else
    return false;
#endif
}

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

// The state of one top-level load: its arena and the stack on which the
// children of the open containers collect before they get an exact-size array.
struct TJSONValue::Loader {
    TJSONArena& arena;
    std::vector<TJSONValue*> pending;
};

TJSONValue::~TJSONValue() { ReleaseChildren(); }

void TJSONValue::ReleaseChildren() {
    // A large tree is long out of the cache when it is freed, and each kid is
    // only reached through its pointer: fetch a few kids ahead, or every
    // destructor waits for memory in turn.
    constexpr std::uint32_t kAhead = 8;
    for (std::uint32_t i = 0; i < KidCount; ++i) {
        if (i + kAhead < KidCount) {
            const char* ahead = reinterpret_cast<const char*>(Kids[i + kAhead]);
            __builtin_prefetch(ahead);
            __builtin_prefetch(ahead + sizeof(TJSONValue) - 1);
        }
        TJSONValue* kid = Kids[i];
        if (kid->InArena) kid->~TJSONValue();
        else delete kid;
    }
    if (KidCapacity != 0) delete[] Kids;
}

void TJSONValue::Clear() {
    ReleaseChildren();
    Kids = nullptr;
    KidCount = 0;
    KidCapacity = 0;
    Arena.reset();  // after the children that live in it
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
    Arena = std::make_unique<TJSONArena>();
    Stream = &stream;
    struct Release {
        TJSONStream*& s;
        ~Release() { s = nullptr; }
    } release{Stream};
    Loader loader{*Arena, {}};
    loader.pending.reserve(256);
    LoadNode(*this, 0, loader);
}

void TJSONValue::AddValue(std::unique_ptr<TJSONValue> child) {
    if (!child) return;
    if (KidCount == KidCapacity || KidCapacity == 0) {
        const std::uint32_t capacity = KidCount < 4 ? 4 : KidCount * 2;
        auto** grown = new TJSONValue*[capacity];
        for (std::uint32_t i = 0; i < KidCount; ++i) grown[i] = Kids[i];
        if (KidCapacity != 0) delete[] Kids;
        Kids = grown;
        KidCapacity = capacity;
    }
    child->InArena = false;
    Kids[KidCount++] = child.release();
}

// Moves the completed children of node, pending[first..], into an array of
// their own; also on a fault, so that a node keeps what was read before it.
void TJSONValue::KeepChildren(TJSONValue& node, std::size_t first, Loader& loader) {
    const std::size_t n = loader.pending.size() - first;
    if (n == 0) return;
    auto** kids = static_cast<TJSONValue**>(loader.arena.Allocate(n * sizeof(TJSONValue*)));
    for (std::size_t i = 0; i < n; ++i) kids[i] = loader.pending[first + i];
    node.Kids = kids;
    node.KidCount = static_cast<std::uint32_t>(n);
    node.KidCapacity = 0;
    loader.pending.resize(first);
}

inline char TJSONValue::GetChar(bool skipBlanks) {
    const char* const d = Stream->Data();
    const std::int64_t size = Stream->Size();
    std::int64_t p = Stream->Position();
    if (p < size && !(skipBlanks && IsBlank(static_cast<unsigned char>(d[p])))) {
        Stream->SetPosition(p + 1);
        return d[p];
    }
    if (skipBlanks) p = SkipBlanks(d, p, size);
    if (p >= size) {
        Stream->SetPosition(size);
        RaiseEndOfFile(size);
    }
    Stream->SetPosition(p + 1);
    return d[p];
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
        p = FindQuoteOrBackslash(d, p, size);
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

    // Fast path: a well-formed number directly followed by a byte that ends it
    // (no blank, no further number byte, not the end of the input).
    {
        const char* q = d + start;
        const char* const end = d + size;
        const bool negative = q < end && *q == '-';
        if (negative) ++q;
        std::uint64_t mantissa = 0;
        int significant = 0;
        int exp10 = 0;
        int mantissaDigits = 0;
        while (q < end && IsDigit(static_cast<unsigned char>(*q))) {
            if (significant < 19) {
                mantissa = mantissa * 10 + std::uint64_t(*q - '0');
                if (mantissa != 0) ++significant;
            } else {
                ++exp10;
                significant = 20;  // precision lost: leave it to the full conversion
            }
            ++q;
            ++mantissaDigits;
        }
        if (q < end && *q == '.') {
            ++q;
            // Eight fraction digits at a time while they fit into the 19 kept digits.
            while (significant <= 11 && end - q >= 8) {
                std::uint64_t chunk;
                std::memcpy(&chunk, q, 8);
                if (!IsEightDigits(chunk)) break;
                const std::uint64_t eight = EightDigitsValue(chunk);
                const bool wasZero = mantissa == 0;
                mantissa = mantissa * 100000000u + eight;
                if (!wasZero) significant += 8;
                else for (std::uint64_t e = eight; e != 0; e /= 10) ++significant;
                exp10 -= 8;
                q += 8;
                mantissaDigits += 8;
            }
            while (q < end && IsDigit(static_cast<unsigned char>(*q))) {
                if (significant < 19) {
                    mantissa = mantissa * 10 + std::uint64_t(*q - '0');
                    if (mantissa != 0) ++significant;
                    --exp10;
                } else {
                    significant = 20;
                }
                ++q;
                ++mantissaDigits;
            }
        }
        bool wellFormed = mantissaDigits > 0;
        if (wellFormed && q < end && (*q == 'e' || *q == 'E')) {
            ++q;
            bool expNegative = false;
            if (q < end && (*q == '+' || *q == '-')) expNegative = *q++ == '-';
            int expDigits = 0;
            int e = 0;
            while (q < end && IsDigit(static_cast<unsigned char>(*q))) {
                if (e < 100000) e = e * 10 + (*q - '0');
                ++q;
                ++expDigits;
            }
            wellFormed = expDigits > 0;
            exp10 += expNegative ? -e : e;
        }
        if (wellFormed && q < end && !IsNumberByte(static_cast<unsigned char>(*q)) &&
            !IsBlank(static_cast<unsigned char>(*q))) {
            Stream->SetPosition(q - d);
            static constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
            if (mantissa == 0 && significant <= 19) return negative ? -0.0 : 0.0;
            // Exact mantissa and exact power of ten: one correctly rounded operation.
            if (significant <= 19 && mantissa <= (std::uint64_t(1) << 53) && exp10 >= -22 && exp10 <= 22) {
                double v = static_cast<double>(mantissa);
                v = exp10 < 0 ? v / kPow10[-exp10] : v * kPow10[exp10];
                return negative ? -v : v;
            }
            double v;
            if (significant <= 19 && ExtendedQuotient(mantissa, exp10, v)) return negative ? -v : v;
            const std::string_view text(d + start, static_cast<std::size_t>(q - (d + start)));
            return ConvertNumber(text, q - d);
        }
    }

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
    return ConvertNumber(text, p);
}

// A number text whose grammar was checked; end is the position after the number.
double TJSONValue::ConvertNumber(std::string_view text, std::int64_t end) {
    const std::int64_t p = end;
    double value = 0.0;
    const auto [stop, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec == std::errc::result_out_of_range) {
        if (IsOverflow(text)) Raise("unknown number at pos ", p - 1);
        return text[0] == '-' ? -0.0 : 0.0;
    }
    if (ec != std::errc() || stop != text.data() + text.size()) Raise("unknown number at pos ", p - 1);
    return value;
}

// True, with the stream behind it, when the literal's bytes follow exactly
// (the common case, without blanks between the letters).
static bool TakeExact(TJSONStream& stream, std::string_view literal) {
    const std::int64_t p = stream.Position();
    if (p + static_cast<std::int64_t>(literal.size()) > stream.Size()) return false;
    if (std::string_view(stream.Data() + p, literal.size()) != literal) return false;
    stream.SetPosition(p + static_cast<std::int64_t>(literal.size()));
    return true;
}

bool TJSONValue::GetBoolean() {
    if (GetChar(true) == 't') {
        if (!TakeExact(*Stream, "rue") && GetChars(3) != "rue") Raise("bad value at pos ", Stream->Position() - 4);
        return true;
    }
    if (!TakeExact(*Stream, "alse") && GetChars(4) != "alse") Raise("bad value at pos ", Stream->Position() - 5);
    return false;
}

void TJSONValue::GetNull() {
    if (!TakeExact(*Stream, "null") && GetChars(4) != "null") Raise("bad value at pos ", Stream->Position() - 4);
}

void TJSONValue::LoadNode(TJSONValue& node, int depth, Loader& loader) {
    node.ValueType = GetValueType();
    switch (node.ValueType) {
        case TJSONValueType::jtString: GetString(node.Text); return;
        case TJSONValueType::jtNumber: node.Number = GetNumber(); return;
        case TJSONValueType::jtBoolean: node.Number = GetBoolean() ? 1.0 : 0.0; return;
        case TJSONValueType::jtNull: GetNull(); return;
        case TJSONValueType::jtObject:
        case TJSONValueType::jtArray: break;
    }
    const bool isObject = node.ValueType == TJSONValueType::jtObject;
    if (depth >= MaxDepth) Raise("nesting too deep at pos ", Stream->Position());
    GetChar(true);
    if (GetChar(true) == (isObject ? '}' : ']')) return;
    GoBack();
    const std::size_t first = loader.pending.size();
    TJSONValue* child = nullptr;
    try {
        for (int counter = 0;; ++counter) {
            void* memory = loader.arena.Allocate(sizeof(TJSONValue));
            if (isObject) {
                child = new (memory) TJSONValue();
                child->InArena = true;
                GetString(child->Name);
                if (GetChar(true) != ':') Raise("colon expected at pos ", Stream->Position() - 1);
            } else {
                char digits[16];
                const auto r = std::to_chars(digits, digits + sizeof digits, counter);
                child = new (memory) TJSONValue(std::string_view(digits, static_cast<std::size_t>(r.ptr - digits)));
                child->InArena = true;
            }
            LoadNode(*child, depth + 1, loader);
            loader.pending.push_back(child);
            child = nullptr;
            const char c = GetChar(true);
            if (c == (isObject ? '}' : ']')) break;
            if (c != ',') {
                if (isObject) Raise("expected \",\" or \"}\" at pos ", Stream->Position() - 1);
                Raise("expected \",\" or \"]\" at pos ", Stream->Position() - 1);
            }
        }
    } catch (...) {
        // The child whose load failed goes with all that was read into it.
        if (child) child->~TJSONValue();
        KeepChildren(node, first, loader);
        throw;
    }
    KeepChildren(node, first, loader);
}

int TJSONValue::Count() const { return static_cast<int>(KidCount); }

TJSONValue* TJSONValue::GetByIndex(int position) const {
    if (position < 0 || position >= Count()) return nullptr;
    return Kids[position];
}

TJSONValue* TJSONValue::FindByName(std::string_view name) const {
    if (ValueType != TJSONValueType::jtObject && ValueType != TJSONValueType::jtArray) return nullptr;
    for (std::uint32_t i = 0; i < KidCount; ++i)
        if (Kids[i]->Name == name) return Kids[i];
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
