// The ending search: the first unbroken run of lines whose word ends with the query.
#pragma once

#include <cstdint>

#include "dictionary/WordList.h"

// Both inclusive; no hit is LastHit == FirstHit - 1.
struct THitRange {
    int32_t FirstHit = 0;
    int32_t LastHit = -1;
    int32_t Count() const { return LastHit - FirstHit + 1; }
};

// query: zero-terminated sort keys. An empty query makes every line a hit.
THitRange FindEndingRange(const TWordList& list, const uint16_t* query);
