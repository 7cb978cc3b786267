// The window's ending search.
#include "app/Search.h"

#include <algorithm>
#include <cstdio>

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
    // One pass over the list: 1.4 ms on the forms list. The bisecting TEndingIndex would first check the
    // list's order, about 18 ms at every switch of the list.
    const THitRange hits = ::FindEndingRange(WordList, Query.data());
    FirstHit = hits.FirstHit;
    LastHit = hits.LastHit;
    std::snprintf(HitCountText, sizeof HitCountText, "%d", static_cast<int>(hits.Count()));
}

std::string TSearch::ResultDocument() {
    return BuildResultDocument(WordList, FirstHit, LastHit, ResultEncoder);
}
