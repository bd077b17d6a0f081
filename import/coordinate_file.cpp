#include "coordinate_file.h"

#include "coordinate_error.h"

#include <cstring>

namespace velmora {

std::wstring_view CoordinateFileLiteral() {
#ifdef _WIN32
    return L"\\cleo\\Temp.INI";
#else
    return L"/cleo/Temp.INI";
#endif
}

std::wstring CoordinateFilePath(const std::wstring& programFolder) {
    // Plain concatenation: at a drive's root the separator doubles, which the
    // file system accepts.
    return programFolder + std::wstring(CoordinateFileLiteral());
}

bool CoordinateFileExists(const std::wstring& path) {
    return platform::IsNormalFile(path);
}

void FileSlot::Occupy(platform::File file) {
    if (file_)
        throw CoordinateError(ErrorKind::FileAlreadyOpen, 0, {});
    file_.emplace(std::move(file));
}

platform::File& FileSlot::file() {
    return *file_;
}

void ReleaseSlot(FileSlot& slot) noexcept {
    slot.Release();
}

GroupReader::GroupReader(FileSlot& slot, platform::FileBytes bytes)
    : slot_(slot), file_(std::move(bytes)), bytes_(file_.view()) {}

bool GroupReader::Next(Group& group) {
    if (position_ == bytes_.size())
        return false;
    group.firstLine = lineNumber_ + 1;
    for (auto& line : group.lines)
        line = ReadLine();
    return true;
}

// A line ends at CR or CR LF; a lone LF is an ordinary character.
std::string_view GroupReader::ReadLine() {
    ++lineNumber_;
    const std::size_t end = bytes_.size();
    if (position_ == end)
        throw CoordinateError(ErrorKind::InputPastEnd, lineNumber_, {});
    const char* start = bytes_.data() + position_;
    const void* cr = std::memchr(start, '\r', end - position_);
    const std::size_t length =
        cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - start) : end - position_;
    position_ += length;
    if (position_ < end) {
        ++position_; // the CR
        if (position_ < end && bytes_[position_] == '\n')
            ++position_;
    }
    return {start, length};
}

GroupReader ReadGroups(const std::wstring& path, FileSlot& slot) {
    try {
        slot.Occupy(platform::File::OpenForReading(path));
    } catch (const platform::SystemError& error) {
        throw CoordinateError(ErrorKind::OpenFailed, 0, {}, error.message());
    }
    try {
        return GroupReader(slot, slot.file().ReadToEnd());
    } catch (const platform::SystemError& error) {
        ReleaseSlot(slot);
        throw CoordinateError(ErrorKind::ReadFailed, 0, {}, error.message());
    } catch (...) {
        ReleaseSlot(slot);
        throw;
    }
}

void TruncateCoordinateFile(const std::wstring& path, FileSlot& slot) {
    try {
        slot.Occupy(platform::File::OpenTruncating(path));
    } catch (const platform::SystemError& error) {
        throw CoordinateError(ErrorKind::TruncateFailed, 0, {}, error.message());
    }
    ReleaseSlot(slot);
}

} // namespace velmora
