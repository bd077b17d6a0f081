#include "entry_list.h"

#include "byte_search.h"
#include "coordinate_error.h"
#include "platform.h"
#include "scale_by_16.h"

#include <algorithm>
#include <optional>

namespace velmora {
namespace {

// The value of a value line: the text between the first and the second "=", or
// from the first "=" to the end. Nothing where the line has no "=". The line
// lies in a GroupReader's buffer, which the block loops may read past.
std::optional<std::string_view> ValueField(std::string_view line) {
    const char* const end = line.data() + line.size();
    const auto [first, second] = FindTwo(line.data(), end, '=');
    if (first == end)
        return std::nullopt;
    return std::string_view(first + 1, second);
}

// Where the values of one entry lie in the list, and how many are stored.
struct EntrySpan {
    std::size_t start[3] = {};
    std::size_t end[3] = {};
    std::size_t stored = 0;
};

// Builds the list in place, one entry per group: each value is decoded (and
// scaled where asked) straight into the list, which grows in steps ahead of the
// writing, so that its memory is touched once and values go in whole blocks.
class EntryBuilder {
  public:
    // Unscaled entries are never longer than their groups, so a reservation of
    // the file's size, and the room one entry asks beyond its own bytes, is all
    // the list needs for them: it is never copied to grow.
    EntryBuilder(std::size_t reservation, bool scaled)
        : separator_(scaled ? platform::UserDecimalSeparator() : L""),
          byteSeparator_(separator_.size() == 1 && separator_[0] < 0x80) {
        list_.reserve(reservation + 3 * (2 + MaxScaledLength) + ByteBlock);
    }

    // Throws at the first value that is wrong, with the entry's values stored so far.
    void AppendEntry(const Group& group) {
        std::size_t room = 0; // a value is never longer than its line
        for (std::size_t i = 1; i < 4; ++i)
            room += 2 + group.lines[i].size() + separator_.size() + MaxScaledLength;
        wchar_t* out = Room(room);
        EntrySpan& span = spans_[building_];
        for (std::size_t i = 0; i < 3; ++i) {
            const std::size_t lineNumber = group.firstLine + 1 + i;
            const auto value = ValueField(group.lines[1 + i]);
            if (!value)
                throw CoordinateError(ErrorKind::SubscriptOutOfRange, lineNumber,
                                      ShownLine(group.lines[1 + i]));
            if (i != 0 || used_ != 0)
                out = std::copy_n(i == 0 ? L"\r\n" : L", ", 2, out);
            span.start[i] = Offset(out);
            try {
                out = separator_.empty() ? Decode(*value, out) : Scale(*value, out);
            } catch (CoordinateError& error) {
                error.setLine(lineNumber);
                throw;
            }
            span.end[i] = Offset(out);
            span.stored = i + 1;
        }
        used_ = Offset(out);
        building_ ^= 1;
        spans_[building_].stored = 0;
    }

    // Text1 to Text3 as a field-by-field import leaves them (the values of the
    // entry that stopped, then those of the last complete one), and Text4 the
    // list of the complete entries.
    void Finish(WindowModel& model) {
        const EntrySpan& building = spans_[building_];
        std::wstring* const fields[3] = {&model.Text1, &model.Text2, &model.Text3};
        for (std::size_t i = 0; i < 3; ++i) {
            const EntrySpan& from = building.stored > i ? building : spans_[building_ ^ 1];
            if (i < from.stored)
                fields[i]->assign(list_, from.start[i], from.end[i] - from.start[i]);
        }
        list_.resize(used_);
        model.Text4 = std::move(list_);
    }

  private:
    static constexpr std::size_t GrowthStep = 1024; // filled while it stays in the cache

    // Where the next character goes, with room for n of them and a block's slack.
    wchar_t* Room(std::size_t n) {
        if (list_.size() - used_ < n + ByteBlock) {
            list_.resize(std::max(used_ + n + ByteBlock,
                                  std::min(list_.size() + GrowthStep, list_.capacity())));
            // The next step is fetched now, so that its memory arrives while this
            // one is filled, rather than stalling the zero-fill next time.
            const std::size_t ahead = std::min(GrowthStep, list_.capacity() - list_.size());
            for (std::size_t i = 0; i < ahead; i += 64 / sizeof(wchar_t))
                __builtin_prefetch(list_.data() + list_.size() + i, 1);
        }
        return list_.data() + used_;
    }

    // Writes the bytes as text at out, which has room for them and a block more.
    wchar_t* Decode(std::string_view bytes, wchar_t* out) {
        if (wchar_t* const end = WidenAscii(bytes, out))
            return end;
        const std::wstring& text = Ansi(bytes);
        return std::copy(text.begin(), text.end(), out);
    }

    // A value is scaled from its bytes where they can only be ASCII text: text
    // beyond ASCII is never a number unless the separator is beyond ASCII too.
    // Its decoded text decides otherwise, and names it when it is wrong.
    wchar_t* Scale(std::string_view value, wchar_t* out) {
        if (byteSeparator_) {
            try {
                return ScaleBy16(value.data(), value.size(), separator_, out);
            } catch (const CoordinateError& error) {
                if (error.kind() != ErrorKind::TypeMismatch)
                    throw;
            }
        }
        const std::wstring& text = Ansi(value);
        return ScaleBy16(text.data(), text.size(), separator_, out);
    }

    // The start of a line that is no value line: it may be huge, so only its
    // first 64 bytes are shown, cut between characters.
    std::wstring ShownLine(std::string_view line) {
        const std::size_t cut = platform::AnsiPrefixLength(line, 64);
        return Ansi(line.substr(0, cut)) + (cut < line.size() ? L"\u2026" : L"");
    }

    // The bytes decoded by the system, in a text reused from value to value.
    const std::wstring& Ansi(std::string_view bytes) {
        ansi_.clear();
        platform::AppendAnsi(ansi_, bytes);
        return ansi_;
    }

    std::size_t Offset(const wchar_t* at) const {
        return static_cast<std::size_t>(at - list_.data());
    }

    std::wstring list_;
    const std::wstring separator_; // the user's decimal separator, when scaling
    const bool byteSeparator_;     // one ASCII character
    std::wstring ansi_;            // text beyond ASCII, decoded by the system
    std::size_t used_ = 0;         // the list's length after the last complete entry
    EntrySpan spans_[2];           // the entry being built and the last complete one,
    std::size_t building_ = 0;     // by turns
};

} // namespace

void ImportEntries(const std::wstring& path, WindowModel& model, FileSlot& slot,
                   std::size_t bufferSize) {
    GroupReader reader = ReadGroups(path, slot, bufferSize);
    model.Text4 = std::wstring(); // its memory too, before the new list takes its own
    // The list is built aside and handed over once, also where the import stops,
    // so a long file costs one pass and no re-copying.
    EntryBuilder entries(reader.size(), model.Option1);
    try {
        reader.ForEachGroup([&](const Group& group) { entries.AppendEntry(group); });
    } catch (...) {
        entries.Finish(model);
        throw;
    }
    entries.Finish(model);
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
