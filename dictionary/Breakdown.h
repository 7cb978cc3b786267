// The breakdown of an ending: how many hits have each character before it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "dictionary/FoldedSearch.h"
#include "dictionary/WordList.h"

struct TBreakdownRow {
    std::u16string Ending; // the character before the ending, then the ending; the ending alone for
                           // words that are the ending itself
    int32_t Count = 0;
    double Share = 0;       // of all hits, in per cent
    bool WholeWord = false; // the row of the words that are the ending itself

    bool operator==(const TBreakdownRow&) const = default;
};

// One row per extended ending of the hits of query (zero-terminated sort keys), by count, highest first;
// equal counts in the list's order, the ending alone before every longer one. Characters are folded as
// the search folded them, so that a row's ending, searched with the same folding, finds its count. The
// counts add up to hits.Count.
std::vector<TBreakdownRow> BreakDownEnding(const TWordList& list, const THits& hits, const uint16_t* query,
                                           TFolding folding);
