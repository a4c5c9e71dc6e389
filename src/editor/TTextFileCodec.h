// The text encoding of a file as the configuration editor reads and writes
// it: byte-order marks for UTF-16 LE/BE and UTF-8, otherwise UTF-8 when the
// bytes are valid UTF-8, otherwise Windows-1251; the line-break style and the
// final line break are remembered so that a file saved untouched comes back
// as it was. The editor text is always UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

class TTextFileCodec {
public:
    enum class Encoding { Utf8, Utf8Bom, Utf16LE, Utf16BE, Ansi };
    enum class LineBreak { CRLF, LF, CR };

    struct Format {
        Encoding encoding = Encoding::Utf8;
        LineBreak lineBreak = LineBreak::CRLF;  // of the first break found; CR LF when none
        bool finalLineBreak = false;
        std::string finalBreak;  // the bytes of the final break, as read
    };

    // The editor text (UTF-8) of the file's bytes. Line breaks stay as they
    // are, mixed ones included, except the final one, which is taken off and
    // remembered in format. Malformed UTF-16 decodes to U+FFFD.
    static std::string Decode(std::string_view bytes, Format& format);

    // The file's bytes for the editor text: the text in the file's encoding,
    // followed by the remembered final break. UTF-16 is written with its
    // mark; UTF-8 is written without one, even when it was read with one, so
    // that the JSON reader, which does not skip a mark, can read the file.
    // A character Windows-1251 lacks becomes '?'.
    static std::string Encode(std::string_view text, const Format& format);

    // The editor text offset of a byte offset of the file (such as a reader's
    // error position), clamped to the text.
    static std::size_t TextOffset(std::string_view bytes, const Format& format, std::size_t fileOffset);

    static std::string_view BreakBytes(LineBreak lb);
};
