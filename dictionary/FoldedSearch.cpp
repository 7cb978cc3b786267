// Folding tables over the sort keys and the ending search that uses them.
#include "dictionary/FoldedSearch.h"

#include <memory>

#include "dictionary/Sortrus.h"

namespace {

using TKeyTable = std::array<uint16_t, 65536>;

// The small letter of a capital in the scripts a Russian word list holds: Basic Latin, Latin-1,
// Latin Extended-A and Cyrillic with its supplement; every other unit is its own.
constexpr uint16_t SmallLetter(uint16_t c) {
    if ((c >= u'A' && c <= u'Z') || (c >= 0x00C0 && c <= 0x00DE && c != 0x00D7))
        return c + 0x20;
    if (c == 0x0178)
        return 0x00FF;
    // Latin Extended-A pairs: capital on the even unit, except in 0x0139-0x0148 and 0x0179-0x017E.
    if (c >= 0x0100 && c <= 0x017F && c != 0x0130 && c != 0x0131 && c != 0x0138 && c != 0x0149 &&
        c != 0x017F) {
        const bool oddCapitals = (c >= 0x0139 && c <= 0x0148) || (c >= 0x0179 && c <= 0x017E);
        return (c % 2 == 1) == oddCapitals ? c + 1 : c;
    }
    if (c >= 0x0400 && c <= 0x040F)
        return c + 0x50;
    if (c >= 0x0410 && c <= 0x042F)
        return c + 0x20;
    if (c == 0x04C0)
        return 0x04CF;
    // Cyrillic pairs: capital on the even unit, except in 0x04C1-0x04CE.
    if ((c >= 0x0460 && c <= 0x0481) || (c >= 0x048A && c <= 0x04BF) || (c >= 0x04D0 && c <= 0x052F))
        return c % 2 == 0 ? c + 1 : c;
    if (c >= 0x04C1 && c <= 0x04CE)
        return c % 2 == 1 ? c + 1 : c;
    return c;
}

constexpr uint16_t FoldChar(uint16_t c, TFolding folding) {
    if (folding.YoAsYe && c == 0x0451) // ё
        c = 0x0435;
    if (folding.YoAsYe && c == 0x0401) // Ё
        c = 0x0415;
    return folding.IgnoreCase ? SmallLetter(c) : c;
}

// A key keeps its own value when its character does not fold, and when the folded character is none a
// list can hold: its unit is another character's key (ė would be read as …, į as а).
TKeyTable MakeTable(TFolding folding) {
    const SortRus sort;
    TKeyTable table{};
    for (unsigned k = 0; k < table.size(); ++k) {
        const auto key = static_cast<uint16_t>(k);
        const uint16_t c = sort.SortKeyToChar(key);
        const uint16_t folded = FoldChar(c, folding);
        const uint16_t foldedKey = sort.CharToSortKey(folded);
        table[k] = folded != c && sort.SortKeyToChar(foldedKey) == folded ? foldedKey : key;
    }
    return table;
}

int32_t QueryLength(const uint16_t* query) {
    int32_t m = 0;
    while (query[m] != 0)
        ++m;
    return m;
}

} // namespace

const std::array<uint16_t, 65536>& FoldedKeys(TFolding folding) {
    // Indexed by IgnoreCase + 2 * YoAsYe; made on first use, 128 KB each.
    static const std::unique_ptr<const TKeyTable[]> tables = [] {
        auto t = std::make_unique<TKeyTable[]>(4);
        for (int i = 0; i < 4; ++i)
            t[i] = MakeTable({(i & 1) != 0, (i & 2) != 0});
        return std::unique_ptr<const TKeyTable[]>(std::move(t));
    }();
    return tables[(folding.IgnoreCase ? 1 : 0) + (folding.YoAsYe ? 2 : 0)];
}

std::vector<uint16_t> FoldQuery(const uint16_t* query, TFolding folding) {
    const TKeyTable& fold = FoldedKeys(folding);
    const int32_t m = QueryLength(query);
    std::vector<uint16_t> folded(static_cast<size_t>(m) + 1, 0);
    for (int32_t j = 0; j < m; ++j)
        folded[j] = fold[query[j]];
    return folded;
}

THits FindEndingHits(const TWordList& list, const uint16_t* query, TFolding folding) {
    THits hits;
    if (!folding.Any() || QueryLength(query) == 0) {
        const THitRange range = FindEndingRange(list, query);
        if (range.Count() > 0)
            hits.Runs.push_back(range);
        hits.Count = range.Count();
        return hits;
    }

    const TKeyTable& fold = FoldedKeys(folding);
    const std::vector<uint16_t> folded = FoldQuery(query, folding);
    const auto m = static_cast<int32_t>(folded.size()) - 1;
    const uint16_t* q0 = folded.data();
    const uint16_t* queryEnd = q0 + m - 1;
    const uint16_t lastKey = *queryEnd;
    const uint16_t* keys = list.KeyText.data();
    const int32_t* lineStart = list.LineStart.data();
    const int32_t* wordEnd = list.WordEnd.data();

    // A run stays open while its lines match; the next match after a gap opens another.
    bool open = false;
    for (int32_t i = 0; i < list.LineCount; ++i) {
        const int32_t end = wordEnd[i];
        bool match = false;
        // keys[end] exists even for a line without a letter: end is then LineStart - 1 >= 0.
        if (fold[keys[end]] == lastKey && end - lineStart[i] + 1 >= m) {
            const uint16_t* word = keys + end;
            const uint16_t* q = queryEnd;
            while (q != q0 && fold[*(word - 1)] == *(q - 1)) {
                --word;
                --q;
            }
            match = q == q0;
        }
        if (match) {
            if (open)
                hits.Runs.back().LastHit = i;
            else
                hits.Runs.push_back({i, i});
            ++hits.Count;
        }
        open = match;
    }
    return hits;
}
