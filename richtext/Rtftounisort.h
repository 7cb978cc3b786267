// Decoder of the input field's rich-text body into the query: zero-terminated sort keys.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "dictionary/Sortrus.h"

// What a body's final "no" is: the marker of a key without a letter, which a body that the editing
// cycle left may carry (Strip), or two letters, as in a body read anew from the field (Keep).
enum class TQueryMarker : uint8_t { Strip, Keep };

class RtfToUniSort {
public:
    // 199 keys and the terminating 0.
    std::array<uint16_t, 200> Buffer{};

    // Decodes at most the first 199 tokens of body; returns Buffer's address. Throws EConvertError
    // ("'0x..' ist kein gültiger Integerwert") for an escape whose digits are no hexadecimal number.
    // With Strip, a final "no" is dropped; with Keep, it is searched like any two letters.
    const uint16_t* RtfToSortKeys(std::string_view body, TQueryMarker marker = TQueryMarker::Strip);
    uint16_t CodeToChar(uint32_t code) const;

private:
    SortRus SortKeys;
};
