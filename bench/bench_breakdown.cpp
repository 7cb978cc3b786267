// Breakdown, folded search and saving over the real lists (run in the bin folder, where VokKavrinto.dat
// and VokKavrintoFormen.dat lie).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#include "dictionary/Breakdown.h"
#include "dictionary/FoldedSearch.h"
#include "dictionary/HitFile.h"
#include "dictionary/WordList.h"

namespace {

constexpr const char* FormsFile = "VokKavrintoFormen.dat";

const TWordList& List(const char* name) {
    static TWordList lemmas, forms;
    TWordList& list = std::string(name) == DataFileName ? lemmas : forms;
    if (list.LineCount == 0 && list.LoadError.empty())
        list.LoadWordList(name);
    return list;
}

bool Loaded(benchmark::State& state, const TWordList& list) {
    if (!list.LoadError.empty())
        state.SkipWithError(list.LoadError.c_str());
    return list.LoadError.empty();
}

void BreakDown(benchmark::State& state, const char* file, std::u16string_view ending) {
    const TWordList& list = List(file);
    if (!Loaded(state, list))
        return;
    const std::vector<uint16_t> query = QueryOfText(ending);
    size_t rows = 0;
    for (auto _ : state) {
        const THits hits = FindEndingHits(list, query.data(), {});
        const std::vector<TBreakdownRow> breakdown = BreakDownEnding(list, hits, query.data(), {});
        rows = breakdown.size();
        benchmark::DoNotOptimize(breakdown.data());
    }
    state.counters["lines"] = list.LineCount;
    state.counters["rows"] = static_cast<double>(rows);
}

// Every entry is a hit: one count per entry.
void BM_BreakDown_Empty_Forms(benchmark::State& state) {
    BreakDown(state, FormsFile, u"");
}
void BM_BreakDown_Empty_Lemmas(benchmark::State& state) {
    BreakDown(state, DataFileName, u"");
}
void BM_BreakDown_Ost_Forms(benchmark::State& state) {
    BreakDown(state, FormsFile, u"ость");
}
BENCHMARK(BM_BreakDown_Empty_Forms)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BreakDown_Empty_Lemmas)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BreakDown_Ost_Forms)->Unit(benchmark::kMillisecond);

void Search(benchmark::State& state, const char* file, std::u16string_view ending, TFolding folding) {
    const TWordList& list = List(file);
    if (!Loaded(state, list))
        return;
    const std::vector<uint16_t> query = QueryOfText(ending);
    int32_t count = 0;
    for (auto _ : state) {
        const THits hits = FindEndingHits(list, query.data(), folding);
        count = hits.Count;
        benchmark::DoNotOptimize(hits.Runs.data());
    }
    state.counters["hits"] = count;
}

// Baseline: the dictionary's own search, then folded ones.
void BM_Search_Ost_Forms(benchmark::State& state) {
    Search(state, FormsFile, u"ость", {});
}
void BM_FoldedSearch_Ost_Forms(benchmark::State& state) {
    Search(state, FormsFile, u"ость", {true, true});
}
void BM_FoldedSearch_A_Forms(benchmark::State& state) {
    Search(state, FormsFile, u"а", {true, true});
}
void BM_FoldedSearch_Yo_Forms(benchmark::State& state) {
    Search(state, FormsFile, u"ёт", {false, true});
}
BENCHMARK(BM_Search_Ost_Forms)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FoldedSearch_Ost_Forms)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FoldedSearch_A_Forms)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FoldedSearch_Yo_Forms)->Unit(benchmark::kMillisecond);

// All forms into a file in the system's temporary folder, synced before the rename.
void BM_SaveHits_AllForms(benchmark::State& state) {
    const TWordList& list = List(FormsFile);
    if (!Loaded(state, list))
        return;
    const std::vector<uint16_t> query = QueryOfText(u"");
    const THits hits = FindEndingHits(list, query.data(), {});
    const std::string path =
        (std::filesystem::temp_directory_path() / ("kavrinto-bench-" + std::to_string(::getpid()) + ".txt"))
            .string();
    for (auto _ : state) {
        const std::string error = SaveHits(list, hits, path);
        if (!error.empty()) {
            state.SkipWithError(error.c_str());
            break;
        }
    }
    std::error_code ignored;
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path, ignored));
    std::filesystem::remove(path, ignored);
    state.counters["hits"] = hits.Count;
}
BENCHMARK(BM_SaveHits_AllForms)->Unit(benchmark::kMillisecond);

} // namespace
