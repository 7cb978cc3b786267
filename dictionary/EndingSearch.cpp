// The ending search: one pass over all lines, comparing sort keys from the end of each word.
#include "dictionary/EndingSearch.h"

#include "dictionary/Sortrus.h"

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

std::vector<uint16_t> QueryOfText(std::u16string_view ending) {
    const SortRus sort;
    std::vector<uint16_t> query;
    query.reserve(ending.size() + 1);
    for (char16_t ch : ending)
        query.push_back(sort.CharToSortKey(ch));
    query.push_back(0);
    return query;
}
