// The release-history parser on an arbitrary text from the update server,
// against an installed version taken from the input's first eight bytes.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "update/ReleaseHistory.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FILE_VERSION installed{1, 0, 0, 0};
    if (size >= 8) {
        std::uint16_t parts[4];
        std::memcpy(parts, data, sizeof parts);
        installed = {parts[0], parts[1], parts[2], parts[3]};
        data += 8;
        size -= 8;
    }
    const RELEASE_HISTORY history =
        ParseReleaseHistory(std::string_view(reinterpret_cast<const char*>(data), size), installed);
    for (const RELEASE_ENTRY& entry : history.Releases) {
        if (!IsNewerVersion(entry.Version, installed)) {
            std::fprintf(stderr, "a listed release is not newer than the installed one\n");
            std::abort();
        }
        for (const RELEASE_CHANGE& change : entry.Changes)
            if (change.ImageIndex < 1 || change.ImageIndex > 11) std::abort();
    }
    if (history.Count() > 0 && !(history.LatestVersion == history.Releases.front().Version)) {
        std::fprintf(stderr, "the latest version is not the first listed\n");
        std::abort();
    }
    (void)VersionText(history.LatestVersion);
    return 0;
}
