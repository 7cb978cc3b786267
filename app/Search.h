// The window's ending search: the query read from the input field's body, the run of hits in the
// word list and the result list's document for them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "dictionary/EndingSearch.h"
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

    THitRange Hits() const { return {FirstHit, LastHit}; }
    // The hit count as decimal text; empty before the first search.
    const char* HitCount() const { return HitCountText; }

private:
    void FindEndingRange();

    TWordList& WordList;
    RtfToUniSort QueryDecoder;
    UniToRtf ResultEncoder;
    const uint16_t* Query = nullptr;
    int32_t FirstHit = 0;
    int32_t LastHit = -1;
    char HitCountText[16] = {};
};
