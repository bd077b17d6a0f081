// import_floor FILE LIST_CHARS: the least any import of FILE must do, timed
// beside import_file. It reads the file once through a 1 MiB buffer, fills a
// wchar_t array of the list's length (LIST_CHARS) byte by byte, and writes that
// many bytes to standard output. It parses nothing; the list it "makes" is the
// file's first LIST_CHARS bytes.
//
// Exit status: 0, or 2 for a usage, read or write error.
#include <charconv>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <string_view>
#include <unistd.h>

namespace {

constexpr std::size_t BufferSize = std::size_t{1} << 20;

int Fail(const char* what) {
    std::perror(what);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::size_t listChars = 0;
    const std::string_view count = argc == 3 ? argv[2] : "";
    if (count.empty() ||
        std::from_chars(count.data(), count.data() + count.size(), listChars).ptr !=
            count.data() + count.size()) {
        std::fprintf(stderr, "usage: import_floor FILE LIST_CHARS\n");
        return 2;
    }
    const int fd = open(argv[1], O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return Fail("import_floor: opening the file");

    const auto buffer = std::make_unique_for_overwrite<char[]>(BufferSize);
    const auto list = std::make_unique_for_overwrite<wchar_t[]>(listChars);
    std::size_t filled = 0;
    for (;;) {
        const ssize_t got = read(fd, buffer.get(), BufferSize);
        if (got < 0)
            return Fail("import_floor: reading the file");
        if (got == 0)
            break;
        for (ssize_t i = 0; i < got && filled < listChars; ++i)
            list[filled++] = static_cast<unsigned char>(buffer[static_cast<std::size_t>(i)]);
    }
    close(fd);

    // Back to bytes through the same buffer, as a UTF-8 writer of ASCII would.
    for (std::size_t written = 0; written < filled;) {
        const std::size_t batch = std::min(BufferSize, filled - written);
        for (std::size_t i = 0; i < batch; ++i)
            buffer[i] = static_cast<char>(list[written + i]);
        if (std::fwrite(buffer.get(), 1, batch, stdout) != batch)
            return Fail("import_floor: writing the list");
        written += batch;
    }
    return std::fflush(stdout) == 0 ? 0 : Fail("import_floor: writing the list");
}
