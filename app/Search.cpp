// The window's ending search.
#include "app/Search.h"

#include <cstdio>

#include "dictionary/Sortrus.h"
#include "richtext/ResultDocument.h"

void TSearch::RunSearch(std::string_view InputBody) {
    // The body is read anew from the field for every search, so a final "no" is two typed letters.
    Query = QueryDecoder.RtfToSortKeys(InputBody, TQueryMarker::Keep);
    FindEndingRange();
    std::snprintf(HitCountText, sizeof HitCountText, "%d", static_cast<int>(HitLines.Count));
}

void TSearch::FindEndingRange() {
    THits hits = FindEndingHits(WordList, Query, Folding);
    std::vector<uint16_t> keys;
    for (const uint16_t* k = Query; *k != 0; ++k)
        keys.push_back(*k);
    keys.push_back(0);
    HitLines = std::move(hits);
    QueryKeys = std::move(keys);
    FirstHit = HitLines.Runs.empty() ? 0 : HitLines.Runs.front().FirstHit;
    LastHit = HitLines.Runs.empty() ? -1 : HitLines.Runs.front().LastHit;
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
