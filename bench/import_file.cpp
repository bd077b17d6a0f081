// import_file [--scale] FILE: runs the import on FILE as a Refresh would and
// writes the resulting list (the text of Text4, entries separated by CR LF) to
// standard output as UTF-8.
//
// Exit status: 0 after a complete import; 1 when the import stopped, with the
// reason on standard error and the entries stored before the stop on standard
// output, as the window would show them; 2 for a usage or output error.
#include "coordinate_error.h"
#include "entry_list.h"
#include "utf8.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <stdexcept>
#include <string>
#include <string_view>

namespace {

using velmora::bench::ToUtf8;

// A few thousand characters at a time: the conversion copies what it is given,
// and copies of that size reuse the same memory, where larger ones would take
// fresh pages from the system each time. No piece ends inside a UTF-16
// surrogate pair.
void WriteUtf8(std::wstring_view text) {
    constexpr std::size_t Piece = 4096;
    while (!text.empty()) {
        std::size_t count = std::min(Piece, text.size());
        if (count < text.size() && text[count - 1] >= 0xD800 && text[count - 1] <= 0xDBFF)
            ++count;
        const std::string bytes = ToUtf8(text.substr(0, count));
        if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size())
            throw std::runtime_error("cannot write the list");
        text.remove_prefix(count);
    }
    if (std::fflush(stdout) != 0)
        throw std::runtime_error("cannot write the list");
}

} // namespace

int main(int argc, char** argv) {
    const bool scaled = argc == 3 && std::string_view(argv[1]) == "--scale";
    if (argc != (scaled ? 3 : 2)) {
        std::fprintf(stderr, "usage: import_file [--scale] FILE\n");
        return 2;
    }
    try {
        velmora::WindowModel model;
        model.Option1 = scaled;
        velmora::FileSlot slot;
        int status = 0;
        try {
            velmora::ImportEntries(velmora::bench::FromUtf8(argv[argc - 1]), model, slot);
        } catch (const velmora::CoordinateError& error) {
            std::fprintf(stderr, "%s\n", ToUtf8(velmora::DescribeError(error)).c_str());
            status = 1;
        }
        WriteUtf8(model.Text4);
        return status;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "import_file: %s\n", error.what());
        return 2;
    }
}
