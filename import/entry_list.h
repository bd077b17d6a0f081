#pragma once

#include "window_model.h"

#include <functional>
#include <string>
#include <string_view>

namespace velmora {

inline constexpr int ScaleFactor = 16;

// The value of a value line: the text between the first and the second "=", or
// from the first "=" to the end. Throws CoordinateError(SubscriptOutOfRange)
// when the line has no "=".
std::wstring_view ValueField(std::wstring_view line);

// The value times 16 as the user reads numbers (decimalSeparator is the user's).
// Throws CoordinateError(TypeMismatch) for text that is not a number and
// CoordinateError(Overflow) beyond the range of a double.
std::wstring ScaleBy16(std::wstring_view value, std::wstring_view decimalSeparator);

class FileSlot;

// Rebuilds Text4 from the coordinate file at path; Text1 to Text3 end with the
// last group's fields. Throws CoordinateError where the import stops, leaving
// the entries and fields stored before that point. The file is read through a
// buffer of bufferSize bytes (see ReadBufferSize).
void ImportEntries(const std::wstring& path, WindowModel& model, FileSlot& slot,
                   std::size_t bufferSize);
void ImportEntries(const std::wstring& path, WindowModel& model, FileSlot& slot);

// Runs the import at the point where Refresh hands over to it. The window passes
// one that presses its import button; without a window it calls ImportEntries.
using RunImport = std::function<void(const std::wstring& path)>;

Status Refresh(const std::wstring& programFolder, WindowModel& model, FileSlot& slot,
               const RunImport& runImport);
Status Refresh(const std::wstring& programFolder, WindowModel& model, FileSlot& slot);

// Empties Text4, then the coordinate file when it exists. Throws
// CoordinateError(TruncateFailed) when the file cannot be emptied.
Status Clear(const std::wstring& programFolder, WindowModel& model, FileSlot& slot);

} // namespace velmora
