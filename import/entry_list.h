#pragma once

#include "coordinate_file.h"
#include "window_model.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

enum class Status { Done, FileMissing };

// The text between a line's first and second "=", or from the first "=" to the
// end; nothing where the line has no "=".
std::optional<std::string_view> ValueField(std::string_view line);

// Adds the entry to the list, after a line break unless the list is empty.
void AppendEntry(std::wstring& list, std::wstring_view entry);

// Rebuilds Text4 from the coordinate file at path; Text1 to Text3 end with the
// last group's fields. Throws CoordinateError where the import stops, leaving
// the entries and fields stored before that point.
void ImportEntries(const std::wstring& path, WindowModel& model, FileSlot& slot);

// Runs the import at the point where Refresh hands over to it: the window
// presses its import button, which calls ImportEntries.
using RunImport = std::function<void(const std::wstring& path)>;

Status Refresh(const std::wstring& programFolder, FileSlot& slot, const RunImport& runImport);

// Empties Text4, then the coordinate file when it exists. Throws
// CoordinateError(TruncateFailed) when the file cannot be emptied.
Status Clear(const std::wstring& programFolder, WindowModel& model, FileSlot& slot);

} // namespace velmora
