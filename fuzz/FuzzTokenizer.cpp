// The highlighting tokenizer on arbitrary editor text: a pass restarted at a
// line start, in the scheme of the byte before it, styles that line and the
// rest exactly as the pass from the top did.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "editor/TJsonTokenizer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const char* text = reinterpret_cast<const char*>(data);
    using T = TJsonTokenizer;
    std::vector<std::uint8_t> full(size + 1), part(size + 1);
    for (int s = 0; s < T::kSchemeCount; ++s) T::Tokenize(text, size, T::Scheme(s), full.data());
    T::Tokenize(text, size, T::Scheme::Default, full.data());
    for (std::size_t i = 0; i < size; ++i) {
        if (full[i] > 29) {
            std::fprintf(stderr, "style %d outside the tokenizer's range\n", full[i]);
            std::abort();
        }
    }
    (void)T::Runs(std::string_view(text, size));

    // The first line start in the second half of the text.
    std::size_t start = size / 2;
    while (start < size && start > 0 && text[start - 1] != '\n' && text[start - 1] != '\r') ++start;
    if (start == 0 || start >= size) return 0;
    const T::Scheme resume = T::SchemeOfStyle(full[start - 1]);
    if (T::SchemeAt(std::string_view(text, size), start) != resume) {
        std::fprintf(stderr, "SchemeAt disagrees with the full pass at %zu\n", start);
        std::abort();
    }
    T::Tokenize(text + start, size - start, resume, part.data());
    for (std::size_t i = start; i < size; ++i) {
        if (part[i - start] != full[i]) {
            std::fprintf(stderr, "restart at %zu styles byte %zu differently\n", start, i);
            std::abort();
        }
    }
    return 0;
}
