// Feeds arbitrary bytes to ImportEntries as the coordinate file and checks what
// holds for any file: the import ends or stops with a CoordinateError and frees
// the slot; a complete list has one entry per four lines, each with its three
// fields, the last one the fields that stay; what a stop keeps starts the list
// of any longer file. The first byte picks the run: bit 0 "Multiply By 16",
// bit 1 a comma locale (where one is installed), bit 2 the longer file too.
#include "coordinate_error.h"
#include "entry_list.h"
#include "files.h"
#include "fuzz_check.h"

#include <cstdint>
#include <cstdlib>
#include <locale>
#include <optional>
#include <string>

namespace velmora::fuzz {
namespace {

// One file, rewritten for every input, in memory where the system offers it.
const std::filesystem::path& FuzzFile() {
    static const testing::TempFolder folder(std::filesystem::is_directory("/dev/shm")
                                                ? "/dev/shm"
                                                : std::filesystem::temp_directory_path());
    static const std::filesystem::path file = folder.path() / "Temp.INI";
    return file;
}

void UseLocale(bool comma) {
    static const bool commaInstalled = [] {
        try {
            return std::locale("de_DE.UTF-8"), true;
        } catch (const std::runtime_error&) {
            return false;
        }
    }();
    setenv("LC_ALL", comma && commaInstalled ? "de_DE.UTF-8" : "C", 1);
}

struct Outcome {
    WindowModel model{L"before 1", L"before 2", L"before 3", L"before list", false};
    bool stopped = false;
};

Outcome Import(std::string_view bytes, bool scaled) {
    testing::WriteBytes(FuzzFile(), bytes);
    Outcome outcome;
    outcome.model.Option1 = scaled;
    FileSlot slot;
    try {
        ImportEntries(testing::AsWide(FuzzFile()), outcome.model, slot);
    } catch (const CoordinateError& error) {
        outcome.stopped = true;
        Check(!DescribeError(error).empty(), "every stop has a message");
    } catch (...) {
        Fail("the import throws only CoordinateError");
    }
    Check(!slot.has_value(), "the slot is released, also after a stop");
    return outcome;
}

std::size_t Count(std::wstring_view text, std::wstring_view part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != text.npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

// Lines end at CR or CR LF; the end of the file ends the last one.
std::size_t LineCount(std::string_view bytes) {
    std::size_t lines = 0;
    for (std::size_t at = 0; at < bytes.size(); ++lines) {
        at = std::min(bytes.find('\r', at), bytes.size()) + 1;
        at += at < bytes.size() && bytes[at] == '\n';
    }
    return lines;
}

void CheckCompleteList(std::string_view bytes, const WindowModel& model) {
    const std::size_t groups = LineCount(bytes) / 4;
    Check(LineCount(bytes) % 4 == 0, "a complete import read whole groups");
    if (groups == 0)
        return Check(model.Text4.empty() && model.Text1 == L"before 1", "no group, no entry");
    Check(Count(model.Text4, L"\r\n") == groups - 1, "one entry per group, CR LF between them");
    Check(Count(model.Text4, L", ") >= 2 * groups, "every entry has its three fields");
    Check(model.Text4.ends_with(model.Text1 + L", " + model.Text2 + L", " + model.Text3) &&
              (groups == 1 || model.Text4.ends_with(L"\r\n" + model.Text1 + L", " + model.Text2 +
                                                    L", " + model.Text3)),
          "the last entry is the fields that stay");
}

} // namespace
} // namespace velmora::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velmora::fuzz;
    if (size == 0)
        return 0;
    const bool scaled = data[0] & 1;
    UseLocale(data[0] & 2);
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const Outcome outcome = Import(bytes, scaled);
    if (!outcome.stopped)
        return CheckCompleteList(bytes, outcome.model), 0;
    // A second import per stop halves the speed, so the first byte asks for it.
    if (data[0] & 4) {
        const std::wstring& kept = outcome.model.Text4;
        const std::wstring full =
            Import(bytes + "=1\r\n[q]\r\nx=2\r\ny=3\r\nz=4\r\n", scaled).model.Text4;
        Check(full.starts_with(kept) &&
                  (kept.empty() || full.size() == kept.size() || full[kept.size()] == L'\r'),
              "the entries kept at a stop are a prefix of a longer file's list");
    }
    return 0;
}
