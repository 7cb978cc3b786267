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

// 2,000 endings of one to four letters, taken from words spread over the forms list, answered against
// the loaded forms list: by the batch index (its order check included) and one by one linearly.
std::vector<std::vector<uint16_t>> SpreadEndings(const TWordList& list) {
    std::vector<std::vector<uint16_t>> queries;
    for (int32_t q = 0; q < 2000 && list.LineCount > 0; ++q) {
        const int32_t line = static_cast<int32_t>(int64_t{q} * list.LineCount / 2000);
        const int32_t end = list.WordEnd[line];
        const int32_t length = std::min(1 + q % 4, end - list.LineStart[line] + 1);
        std::vector<uint16_t> query(list.KeyText.begin() + end - length + 1, list.KeyText.begin() + end + 1);
        query.push_back(0);
        queries.push_back(query);
    }
    return queries;
}

void BatchSearch(benchmark::State& state, bool bisect) {
    static TWordList forms = [] {
        TWordList l;
        l.LoadWordList("VokKavrintoFormen.dat");
        return l;
    }();
    if (!forms.LoadError.empty()) {
        state.SkipWithError(forms.LoadError.c_str());
        return;
    }
    const std::vector<std::vector<uint16_t>> queries = SpreadEndings(forms);
    int64_t hits = 0;
    for (auto _ : state) {
        hits = 0;
        if (bisect) {
            for (const THitRange& range : FindEndingRanges(forms, queries))
                hits += range.Count();
        } else {
            for (const std::vector<uint16_t>& query : queries)
                hits += FindEndingRange(forms, query.data()).Count();
        }
        benchmark::DoNotOptimize(hits);
    }
    state.counters["endings"] = static_cast<double>(queries.size());
    state.counters["hits"] = static_cast<double>(hits);
}
void BM_Forms2000Endings_Bisected(benchmark::State& state) {
    BatchSearch(state, true);
}
void BM_Forms2000Endings_Linear(benchmark::State& state) {
    BatchSearch(state, false);
}
BENCHMARK(BM_Forms2000Endings_Bisected)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Forms2000Endings_Linear)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace
