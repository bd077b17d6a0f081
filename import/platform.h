#pragma once

// What the core needs from the operating system. platform_win32.cpp and
// platform_posix.cpp implement it; the build picks one.

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>
#include <utility>

namespace velmora::platform {

// A failed system call, with the system's explanation.
class SystemError : public std::exception {
  public:
    explicit SystemError(std::wstring message) : message_(std::move(message)) {}
    const std::wstring& message() const noexcept { return message_; }
    const char* what() const noexcept override { return "a system call failed"; }

  private:
    std::wstring message_;
};

// The system's explanation of its last failure (GetLastError(), errno),
// without a final full stop; empty where the system recorded none.
std::wstring LastErrorExplanation();

// True when path names an existing file that is not hidden, system or a directory.
bool IsNormalFile(const std::wstring& path);

// Appends 8-bit text in the system's ANSI code page to out as wide text.
// Throws SystemError for text longer than the system converts at once (2 GiB).
void AppendAnsi(std::wstring& out, std::string_view bytes);

// The user's decimal separator, e.g. "." or ",".
std::wstring UserDecimalSeparator();

// An open file; move-only, closed by its destructor.
class File {
  public:
    // Opens for reading, sharing read, write and delete with other programs.
    static File OpenForReading(const std::wstring& path) { return Open(path, false); }
    // Opens an existing file and sets its length to zero; never creates one.
    static File OpenTruncating(const std::wstring& path) { return Open(path, true); }

    File(File&& other) noexcept;
    ~File();

    // The length the system reports now; 0 when it cannot tell.
    std::size_t Size() const noexcept;
    // Reads up to room (at most 4 GiB) bytes at the current position; 0 only at the end.
    std::size_t Read(char* into, std::size_t room);

  private:
    static File Open(const std::wstring& path, bool truncating);
    explicit File(std::intptr_t handle) noexcept : handle_(handle) {}

    std::intptr_t handle_;
};

} // namespace velmora::platform
