// The program's version record: the file version from the build's version
// numbers, placed in the section that ReadFileVersion looks for. Compiled into
// the executable itself, not into a library, so that it is always linked.
#include "platform/FileVersion.h"

#ifndef ZOREN_VERSION_MAJOR
#error "ZOREN_VERSION_MAJOR and the other version numbers must be defined by the build"
#endif

namespace {

constexpr std::uint32_t kMS =
    (std::uint32_t(ZOREN_VERSION_MAJOR) & 0xFFFF) << 16 | (std::uint32_t(ZOREN_VERSION_MINOR) & 0xFFFF);
constexpr std::uint32_t kLS = (std::uint32_t(ZOREN_VERSION_PATCH + 0) & 0xFFFF) << 16 |
                              (std::uint32_t(ZOREN_VERSION_TWEAK + 0) & 0xFFFF);

}  // namespace

// `used` keeps the otherwise unreferenced record in the object file.
extern "C" __attribute__((section(".zoren_version"), used, aligned(4)))
const TFixedFileInfo zoren_version_record = {
    kVersionSignature,
    0x00010000u,  // record layout 1.0
    kMS,
    kLS,  // file version
    kMS,
    kLS,  // product version
    0x3Fu,
    0u,    // flags mask, flags
    0u,    // operating system: none in particular
    0x1u,  // an application
    0u,
    0u,
    0u,  // subtype, date
};
