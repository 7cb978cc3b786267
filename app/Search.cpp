// The window's ending search.
#include "app/Search.h"

#include <algorithm>
#include <cstdio>

#include "dictionary/Sortrus.h"
#include "richtext/ResultDocument.h"

void TSearch::RunSearch(std::string_view InputBody) {
    // The body is read anew from the field for every search, so a final "no" is two typed letters.
    const uint16_t* keys = QueryDecoder.RtfToSortKeys(InputBody, TQueryMarker::Keep);
    std::copy_n(keys, Query.size(), Query.begin());
    FindEndingRange();
}

void TSearch::ListLoaded() {
    if (Searched())
        FindEndingRange();
}

void TSearch::FindEndingRange() {
    // One pass over the list (1.4 ms on the forms list), which also collects folded hits from several
    // runs. The bisecting TEndingIndex would first check the list's order, about 18 ms at every switch.
    HitLines = FindEndingHits(WordList, Query.data(), Folding);
    std::vector<uint16_t> keys;
    for (const uint16_t* k = Query.data(); *k != 0; ++k)
        keys.push_back(*k);
    keys.push_back(0);
    QueryKeys = std::move(keys);
    FirstHit = HitLines.Runs.empty() ? 0 : HitLines.Runs.front().FirstHit;
    LastHit = HitLines.Runs.empty() ? -1 : HitLines.Runs.front().LastHit;
    std::snprintf(HitCountText, sizeof HitCountText, "%d", static_cast<int>(HitLines.Count));
}

std::u16string TSearch::LastEnding() const {
    const SortRus sort;
    std::u16string text;
    for (size_t i = 0; i + 1 < QueryKeys.size(); ++i)
        text.push_back(static_cast<char16_t>(sort.SortKeyToChar(QueryKeys[i])));
    return text;
}

std::string TSearch::ResultDocument() {
    return BuildResultDocument(WordList, HitLines.Runs, ResultEncoder);
}
