#include "coordinate_file.h"

#include "coordinate_error.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

namespace velmora {

std::wstring CoordinateFileLiteral() {
    const std::wstring separator(1, std::filesystem::path::preferred_separator);
    return separator + L"cleo" + separator + L"Temp.INI";
}

namespace {

// Opens the file in the slot, unless the slot is taken.
FileSlot& OpenInSlot(FileSlot& slot, ErrorKind failure, platform::File (*open)(const std::wstring&),
                     const std::wstring& path) {
    if (slot)
        throw CoordinateError(ErrorKind::FileAlreadyOpen, 0, {});
    try {
        slot.emplace(open(path));
        return slot;
    } catch (const platform::SystemError& error) {
        throw CoordinateError(failure, 0, {}, error.message());
    }
}

} // namespace

GroupReader::GroupReader(const std::wstring& path, FileSlot& slot)
    : slot_(OpenInSlot(slot, ErrorKind::OpenFailed, platform::File::OpenForReading, path)),
      buffer_(std::min<std::size_t>(slot->Size(), 64 * 1024) + 1) { // a small file, a small buffer
    Available();
}

bool GroupReader::Next(Group& group) {
    if (!Available())
        return false;
    group.firstLine = lineNumber_ + 1;
    for (std::string& line : group.lines)
        if (!NextLine(line))
            throw CoordinateError(ErrorKind::InputPastEnd, lineNumber_ + 1, {});
    return true;
}

// True while bytes remain; refills the buffer once all of it is read.
bool GroupReader::Available() {
    if (begin_ != end_)
        return true;
    try {
        begin_ = 0;
        end_ = slot_->Read(buffer_.data(), buffer_.size());
    } catch (const platform::SystemError& error) {
        throw CoordinateError(ErrorKind::ReadFailed, 0, {}, error.message());
    }
    return end_ != 0;
}

bool GroupReader::NextLine(std::string& line) {
    line.clear();
    if (!Available())
        return false;
    ++lineNumber_;
    while (Available()) { // else the end of the file ends the last line
        const char* const start = buffer_.data() + begin_;
        const auto* const cr = static_cast<const char*>(std::memchr(start, '\r', end_ - begin_));
        line.append(start, cr ? cr : buffer_.data() + end_);
        begin_ = cr ? static_cast<std::size_t>(cr - buffer_.data()) + 1 : end_;
        if (cr) {
            begin_ += Available() && buffer_[begin_] == '\n';
            break;
        }
    }
    return true;
}

void TruncateCoordinateFile(const std::wstring& path, FileSlot& slot) {
    ReleaseSlot(OpenInSlot(slot, ErrorKind::TruncateFailed, platform::File::OpenTruncating, path));
}

} // namespace velmora
