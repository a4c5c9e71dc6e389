// The program file's version resource. On this platform the version lives in
// an ELF section of its own (".zoren_version") holding a fixed version record
// laid out like the Windows fixed file information; this reader finds that
// section in any file by its ELF section headers.
#pragma once

#include <cstdint>
#include <string_view>

// Name of the ELF section that carries the version record.
inline constexpr const char kVersionSectionName[] = ".zoren_version";
// First word of a valid record.
inline constexpr std::uint32_t kVersionSignature = 0xFEEF04BDu;

// The fixed version record, thirteen 32-bit words in the file's byte order.
struct TFixedFileInfo {
    std::uint32_t dwSignature;
    std::uint32_t dwStrucVersion;
    std::uint32_t dwFileVersionMS;  // major << 16 | minor
    std::uint32_t dwFileVersionLS;  // release << 16 | build
    std::uint32_t dwProductVersionMS;
    std::uint32_t dwProductVersionLS;
    std::uint32_t dwFileFlagsMask;
    std::uint32_t dwFileFlags;
    std::uint32_t dwFileOS;
    std::uint32_t dwFileType;
    std::uint32_t dwFileSubtype;
    std::uint32_t dwFileDateMS;
    std::uint32_t dwFileDateLS;
};
static_assert(sizeof(TFixedFileInfo) == 52);

// Reads the four parts of the file version of fileName (a 1251 path). True
// only when the file is an ELF file (32 or 64 bit, either byte order) with the
// version section and a record with the right signature; false for any other
// file, a truncated or malformed one, or one that cannot be read. The outputs
// are left alone on false.
bool ReadFileVersion(std::string_view fileName, std::uint16_t& major, std::uint16_t& minor,
                     std::uint16_t& release, std::uint16_t& build);
