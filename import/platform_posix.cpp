// Linux stand-in for the Windows platform layer, so the core can be built,
// tested, fuzzed and benchmarked natively. It mimics a Western Windows: the
// ANSI code page is Windows-1252.
#include "platform.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <locale>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace velmora::platform {
namespace {

// Paths are wide in the core; the file system takes UTF-8, which a path made
// from UTF-32 gives (from wchar_t it would go through the C locale: ASCII only).
std::filesystem::path AsPath(const std::wstring& path) {
    return std::u32string(path.begin(), path.end());
}

// Windows-1252 from 0x80 to 0x9F; its five unassigned bytes map to the C1
// controls of the same value, as Windows does.
constexpr std::array<char16_t, 32> Cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

// The C locale's explanations are ASCII, which widens byte for byte.
std::wstring LastErrorExplanation() {
    const std::string_view explanation = errno != 0 ? std::strerror(errno) : "";
    return {explanation.begin(), explanation.end()};
}

bool IsNormalFile(const std::wstring& path) {
    std::error_code ignored;
    return std::filesystem::is_regular_file(AsPath(path), ignored);
}

void AppendAnsi(std::wstring& out, std::string_view bytes) {
    out.resize(out.size() + bytes.size());
    std::transform(bytes.begin(), bytes.end(), out.end() - bytes.size(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 0x80 && byte < 0xA0 ? Cp1252High[byte - 0x80] : byte;
    });
}

std::wstring UserDecimalSeparator() {
    try {
        return {std::use_facet<std::numpunct<wchar_t>>(std::locale("")).decimal_point()};
    } catch (const std::runtime_error&) {
        return L"."; // the user's locale is not installed: use the C locale's
    }
}

File File::Open(const std::wstring& path, bool truncating) {
    // Never O_CREAT: a file that vanished stays gone.
    const int fd =
        open(AsPath(path).c_str(), (truncating ? O_WRONLY | O_TRUNC : O_RDONLY) | O_CLOEXEC);
    if (fd < 0)
        throw SystemError(LastErrorExplanation());
    return File(fd);
}

File::File(File&& other) noexcept : handle_(std::exchange(other.handle_, -1)) {}

File::~File() {
    if (handle_ >= 0)
        close(static_cast<int>(handle_)); // never retried: the descriptor is gone either way
}

std::size_t File::Size() const noexcept {
    struct stat info {};
    return fstat(static_cast<int>(handle_), &info) == 0 ? static_cast<std::size_t>(info.st_size)
                                                        : 0;
}

std::size_t File::Read(char* into, std::size_t room) {
    for (;;) {
        const ssize_t got = read(static_cast<int>(handle_), into, room);
        if (got >= 0)
            return static_cast<std::size_t>(got);
        if (errno != EINTR)
            throw SystemError(LastErrorExplanation());
    }
}

} // namespace velmora::platform
