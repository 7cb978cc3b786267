// The ending search with folding on request: capitals as small letters, ё as е. Folded hits may lie in
// several runs of the list, so every line is looked at and every match kept, in list order.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "dictionary/EndingSearch.h"
#include "dictionary/WordList.h"

struct TFolding {
    bool IgnoreCase = false; // a capital matches its small letter (Cyrillic and Latin)
    bool YoAsYe = false;     // ё matches е, Ё matches Е

    bool Any() const { return IgnoreCase || YoAsYe; }
    bool operator==(const TFolding&) const = default;
};

// Every sort key's folded key; without folding each key is its own.
const std::array<uint16_t, 65536>& FoldedKeys(TFolding folding);

// The hits of one search as runs of lines in list order, none empty, none touching the next.
struct THits {
    std::vector<THitRange> Runs;
    int32_t Count = 0;

    // Calls visit(line) for every hit line in list order.
    template <class F> void ForEachLine(F&& visit) const {
        for (const THitRange& run : Runs)
            for (int32_t i = run.FirstHit; i <= run.LastHit; ++i)
                visit(i);
    }
};

// query: zero-terminated sort keys. Without folding the hits are FindEndingRange's run, the dictionary's
// own rule; with folding every line whose folded word ends with the folded query, wherever it lies.
THits FindEndingHits(const TWordList& list, const uint16_t* query, TFolding folding);

// The query with every key folded, zero-terminated.
std::vector<uint16_t> FoldQuery(const uint16_t* query, TFolding folding);
