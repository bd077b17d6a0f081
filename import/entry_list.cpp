#include "entry_list.h"

#include "coordinate_error.h"
#include "platform.h"
#include "scale_by_16.h"

namespace velmora {

using namespace std::literals;

std::optional<std::string_view> ValueField(std::string_view line) {
    const std::size_t first = line.find('=');
    if (first == std::string_view::npos)
        return std::nullopt;
    line.remove_prefix(first + 1);
    return line.substr(0, line.find('='));
}

void AppendEntry(std::wstring& list, std::wstring_view entry) {
    if (!list.empty())
        list += L"\r\n"sv;
    list += entry;
}

namespace {

// Stores the field of one value line: its value, scaled where separator (the
// user's decimal separator) is given.
void StoreField(std::wstring& field, const std::string& line, std::size_t lineNumber,
                const std::optional<std::wstring>& separator, std::wstring& text) {
    const std::optional<std::string_view> value = ValueField(line);
    text.clear();
    platform::AppendAnsi(text, value.value_or(line));
    if (!value)
        throw CoordinateError(ErrorKind::SubscriptOutOfRange, lineNumber, text);
    try {
        if (separator)
            ScaleBy16(text, *separator, field);
        else
            field.assign(text);
    } catch (CoordinateError& error) {
        error.line = lineNumber;
        throw;
    }
}

} // namespace

void ImportEntries(const std::wstring& path, WindowModel& model, FileSlot& slot) {
    GroupReader reader(path, slot);
    model.Text4 = std::wstring();      // its memory too, before the new list takes its own
    model.Text4.reserve(slot->Size()); // an unscaled list is never longer than its file
    const std::optional<std::wstring> separator =
        model.Option1 ? std::optional(platform::UserDecimalSeparator()) : std::nullopt;
    std::wstring* const fields[3] = {&model.Text1, &model.Text2, &model.Text3};
    Group group;
    std::wstring text;
    std::wstring entry;
    while (reader.Next(group)) {
        for (std::size_t i = 0; i < 3; ++i)
            StoreField(*fields[i], group.lines[i + 1], group.firstLine + 1 + i, separator, text);
        entry.assign(model.Text1).append(L", "sv).append(model.Text2).append(L", "sv);
        AppendEntry(model.Text4, entry.append(model.Text3));
    }
}

Status Refresh(const std::wstring& programFolder, FileSlot& slot, const RunImport& runImport) {
    const std::wstring path = CoordinateFilePath(programFolder);
    if (!CoordinateFileExists(path))
        return Status::FileMissing;
    ReleaseSlot(slot);
    runImport(path);
    return Status::Done;
}

Status Clear(const std::wstring& programFolder, WindowModel& model, FileSlot& slot) {
    model.Text4.clear();
    const std::wstring path = CoordinateFilePath(programFolder);
    if (!CoordinateFileExists(path))
        return Status::FileMissing;
    TruncateCoordinateFile(path, slot);
    return Status::Done;
}

} // namespace velmora
