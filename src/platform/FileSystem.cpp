#include "platform/FileSystem.h"

#include "platform/Cp1251.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <random>

namespace fs1251 {

namespace {
std::atomic<long long> g_writeBudget{-1};
}

void SetWriteFaultAfter(long long n) { g_writeBudget = n; }

std::string NativePath(std::string_view path) { return Cp1251ToUtf8(path); }
std::string ModelPath(std::string_view nativePath) { return Utf8ToCp1251(nativePath); }

static bool StatPath(std::string_view path, struct stat& st) {
    return ::stat(NativePath(path).c_str(), &st) == 0;
}

bool PathExists(std::string_view path) {
    struct stat st;
    return !path.empty() && StatPath(path, st);
}

bool FileExists(std::string_view path) {
    struct stat st;
    return !path.empty() && StatPath(path, st) && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(std::string_view path) {
    struct stat st;
    return !path.empty() && StatPath(path, st) && S_ISDIR(st.st_mode);
}

bool CreateDir(std::string_view path) {
    return !path.empty() && ::mkdir(NativePath(path).c_str(), 0755) == 0;
}

bool CreateDirs(std::string_view path) {
    if (path.empty()) return false;
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(NativePath(path)), ec);
    return DirectoryExists(path);
}

bool DeleteFile(std::string_view path) { return !path.empty() && ::unlink(NativePath(path).c_str()) == 0; }

bool IsReadOnly(std::string_view path) {
    struct stat st;
    return StatPath(path, st) && (st.st_mode & S_IWUSR) == 0;
}

std::string ErrorText(int err) { return std::strerror(err); }

int OpenFd(std::string_view path, int flags, mode_t mode, int& err) {
    int fd = ::open(NativePath(path).c_str(), flags | O_CLOEXEC, mode);
    err = fd < 0 ? errno : 0;
    return fd;
}

long long ReadFd(int fd, void* buffer, std::size_t size, int& err) {
    ssize_t n;
    do n = ::read(fd, buffer, size);
    while (n < 0 && errno == EINTR);
    err = n < 0 ? errno : 0;
    return n;
}

long long WriteFd(int fd, const void* buffer, std::size_t size, int& err) {
    long long budget = g_writeBudget.load();
    if (budget >= 0) {
        if (static_cast<long long>(size) > budget) {
            g_writeBudget = 0;
            err = ENOSPC;
            return -1;
        }
        g_writeBudget = budget - static_cast<long long>(size);
    }
    std::size_t done = 0;
    const char* p = static_cast<const char*>(buffer);
    while (done < size) {
        ssize_t n = ::write(fd, p + done, size - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            err = errno;
            return done ? static_cast<long long>(done) : -1;
        }
        done += static_cast<std::size_t>(n);
    }
    err = 0;
    return static_cast<long long>(done);
}

long long SeekFd(int fd, long long distance, int whence, int& err) {
    off_t r = ::lseek(fd, static_cast<off_t>(distance), whence);
    err = r < 0 ? errno : 0;
    return r;
}

int CloseFd(int fd, int& err) {
    int r = ::close(fd);
    err = r < 0 ? errno : 0;
    return r;
}

bool SyncFd(int fd, int& err) {
    int r = ::fsync(fd);
    err = r < 0 ? errno : 0;
    return r == 0;
}

bool RenameFile(std::string_view from, std::string_view to, int& err) {
    int r = ::rename(NativePath(from).c_str(), NativePath(to).c_str());
    err = r < 0 ? errno : 0;
    return r == 0;
}

bool ReadWholeFile(std::string_view path, std::string& bytes, std::string& error) {
    bytes.clear();
    int err = 0;
    int fd = OpenFd(path, O_RDONLY, 0, err);
    if (fd < 0) {
        error = ErrorText(err);
        return false;
    }
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        CloseFd(fd, err);
        error = ErrorText(EISDIR);
        return false;
    }
    if (st.st_size > 0) bytes.reserve(static_cast<std::size_t>(st.st_size));
    char buf[65536];
    for (;;) {
        long long n = ReadFd(fd, buf, sizeof buf, err);
        if (n < 0) {
            error = ErrorText(err);
            CloseFd(fd, err);
            bytes.clear();
            return false;
        }
        if (n == 0) break;
        bytes.append(buf, static_cast<std::size_t>(n));
    }
    CloseFd(fd, err);
    return true;
}

bool WriteFileAtomic(std::string_view path, std::string_view bytes, std::string& error,
                     mode_t newFileMode) {
    std::string target(path);
    struct stat st;
    mode_t mode = newFileMode;
    if (StatPath(target, st)) {
        if (S_ISDIR(st.st_mode)) {
            error = ErrorText(EISDIR);
            return false;
        }
        if ((st.st_mode & S_IWUSR) == 0) {
            error = ErrorText(EACCES);
            return false;
        }
        mode = st.st_mode & 07777;
    }
    static std::mt19937_64 rng{std::random_device{}()};
    std::string temp = target + ".tmp" + std::to_string(rng() % 1000000000ULL);
    int err = 0;
    int fd = OpenFd(temp, O_WRONLY | O_CREAT | O_EXCL, mode, err);
    if (fd < 0) {
        error = ErrorText(err);
        return false;
    }
    ::fchmod(fd, mode);  // the umask must not widen or narrow the kept mode
    bool ok = bytes.empty() || WriteFd(fd, bytes.data(), bytes.size(), err) == static_cast<long long>(bytes.size());
    if (ok && bytes.empty()) err = 0;
    if (ok) ok = SyncFd(fd, err);
    int closeErr = 0;
    if (CloseFd(fd, closeErr) != 0 && ok) {
        ok = false;
        err = closeErr;
    }
    if (ok) ok = RenameFile(temp, target, err);
    if (!ok) {
        error = ErrorText(err ? err : EIO);
        ::unlink(NativePath(temp).c_str());
        return false;
    }
    return true;
}

std::string ProgramFilePath() {
    std::error_code ec;
    auto p = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : ModelPath(p.string());
}

std::string CommonAppDataFolder() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && *xdg) return ModelPath(xdg);
    const char* home = std::getenv("HOME");
    if (home && *home) return ModelPath(std::string(home) + "/.local/share");
    return {};
}

}  // namespace fs1251
