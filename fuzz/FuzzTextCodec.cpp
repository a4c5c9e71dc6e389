// The editor's text file codec on arbitrary file bytes: decode, encode back,
// and map byte offsets; a UTF-8 file saved untouched must come back as it was.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "editor/TTextFileCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    TTextFileCodec::Format format;
    const std::string text = TTextFileCodec::Decode(bytes, format);
    const std::string saved = TTextFileCodec::Encode(text, format);
    for (std::size_t at : {std::size_t(0), size / 3, size / 2, size, size + 7}) {
        if (TTextFileCodec::TextOffset(bytes, format, at) > text.size()) {
            std::fprintf(stderr, "text offset beyond the text\n");
            std::abort();
        }
    }
    const bool plain = format.encoding == TTextFileCodec::Encoding::Utf8;
    const bool marked = format.encoding == TTextFileCodec::Encoding::Utf8Bom;
    if ((plain && saved != bytes) || (marked && saved != bytes.substr(3))) {
        std::fprintf(stderr, "an untouched UTF-8 file does not save back as it was\n");
        std::abort();
    }
    // Whatever it was read as, the saved form reads back to the same text.
    TTextFileCodec::Format again;
    if (plain && TTextFileCodec::Decode(saved, again) != text) {
        std::fprintf(stderr, "the saved file does not read back to the same text\n");
        std::abort();
    }
    return 0;
}
