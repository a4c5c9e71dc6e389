#include "platform/FileVersion.h"

#include <elf.h>
#include <fcntl.h>

#include <cstddef>
#include <cstring>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace {

// Every offset and size in the file is untrusted: all reads go through here
// and are checked against the file's size first.
class TElfFile {
public:
    explicit TElfFile(std::string_view path) {
        int err = 0;
        // O_NONBLOCK keeps a FIFO or device from blocking the open.
        fd_ = fs1251::OpenFd(path, O_RDONLY | O_NONBLOCK, 0, err);
        if (fd_ < 0) return;
        long long size = fs1251::SeekFd(fd_, 0, SEEK_END, err);
        if (size > 0) size_ = static_cast<std::uint64_t>(size);
    }
    ~TElfFile() {
        int err = 0;
        if (fd_ >= 0) fs1251::CloseFd(fd_, err);
    }
    TElfFile(const TElfFile&) = delete;
    TElfFile& operator=(const TElfFile&) = delete;

    std::uint64_t Size() const { return size_; }

    bool Read(std::uint64_t offset, void* buffer, std::size_t count) {
        if (fd_ < 0 || offset > size_ || count > size_ - offset) return false;
        int err = 0;
        if (offset > static_cast<std::uint64_t>(std::numeric_limits<long long>::max())) return false;
        if (fs1251::SeekFd(fd_, static_cast<long long>(offset), SEEK_SET, err) < 0) return false;
        auto* out = static_cast<unsigned char*>(buffer);
        while (count > 0) {
            long long n = fs1251::ReadFd(fd_, out, count, err);
            if (n <= 0) return false;
            out += n;
            count -= static_cast<std::size_t>(n);
        }
        return true;
    }

private:
    int fd_ = -1;
    std::uint64_t size_ = 0;
};

// Decodes integers of the file's byte order from a raw buffer.
struct TByteOrder {
    bool big = false;
    std::uint64_t Get(const unsigned char* p, int width) const {
        std::uint64_t v = 0;
        for (int i = 0; i < width; ++i) {
            int k = big ? i : width - 1 - i;
            v = (v << 8) | p[k];
        }
        return v;
    }
};

// Field offsets and widths of the two ELF classes.
struct TElfLayout {
    std::size_t headerSize, shoffAt, shentsizeAt, shnumAt, shstrndxAt;
    std::size_t sectionSize, nameAt, typeAt, offsetAt, sizeAt, linkAt;
    int addrWidth;  // width of sh_offset, sh_size, e_shoff
};

constexpr TElfLayout kElf64 = {sizeof(Elf64_Ehdr),
                               offsetof(Elf64_Ehdr, e_shoff),
                               offsetof(Elf64_Ehdr, e_shentsize),
                               offsetof(Elf64_Ehdr, e_shnum),
                               offsetof(Elf64_Ehdr, e_shstrndx),
                               sizeof(Elf64_Shdr),
                               offsetof(Elf64_Shdr, sh_name),
                               offsetof(Elf64_Shdr, sh_type),
                               offsetof(Elf64_Shdr, sh_offset),
                               offsetof(Elf64_Shdr, sh_size),
                               offsetof(Elf64_Shdr, sh_link),
                               8};
constexpr TElfLayout kElf32 = {sizeof(Elf32_Ehdr),
                               offsetof(Elf32_Ehdr, e_shoff),
                               offsetof(Elf32_Ehdr, e_shentsize),
                               offsetof(Elf32_Ehdr, e_shnum),
                               offsetof(Elf32_Ehdr, e_shstrndx),
                               sizeof(Elf32_Shdr),
                               offsetof(Elf32_Shdr, sh_name),
                               offsetof(Elf32_Shdr, sh_type),
                               offsetof(Elf32_Shdr, sh_offset),
                               offsetof(Elf32_Shdr, sh_size),
                               offsetof(Elf32_Shdr, sh_link),
                               4};

struct TSection {
    std::uint32_t name = 0, type = 0, link = 0;
    std::uint64_t offset = 0, size = 0;
};

// An absurd section count is not walked: a real program has a few dozen.
constexpr std::uint64_t kMaxSections = 1u << 16;

bool FindVersionRecord(TElfFile& file, TFixedFileInfo& info, TByteOrder& order) {
    unsigned char ident[EI_NIDENT];
    if (!file.Read(0, ident, sizeof ident)) return false;
    if (std::memcmp(ident, ELFMAG, SELFMAG) != 0) return false;
    const TElfLayout* layout = nullptr;
    if (ident[EI_CLASS] == ELFCLASS64)
        layout = &kElf64;
    else if (ident[EI_CLASS] == ELFCLASS32)
        layout = &kElf32;
    else
        return false;
    if (ident[EI_DATA] == ELFDATA2LSB)
        order.big = false;
    else if (ident[EI_DATA] == ELFDATA2MSB)
        order.big = true;
    else
        return false;

    std::vector<unsigned char> header(layout->headerSize);
    if (!file.Read(0, header.data(), header.size())) return false;
    const TElfLayout& L = *layout;
    std::uint64_t shoff = order.Get(&header[L.shoffAt], L.addrWidth);
    std::uint64_t shentsize = order.Get(&header[L.shentsizeAt], 2);
    std::uint64_t shnum = order.Get(&header[L.shnumAt], 2);
    std::uint64_t shstrndx = order.Get(&header[L.shstrndxAt], 2);
    if (shoff == 0 || shentsize < L.sectionSize) return false;

    auto readSection = [&](std::uint64_t index, TSection& s) {
        if (index >= (std::numeric_limits<std::uint64_t>::max() - shoff) / shentsize) return false;
        std::vector<unsigned char> raw(L.sectionSize);
        if (!file.Read(shoff + index * shentsize, raw.data(), raw.size())) return false;
        s.name = static_cast<std::uint32_t>(order.Get(&raw[L.nameAt], 4));
        s.type = static_cast<std::uint32_t>(order.Get(&raw[L.typeAt], 4));
        s.link = static_cast<std::uint32_t>(order.Get(&raw[L.linkAt], 4));
        s.offset = order.Get(&raw[L.offsetAt], L.addrWidth);
        s.size = order.Get(&raw[L.sizeAt], L.addrWidth);
        return true;
    };

    // Extended numbering: the real counts sit in section 0.
    if (shnum == 0 || shstrndx == SHN_XINDEX) {
        TSection first;
        if (!readSection(0, first)) return false;
        if (shnum == 0) shnum = first.size;
        if (shstrndx == SHN_XINDEX) shstrndx = first.link;
    }
    if (shnum == 0 || shnum > kMaxSections || shstrndx >= shnum) return false;

    auto insideFile = [&](const TSection& s) {
        return s.offset <= file.Size() && s.size <= file.Size() - s.offset;
    };
    TSection names;
    if (!readSection(shstrndx, names) || names.type != SHT_STRTAB || !insideFile(names)) return false;
    constexpr std::size_t nameLength = sizeof kVersionSectionName;  // with the terminating zero

    for (std::uint64_t i = 1; i < shnum; ++i) {
        TSection s;
        if (!readSection(i, s)) return false;
        if (s.type == SHT_NOBITS || s.size < sizeof(TFixedFileInfo)) continue;
        if (s.name >= names.size || names.size - s.name < nameLength) continue;
        char name[nameLength];
        if (!file.Read(names.offset + s.name, name, nameLength)) return false;
        if (std::memcmp(name, kVersionSectionName, nameLength) != 0) continue;
        if (!insideFile(s)) return false;
        unsigned char raw[sizeof(TFixedFileInfo)];
        if (!file.Read(s.offset, raw, sizeof raw)) return false;
        std::uint32_t words[sizeof(TFixedFileInfo) / 4];
        for (std::size_t w = 0; w < std::size(words); ++w)
            words[w] = static_cast<std::uint32_t>(order.Get(raw + 4 * w, 4));
        std::memcpy(&info, words, sizeof info);
        return info.dwSignature == kVersionSignature;
    }
    return false;
}

}  // namespace

bool ReadFileVersion(std::string_view fileName, std::uint16_t& major, std::uint16_t& minor,
                     std::uint16_t& release, std::uint16_t& build) {
    if (fileName.empty()) return false;
    TElfFile file(fileName);
    if (file.Size() == 0) return false;
    TFixedFileInfo info{};
    TByteOrder order;
    if (!FindVersionRecord(file, info, order)) return false;
    major = static_cast<std::uint16_t>(info.dwFileVersionMS >> 16);
    minor = static_cast<std::uint16_t>(info.dwFileVersionMS & 0xFFFF);
    release = static_cast<std::uint16_t>(info.dwFileVersionLS >> 16);
    build = static_cast<std::uint16_t>(info.dwFileVersionLS & 0xFFFF);
    return true;
}
