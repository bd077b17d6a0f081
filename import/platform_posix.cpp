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
#include <locale>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace velmora::platform {
namespace {

std::wstring Widen(std::string_view utf8OrAscii) {
    return {utf8OrAscii.begin(), utf8OrAscii.end()};
}

[[noreturn]] void ThrowErrno() {
    throw SystemError(LastErrorExplanation());
}

// Paths are wide in the core; the file system takes UTF-8.
std::string Narrow(const std::wstring& path) {
    std::string out;
    for (const wchar_t wc : path) {
        auto c = static_cast<std::uint32_t>(wc);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::wstring WidenUtf8(std::string_view bytes) {
    std::wstring out;
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
        std::uint32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
        for (int k = 1; k <= extra && i + k < bytes.size(); ++k)
            c = (c << 6) | (static_cast<unsigned char>(bytes[i + k]) & 0x3F);
        out += static_cast<wchar_t>(c);
        i += 1 + extra;
    }
    return out;
}

// Windows-1252 from 0x80 to 0x9F; its five unassigned bytes map to the C1
// controls of the same value, as Windows does.
constexpr std::array<char16_t, 32> Cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

SystemError::SystemError(std::wstring message)
    : message_(std::move(message)), what_(Narrow(message_)) {}

std::wstring LastErrorExplanation() {
    return errno != 0 ? Widen(std::strerror(errno)) : std::wstring();
}

std::wstring ExecutableFolder() {
    std::string path(256, '\0');
    for (;;) {
        const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
        if (length < 0)
            ThrowErrno();
        if (static_cast<std::size_t>(length) < path.size()) {
            path.resize(static_cast<std::size_t>(length));
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::size_t slash = path.rfind('/');
    return WidenUtf8(slash == 0 ? "/" : std::string_view(path).substr(0, slash));
}

bool IsNormalFile(const std::wstring& path) {
    struct stat info {};
    return stat(Narrow(path).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

void AppendAnsi(std::wstring& out, std::string_view bytes) {
    const std::size_t start = out.size();
    out.resize(start + bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        out[start + i] = byte >= 0x80 && byte < 0xA0 ? Cp1252High[byte - 0x80] : byte;
    }
}

// Windows-1252 has a byte for every character.
std::size_t AnsiPrefixLength(std::string_view bytes, std::size_t limit) {
    return std::min(bytes.size(), limit);
}

std::wstring UserDecimalSeparator() {
    try {
        return {std::use_facet<std::numpunct<wchar_t>>(std::locale("")).decimal_point()};
    } catch (const std::runtime_error&) {
        return L"."; // the user's locale is not installed: use the C locale's
    }
}

File File::OpenForReading(const std::wstring& path) {
    const int fd = open(Narrow(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        ThrowErrno();
    return File(fd);
}

File File::OpenTruncating(const std::wstring& path) {
    const int fd = open(Narrow(path).c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC); // no O_CREAT
    if (fd < 0)
        ThrowErrno();
    return File(fd);
}

File::File(File&& other) noexcept : handle_(std::exchange(other.handle_, -1)) {}

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        Close();
        handle_ = std::exchange(other.handle_, -1);
    }
    return *this;
}

File::~File() {
    Close();
}

void File::Close() noexcept {
    if (handle_ >= 0)
        close(static_cast<int>(handle_)); // never retried: the descriptor is gone either way
    handle_ = -1;
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
            ThrowErrno();
    }
}

} // namespace velmora::platform
