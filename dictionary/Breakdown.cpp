// The breakdown of an ending: one count per key before it, in one pass over the hits.
#include "dictionary/Breakdown.h"

#include <algorithm>

#include "dictionary/Sortrus.h"

std::vector<TBreakdownRow> BreakDownEnding(const TWordList& list, const THits& hits, const uint16_t* query,
                                           TFolding folding) {
    const std::array<uint16_t, 65536>& fold = FoldedKeys(folding);
    const std::vector<uint16_t> folded = FoldQuery(query, folding);
    const auto m = static_cast<int32_t>(folded.size()) - 1;

    // Slot 0 counts the words that are the ending itself, slot 1 + k the key k before the ending.
    std::vector<int32_t> counts(65537, 0);
    const uint16_t* keys = list.KeyText.data();
    const int32_t* lineStart = list.LineStart.data();
    const int32_t* wordEnd = list.WordEnd.data();
    for (const THitRange& run : hits.Runs) {
        for (int32_t i = run.FirstHit; i <= run.LastHit; ++i) {
            const int32_t before = wordEnd[i] - m; // a hit's word is at least m keys long
            ++counts[before < lineStart[i] ? 0 : 1 + fold[keys[before]]];
        }
    }

    const SortRus sort;
    std::u16string ending;
    for (int32_t j = 0; j < m; ++j)
        ending.push_back(static_cast<char16_t>(sort.SortKeyToChar(folded[j])));

    std::vector<TBreakdownRow> rows;
    for (size_t slot = 0; slot < counts.size(); ++slot) {
        if (counts[slot] == 0)
            continue;
        TBreakdownRow row;
        row.WholeWord = slot == 0;
        if (!row.WholeWord)
            row.Ending.push_back(static_cast<char16_t>(sort.SortKeyToChar(static_cast<uint16_t>(slot - 1))));
        row.Ending += ending;
        row.Count = counts[slot];
        row.Share = 100.0 * row.Count / hits.Count;
        rows.push_back(std::move(row));
    }
    // The slots were visited in key order: a stable sort keeps it among equal counts.
    std::stable_sort(rows.begin(), rows.end(),
                     [](const TBreakdownRow& a, const TBreakdownRow& b) { return a.Count > b.Count; });
    return rows;
}
