#include "scale_by_16.h"

#include <benchmark/benchmark.h>

#include <string_view>

namespace {

// Values as the recording script writes them: exact decimal arithmetic.
constexpr std::wstring_view Recorded[] = {
    L"-2193.814535", L"1022.000001", L"13.500000", L"0.3", L"7", L" 12.5 ",
};

// More digits than a double holds: the route through from_chars/to_chars.
constexpr std::wstring_view Long[] = {
    L"0.12345678901234567890",
    L"-98765432109876543210",
    L"3.14159265358979323846e100",
};

template <std::size_t Count>
void Scale(benchmark::State& state, const std::wstring_view (&values)[Count]) {
    wchar_t out[velmora::MaxScaledLength + 1];
    for (auto _ : state) {
        for (const std::wstring_view value : values)
            benchmark::DoNotOptimize(velmora::ScaleBy16(value.data(), value.size(), L".", out));
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * Count);
}

void ScaleBy16OfRecordedValues(benchmark::State& state) {
    Scale(state, Recorded);
}
void ScaleBy16OfLongValues(benchmark::State& state) {
    Scale(state, Long);
}
BENCHMARK(ScaleBy16OfRecordedValues);
BENCHMARK(ScaleBy16OfLongValues);

} // namespace
