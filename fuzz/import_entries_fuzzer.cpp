// Feeds arbitrary bytes to ImportEntries as the coordinate file and compares
// what the import leaves behind with the plain reading of reference_import.cpp.
// The first byte picks the run: bit 0 "Multiply By 16", bit 1 a comma locale
// (where one is installed), bit 2 also import a longer file after a stop, bits
// 3 to 7 the size of the reads (1 to 31 bytes, or 0 for the program's own).
#include "coordinate_error.h"
#include "coordinate_file.h"
#include "entry_list.h"
#include "error_message.h"
#include "files.h"
#include "fuzz_check.h"
#include "reference_import.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <locale>
#include <optional>
#include <string>

namespace velmora::fuzz {
namespace {

// One file, rewritten for every input, in memory where the system offers it;
// its folder goes when the fuzzer ends.
const std::filesystem::path& FuzzFile() {
    static const testing::TempFolder folder(std::filesystem::is_directory("/dev/shm")
                                                ? "/dev/shm"
                                                : std::filesystem::temp_directory_path());
    static const std::filesystem::path file = folder.path() / "Temp.INI";
    return file;
}

// A locale whose decimal separator is a comma, where the machine has one.
const std::optional<std::string>& CommaLocale() {
    static const std::optional<std::string> name = []() -> std::optional<std::string> {
        for (const char* candidate : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"}) {
            try {
                const std::locale locale(candidate);
                if (std::use_facet<std::numpunct<wchar_t>>(locale).decimal_point() == L',')
                    return candidate;
            } catch (const std::runtime_error&) {
            }
        }
        return std::nullopt;
    }();
    return name;
}

// The user's locale for this input; returns the separator it brings.
std::wstring UseLocale(bool comma) {
    if (comma && CommaLocale()) {
        setenv("LC_ALL", CommaLocale()->c_str(), 1);
        return L",";
    }
    setenv("LC_ALL", "C", 1);
    return L".";
}

struct Outcome {
    WindowModel model;
    std::optional<ErrorKind> stop;
    std::size_t stopLine = 0;
};

Outcome Import(std::string_view bytes, const WindowModel& before, std::size_t reads) {
    testing::WriteBytes(FuzzFile(), bytes);
    Outcome outcome;
    outcome.model = before;
    FileSlot slot;
    try {
        ImportEntries(testing::AsWide(FuzzFile()), outcome.model, slot,
                      reads ? reads : ReadBufferSize);
    } catch (const CoordinateError& error) {
        outcome.stop = error.kind();
        outcome.stopLine = error.line();
        Check(!DescribeError(error).empty(), "every stop has a message");
    } catch (...) {
        Fail("the import throws only CoordinateError");
    }
    Check(!slot.occupied(), "the slot is released, also after a stop");
    return outcome;
}

std::size_t Count(std::wstring_view text, std::wstring_view part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != text.npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

// What holds for any list, whatever the values: entries are separated by CR LF
// (values never hold a CR) and each has the two ", " of its three fields.
void CheckListShape(const std::wstring& list, std::size_t entries) {
    Check(list.empty() == (entries == 0), "a list is empty exactly when no group was read");
    if (list.empty())
        return;
    Check(Count(list, L"\r") == entries - 1 && Count(list, L"\r\n") == entries - 1,
          "one CR LF between entries, no other CR");
    for (std::size_t start = 0; start <= list.size();) {
        const std::size_t end = std::min(list.find(L"\r\n", start), list.size());
        Check(Count(std::wstring_view(list).substr(start, end - start), L", ") >= 2,
              "every entry has two \", \" separators");
        start = end + 2;
    }
}

void CheckMatchesReference(const Outcome& actual, const ExpectedImport& expected) {
    Check(actual.stop == expected.stop, "the import stops exactly where the reading says");
    Check(!actual.stop || actual.stopLine == expected.stopLine, "a stop names its line");
    Check(actual.model.Text4 == expected.model.Text4, "the list matches the reading");
    Check(actual.model.Text1 == expected.model.Text1 &&
              actual.model.Text2 == expected.model.Text2 &&
              actual.model.Text3 == expected.model.Text3,
          "the fields hold what was stored before the end or the stop");
    Check(actual.model.Option1 == expected.model.Option1, "the import leaves Option1 alone");
}

// Whatever follows in a longer file, the groups before a stop read the same:
// the kept entries start the longer file's list.
void CheckStopKeepsPrefix(std::string_view bytes, const Outcome& stopped, const WindowModel& before,
                          std::size_t reads) {
    static constexpr std::string_view Tail = "=1\r\n[q]\r\nx=2\r\ny=3\r\nz=4\r\n";
    std::string longer(bytes);
    longer += Tail;
    const Outcome extended = Import(longer, before, reads);
    const std::wstring& kept = stopped.model.Text4;
    const std::wstring& full = extended.model.Text4;
    Check(full.starts_with(kept) &&
              (kept.empty() || full.size() == kept.size() || full[kept.size()] == L'\r'),
          "the entries kept at a stop are a prefix of a longer file's list");
}

} // namespace
} // namespace velmora::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velmora;
    using namespace velmora::fuzz;
    if (size == 0)
        return 0;
    const bool scaled = data[0] & 1;
    const std::wstring separator = UseLocale(data[0] & 2);
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

    const WindowModel before{L"before 1", L"before 2", L"before 3", L"before list", scaled};
    const std::size_t reads = data[0] >> 3;
    const Outcome actual = Import(bytes, before, reads);
    const ExpectedImport expected = ReferenceImport(bytes, before, separator);
    CheckMatchesReference(actual, expected);
    CheckListShape(actual.model.Text4, expected.entries);
    // A second import per stop halves the speed, so the first byte asks for it.
    if (actual.stop && (data[0] & 4))
        CheckStopKeepsPrefix(bytes, actual, before, reads);
    return 0;
}
