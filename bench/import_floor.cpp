// import_floor FILE LIST_CHARS: the least any import of FILE must do, timed
// beside import_file. It reads the file once through a 1 MiB buffer, fills a
// wchar_t list of LIST_CHARS characters byte by byte, and writes them out as
// bytes. It parses nothing; the list it "makes" is the file's first LIST_CHARS
// bytes. It opens and reads the file as the import does, through the platform
// layer.
//
// Exit status: 0, or 2 for a usage, read or write error.
#include "platform.h"
#include "utf8.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <exception>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace {

constexpr std::size_t BufferSize = std::size_t{1} << 20;

void ReadAndWrite(const std::wstring& path, std::size_t listChars) {
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
}

bool ParseCount(std::string_view text, std::size_t& count) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
    return error == std::errc() && end == text.data() + text.size();
}

} // namespace

int main(int argc, char** argv) {
    std::size_t listChars = 0;
    if (argc != 3 || !ParseCount(argv[2], listChars)) {
        std::fprintf(stderr, "usage: import_floor FILE LIST_CHARS\n");
        return 2;
    }
    try {
        ReadAndWrite(velmora::bench::FromUtf8(argv[1]), listChars);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "import_floor: %s\n", error.what());
        return 2;
    }
}
