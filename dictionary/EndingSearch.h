// The ending search: the first unbroken run of lines whose word ends with the query.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "dictionary/WordList.h"

// Both inclusive; no hit is LastHit == FirstHit - 1.
struct THitRange {
    int32_t FirstHit = 0;
    int32_t LastHit = -1;
    int32_t Count() const { return LastHit - FirstHit + 1; }
};

// query: zero-terminated sort keys. An empty query makes every line a hit.
THitRange FindEndingRange(const TWordList& list, const uint16_t* query);

// The query of an ending given as text: every character its sort key, zero-terminated. For the letters
// and characters of the input field these are the keys that the field's decoder gives.
std::vector<uint16_t> QueryOfText(std::u16string_view ending);
