// Feeds arbitrary bytes to ImportEntries as the coordinate file and checks what
// holds for any file: the import ends, or stops with a CoordinateError that
// the user can be told, and frees the slot; a whole list has one entry per four
// lines, the last of them the fields that stay. The first byte's lowest bit
// selects "Multiply By 16".
#undef NDEBUG // every assert is an invariant, also in an optimised build
#include "coordinate_error.h"
#include "entry_list.h"
#include "program_folder.h"

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

// Lines end at CR or CR LF; the end of the file ends the last one.
std::size_t LineCount(std::string_view bytes) {
    std::size_t lines = 0;
    for (std::size_t at = 0; at < bytes.size(); ++lines) {
        at = std::min(bytes.find('\r', at), bytes.size()) + 1;
        at += at < bytes.size() && bytes[at] == '\n';
    }
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const velmora::testing::ProgramFolder folder; // one file, rewritten for every input
    [[maybe_unused]] static const int cLocale = setenv("LC_ALL", "C", 1); // quick to load
    if (size == 0)
        return 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    folder.Write(bytes);
    velmora::WindowModel model{L"1", L"2", L"3", L"list", (data[0] & 1) != 0};
    velmora::FileSlot slot;
    try {
        velmora::ImportEntries(folder.coordinatePath(), model, slot);
        // Whole groups; one entry each, CR LF between them; the last one the fields that stay.
        const std::size_t groups = LineCount(bytes) / 4;
        const std::wstring last = model.Text1 + L", " + model.Text2 + L", " + model.Text3;
        assert(LineCount(bytes) % 4 == 0);
        assert(groups == 0 || std::count(model.Text4.begin(), model.Text4.end(), L'\r') ==
                                  static_cast<std::ptrdiff_t>(groups - 1));
        assert(groups == 0 || model.Text4 == last || model.Text4.ends_with(L"\r\n" + last));
    } catch (const velmora::CoordinateError& error) { // any other ends the run: a finding
        assert(!velmora::DescribeError(error).empty());
    }
    assert(!slot); // released, also after a stop
    return 0;
}
