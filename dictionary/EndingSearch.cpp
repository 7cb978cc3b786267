// The ending search: one pass over all lines, comparing sort keys from the end of each word.
#include "dictionary/EndingSearch.h"

#include "dictionary/Sortrus.h"

#include <algorithm>

namespace {

// < 0, 0 or > 0 as line's word, read backwards, stands before, ends with or stands after the query of m
// keys read backwards.
int CompareEnding(const TWordList& list, int32_t line, const uint16_t* query, int32_t m) {
    const uint16_t* keys = list.KeyText.data();
    const int32_t end = list.WordEnd[line];
    const int32_t length = end - list.LineStart[line] + 1;
    const int32_t common = std::min(length, m);
    for (int32_t j = 0; j < common; ++j) {
        const uint16_t a = keys[end - j];
        const uint16_t b = query[m - 1 - j];
        if (a != b)
            return a < b ? -1 : 1;
    }
    return length < m ? -1 : 0;
}

// True when no line's word, read backwards, comes after the next line's.
bool InBuilderOrder(const TWordList& list) {
    const uint16_t* keys = list.KeyText.data();
    for (int32_t i = 0; i + 1 < list.LineCount; ++i) {
        const int32_t endA = list.WordEnd[i];
        const int32_t endB = list.WordEnd[i + 1];
        const int32_t lengthA = endA - list.LineStart[i] + 1;
        const int32_t lengthB = endB - list.LineStart[i + 1] + 1;
        const int32_t common = std::min(lengthA, lengthB);
        int32_t j = 0;
        while (j < common && keys[endA - j] == keys[endB - j])
            ++j;
        if (j < common ? keys[endA - j] > keys[endB - j] : lengthA > lengthB)
            return false;
    }
    return true;
}

} // namespace

THitRange FindEndingRange(const TWordList& list, const uint16_t* query) {
    int32_t m = 0;
    while (query[m] != 0)
        ++m;
    if (m == 0)
        return {0, list.LineCount - 1};

    const uint16_t* keys = list.KeyText.data();
    const int32_t* lineStart = list.LineStart.data();
    const int32_t* wordEnd = list.WordEnd.data();
    const uint16_t* queryEnd = query + m - 1;
    const uint16_t lastKey = *queryEnd;

    // A line matches when its word is at least as long as the query and ends with it. Matches after
    // the first run are ignored; the pass still covers every line.
    THitRange range{0, 0};
    bool started = false;
    bool ended = false;
    for (int32_t i = 0; i < list.LineCount; ++i) {
        const int32_t end = wordEnd[i];
        bool match = false;
        // keys[end] exists even for a line without a letter: end is then LineStart - 1 >= 0.
        if (keys[end] == lastKey && end - lineStart[i] + 1 >= m) {
            const uint16_t* word = keys + end;
            const uint16_t* q = queryEnd;
            while (q != query && *(word - 1) == *(q - 1)) {
                --word;
                --q;
            }
            match = q == query;
        }
        if (match) {
            if (!started) {
                range.FirstHit = i;
                started = true;
            }
        } else if (started && !ended) {
            range.LastHit = i;
            ended = true;
        }
    }
    if (started && !ended)
        range.LastHit = list.LineCount;
    range.LastHit -= 1;
    return range;
}

TEndingIndex::TEndingIndex(const TWordList& list) : List(list), Ordered(InBuilderOrder(list)) {}

THitRange TEndingIndex::Find(const uint16_t* query) const {
    if (!Ordered)
        return FindEndingRange(List, query);
    int32_t m = 0;
    while (query[m] != 0)
        ++m;
    if (m == 0)
        return {0, List.LineCount - 1};
    // Lines before the run compare below 0, the run's lines 0, the lines after it above.
    int32_t low = 0;
    int32_t high = List.LineCount;
    while (low < high) {
        const int32_t middle = low + (high - low) / 2;
        if (CompareEnding(List, middle, query, m) < 0)
            low = middle + 1;
        else
            high = middle;
    }
    const int32_t first = low;
    high = List.LineCount;
    while (low < high) {
        const int32_t middle = low + (high - low) / 2;
        if (CompareEnding(List, middle, query, m) <= 0)
            low = middle + 1;
        else
            high = middle;
    }
    if (low == first)
        return {0, -1}; // as the linear search reports no hit
    return {first, low - 1};
}

std::vector<THitRange> FindEndingRanges(const TWordList& list,
                                        const std::vector<std::vector<uint16_t>>& queries) {
    const TEndingIndex index(list);
    std::vector<THitRange> ranges;
    ranges.reserve(queries.size());
    for (const std::vector<uint16_t>& query : queries)
        ranges.push_back(index.Find(query.data()));
    return ranges;
}

std::vector<uint16_t> QueryOfText(std::u16string_view ending) {
    const SortRus sort;
    std::vector<uint16_t> query;
    query.reserve(ending.size() + 1);
    for (char16_t ch : ending)
        query.push_back(sort.CharToSortKey(ch));
    query.push_back(0);
    return query;
}
