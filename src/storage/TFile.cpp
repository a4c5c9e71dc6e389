#include "storage/TFile.h"

#include <fcntl.h>

#include <cerrno>
#include <cstring>

#include "platform/FileSystem.h"

TFile::~TFile() { Close(); }

bool TFile::Open(std::string_view fileName, Access access, Disposition disposition, Share,
                 unsigned newFileMode) {
    if (fd_ >= 0) return false;
    LastError = 0;
    int flags = access == Access::Read ? O_RDONLY : access == Access::Write ? O_WRONLY : O_RDWR;
    switch (disposition) {
        case Disposition::CreateNew:
            flags |= O_CREAT | O_EXCL;
            break;
        case Disposition::CreateAlways:
            flags |= O_CREAT | O_TRUNC;
            break;
        case Disposition::OpenExisting:
            break;
        case Disposition::OpenAlways:
            flags |= O_CREAT;
            break;
        case Disposition::TruncateExisting:
            flags |= O_TRUNC;
            break;
    }
    int err = 0;
    int fd = fs1251::OpenFd(fileName, flags, static_cast<mode_t>(newFileMode), err);
    if (fd < 0) {
        Failed = true;
        LastError = err;
        return false;
    }
    fd_ = fd;
    Failed = false;
    return true;
}

bool TFile::Close() {
    if (fd_ < 0) return false;
    LastError = 0;
    int err = 0;
    int r = fs1251::CloseFd(fd_, err);
    fd_ = -1;
    if (r != 0) {
        Failed = true;
        LastError = err;
        return false;
    }
    return true;
}

bool TFile::Write(const void* buffer, std::size_t count) {
    BytesWritten = 0;
    LastError = 0;
    if (fd_ < 0 || buffer == nullptr) {
        Failed = true;
        return false;
    }
    int err = 0;
    long long n = count ? fs1251::WriteFd(fd_, buffer, count, err) : 0;
    if (n > 0) BytesWritten = static_cast<std::size_t>(n);
    Failed = n < 0 || static_cast<std::size_t>(n) != count;
    if (Failed) LastError = err ? err : EIO;
    return !Failed;
}

bool TFile::Seek(long long distance, Origin origin) {
    LastError = 0;
    if (fd_ < 0) {
        Failed = true;
        return false;
    }
    int whence = origin == Origin::Begin ? SEEK_SET : origin == Origin::Current ? SEEK_CUR : SEEK_END;
    int err = 0;
    Failed = fs1251::SeekFd(fd_, distance, whence, err) < 0;
    if (Failed) LastError = err;
    return !Failed;
}

long long TFile::Position() const {
    if (fd_ < 0) return 0;
    int err = 0;
    long long p = fs1251::SeekFd(fd_, 0, SEEK_CUR, err);
    return p < 0 ? 0 : p;
}

std::size_t TFile::TakeLine(const char* data, std::size_t avail, std::size_t maxTake) {
    const std::size_t limit = avail < maxTake ? avail : maxTake;
    // The text up to the first CR or LF, then at most two line-end bytes of any kind.
    std::size_t n = 0;
    while (n < limit && data[n] != '\r' && data[n] != '\n') ++n;
    for (int lineEnds = 0; lineEnds < 2 && n < limit && (data[n] == '\r' || data[n] == '\n'); ++lineEnds) ++n;
    return n;
}

std::string_view TFile::LineText(const char* data, std::size_t taken) {
    std::size_t len = taken;
    for (int k = 0; k < 2 && len > 0 && (data[len - 1] == '\r' || data[len - 1] == '\n'); ++k) --len;
    if (const void* zero = std::memchr(data, 0, len))
        len = static_cast<std::size_t>(static_cast<const char*>(zero) - data);
    return {data, len};
}

bool TFile::ReadLine(char* buffer, std::size_t size) {
    if (fd_ < 0 || buffer == nullptr) return false;
    if (size < 2) {  // no room for a single byte: nothing can be read
        if (size == 1) buffer[0] = 0;
        Failed = true;
        return false;
    }
    long long start = Position();
    int err = 0;
    long long got = fs1251::ReadFd(fd_, buffer, size - 1, err);
    if (got <= 0) {
        Failed = true;
        buffer[0] = 0;
        return false;
    }
    std::size_t n = TakeLine(buffer, static_cast<std::size_t>(got), size - 1);
    buffer[n] = 0;
    for (std::size_t k = n; k > 0 && k + 2 > n; --k)
        if (buffer[k - 1] == '\r' || buffer[k - 1] == '\n') buffer[k - 1] = 0;
    return fs1251::SeekFd(fd_, start + static_cast<long long>(n), SEEK_SET, err) >= 0;
}

bool TFile::ReadToEnd(std::string& bytes) {
    bytes.clear();
    if (fd_ < 0) return false;
    char chunk[65536];
    int err = 0;
    for (;;) {
        long long n = fs1251::ReadFd(fd_, chunk, sizeof chunk, err);
        if (n < 0) {
            Failed = true;
            return false;
        }
        if (n == 0) return true;
        bytes.append(chunk, static_cast<std::size_t>(n));
    }
}
