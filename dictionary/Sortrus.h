// Russian sort keys: every UTF-16 code unit maps to a 16-bit key that places it in the dictionary's order.
#pragma once

#include <cstdint>

// Keys from 300 to 446 count as letters when the end of a word is sought.
inline constexpr uint16_t LetterKeyFirst = 300;
inline constexpr uint16_t LetterKeyLast = 446;

constexpr bool IsLetterKey(uint16_t key) { return key >= LetterKeyFirst && key <= LetterKeyLast; }

// Stateless converter. Both directions are a single lookup in a table built at compile time;
// a unit outside the 156-entry key table is its own key.
class SortRus {
public:
    uint16_t CharToSortKey(uint16_t unit) const;
    uint16_t SortKeyToChar(uint16_t key) const;
};
