#include "platform.h"

#include "long_path.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <utility>

namespace velmora::platform {
namespace {

HANDLE AsHandle(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}
std::intptr_t FromHandle(HANDLE handle) {
    return reinterpret_cast<std::intptr_t>(handle);
}

} // namespace

std::wstring LastErrorExplanation() {
    const DWORD code = GetLastError();
    if (code == ERROR_SUCCESS)
        return {};
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    const std::unique_ptr<wchar_t, decltype(&LocalFree)> owned(text, LocalFree);
    std::wstring message = length ? std::wstring(text, length) : std::wstring();
    // Without the full stop and line end that close the system's sentence.
    message.erase(message.find_last_not_of(L"\r\n .") + 1);
    return message.empty() ? L"system error " + std::to_wstring(code) : message;
}

bool IsNormalFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(LongPathForm(path).c_str());
    constexpr DWORD NotNormal =
        FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & NotNormal) == 0;
}

void AppendAnsi(std::wstring& out, std::string_view bytes) {
    if (bytes.size() > INT_MAX)
        throw SystemError(L"a line of the file is longer than 2 GiB");
    const std::size_t start = out.size();
    // ASCII is the same in every ANSI code page, and far the most common.
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return c >= 0; })) {
        out.resize(start + bytes.size()); // widened in place, without a copy in between
        std::copy(bytes.begin(), bytes.end(), out.begin() + static_cast<std::ptrdiff_t>(start));
        return;
    }
    const int length = static_cast<int>(bytes.size());
    const int wide = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
    out.resize(start + static_cast<std::size_t>(wide));
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, out.data() + start, wide);
}

std::wstring UserDecimalSeparator() {
    wchar_t separator[8] = {};
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) <= 1)
        return L".";
    return separator;
}

File File::Open(const std::wstring& path, bool truncating) {
    // Reading shares everything: the script that writes the file is never
    // locked out. TRUNCATE_EXISTING never creates: a file that vanished stays gone.
    const HANDLE handle =
        CreateFileW(LongPathForm(path).c_str(), truncating ? GENERIC_WRITE : GENERIC_READ,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | (truncating ? 0 : FILE_SHARE_DELETE),
                    nullptr, truncating ? TRUNCATE_EXISTING : OPEN_EXISTING,
                    truncating ? FILE_ATTRIBUTE_NORMAL : FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        throw SystemError(LastErrorExplanation());
    return File(FromHandle(handle));
}

File::File(File&& other) noexcept
    : handle_(std::exchange(other.handle_, FromHandle(INVALID_HANDLE_VALUE))) {}

File::~File() {
    if (AsHandle(handle_) != INVALID_HANDLE_VALUE)
        CloseHandle(AsHandle(handle_));
}

std::size_t File::Size() const noexcept {
    LARGE_INTEGER size{};
    return GetFileSizeEx(AsHandle(handle_), &size) && size.QuadPart > 0
               ? static_cast<std::size_t>(size.QuadPart)
               : 0;
}

std::size_t File::Read(char* into, std::size_t room) {
    DWORD got = 0;
    if (!ReadFile(AsHandle(handle_), into, static_cast<DWORD>(room), &got, nullptr))
        throw SystemError(LastErrorExplanation());
    return got;
}

} // namespace velmora::platform
