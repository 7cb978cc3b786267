// The ending search and the result document over the real word list (run in the bin folder).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dictionary/EndingSearch.h"
#include "dictionary/Sortrus.h"
#include "dictionary/WordList.h"
#include "richtext/ResultDocument.h"
#include "richtext/Unitortf.h"

namespace {

TWordList& RealList() {
    static TWordList list = [] {
        TWordList l;
        l.LoadWordList();
        return l;
    }();
    return list;
}

void SearchFor(benchmark::State& state, std::u16string_view ending) {
    const TWordList& list = RealList();
    if (!list.LoadError.empty()) {
        state.SkipWithError(list.LoadError.c_str());
        return;
    }
    const std::vector<uint16_t> query = QueryOfText(ending);
    THitRange hits;
    for (auto _ : state) {
        hits = FindEndingRange(list, query.data());
        benchmark::DoNotOptimize(hits);
    }
    state.counters["hits"] = hits.Count();
    state.counters["per_entry"] = benchmark::Counter(
        list.LineCount, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_FindEndingRange_Short(benchmark::State& state) {
    SearchFor(state, u"ай");
}
void BM_FindEndingRange_Long(benchmark::State& state) {
    SearchFor(state, u"достопримечательность");
}
void BM_FindEndingRange_Missing(benchmark::State& state) {
    SearchFor(state, u"щъщ");
}
BENCHMARK(BM_FindEndingRange_Short)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FindEndingRange_Long)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FindEndingRange_Missing)->Unit(benchmark::kMicrosecond);

// The empty query: every line is a hit, and the first 4001 are shown.
void BM_BuildResultDocument_4001(benchmark::State& state) {
    TWordList& list = RealList();
    if (!list.LoadError.empty()) {
        state.SkipWithError(list.LoadError.c_str());
        return;
    }
    const UniToRtf encoder;
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string doc = BuildResultDocument(list, 0, list.LineCount - 1, encoder);
        bytes = doc.size();
        benchmark::DoNotOptimize(doc.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_BuildResultDocument_4001)->Unit(benchmark::kMicrosecond);

// What clearing the whole scratch text before every display would add.
void BM_ClearDisplayText(benchmark::State& state) {
    TWordList& list = RealList();
    for (auto _ : state) {
        std::fill(list.DisplayText.begin(), list.DisplayText.end(), 0);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ClearDisplayText)->Unit(benchmark::kMicrosecond);

} // namespace
