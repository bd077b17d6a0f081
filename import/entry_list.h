#pragma once

#include "coordinate_file.h"
#include "window_model.h"

#include <cstddef>
#include <functional>
#include <string>

namespace velmora {

// Rebuilds Text4 from the coordinate file at path; Text1 to Text3 end with the
// last group's fields. Throws CoordinateError where the import stops, leaving
// the entries and fields stored before that point. The file is read through a
// buffer of bufferSize bytes.
void ImportEntries(const std::wstring& path, WindowModel& model, FileSlot& slot,
                   std::size_t bufferSize = ReadBufferSize);

// Runs the import at the point where Refresh hands over to it: the window
// presses its import button, which calls ImportEntries.
using RunImport = std::function<void(const std::wstring& path)>;

Status Refresh(const std::wstring& programFolder, FileSlot& slot, const RunImport& runImport);

// Empties Text4, then the coordinate file when it exists. Throws
// CoordinateError(TruncateFailed) when the file cannot be emptied.
Status Clear(const std::wstring& programFolder, WindowModel& model, FileSlot& slot);

} // namespace velmora
