#pragma once

#include "platform.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// The coordinate file's location below the program folder.
std::wstring_view CoordinateFileLiteral();

// The program folder followed by "\cleo\Temp.INI", joined as they stand.
std::wstring CoordinateFilePath(const std::wstring& programFolder);

// True when the path names a normal file: not hidden, not system, not a directory.
bool CoordinateFileExists(const std::wstring& path);

// The single place where the program holds an open file.
class FileSlot {
  public:
    // Throws CoordinateError(FileAlreadyOpen) while the slot is occupied.
    void Occupy(platform::File file);
    platform::File& file();
    bool occupied() const noexcept { return file_.has_value(); }
    void Release() noexcept { file_.reset(); }

  private:
    std::optional<platform::File> file_;
};

// Closes the file open in the slot, if any.
void ReleaseSlot(FileSlot& slot) noexcept;

// One line as it stands in the file (8-bit text, no terminator), and its value
// where it has an "=": the text between the first and the second "=", or from
// the first "=" to the end of the line.
struct GroupLine {
    std::string_view text;
    std::optional<std::string_view> value;
};

// One position: four lines.
struct Group {
    GroupLine lines[4];
    std::size_t firstLine = 0; // 1-based line number of lines[0]
};

// The size of the reads through which a file is imported: large enough that
// reading costs little beside parsing, small enough to stay in the CPU's cache.
inline constexpr std::size_t ReadBufferSize = 256 * 1024;

// Reads an open coordinate file a buffer at a time and hands out its groups;
// a group that straddles two reads is carried over, and the buffer grows for a
// group longer than itself. Releases the slot when it goes out of scope, also
// when the import stops part way.
class GroupReader {
  public:
    // Throws CoordinateError(ReadFailed) when the first read fails.
    GroupReader(FileSlot& slot, std::size_t bufferSize);
    GroupReader(GroupReader&&) = delete;
    ~GroupReader() { ReleaseSlot(slot_); }

    // False at the end of the file, which is only tested between groups. The
    // group's lines stay valid until the next call. Throws CoordinateError
    // (InputPastEnd) when the file ends inside a group, (ReadFailed) when a
    // read fails.
    bool Next(Group& group);
    // The file's size when it was opened.
    std::size_t size() const noexcept { return fileSize_; }

  private:
    bool ScanGroup(Group& group);
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

// Opens the file in the slot and starts reading it through a buffer of
// bufferSize bytes. Throws CoordinateError (OpenFailed, ReadFailed,
// FileAlreadyOpen).
[[nodiscard]] GroupReader ReadGroups(const std::wstring& path, FileSlot& slot,
                                     std::size_t bufferSize);

// Empties an existing file; never creates one. Throws CoordinateError
// (TruncateFailed, FileAlreadyOpen).
void TruncateCoordinateFile(const std::wstring& path, FileSlot& slot);

} // namespace velmora
