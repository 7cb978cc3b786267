// The window's ending search: the query read from the input field's body, the hits in the word list
// (folded on request) and the result list's document for them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/EndingSearch.h"
#include "dictionary/FoldedSearch.h"
#include "dictionary/WordList.h"
#include "richtext/Rtftounisort.h"
#include "richtext/Unitortf.h"

class TSearch {
public:
    // List stays the window's; it is loaded or replaced between searches.
    explicit TSearch(TWordList& List) : WordList(List) {}

    // Decodes the field's body into the query and finds its hits. Throws EConvertError for a malformed
    // escape, leaving the previous hits.
    void RunSearch(std::string_view InputBody);
    // The result list's document for the hits of the last search.
    std::string ResultDocument();

    // Takes effect from the next search on.
    void SetFolding(TFolding Value) { Folding = Value; }
    TFolding CurrentFolding() const { return Folding; }

    // The first run of hits: without folding all of them.
    THitRange Hits() const { return {FirstHit, LastHit}; }
    // Every hit of the last search, in list order.
    const THits& AllHits() const { return HitLines; }
    // The last search's query, zero-terminated sort keys, and as text.
    const std::vector<uint16_t>& LastQuery() const { return QueryKeys; }
    std::u16string LastEnding() const;
    // The hit count as decimal text; empty before the first search.
    const char* HitCount() const { return HitCountText; }

private:
    void FindEndingRange();

    TWordList& WordList;
    RtfToUniSort QueryDecoder;
    UniToRtf ResultEncoder;
    const uint16_t* Query = nullptr;
    TFolding Folding;
    std::vector<uint16_t> QueryKeys{0};
    THits HitLines;
    int32_t FirstHit = 0;
    int32_t LastHit = -1;
    char HitCountText[16] = {};
};
