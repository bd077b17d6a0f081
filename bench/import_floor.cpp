// import_floor [--rounds N [--warm]] FILE LIST_CHARS: the least any import of
// FILE must do, timed beside import_file. It reads the file once through a 1 MiB
// buffer, fills a wchar_t array of the list's length (LIST_CHARS) byte by byte,
// and writes that many bytes to standard output. It parses nothing; the list it
// "makes" is the file's first LIST_CHARS bytes. It opens and reads the file as
// the import does, through the platform layer. For the rounds, see
// timed_rounds.h.
//
// Exit status: 0, or 2 for a usage, read or write error.
#include "files.h"
#include "platform.h"
#include "timed_rounds.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <memory>
#include <stdexcept>
#include <string>

namespace {

constexpr std::size_t BufferSize = std::size_t{1} << 20;

int ReadAndWrite(const std::wstring& path, std::size_t listChars) {
    auto file = velmora::platform::File::OpenForReading(path);
    const auto buffer = std::make_unique_for_overwrite<char[]>(BufferSize);
    const auto list = std::make_unique_for_overwrite<wchar_t[]>(listChars);
    std::size_t filled = 0;
    while (const std::size_t got = file.Read(buffer.get(), BufferSize)) {
        for (std::size_t i = 0; i < got && filled < listChars; ++i)
            list[filled++] = static_cast<unsigned char>(buffer[i]);
    }
    // Back to bytes through the same buffer, as a UTF-8 writer of ASCII would.
    for (std::size_t written = 0; written < filled;) {
        const std::size_t batch = std::min(BufferSize, filled - written);
        for (std::size_t i = 0; i < batch; ++i)
            buffer[i] = static_cast<char>(list[written + i]);
        if (std::fwrite(buffer.get(), 1, batch, stdout) != batch)
            throw std::runtime_error("cannot write the list");
        written += batch;
    }
    if (std::fflush(stdout) != 0)
        throw std::runtime_error("cannot write the list");
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    try {
        auto arguments = velmora::bench::ProgramArguments(argc, argv);
        const auto rounds = velmora::bench::TakeRounds(arguments);
        if (!rounds || arguments.size() != 2) {
            std::fprintf(stderr, "usage: import_floor [--rounds N [--warm]] FILE LIST_CHARS\n");
            return 2;
        }
        const std::size_t listChars = std::stoull(arguments[1]);
        return velmora::bench::RunRounds(*rounds,
                                         [&] { return ReadAndWrite(arguments[0], listChars); });
    } catch (const velmora::platform::SystemError& error) {
        std::fprintf(stderr, "import_floor: %s\n",
                     velmora::testing::ToUtf8(error.message()).c_str());
        return 2;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "import_floor: %s\n", error.what());
        return 2;
    }
}
