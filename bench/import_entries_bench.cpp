#include "import_entries_bench.h"

#include "entry_list.h"
#include "files.h"

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace velmora::bench {
namespace {

constexpr std::size_t GroupCounts[] = {1'000, 10'000, 100'000, 1'000'000};

void ImportFile(benchmark::State& state, CoordinateFiles& files, bool scaled) {
    const auto groups = static_cast<std::size_t>(state.range(0));
    const std::wstring path = testing::AsWide(files.PathFor(groups));
    for (auto _ : state) {
        WindowModel model;
        model.Option1 = scaled;
        FileSlot slot;
        ImportEntries(path, model, slot);
        benchmark::DoNotOptimize(model.Text4.data());
    }
    const auto iterations = static_cast<std::int64_t>(state.iterations());
    state.SetBytesProcessed(iterations * static_cast<std::int64_t>(files.SizeOf(groups)));
    state.SetItemsProcessed(iterations * static_cast<std::int64_t>(groups));
}

} // namespace

void RegisterImportEntriesBenchmarks(CoordinateFiles& files) {
    for (const bool scaled : {false, true}) {
        auto* benchmark = benchmark::RegisterBenchmark(
            scaled ? "ImportEntries/scaled" : "ImportEntries/unscaled",
            [&files, scaled](benchmark::State& state) { ImportFile(state, files, scaled); });
        for (const std::size_t groups : GroupCounts)
            benchmark->Arg(static_cast<std::int64_t>(groups));
        benchmark->ArgName("groups")->Unit(benchmark::kMillisecond)->UseRealTime();
    }
}

} // namespace velmora::bench
