// LoadWordList on the build's data file (run from the bin folder, where VokKavrinto.dat lies).
#include "dictionary/WordList.h"

#include <benchmark/benchmark.h>

namespace {

void BM_LoadWordList(benchmark::State& state) {
    int32_t lines = 0;
    for (auto _ : state) {
        TWordList list;
        list.LoadWordList();
        if (!list.LoadError.empty()) {
            state.SkipWithError(list.LoadError.c_str());
            break;
        }
        lines = list.LineCount;
        benchmark::DoNotOptimize(list.KeyText.data());
    }
    state.counters["entries"] = lines;
}
BENCHMARK(BM_LoadWordList)->Unit(benchmark::kMillisecond);

} // namespace
