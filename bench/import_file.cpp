// import_file [--scale] [--rounds N [--warm]] FILE: runs the import on FILE as a
// Refresh would and writes the resulting list (the text of Text4, entries
// separated by CR LF) to standard output as UTF-8. For the rounds, see
// timed_rounds.h.
//
// Exit status: 0 after a complete import; 1 when the import stopped, with the
// reason on standard error and the entries stored before the stop on standard
// output, as the window would show them; 2 for a usage or output error.
#include "entry_list.h"
#include "error_message.h"
#include "files.h"
#include "timed_rounds.h"
#include "utf8_output.h"

#include <cstdio>
#include <exception>
#include <string>

namespace {

// Runs the import and writes what it leaves in the list, also when it stops.
int ImportAndWrite(const std::wstring& path, bool scaled) {
    velmora::WindowModel model;
    model.Option1 = scaled;
    velmora::FileSlot slot;
    int status = 0;
    try {
        velmora::ImportEntries(path, model, slot);
    } catch (const velmora::CoordinateError& error) {
        const std::string message = velmora::testing::ToUtf8(velmora::DescribeError(error));
        std::fprintf(stderr, "%s\n", message.c_str());
        status = 1;
    }
    velmora::bench::Utf8Output output(stdout);
    output.Write(model.Text4);
    output.Flush();
    return status;
}

} // namespace

int main(int argc, char** argv) {
    try {
        auto arguments = velmora::bench::ProgramArguments(argc, argv);
        const auto rounds = velmora::bench::TakeRounds(arguments);
        const bool scaled = !arguments.empty() && arguments[0] == L"--scale";
        if (!rounds || arguments.size() != (scaled ? 2u : 1u)) {
            std::fprintf(stderr, "usage: import_file [--scale] [--rounds N [--warm]] FILE\n");
            return 2;
        }
        return velmora::bench::RunRounds(*rounds,
                                         [&] { return ImportAndWrite(arguments.back(), scaled); });
    } catch (const std::exception& error) {
        std::fprintf(stderr, "import_file: %s\n", error.what());
        return 2;
    }
}
