// LoadWordList on the build's data files and the steps it spends its time in (run from the bin folder,
// where VokKavrinto.dat and VokKavrintoFormen.dat lie).
#include "dictionary/Readdaten.h"
#include "dictionary/WordList.h"
#include "lexicon/LemmaLink.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>

namespace {

void BM_LoadWordList(benchmark::State& state, const char* file) {
    int32_t lines = 0;
    for (auto _ : state) {
        TWordList list;
        list.LoadWordList(file);
        if (!list.LoadError.empty()) {
            state.SkipWithError(list.LoadError.c_str());
            break;
        }
        lines = list.LineCount;
        benchmark::DoNotOptimize(list.KeyText.data());
    }
    state.counters["entries"] = lines;
}
BENCHMARK_CAPTURE(BM_LoadWordList, lemmas, DataFileName)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoadWordList, forms, FormsFileName)->Unit(benchmark::kMillisecond);

// The loaded list, and its text as the loader has it before the keys: deciphered characters.
struct TLoaded {
    TWordList List;
    TUnitArray Characters;
};

bool Load(benchmark::State& state, const char* file, TLoaded& loaded) {
    loaded.List.LoadWordList(file);
    if (!loaded.List.LoadError.empty()) {
        state.SkipWithError(loaded.List.LoadError.c_str());
        return false;
    }
    loaded.Characters = loaded.List.KeyText;
    loaded.List.ConvertRangeToChars(1, loaded.List.CharCount - 1);
    std::copy(loaded.List.DisplayText.begin() + 1, loaded.List.DisplayText.begin() + loaded.List.CharCount,
              loaded.Characters.begin() + 1);
    return true;
}

// DecryptCBC over the whole file (deciphering what is already plain costs the same).
void BM_Decipher(benchmark::State& state, const char* file) {
    TLoaded loaded;
    if (!Load(state, file, loaded))
        return;
    TCipherContext context;
    std::array<uint8_t, 32> key = DataFileKey;
    InitKey(context, key.data(), static_cast<int16_t>(key.size()));
    auto* bytes = reinterpret_cast<uint8_t*>(loaded.Characters.data());
    for (auto _ : state) {
        DecryptCBC(context, bytes, loaded.List.FileSize / 8);
        benchmark::ClobberMemory();
    }
}
BENCHMARK_CAPTURE(BM_Decipher, forms, FormsFileName)->Unit(benchmark::kMillisecond);

void BM_ConvertToKeys(benchmark::State& state, const char* file) {
    TLoaded loaded;
    if (!Load(state, file, loaded))
        return;
    for (auto _ : state) {
        state.PauseTiming();
        std::copy(loaded.Characters.begin(), loaded.Characters.end(), loaded.List.KeyText.begin());
        state.ResumeTiming();
        loaded.List.ConvertToKeys();
        benchmark::ClobberMemory();
    }
}
BENCHMARK_CAPTURE(BM_ConvertToKeys, forms, FormsFileName)->Unit(benchmark::kMillisecond);

void BM_ComputeLineBounds(benchmark::State& state, const char* file) {
    TLoaded loaded;
    if (!Load(state, file, loaded))
        return;
    for (auto _ : state) {
        loaded.List.ComputeLineBounds();
        benchmark::ClobberMemory();
    }
}
BENCHMARK_CAPTURE(BM_ComputeLineBounds, forms, FormsFileName)->Unit(benchmark::kMillisecond);

} // namespace
