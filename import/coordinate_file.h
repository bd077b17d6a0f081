#pragma once

#include "byte_search.h"
#include "coordinate_error.h"
#include "platform.h"

#include <algorithm>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// The coordinate file's location below the program folder: \cleo\Temp.INI.
std::wstring CoordinateFileLiteral();

// The program folder followed by "\cleo\Temp.INI", joined as they stand: at a
// drive's root the separator doubles, which the file system accepts.
inline std::wstring CoordinateFilePath(const std::wstring& programFolder) {
    return programFolder + CoordinateFileLiteral();
}

// True when the path names a normal file: not hidden, not system, not a directory.
inline bool CoordinateFileExists(const std::wstring& path) {
    return platform::IsNormalFile(path);
}

// The single place where the program holds an open file.
class FileSlot {
  public:
    // Throws CoordinateError(FileAlreadyOpen) while the slot is occupied.
    void Occupy(platform::File file);
    platform::File& file() { return *file_; }
    bool occupied() const noexcept { return file_.has_value(); }
    void Release() noexcept { file_.reset(); }

  private:
    std::optional<platform::File> file_;
};

// Closes the file open in the slot, if any.
inline void ReleaseSlot(FileSlot& slot) noexcept {
    slot.Release();
}

// One position: four lines as they stand in the file (8-bit text, no terminator).
struct Group {
    std::string_view lines[4];
    std::size_t firstLine = 0; // 1-based line number of lines[0]
};

// The size of the reads through which a file is imported: large enough that
// reading costs little beside parsing, small enough to stay in the CPU's cache.
inline constexpr std::size_t ReadBufferSize = 256 * 1024;

// Reads an open coordinate file a buffer at a time and hands out its groups;
// a group that straddles two reads is carried over, and the buffer grows for a
// group longer than itself. The lines lie in the buffer, followed by at least
// ReadAhead readable bytes, so that the block loops of byte_search.h may run
// over them. Releases the slot when it goes out of scope, also when the import
// stops part way.
class GroupReader {
  public:
    // Throws CoordinateError(ReadFailed) when the first read fails.
    GroupReader(FileSlot& slot, std::size_t bufferSize);
    GroupReader(GroupReader&&) = delete;
    ~GroupReader() { ReleaseSlot(slot_); }

    // Calls onGroup(const Group&) for each group in file order, up to the end of
    // the file, which is only tested between groups. Throws CoordinateError
    // (InputPastEnd) when the file ends inside a group, (ReadFailed) when a read
    // fails, and what onGroup throws.
    template <class OnGroup> void ForEachGroup(OnGroup&& onGroup);
    // The file's size when it was opened.
    std::size_t size() const noexcept { return fileSize_; }

  private:
    void Refill();

    FileSlot& slot_;
    std::size_t fileSize_;
    std::size_t capacity_;
    std::unique_ptr<char[]> buffer_;
    std::size_t begin_ = 0; // the first byte not yet handed out
    std::size_t end_ = 0;   // the end of the bytes read
    bool atEnd_ = false;    // the file has no bytes after end_
    std::size_t lineNumber_ = 0;
};

// A line ends at CR or CR LF; a lone LF is an ordinary character. The groups
// that the bytes read so far hold whole are scanned in one loop whose state
// stays in registers, which the list's stores could otherwise make it reload.
template <class OnGroup> void GroupReader::ForEachGroup(OnGroup&& onGroup) {
    for (;;) {
        const char* line = buffer_.get() + begin_;
        const char* const stop = buffer_.get() + end_;
        ByteWalker lineEnds(line, stop, '\r');
        Group group;
        group.firstLine = lineNumber_ + 1;
        while (line != stop) {
            const char* starts[5] = {line};
            const char* ends[4];
            for (std::size_t i = 0; i < 4; ++i) {
                ends[i] = lineEnds.Next();
                // Past stop lie readable bytes that are no LF of this line.
                starts[i + 1] = std::min(ends[i] + 1 + (ends[i][1] == '\n'), stop);
            }
            // Short of the file's end, the last CR needs a byte after it, its LF maybe.
            if (!atEnd_ && stop - ends[3] < 2)
                break;
            for (std::size_t i = 0; i < 4; ++i) {
                if (starts[i] == stop)
                    throw CoordinateError(ErrorKind::InputPastEnd, group.firstLine + i, {});
                group.lines[i] = {starts[i], ends[i]};
            }
            onGroup(static_cast<const Group&>(group));
            group.firstLine += 4;
            line = starts[4];
        }
        begin_ = static_cast<std::size_t>(line - buffer_.get());
        lineNumber_ = group.firstLine - 1;
        if (line == stop && atEnd_)
            return;
        Refill();
    }
}

// Opens the file in the slot and starts reading it through a buffer of
// bufferSize bytes. Throws CoordinateError (OpenFailed, ReadFailed,
// FileAlreadyOpen).
[[nodiscard]] GroupReader ReadGroups(const std::wstring& path, FileSlot& slot,
                                     std::size_t bufferSize);

// Empties an existing file; never creates one. Throws CoordinateError
// (TruncateFailed, FileAlreadyOpen).
void TruncateCoordinateFile(const std::wstring& path, FileSlot& slot);

} // namespace velmora
