#include "timed_rounds.h"

#include "files.h"
#include "warm_memory.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <stdexcept>

#ifdef _WIN32
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <psapi.h>
#include <shellapi.h>
#else
#include <sys/resource.h>
#endif

namespace velmora::bench {
namespace {

long PageFaults() {
#ifdef _WIN32
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<long>(counters.PageFaultCount);
#else
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt + usage.ru_majflt;
#endif
}

} // namespace

std::vector<std::wstring> ProgramArguments(int argc, char** argv) {
    std::vector<std::wstring> arguments;
#ifdef _WIN32
    (void)argv; // in the ANSI code page; the wide command line has every name
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &argc);
    arguments.assign(wide + 1, wide + argc);
    LocalFree(wide);
#else
    for (int i = 1; i < argc; ++i)
        arguments.push_back(testing::FromUtf8(argv[i]));
#endif
    return arguments;
}

std::optional<Rounds> TakeRounds(std::vector<std::wstring>& arguments) {
    Rounds rounds;
    for (auto at = arguments.begin(); at != arguments.end();) {
        if (*at == L"--warm") {
            rounds.warm = true;
        } else if (*at == L"--rounds" && at + 1 != arguments.end()) {
            try {
                rounds.count = std::stoi(at[1]);
            } catch (const std::logic_error&) {
                return std::nullopt;
            }
            at = arguments.erase(at);
        } else {
            ++at;
            continue;
        }
        at = arguments.erase(at);
    }
    if (rounds.count < 0 || (rounds.warm && rounds.count == 0))
        return std::nullopt;
    return rounds;
}

int RunRounds(const Rounds& rounds, const std::function<int()>& job) {
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY); // the list's CR LF as they are
#endif
    // Fully buffered: Windows' C library writes an unbuffered stream's bytes
    // that do not fill a block one at a time.
    std::setvbuf(stdout, nullptr, _IOFBF, std::size_t{1} << 16);
    if (rounds.warm) {
        KeepFreedMemory();
        job();
    }
    int status = rounds.count == 0 ? job() : 0;
    for (int round = 0; round < rounds.count; ++round) {
        const long faults = PageFaults();
        const auto start = std::chrono::steady_clock::now();
        status = job();
        const std::chrono::duration<double, std::milli> elapsed =
            std::chrono::steady_clock::now() - start;
        std::fprintf(stderr, "round %.2f %ld\n", elapsed.count(), PageFaults() - faults);
    }
    return status;
}

} // namespace velmora::bench
