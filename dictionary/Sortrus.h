// Russian sort keys: every UTF-16 code unit maps to a 16-bit key that places it in the dictionary's order.
#pragma once

#include <array>
#include <cstdint>

// Keys from 300 to 446 count as letters when the end of a word is sought.
inline constexpr uint16_t LetterKeyFirst = 300;
inline constexpr uint16_t LetterKeyLast = 446;

constexpr bool IsLetterKey(uint16_t key) {
    return key >= LetterKeyFirst && key <= LetterKeyLast;
}

namespace SortRusTables {
// Both lookups over all 65536 units, built at compile time from the key table in Sortrus.cpp.
extern const std::array<uint16_t, 65536> CharToKey;
extern const std::array<uint16_t, 65536> KeyToChar;
} // namespace SortRusTables

// Stateless converter. Both directions are a single lookup in a table built at compile time;
// a unit outside the 156-entry key table is its own key. Inline, because the loader converts every
// unit of the word list.
class SortRus {
public:
    uint16_t CharToSortKey(uint16_t unit) const { return SortRusTables::CharToKey[unit]; }
    uint16_t SortKeyToChar(uint16_t key) const { return SortRusTables::KeyToChar[key]; }
};
