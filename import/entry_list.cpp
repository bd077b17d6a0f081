#include "entry_list.h"

#include "coordinate_error.h"
#include "coordinate_file.h"
#include "platform.h"
#include "scale_by_16.h"
#include "value_piece.h"

#include <algorithm>

namespace velmora {
namespace {

// Where each field's value line sits in a group; line 1 is never read.
constexpr std::size_t FieldLines[3] = {1, 2, 3};

bool IsAscii(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// ASCII reads the same in every ANSI code page, so most values skip the
// system's decoder.
void DecodeInto(std::wstring& out, std::string_view bytes) {
    if (IsAscii(bytes)) {
        // Widened in place: assign() with char iterators would build a
        // temporary wstring for every value.
        out.resize(bytes.size());
        std::copy(bytes.begin(), bytes.end(), out.begin());
        return;
    }
    out = platform::DecodeAnsi(bytes);
}

// Everything one import needs besides the file and the model.
struct FieldRules {
    bool scaled;
    std::wstring decimalSeparator;
    std::wstring scratch;
};

void StoreField(std::wstring& field, std::string_view line, std::size_t lineNumber,
                FieldRules& rules) {
    const auto piece = ValuePiece(line);
    if (!piece) {
        std::wstring shown;
        DecodeInto(shown, line.substr(0, 64));
        throw CoordinateError(ErrorKind::SubscriptOutOfRange, lineNumber, shown);
    }
    if (!rules.scaled) {
        DecodeInto(field, *piece);
        return;
    }
    DecodeInto(rules.scratch, *piece);
    try {
        ScaleBy16Into(field, rules.scratch, rules.decimalSeparator);
    } catch (CoordinateError& error) {
        error.setLine(lineNumber);
        throw;
    }
}

void ImportGroups(GroupReader& reader, WindowModel& model, std::wstring& list) {
    FieldRules rules{model.Option1, model.Option1 ? platform::UserDecimalSeparator() : L"", {}};
    std::wstring* const fields[3] = {&model.Text1, &model.Text2, &model.Text3};
    std::wstring entry;
    Group group;
    while (reader.Next(group)) {
        for (std::size_t i = 0; i < 3; ++i) {
            const std::size_t line = FieldLines[i];
            StoreField(*fields[i], group.lines[line], group.firstLine + line, rules);
        }
        entry.assign(model.Text1)
            .append(L", ")
            .append(model.Text2)
            .append(L", ")
            .append(model.Text3);
        AppendEntry(list, entry);
    }
}

} // namespace

std::wstring_view ValueField(std::wstring_view line) {
    const auto piece = ValuePiece(line);
    if (!piece)
        throw CoordinateError(ErrorKind::SubscriptOutOfRange, 0, line);
    return *piece;
}

void AppendEntry(std::wstring& list, std::wstring_view entry) {
    if (!list.empty())
        list.append(L"\r\n");
    list.append(entry);
}

void ImportEntries(const std::wstring& path, WindowModel& model, FileSlot& slot) {
    GroupReader reader = ReadGroups(path, slot);
    model.Text4.clear();
    // The list is built aside and handed over once, also where the import stops,
    // so a long file costs one pass and no re-copying. Unscaled entries are never
    // longer than their groups, so this reservation is enough for them.
    std::wstring list;
    list.reserve(reader.size());
    try {
        ImportGroups(reader, model, list);
    } catch (...) {
        model.Text4 = std::move(list);
        throw;
    }
    model.Text4 = std::move(list);
}

// The model is changed by the import that runImport runs, not by Refresh itself.
Status Refresh(const std::wstring& programFolder, WindowModel& /*model*/, FileSlot& slot,
               const RunImport& runImport) {
    const std::wstring path = CoordinateFilePath(programFolder);
    if (!CoordinateFileExists(path))
        return Status::FileMissing;
    ReleaseSlot(slot);
    runImport(path);
    return Status::Done;
}

Status Refresh(const std::wstring& programFolder, WindowModel& model, FileSlot& slot) {
    return Refresh(programFolder, model, slot,
                   [&](const std::wstring& path) { ImportEntries(path, model, slot); });
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
