#pragma once

#include "platform.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

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
using FileSlot = std::optional<platform::File>;

// Closes the file open in the slot, if any.
inline void ReleaseSlot(FileSlot& slot) noexcept {
    slot.reset();
}

// One position: its four lines as they stand in the file (8-bit text, no terminator).
struct Group {
    std::array<std::string, 4> lines;
    std::size_t firstLine = 0; // 1-based line number of lines[0]
};

// Reads the coordinate file a group at a time, through a buffer of its own.
// Holds the file in the slot while it lives, so the slot is free again also
// where an import stops part way.
class GroupReader {
  public:
    // Opens the file in the slot and reads its start. Throws CoordinateError
    // (FileAlreadyOpen, OpenFailed, ReadFailed).
    GroupReader(const std::wstring& path, FileSlot& slot);
    GroupReader(const GroupReader&) = delete;
    GroupReader& operator=(const GroupReader&) = delete;

    // Reads the next group into group; false at the end of the file, which is
    // only tested between groups. Throws CoordinateError (InputPastEnd) where the
    // file ends inside a group, (ReadFailed) where a read fails.
    bool Next(Group& group);

  private:
    // A line ends at CR or CR LF; a lone LF is an ordinary character.
    bool NextLine(std::string& line);
    bool Available();

    struct Release {
        FileSlot& slot;
        ~Release() { ReleaseSlot(slot); }
    };

    FileSlot& slot_;
    Release release_{slot_}; // also where the constructor throws once the file is open
    std::vector<char> buffer_;
    std::size_t begin_ = 0; // the first byte not yet read as a line
    std::size_t end_ = 0;
    std::size_t lineNumber_ = 0;
};

// Empties an existing file; never creates one. Throws CoordinateError
// (TruncateFailed, FileAlreadyOpen).
void TruncateCoordinateFile(const std::wstring& path, FileSlot& slot);

} // namespace velmora
