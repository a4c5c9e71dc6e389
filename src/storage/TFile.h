// A thin wrapper around one open file: opens it in one of the ways the
// settings document needs, reads it line by line or whole, writes raw bytes.
// Everything goes through the fs1251 descriptor calls.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

class TFile final {
public:
    enum class Access { Read, Write, ReadWrite };
    // How a missing or existing file is treated when opening.
    enum class Disposition {
        CreateNew,         // fails when the file exists
        CreateAlways,      // creates or truncates
        OpenExisting,      // fails when the file is missing
        OpenAlways,        // opens, or creates it empty
        TruncateExisting,  // fails when missing, truncates otherwise
    };
    enum class Origin { Begin, Current, End };
    // Sharing is advisory on this platform; the value is kept for callers that state it.
    enum class Share { None, Read, ReadWrite };

    TFile() = default;
    ~TFile();
    TFile(const TFile&) = delete;
    TFile& operator=(const TFile&) = delete;

    // Opens the file; false without any change when a file is open already.
    // A created file gets newFileMode (before the umask). Failure sets Failed and LastError.
    bool Open(std::string_view fileName, Access access, Disposition disposition, Share share = Share::Read,
              unsigned newFileMode = 0600);
    // Closes and forgets the handle; false when none is open.
    bool Close();
    // Writes all count bytes at the current position; false (and Failed) on a
    // system failure, a short write, no open file or no buffer.
    bool Write(const void* buffer, std::size_t count);
    // Moves the position; false (and Failed) when no file is open or the move fails.
    bool Seek(long long distance, Origin origin);
    // Current position; 0 when no file is open.
    long long Position() const;
    // Reads the next line into buffer (size bytes, zero-terminated): at most
    // size - 1 bytes, the line and at most two line-end bytes consumed, the
    // trailing line-end bytes replaced by zeros. False at the end of the file
    // or when no file is open.
    bool ReadLine(char* buffer, std::size_t size);
    // Reads from the current position to the end of the file into bytes.
    bool ReadToEnd(std::string& bytes);
    bool IsOpen() const { return fd_ >= 0; }

    bool Failed = false;
    int LastError = 0;
    std::size_t BytesWritten = 0;

    // How many bytes of data (avail of them at hand, at most maxTake taken)
    // make up the next line by the ReadLine rule: the line's bytes, then up to
    // two CR/LF bytes, stopping before the first other byte after a line end.
    static std::size_t TakeLine(const char* data, std::size_t avail, std::size_t maxTake);
    // The text of a taken line as ReadLine leaves it in its buffer: the last
    // two bytes cleared where they are CR or LF, then cut at the first zero byte.
    static std::string_view LineText(const char* data, std::size_t taken);

private:
    int fd_ = -1;
};
