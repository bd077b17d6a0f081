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

#include <cstdio>
#include <exception>
#include <stdexcept>
#include <string>
#include <string_view>

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
            velmora::bench::WriteUtf8(velmora::DescribeError(error) + L"\n", stderr);
            status = 1;
        }
        velmora::bench::WriteUtf8(model.Text4, stdout);
        return status;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "import_file: %s\n", error.what());
        return 2;
    }
}
