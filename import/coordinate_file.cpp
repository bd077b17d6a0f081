#include "coordinate_file.h"

#include "coordinate_error.h"
#include "mark_finder.h"

#include <algorithm>

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

GroupReader::GroupReader(FileSlot& slot, std::size_t bufferSize)
    : slot_(slot), fileSize_(slot.file().Size()),
      // A small file needs no more than its own size (and one byte to see its end).
      capacity_(std::clamp<std::size_t>(fileSize_ + 1, 1, std::max<std::size_t>(bufferSize, 1))),
      buffer_(std::make_unique_for_overwrite<char[]>(capacity_)) {
    Refill();
}

bool GroupReader::Next(Group& group) {
    for (;;) {
        if (begin_ == end_ && atEnd_)
            return false;
        if (begin_ != end_ && ScanGroup(group))
            return true;
        Refill();
    }
}

// Finds the group's four lines and their values in one pass over its bytes.
// A line ends at CR or CR LF; a lone LF is an ordinary character. False when
// the bytes read so far end inside the group and the file may hold more.
bool GroupReader::ScanGroup(Group& group) {
    const char* const stop = buffer_.get() + end_;
    const char* line = buffer_.get() + begin_;
    MarkFinder marks(line, stop);
    for (std::size_t i = 0; i < 4; ++i) {
        if (line == stop) {
            if (!atEnd_)
                return false;
            throw CoordinateError(ErrorKind::InputPastEnd, lineNumber_ + i + 1, {});
        }
        const char* first = nullptr;
        const char* second = nullptr;
        const char* mark = marks.Next();
        for (; mark != stop && *mark == '='; mark = marks.Next()) {
            if (!first)
                first = mark;
            else if (!second)
                second = mark;
        }
        // A CR last in the buffer may yet be followed by its LF.
        if (!atEnd_ && stop - mark < 2)
            return false;
        group.lines[i].text = {line, mark};
        group.lines[i].value.reset();
        if (first)
            group.lines[i].value.emplace(first + 1, second ? second : mark);
        line = mark == stop ? stop : mark + 1;
        if (line != stop && *line == '\n')
            ++line;
    }
    group.firstLine = lineNumber_ + 1;
    lineNumber_ += 4;
    begin_ = static_cast<std::size_t>(line - buffer_.get());
    return true;
}

// Moves the unfinished group to the front of the buffer, growing the buffer
// when the group fills it, and reads more behind it.
void GroupReader::Refill() {
    const std::size_t kept = end_ - begin_;
    if (kept == capacity_) {
        auto grown = std::make_unique_for_overwrite<char[]>(2 * capacity_);
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
