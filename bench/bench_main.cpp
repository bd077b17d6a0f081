// velmora_bench: the Google Benchmark suites of the import. Coordinate files
// are generated once per size into a temporary directory removed at the end.
// Repeated imports in one process reuse the memory the last one freed while it
// stays below glibc's mmap threshold (at most 32 MiB), so the smaller files run
// on warm memory and 1M groups on fresh pages; scripts/bench, which starts a
// fresh process for every run, is the one to compare sizes with.
#include "coordinate_files.h"
#include "import_entries_bench.h"

#include <benchmark/benchmark.h>

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;
    velmora::bench::CoordinateFiles files;
    velmora::bench::RegisterImportEntriesBenchmarks(files);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
