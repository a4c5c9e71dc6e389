// ReadFileVersion over real executables and over hand-made ELF images,
// including truncated and corrupted ones.
#include <elf.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/FileSystem.h"
#include "platform/FileVersion.h"
#include "support/TempDir.h"

namespace {

struct Version {
    std::uint16_t major = 0, minor = 0, release = 0, build = 0;
};

bool Read(const std::string& path, Version& v) {
    return ReadFileVersion(path, v.major, v.minor, v.release, v.build);
}

std::string FileBytes(const std::string& path) { return TempDir::ReadFile(path); }

// A minimal ELF file: null section, an optional version section, the name table.
struct ElfImage {
    bool is64 = true;
    bool big = false;
    std::string sectionName = ".zoren_version";
    std::uint32_t signature = kVersionSignature;
    std::uint32_t ms = 0x00030004, ls = 0x00050006;  // 3.4.5.6

    std::string bytes;
    void Put(std::size_t at, std::uint64_t value, int width) {
        if (bytes.size() < at + width) bytes.resize(at + width, '\0');
        for (int i = 0; i < width; ++i) {
            int shift = big ? 8 * (width - 1 - i) : 8 * i;
            bytes[at + i] = char((value >> shift) & 0xFF);
        }
    }
    std::string Build() {
        bytes.assign(is64 ? sizeof(Elf64_Ehdr) : sizeof(Elf32_Ehdr), '\0');
        std::memcpy(bytes.data(), ELFMAG, SELFMAG);
        bytes[EI_CLASS] = char(is64 ? ELFCLASS64 : ELFCLASS32);
        bytes[EI_DATA] = char(big ? ELFDATA2MSB : ELFDATA2LSB);
        bytes[EI_VERSION] = EV_CURRENT;
        int aw = is64 ? 8 : 4;
        std::string names = std::string("\0.shstrtab\0", 11) + sectionName + std::string(1, '\0');
        std::size_t namesAt = bytes.size();
        bytes += names;
        while (bytes.size() % 4) bytes += '\0';
        std::size_t recordAt = bytes.size();
        Put(recordAt, signature, 4);
        Put(recordAt + 8, ms, 4);
        Put(recordAt + 12, ls, 4);
        bytes.resize(recordAt + sizeof(TFixedFileInfo), '\0');
        while (bytes.size() % 8) bytes += '\0';
        std::size_t shoff = bytes.size();
        std::size_t shsize = is64 ? sizeof(Elf64_Shdr) : sizeof(Elf32_Shdr);
        auto section = [&](int index, std::uint32_t name, std::uint32_t type, std::uint64_t off,
                           std::uint64_t size) {
            std::size_t at = shoff + index * shsize;
            bytes.resize(at + shsize, '\0');
            Put(at + (is64 ? offsetof(Elf64_Shdr, sh_name) : offsetof(Elf32_Shdr, sh_name)), name, 4);
            Put(at + (is64 ? offsetof(Elf64_Shdr, sh_type) : offsetof(Elf32_Shdr, sh_type)), type, 4);
            Put(at + (is64 ? offsetof(Elf64_Shdr, sh_offset) : offsetof(Elf32_Shdr, sh_offset)), off, aw);
            Put(at + (is64 ? offsetof(Elf64_Shdr, sh_size) : offsetof(Elf32_Shdr, sh_size)), size, aw);
        };
        section(0, 0, SHT_NULL, 0, 0);
        section(1, 11, SHT_PROGBITS, recordAt, sizeof(TFixedFileInfo));
        section(2, 1, SHT_STRTAB, namesAt, names.size());
        Put(is64 ? offsetof(Elf64_Ehdr, e_shoff) : offsetof(Elf32_Ehdr, e_shoff), shoff, aw);
        Put(is64 ? offsetof(Elf64_Ehdr, e_shentsize) : offsetof(Elf32_Ehdr, e_shentsize), shsize, 2);
        Put(is64 ? offsetof(Elf64_Ehdr, e_shnum) : offsetof(Elf32_Ehdr, e_shnum), 3, 2);
        Put(is64 ? offsetof(Elf64_Ehdr, e_shstrndx) : offsetof(Elf32_Ehdr, e_shstrndx), 2, 2);
        return bytes;
    }
};

}  // namespace

TEST(FileVersion, FixtureExecutableCarriesItsBuildVersion) {
    Version v;
    ASSERT_TRUE(Read(ZOREN_VERSION_FIXTURE, v));
    EXPECT_EQ(v.major, 2);
    EXPECT_EQ(v.minor, 15);
    EXPECT_EQ(v.release, 3);
    EXPECT_EQ(v.build, 7);
}

TEST(FileVersion, FilesWithoutTheRecordGiveFalseAndLeaveTheOutputs) {
    TempDir dir;
    TempDir::WriteFile(dir / "notes.txt",
                       "just some text, long enough to hold an ELF header if it were one\n");
    TempDir::WriteFile(dir / "empty", "");
    struct Case {
        const char* what;
        std::string path;
    } cases[] = {
        {"executable without the record", fs1251::ProgramFilePath()},  // this test program
        {"text file", dir / "notes.txt"},
        {"empty file", dir / "empty"},
        {"folder", dir.Path()},
        {"missing file", dir / "missing"},
        {"empty name", ""},
    };
    for (const Case& c : cases) {
        Version v{9, 9, 9, 9};
        EXPECT_FALSE(Read(c.path, v)) << c.what;
        EXPECT_EQ(v.major, 9) << c.what;
        EXPECT_EQ(v.build, 9) << c.what;
    }
}

TEST(FileVersion, ReadsBothClassesAndByteOrders) {
    TempDir dir;
    struct Case {
        bool is64, big;
    } cases[] = {{true, false}, {true, true}, {false, false}, {false, true}};
    for (const Case& c : cases) {
        ElfImage image;
        image.is64 = c.is64;
        image.big = c.big;
        TempDir::WriteFile(dir / "image", image.Build());
        Version v;
        ASSERT_TRUE(Read(dir / "image", v)) << "64: " << c.is64 << " big: " << c.big;
        EXPECT_EQ(v.major, 3);
        EXPECT_EQ(v.minor, 4);
        EXPECT_EQ(v.release, 5);
        EXPECT_EQ(v.build, 6);
    }
}

TEST(FileVersion, WrongSignatureOrSectionNameGivesFalse) {
    TempDir dir;
    ElfImage badSignature;
    badSignature.signature = 0xFEEF04BC;
    ElfImage otherName;
    otherName.sectionName = ".zoren_versio";
    ElfImage longerName;
    longerName.sectionName = ".zoren_version2";
    for (ElfImage* image : {&badSignature, &otherName, &longerName}) {
        TempDir::WriteFile(dir / "image", image->Build());
        Version v;
        EXPECT_FALSE(Read(dir / "image", v)) << image->sectionName;
    }
}

// Every prefix of a real executable must be read safely and found wanting
// until the record and the section headers are all there.
TEST(FileVersion, TruncatedExecutableGivesFalse) {
    TempDir dir;
    std::string whole = FileBytes(ZOREN_VERSION_FIXTURE);
    ASSERT_GT(whole.size(), 4096u);
    for (std::size_t length :
         {std::size_t(0), std::size_t(4), std::size_t(16), std::size_t(63), std::size_t(64),
          std::size_t(1000), whole.size() / 2, whole.size() - 64, whole.size() - 1}) {
        TempDir::WriteFile(dir / "cut", whole.substr(0, length));
        Version v;
        EXPECT_FALSE(Read(dir / "cut", v)) << "length " << length;
    }
}

// Garbage in any header or section-header byte must not crash the reader.
TEST(FileVersion, CorruptedHeadersAreReadSafely) {
    TempDir dir;
    for (bool is64 : {true, false}) {
        ElfImage image;
        image.is64 = is64;
        const std::string good = image.Build();
        for (std::size_t at = 0; at < good.size(); ++at) {
            for (unsigned char value : {0x00, 0xFF}) {
                std::string bad = good;
                bad[at] = char(value);
                TempDir::WriteFile(dir / "bad", bad);
                Version v;
                bool ok = Read(dir / "bad", v);
                if (at < SELFMAG && value != static_cast<unsigned char>(good[at])) {
                    EXPECT_FALSE(ok) << at;
                }
            }
        }
    }
}

TEST(FileVersion, HugeOffsetsAndCountsGiveFalse) {
    TempDir dir;
    ElfImage image;
    std::string good = image.Build();
    struct Case {
        const char* what;
        std::size_t at;
        std::uint64_t value;
        int width;
    } cases[] = {
        {"section headers past the end", offsetof(Elf64_Ehdr, e_shoff), 0xFFFFFFFFFFFFFF00ull, 8},
        {"name table index out of range", offsetof(Elf64_Ehdr, e_shstrndx), 7, 2},
        {"section entry size too small", offsetof(Elf64_Ehdr, e_shentsize), 8, 2},
        {"record offset past the end", good.size() - sizeof(Elf64_Shdr) * 2 + offsetof(Elf64_Shdr, sh_offset),
         0x7FFFFFFFFFFFFFF0ull, 8},
        {"name table size past the end", good.size() - sizeof(Elf64_Shdr) + offsetof(Elf64_Shdr, sh_size),
         0xFFFFFFFFFFFFFFFFull, 8},
        {"name offset past the name table",
         good.size() - sizeof(Elf64_Shdr) * 2 + offsetof(Elf64_Shdr, sh_name), 0xFFFFFFF0u, 4},
    };
    for (const Case& c : cases) {
        image.bytes = good;
        image.Put(c.at, c.value, c.width);
        TempDir::WriteFile(dir / "bad", image.bytes);
        Version v;
        EXPECT_FALSE(Read(dir / "bad", v)) << c.what;
    }
}
