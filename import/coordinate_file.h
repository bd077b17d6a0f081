#pragma once

#include "platform.h"

#include <cstddef>
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

// One position: four lines as they stand in the file (8-bit text, no terminator).
struct Group {
    std::string_view lines[4];
    std::size_t firstLine = 0; // 1-based line number of lines[0]
};

// Hands out the groups of an open coordinate file one at a time and releases
// the slot when it goes out of scope, also when the import stops part way.
class GroupReader {
  public:
    GroupReader(FileSlot& slot, platform::FileBytes bytes);
    GroupReader(GroupReader&&) = delete;
    ~GroupReader() { ReleaseSlot(slot_); }

    // False at the end of the file, which is only tested between groups.
    // Throws CoordinateError(InputPastEnd) when the file ends inside a group.
    bool Next(Group& group);
    std::size_t size() const noexcept { return bytes_.size(); }

  private:
    std::string_view ReadLine();

    FileSlot& slot_;
    platform::FileBytes file_;
    std::string_view bytes_;
    std::size_t position_ = 0;
    std::size_t lineNumber_ = 0;
};

// Opens the file in the slot and reads it. Throws CoordinateError (OpenFailed,
// ReadFailed, FileAlreadyOpen).
[[nodiscard]] GroupReader ReadGroups(const std::wstring& path, FileSlot& slot);

// Empties an existing file; never creates one. Throws CoordinateError
// (TruncateFailed, FileAlreadyOpen).
void TruncateCoordinateFile(const std::wstring& path, FileSlot& slot);

} // namespace velmora
