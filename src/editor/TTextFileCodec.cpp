// Encoding detection and conversion for the editor's files; line breaks are
// left in the text so that mixed ones survive a save.
#include "editor/TTextFileCodec.h"

#include <algorithm>

#include "platform/Cp1251.h"

namespace {

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    std::string out;
    out.reserve(bytes.size());
    auto unit = [&](std::size_t i) {
        auto b0 = static_cast<unsigned char>(bytes[i]);
        auto b1 = static_cast<unsigned char>(bytes[i + 1]);
        return bigEndian ? char16_t(b0 << 8 | b1) : char16_t(b1 << 8 | b0);
    };
    std::size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        char16_t u = unit(i);
        if (u >= 0xD800 && u < 0xDC00 && i + 3 < bytes.size()) {
            char16_t v = unit(i + 2);
            if (v >= 0xDC00 && v < 0xE000) {
                AppendUtf8(out, 0x10000 + ((char32_t(u) - 0xD800) << 10) + (v - 0xDC00));
                i += 2;
                continue;
            }
        }
        AppendUtf8(out, (u >= 0xD800 && u < 0xE000) ? char32_t(0xFFFD) : char32_t(u));
    }
    if (i < bytes.size()) AppendUtf8(out, 0xFFFD);  // odd trailing byte
    return out;
}

void AppendUtf16(std::string& out, char16_t u, bool bigEndian) {
    if (bigEndian) {
        out += char(u >> 8);
        out += char(u & 0xFF);
    } else {
        out += char(u & 0xFF);
        out += char(u >> 8);
    }
}

std::string Utf8ToUtf16(std::string_view text, bool bigEndian) {
    std::string out;
    out.reserve(text.size() * 2 + 2);
    AppendUtf16(out, 0xFEFF, bigEndian);
    std::size_t i = 0;
    while (i < text.size()) {
        auto c = static_cast<unsigned char>(text[i]);
        char32_t cp = 0xFFFD;
        int extra = c < 0x80             ? 0
                    : (c & 0xE0) == 0xC0 ? 1
                    : (c & 0xF0) == 0xE0 ? 2
                    : (c & 0xF8) == 0xF0 ? 3
                                         : -1;
        if (extra == 0) {
            cp = c;
        } else if (extra > 0 && i + std::size_t(extra) < text.size()) {
            cp = c & (0x3F >> extra);
            for (int k = 1; k <= extra; ++k) {
                auto d = static_cast<unsigned char>(text[i + k]);
                if ((d & 0xC0) != 0x80) {
                    cp = 0xFFFD;
                    extra = 0;
                    break;
                }
                cp = (cp << 6) | (d & 0x3F);
            }
        } else {
            extra = 0;
        }
        i += std::size_t(extra) + 1;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            AppendUtf16(out, char16_t(0xD800 + (cp >> 10)), bigEndian);
            AppendUtf16(out, char16_t(0xDC00 + (cp & 0x3FF)), bigEndian);
        } else {
            AppendUtf16(out, char16_t(cp), bigEndian);
        }
    }
    return out;
}

bool HasPrefix(std::string_view s, std::string_view p) { return s.substr(0, p.size()) == p; }

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LEBom = "\xFF\xFE";
constexpr std::string_view kUtf16BEBom = "\xFE\xFF";

TTextFileCodec::Encoding Detect(std::string_view bytes) {
    using E = TTextFileCodec::Encoding;
    if (HasPrefix(bytes, kUtf8Bom)) return E::Utf8Bom;
    if (HasPrefix(bytes, kUtf16LEBom)) return E::Utf16LE;
    if (HasPrefix(bytes, kUtf16BEBom)) return E::Utf16BE;
    return IsValidUtf8(bytes) ? E::Utf8 : E::Ansi;
}

// The text of the bytes in a known encoding, marks dropped.
std::string ToText(std::string_view bytes, TTextFileCodec::Encoding e) {
    using E = TTextFileCodec::Encoding;
    switch (e) {
        case E::Utf8Bom:
            return std::string(HasPrefix(bytes, kUtf8Bom) ? bytes.substr(3) : bytes);
        case E::Utf16LE:
            return Utf16ToUtf8(HasPrefix(bytes, kUtf16LEBom) ? bytes.substr(2) : bytes, false);
        case E::Utf16BE:
            return Utf16ToUtf8(HasPrefix(bytes, kUtf16BEBom) ? bytes.substr(2) : bytes, true);
        case E::Ansi:
            return Cp1251ToUtf8(bytes);
        case E::Utf8:
            break;
    }
    return std::string(bytes);
}

}  // namespace

std::string_view TTextFileCodec::BreakBytes(LineBreak lb) {
    switch (lb) {
        case LineBreak::LF:
            return "\n";
        case LineBreak::CR:
            return "\r";
        case LineBreak::CRLF:
            break;
    }
    return "\r\n";
}

std::string TTextFileCodec::Decode(std::string_view bytes, Format& format) {
    format = Format{};
    format.encoding = Detect(bytes);
    std::string text = ToText(bytes, format.encoding);

    std::size_t br = text.find_first_of("\r\n");
    if (br == std::string::npos)
        format.lineBreak = LineBreak::CRLF;
    else if (text[br] == '\n')
        format.lineBreak = LineBreak::LF;
    else
        format.lineBreak = (br + 1 < text.size() && text[br + 1] == '\n') ? LineBreak::CRLF : LineBreak::CR;

    if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0)
        format.finalBreak = "\r\n";
    else if (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        format.finalBreak = text.substr(text.size() - 1);
    format.finalLineBreak = !format.finalBreak.empty();
    text.resize(text.size() - format.finalBreak.size());
    return text;
}

std::string TTextFileCodec::Encode(std::string_view text, const Format& format) {
    std::string full(text);
    if (format.finalLineBreak)
        full += format.finalBreak.empty() ? std::string(BreakBytes(format.lineBreak)) : format.finalBreak;
    switch (format.encoding) {
        case Encoding::Utf16LE:
            return Utf8ToUtf16(full, false);
        case Encoding::Utf16BE:
            return Utf8ToUtf16(full, true);
        case Encoding::Ansi:
            return Utf8ToCp1251(full);
        case Encoding::Utf8:
        case Encoding::Utf8Bom:
            break;
    }
    return full;
}

std::size_t TTextFileCodec::TextOffset(std::string_view bytes, const Format& format, std::size_t fileOffset) {
    fileOffset = std::min(fileOffset, bytes.size());
    std::string_view prefix = bytes.substr(0, fileOffset);
    if ((format.encoding == Encoding::Utf16LE || format.encoding == Encoding::Utf16BE) && prefix.size() % 2)
        prefix.remove_suffix(1);
    std::size_t offset = ToText(prefix, format.encoding).size();
    Format whole;
    std::size_t textSize = Decode(bytes, whole).size();
    return std::min(offset, textSize);
}
