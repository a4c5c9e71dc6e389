// The project's file layer: every file and folder operation goes through here.
// Paths are Windows-1251 byte strings, as everywhere in the model; they are
// turned into UTF-8 only at this border.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace fs1251 {

// The UTF-8 name of a 1251 path, as the Linux file system wants it.
std::string NativePath(std::string_view path);
// The 1251 form of a UTF-8 path coming from the system.
std::string ModelPath(std::string_view nativePath);

bool PathExists(std::string_view path);       // anything at all: file, folder, link target
bool FileExists(std::string_view path);       // exists and is not a folder
bool DirectoryExists(std::string_view path);
// Creates one folder level; false when it exists already or cannot be made.
bool CreateDir(std::string_view path);
// Creates the folder and any missing parents; true when it exists afterwards.
bool CreateDirs(std::string_view path);
bool DeleteFile(std::string_view path);
// The "read-only attribute": the owner-write bit is cleared (root ignores access()).
bool IsReadOnly(std::string_view path);

// Reads the whole file; false with error text when it cannot be read.
bool ReadWholeFile(std::string_view path, std::string& bytes, std::string& error);
// Replaces the file atomically: writes a temporary file in the same folder,
// flushes it and renames it over the old one. Any failure leaves the old file
// as it was and gives false with error text. A read-only target is not replaced.
// A new file gets the given mode; a replaced file keeps the old file's mode.
bool WriteFileAtomic(std::string_view path, std::string_view bytes, std::string& error,
                     mode_t newFileMode = 0644);

// Path of the running program file, in 1251, from /proc/self/exe.
std::string ProgramFilePath();
// $XDG_DATA_HOME, or $HOME/.local/share; empty when neither is set.
std::string CommonAppDataFolder();

// The system's text for an errno value.
std::string ErrorText(int err);

// Low-level descriptor calls used by TFile. Each returns -1 and sets err on failure.
int OpenFd(std::string_view path, int flags, mode_t mode, int& err);
long long ReadFd(int fd, void* buffer, std::size_t size, int& err);
long long WriteFd(int fd, const void* buffer, std::size_t size, int& err);
long long SeekFd(int fd, long long distance, int whence, int& err);
int CloseFd(int fd, int& err);
// Flushes the file's data to the disk; false on failure.
bool SyncFd(int fd, int& err);
// Renames over an existing file atomically.
bool RenameFile(std::string_view from, std::string_view to, int& err);

// Test hook: when set to n >= 0, the write that would pass the n-th byte
// written through WriteFd since the hook was set fails with ENOSPC. -1 turns it off.
void SetWriteFaultAfter(long long n);

}  // namespace fs1251
