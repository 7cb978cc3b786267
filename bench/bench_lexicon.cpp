// The lexicon database (run in the bin folder): a tool tip's lookup, and the first lookup that opens the
// database.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "lexicon/Lexicon.h"
#include "lexicon/LexiconSchema.h"
#include "lexicon/WordInfo.h"

namespace {

// Forms and lemmas, known and unknown, with one lemma and with two.
const std::vector<std::string> Words = {"кровью", "дом",  "стекло", "отечества", "печь",
                                        "Москва", "ость", "замок",  "выпекаю",   "xyz"};

void BM_ToolTipLookup(benchmark::State& state) {
    TLexicon lexicon(LexiconFileName);
    TWordFacts facts;
    if (!lexicon.Lookup(Words.front(), facts)) {
        state.SkipWithError(lexicon.TakeError().c_str());
        return;
    }
    std::size_t i = 0;
    for (auto _ : state) {
        lexicon.Lookup(Words[i++ % Words.size()], facts);
        std::string tip = ToolTipText(facts);
        benchmark::DoNotOptimize(tip);
    }
}
BENCHMARK(BM_ToolTipLookup)->Unit(benchmark::kMicrosecond);

void BM_FirstLookupOpens(benchmark::State& state) {
    for (auto _ : state) {
        TLexicon lexicon(LexiconFileName);
        TWordFacts facts;
        if (!lexicon.Lookup("кровью", facts)) {
            state.SkipWithError(lexicon.TakeError().c_str());
            return;
        }
        benchmark::DoNotOptimize(facts);
    }
}
BENCHMARK(BM_FirstLookupOpens)->Unit(benchmark::kMicrosecond);

} // namespace
