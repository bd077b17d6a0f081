// import_file [--scale] FILE: runs the import on FILE as a Refresh would and
// writes the resulting list (the text of Text4, entries separated by CR LF) to
// standard output as UTF-8.
//
// Exit status: 0 after a complete import; 1 when the import stopped, with the
// reason on standard error and the entries stored before the stop on standard
// output, as the window would show them; 2 for a usage or output error.
#include "coordinate_error.h"
#include "coordinate_file.h"
#include "entry_list.h"
#include "utf8.h"
#include "utf8_output.h"
#include "window_model.h"

#include <cstdio>
#include <exception>
#include <optional>
#include <string>
#include <string_view>

namespace {

struct Arguments {
    bool scaled = false;
    std::wstring path;
};

std::optional<Arguments> ParseArguments(int argc, char** argv) {
    Arguments arguments;
    std::optional<std::string_view> path;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--scale")
            arguments.scaled = true;
        else if (path || (argument.starts_with("--") && argument.size() > 2))
            return std::nullopt;
        else
            path = argument;
    }
    if (!path)
        return std::nullopt;
    auto wide = velmora::bench::WidenUtf8(*path);
    if (!wide)
        return std::nullopt;
    arguments.path = std::move(*wide);
    return arguments;
}

// Runs the import; the model keeps whatever the import stored, also when it stops.
int Import(const Arguments& arguments, velmora::WindowModel& model) {
    velmora::FileSlot slot;
    try {
        velmora::ImportEntries(arguments.path, model, slot);
        return 0;
    } catch (const velmora::CoordinateError& error) {
        const std::string message = velmora::bench::NarrowToUtf8(velmora::DescribeError(error));
        std::fprintf(stderr, "%s\n", message.c_str());
        return 1;
    }
}

} // namespace

int main(int argc, char** argv) {
    const auto arguments = ParseArguments(argc, argv);
    if (!arguments) {
        std::fprintf(stderr, "usage: import_file [--scale] FILE (FILE named in UTF-8)\n");
        return 2;
    }
    try {
        velmora::WindowModel model;
        model.Option1 = arguments->scaled;
        const int status = Import(*arguments, model);
        velmora::bench::Utf8Output output(stdout);
        output.Write(model.Text4);
        output.Flush();
        return status;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "import_file: %s\n", error.what());
        return 2;
    }
}
