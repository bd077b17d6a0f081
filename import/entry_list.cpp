#include "entry_list.h"

#include "coordinate_error.h"
#include "coordinate_file.h"
#include "platform.h"
#include "scale_by_16.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace velmora {
namespace {

// Where each field's value line sits in a group; line 0 is never read.
constexpr std::size_t FieldLines[3] = {1, 2, 3};

bool IsAscii(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Everything one import needs besides the file and the model.
struct ImportRules {
    bool scaled;
    std::wstring decimalSeparator;
    std::optional<char> point; // the separator, where the quick route can write it
    std::wstring value;        // scratch for a value on the careful route
    std::wstring product;      // and for its product
};

// Where the values of one entry sit in the list, and how many are stored.
struct EntrySpan {
    std::size_t start[3] = {};
    std::size_t length[3] = {};
    std::size_t stored = 0;
};

void NoteValue(EntrySpan& span, std::size_t start, std::size_t end) {
    span.start[span.stored] = start;
    span.length[span.stored] = end - start;
    ++span.stored;
}

// The quick route, for groups whose values are ASCII and, with "Multiply By 16",
// plain numbers: the entry is widened straight into the list, which grows once.
// False, having changed nothing, for any other group.
bool AppendAsciiEntry(std::wstring& list, const Group& group, const ImportRules& rules,
                      EntrySpan& span) {
    std::string_view values[3];
    ScaledText products[3];
    std::size_t length = list.empty() ? 4 : 6; // the separators
    for (std::size_t i = 0; i < 3; ++i) {
        const auto& value = group.lines[FieldLines[i]].value;
        if (!value || !IsAscii(*value))
            return false;
        if (rules.scaled) {
            const auto product =
                rules.point ? ScaleSimply(*value, *rules.point, products[i]) : std::nullopt;
            if (!product)
                return false;
            values[i] = *product;
        } else {
            values[i] = *value;
        }
        length += values[i].size();
    }
    const std::size_t start = list.size();
    list.resize(start + length);
    wchar_t* out = list.data() + start;
    if (start != 0) {
        *out++ = L'\r';
        *out++ = L'\n';
    }
    for (std::size_t i = 0; i < 3; ++i) {
        if (i != 0) {
            *out++ = L',';
            *out++ = L' ';
        }
        const std::size_t valueStart = static_cast<std::size_t>(out - list.data());
        out = std::copy(values[i].begin(), values[i].end(), out);
        NoteValue(span, valueStart, valueStart + values[i].size());
    }
    return true;
}

// The careful route: any code page, any number the user may type, and a stop
// at the first value that is wrong, with the entry's values stored so far.
void AppendEntry(std::wstring& list, const Group& group, ImportRules& rules, EntrySpan& span) {
    if (!list.empty())
        list.append(L"\r\n");
    for (std::size_t i = 0; i < 3; ++i) {
        const GroupLine& line = group.lines[FieldLines[i]];
        const std::size_t lineNumber = group.firstLine + FieldLines[i];
        if (!line.value) {
            // The line may be huge: only its start is decoded, cut between characters.
            const std::size_t cut = platform::AnsiPrefixLength(line.text, 64);
            std::wstring shown;
            platform::AppendAnsi(shown, line.text.substr(0, cut));
            if (cut < line.text.size())
                shown += L'\u2026';
            throw CoordinateError(ErrorKind::SubscriptOutOfRange, lineNumber, shown);
        }
        if (i != 0)
            list.append(L", ");
        const std::size_t start = list.size();
        if (rules.scaled) {
            rules.value.clear();
            platform::AppendAnsi(rules.value, *line.value);
            try {
                ScaleBy16Into(rules.product, rules.value, rules.decimalSeparator);
            } catch (CoordinateError& error) {
                error.setLine(lineNumber);
                throw;
            }
            list.append(rules.product);
        } else {
            platform::AppendAnsi(list, *line.value);
        }
        NoteValue(span, start, list.size());
    }
}

// Text1 to Text3 as a field-by-field import leaves them: the values of the
// current entry stored so far, then those of the last complete one, if any.
void SetFields(WindowModel& model, const std::wstring& list, const EntrySpan& current,
               const EntrySpan& last) {
    std::wstring* const fields[3] = {&model.Text1, &model.Text2, &model.Text3};
    for (std::size_t i = 0; i < 3; ++i) {
        const EntrySpan& from = i < current.stored ? current : last;
        if (i < from.stored)
            fields[i]->assign(list, from.start[i], from.length[i]);
    }
}

void ImportGroups(GroupReader& reader, WindowModel& model, std::wstring& list) {
    const std::wstring separator = model.Option1 ? platform::UserDecimalSeparator() : L"";
    ImportRules rules{model.Option1, separator, AsciiPoint(separator), {}, {}};
    EntrySpan last;
    EntrySpan current;
    std::size_t complete = 0; // the list's length after the last complete entry
    try {
        Group group;
        while (reader.Next(group)) {
            if (!AppendAsciiEntry(list, group, rules, current))
                AppendEntry(list, group, rules, current);
            last = std::exchange(current, {});
            complete = list.size();
        }
    } catch (...) {
        SetFields(model, list, current, last);
        list.resize(complete);
        throw;
    }
    SetFields(model, list, current, last);
}

} // namespace

std::wstring_view ValueField(std::wstring_view line) {
    const std::size_t first = line.find(L'=');
    if (first == line.npos)
        throw CoordinateError(ErrorKind::SubscriptOutOfRange, 0, line);
    const auto rest = line.substr(first + 1);
    return rest.substr(0, rest.find(L'='));
}

void ImportEntries(const std::wstring& path, WindowModel& model, FileSlot& slot) {
    ImportEntries(path, model, slot, ReadBufferSize);
}

void ImportEntries(const std::wstring& path, WindowModel& model, FileSlot& slot,
                   std::size_t bufferSize) {
    GroupReader reader = ReadGroups(path, slot, bufferSize);
    model.Text4 = std::wstring(); // its memory too, before the new list takes its own
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
