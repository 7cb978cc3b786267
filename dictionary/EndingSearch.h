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

// Many endings against one loaded list. Where the list stands in the builder's order (by the words read
// backwards, shorter before longer), the hits of every ending are one run, found by bisection; on any
// other list each search is the linear one. Either way Find gives exactly what FindEndingRange gives.
// The list must outlive the index and stay unchanged.
class TEndingIndex {
public:
    explicit TEndingIndex(const TWordList& list);
    bool Bisects() const { return Ordered; }
    // query: zero-terminated sort keys.
    THitRange Find(const uint16_t* query) const;

private:
    const TWordList& List;
    bool Ordered;
};

// Every query (zero-terminated sort keys) against one list, in the queries' order.
std::vector<THitRange> FindEndingRanges(const TWordList& list,
                                        const std::vector<std::vector<uint16_t>>& queries);

// The query of an ending given as text: every character its sort key, zero-terminated. For the letters
// and characters of the input field these are the keys that the field's decoder gives.
std::vector<uint16_t> QueryOfText(std::u16string_view ending);
