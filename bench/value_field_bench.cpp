#include "entry_list.h"

#include <benchmark/benchmark.h>

#include <string_view>

namespace {

// Value lines as the recording script writes them, plus the rarer shapes.
constexpr std::wstring_view Lines[] = {
    L"x=-2193.814535", L"y=1022.000001", L"z=13.500000", L"k = 12.5", L"k=1=2", L"=7",
};

void ValueFieldOfTypicalLines(benchmark::State& state) {
    for (auto _ : state) {
        for (const std::wstring_view line : Lines)
            benchmark::DoNotOptimize(velmora::ValueField(line));
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * std::size(Lines));
}
BENCHMARK(ValueFieldOfTypicalLines);

} // namespace
