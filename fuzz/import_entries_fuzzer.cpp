// Feeds arbitrary bytes to ImportEntries as the coordinate file and checks what
// holds for any file: the import ends, or stops with a CoordinateError, and
// frees the slot; a whole list has one entry per four lines, the last of them
// the fields that stay; what a stop keeps starts the list of a longer file. The
// first byte picks "Multiply By 16" (bit 0) and the longer file (bit 1).
#include "coordinate_error.h"
#include "entry_list.h"
#include "fuzz_check.h"
#include "program_folder.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

using velmora::fuzz::Check;

// What an import of the bytes leaves in the window model, and whether it stopped.
std::pair<velmora::WindowModel, bool> Import(std::string_view bytes, bool scaled) {
    static const velmora::testing::ProgramFolder folder; // one file, rewritten for every input
    [[maybe_unused]] static const int cLocale = setenv("LC_ALL", "C", 1); // quick to load
    folder.Write(bytes);
    velmora::WindowModel model{L"1", L"2", L"3", L"list", scaled};
    velmora::FileSlot slot;
    bool stopped = false;
    try {
        velmora::ImportEntries(folder.coordinatePath(), model, slot);
    } catch (const velmora::CoordinateError& error) {
        stopped = !velmora::DescribeError(error).empty();
    } catch (...) {
        velmora::fuzz::Fail("the import throws only CoordinateError");
    }
    Check(!slot, "the slot is released, also after a stop");
    return {model, stopped};
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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const bool scaled = data[0] & 1;
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const auto [model, stopped] = Import(bytes, scaled);
    if (!stopped) {
        const std::size_t groups = LineCount(bytes) / 4;
        const std::wstring last = model.Text1 + L", " + model.Text2 + L", " + model.Text3;
        Check(LineCount(bytes) % 4 == 0, "a whole import reads whole groups");
        Check(groups == 0 || std::count(model.Text4.begin(), model.Text4.end(), L'\r') ==
                                 static_cast<std::ptrdiff_t>(groups - 1),
              "one entry per group, CR LF between them");
        Check(groups == 0 || model.Text4 == last || model.Text4.ends_with(L"\r\n" + last),
              "the last entry is the fields that stay");
    } else if (data[0] & 2) {
        const std::wstring& kept = model.Text4;
        const std::wstring full =
            Import(bytes + "=1\r\n[q]\r\nx=2\r\ny=3\r\nz=4\r\n", scaled).first.Text4;
        Check(full.starts_with(kept) &&
                  (kept.empty() || full.size() == kept.size() || full[kept.size()] == L'\r'),
              "the entries kept at a stop are a prefix of a longer file's list");
    }
    return 0;
}
