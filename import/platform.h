#pragma once

// What the core needs from the operating system. platform_win32.cpp and
// platform_posix.cpp implement it; the build picks one.

#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <string_view>

namespace velmora::platform {

// A failed system call, with the system's explanation.
class SystemError : public std::exception {
  public:
    explicit SystemError(std::wstring message) : message_(std::move(message)) {}
    const std::wstring& message() const noexcept { return message_; }
    const char* what() const noexcept override { return "system call failed"; }

  private:
    std::wstring message_;
};

// The folder holding the running executable, as the system reports it (no
// trailing separator, except at a drive's or the file system's root).
std::wstring ExecutableFolder();

// True when path names an existing file that is not hidden, system or a directory.
bool IsNormalFile(const std::wstring& path);

// 8-bit text in the system's ANSI code page as wide text. Never fails.
std::wstring DecodeAnsi(std::string_view bytes);

// The user's decimal separator, e.g. "." or ",".
std::wstring UserDecimalSeparator();

// Room kept free at the end of a read buffer, so that the read which finds the
// end of the file needs no reallocation.
inline constexpr std::size_t ReadSlack = 64 * 1024;

// A file's bytes. Unlike a std::string, the buffer is not zero-filled before
// the read writes it: on a large file that pass costs as much as the read.
class FileBytes {
  public:
    std::string_view view() const noexcept { return {data_.get(), size_}; }
    std::size_t size() const noexcept { return size_; }

    // Room for at least `more` further bytes, keeping those already read.
    char* Reserve(std::size_t more);
    void Commit(std::size_t added) noexcept { size_ += added; }
    std::size_t room() const noexcept { return capacity_ - size_; }

  private:
    std::unique_ptr<char[]> data_;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

// An open file; move-only, closed by its destructor.
class File {
  public:
    // Opens for reading, sharing read, write and delete with other programs.
    static File OpenForReading(const std::wstring& path);
    // Opens an existing file and sets its length to zero; never creates one.
    static File OpenTruncating(const std::wstring& path);

    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    ~File();

    // Reads from the current position to the end of the file.
    FileBytes ReadToEnd();

  private:
    explicit File(std::intptr_t handle) noexcept : handle_(handle) {}
    void Close() noexcept;

    std::intptr_t handle_;
};

} // namespace velmora::platform
