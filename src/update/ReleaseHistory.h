// The release history published on the update server: which of its releases
// are newer than the installed program, with their change lines, ready for
// the update window's tree. Pure text work on 1251 bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A four-part version; each part is an unsigned 16-bit number.
struct FILE_VERSION {
    std::uint16_t Major = 0;
    std::uint16_t Minor = 0;
    std::uint16_t Release = 0;
    std::uint16_t Build = 0;
    bool operator==(const FILE_VERSION&) const = default;
};

// Whether a is newer than b: (major, minor) packed into a signed 32-bit number,
// then (release, build) packed into an unsigned one. A major of 32768 or more
// therefore counts as older than any major below it.
bool IsNewerVersion(const FILE_VERSION& a, const FILE_VERSION& b);
// Major.minor.release.build in decimal.
std::string VersionText(const FILE_VERSION& v);

// Image positions of the update window's image list.
inline constexpr int kReleaseImage = 0;
inline constexpr int kOtherChangeImage = 11;
// Image of a change line by its first character: "+*-@!.#$%^" give 1..10, anything else 11.
int ChangeImageIndex(char marker);

struct RELEASE_CHANGE {
    std::string Text;  // the line from its third character on
    int ImageIndex = kOtherChangeImage;
};

struct RELEASE_ENTRY {
    FILE_VERSION Version;
    std::string Date;        // "(01.06.2019)" with its parentheses, or empty
    std::string HeaderText;  // "Версия: 1.1.0.3  Дата: (01.06.2019)"
    int ImageIndex = kReleaseImage;
    std::vector<RELEASE_CHANGE> Changes;
};

struct RELEASE_HISTORY {
    std::vector<RELEASE_ENTRY> Releases;  // the newer releases, newest first
    FILE_VERSION LatestVersion;           // the first of them; 0.0.0.0 when there is none
    int Count() const { return static_cast<int>(Releases.size()); }
};

// Reads the history text (1251, lines ended by CR LF, CR or LF, newest release
// first) and keeps the releases newer than installed. Tabs become four blanks;
// lines shorter than two characters are skipped; a line starting with a digit
// is a release header, read from its first 63 characters; reading stops at a
// header with fewer than three dots there or at the first one not newer.
// Change lines before the first header are ignored.
RELEASE_HISTORY ParseReleaseHistory(std::string_view text, const FILE_VERSION& installed);
