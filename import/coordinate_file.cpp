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

void FileSlot::Occupy(platform::File file) {
    if (file_)
        throw CoordinateError(ErrorKind::FileAlreadyOpen, 0, {});
    file_.emplace(std::move(file));
}

namespace {

// Room for capacity bytes and the ReadAhead after them. Zeroed, so that what a
// block loop reads past the file's bytes is never uninitialised.
std::unique_ptr<char[]> PaddedBuffer(std::size_t capacity) {
    return std::make_unique<char[]>(capacity + ReadAhead);
}

} // namespace

GroupReader::GroupReader(FileSlot& slot, std::size_t bufferSize)
    : slot_(slot), fileSize_(slot.file().Size()),
      // A small file needs no more than its own size (and one byte to see its end).
      capacity_(std::clamp<std::size_t>(fileSize_ + 1, 1, std::max<std::size_t>(bufferSize, 1))),
      buffer_(PaddedBuffer(capacity_)) {
    Refill();
}

// Moves the unfinished group to the front of the buffer, growing the buffer
// when the group fills it, and reads more behind it.
void GroupReader::Refill() {
    const std::size_t kept = end_ - begin_;
    if (kept == capacity_) {
        auto grown = PaddedBuffer(2 * capacity_);
        std::memcpy(grown.get(), buffer_.get(), kept);
        buffer_ = std::move(grown);
        capacity_ *= 2;
    } else if (begin_ != 0) {
        std::memmove(buffer_.get(), buffer_.get() + begin_, kept);
    }
    begin_ = 0;
    end_ = kept;
    try {
        const std::size_t got = slot_.file().Read(buffer_.get() + end_, capacity_ - end_);
        atEnd_ = got == 0;
        end_ += got;
    } catch (const platform::SystemError& error) {
        throw CoordinateError(ErrorKind::ReadFailed, 0, {}, error.message());
    }
}

GroupReader ReadGroups(const std::wstring& path, FileSlot& slot, std::size_t bufferSize) {
    try {
        slot.Occupy(platform::File::OpenForReading(path));
    } catch (const platform::SystemError& error) {
        throw CoordinateError(ErrorKind::OpenFailed, 0, {}, error.message());
    }
    try {
        return GroupReader(slot, bufferSize);
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
