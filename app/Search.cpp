// The window's ending search.
#include "app/Search.h"

#include <cstdio>

#include "richtext/ResultDocument.h"

void TSearch::RunSearch(std::string_view InputBody) {
    // The body is read anew from the field for every search, so a final "no" is two typed letters.
    Query = QueryDecoder.RtfToSortKeys(InputBody, TQueryMarker::Keep);
    FindEndingRange();
    std::snprintf(HitCountText, sizeof HitCountText, "%d", static_cast<int>(LastHit - FirstHit + 1));
}

void TSearch::FindEndingRange() {
    const THitRange hits = ::FindEndingRange(WordList, Query);
    FirstHit = hits.FirstHit;
    LastHit = hits.LastHit;
}

std::string TSearch::ResultDocument() {
    return BuildResultDocument(WordList, FirstHit, LastHit, ResultEncoder);
}
