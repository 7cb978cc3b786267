// Sort keys: the blocks of the collation order, the letter range and the round trip.
#include "dictionary/Sortrus.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

// The character as typed beside its code unit, so that a Latin a cannot pass for a Cyrillic а.
struct TKeyCase {
    char16_t Typed;
    char16_t Unit;
    uint16_t Key;
};

TEST(sortrus_test, block_boundaries_and_case) {
    const SortRus keys;
    // clang-format off
    const TKeyCase cases[] = {
        {u'…', 0x2026, 279}, {u' ', 0x0020, 280}, {u'&', 0x0026, 281}, {u'-', 0x002D, 287},
        {u'?', 0x003F, 294}, {u'{', 0x007B, 295}, {u'}', 0x007D, 297},
        {u'¹', 0x00B9, 298}, {u'²', 0x00B2, 299}, {u'³', 0x00B3, 300},
        // Cyrillic
        {u'а', 0x0430, 303}, {u'А', 0x0410, 304}, {u'д', 0x0434, 311}, {u'Д', 0x0414, 312},
        {u'е', 0x0435, 313}, {u'ё', 0x0451, 314}, {u'Е', 0x0415, 315}, {u'Ё', 0x0401, 316},
        {u'ж', 0x0436, 317}, {u'я', 0x044F, 367}, {u'Я', 0x042F, 368},
        // Latin
        {u'A', 0x0041, 379}, {u'Ä', 0x00C4, 380}, {u'a', 0x0061, 381}, {u'ä', 0x00E4, 382},
        {u'â', 0x00E2, 383}, {u'ô', 0x00F4, 421}, {u'ß', 0x00DF, 430}, {u'ü', 0x00FC, 436},
        {u'Z', 0x005A, 445}, {u'z', 0x007A, 446},
    };
    // clang-format on
    for (const TKeyCase& c : cases) {
        ASSERT_EQ(c.Typed, c.Unit) << "key " << c.Key << ": typed U+" << std::hex << int(c.Typed);
        EXPECT_EQ(keys.CharToSortKey(c.Unit), c.Key) << "U+" << std::hex << int(c.Unit);
        EXPECT_EQ(keys.SortKeyToChar(c.Key), c.Unit) << "key " << c.Key;
    }
}

TEST(sortrus_test, units_outside_the_table_are_their_own_keys) {
    const SortRus keys;
    const char16_t outside[] = {0,      u'\r',  u'\n',  u'\t',  u'0',   u'9', u'!', u'#', u'%',
                                u'*',   u'<',   u'[',   u']',   u'_',   u'"', u'à', u'ç',
                                0x0301,                                 // combining acute
                                0x0456, 0x0457, 0x0400, 0x0450, 0x0452, // Cyrillic і ї Ѐ ѐ ђ
                                0xFEFF, 0xFFFF, 0x0116, 0x01BF};
    for (char16_t u : outside) {
        EXPECT_EQ(keys.CharToSortKey(u), u) << "U+" << std::hex << int(u);
        EXPECT_FALSE(IsLetterKey(keys.CharToSortKey(u)) && u < 0x0117) << "U+" << std::hex << int(u);
    }
    // Unassigned keys stand for themselves.
    for (uint16_t key : {301, 302, 369, 378})
        EXPECT_EQ(keys.SortKeyToChar(key), key);
}

TEST(sortrus_test, letter_range) {
    const SortRus keys;
    EXPECT_FALSE(IsLetterKey(keys.CharToSortKey(u'²')));
    EXPECT_TRUE(IsLetterKey(keys.CharToSortKey(u'³')));
    EXPECT_FALSE(IsLetterKey(keys.CharToSortKey(u'-')));
    EXPECT_FALSE(IsLetterKey(keys.CharToSortKey(u' ')));
    for (char16_t u = 0x0430; u <= 0x044F; ++u) { // а to я
        EXPECT_TRUE(IsLetterKey(keys.CharToSortKey(u)));
        EXPECT_TRUE(IsLetterKey(keys.CharToSortKey(u - 0x20)));
    }
    for (char16_t u : {0x0451, 0x0401, 0x0041, 0x007A, 0x00DF, 0x00F1}) // Cyrillic ё Ё, Latin A z ß ñ
        EXPECT_TRUE(IsLetterKey(keys.CharToSortKey(u)));
    EXPECT_FALSE(IsLetterKey(keys.CharToSortKey(0x0456))); // Cyrillic і
}

TEST(sortrus_test, units_in_the_key_range_collide_with_keys) {
    const SortRus keys;
    // U+0117..U+01BE are not in the table and keep their values, which are keys of other characters.
    EXPECT_EQ(keys.CharToSortKey(0x012C), 300);
    EXPECT_EQ(keys.SortKeyToChar(keys.CharToSortKey(0x012C)), u'³');
    EXPECT_EQ(keys.SortKeyToChar(keys.CharToSortKey(0x0117)), u'…');
    EXPECT_EQ(keys.SortKeyToChar(keys.CharToSortKey(0x01BE)), u'z');
    EXPECT_TRUE(IsLetterKey(keys.CharToSortKey(0x01BE)));
}

TEST(sortrus_test, round_trip_over_all_units) {
    const SortRus keys;
    int tableUnits = 0;
    for (uint32_t u = 0; u <= 0xFFFF; ++u) {
        const auto unit = static_cast<uint16_t>(u);
        const uint16_t key = keys.CharToSortKey(unit);
        const bool inTable = key != unit;
        tableUnits += inTable;
        if (inTable || u < 279 || u > 446) {
            EXPECT_EQ(keys.SortKeyToChar(key), unit) << "U+" << std::hex << u;
        }
        if (inTable) {
            EXPECT_TRUE(key >= 279 && key <= 446) << "U+" << std::hex << u;
        }
    }
    // Space (U+0020 -> 280) and the rest: every one of the 156 characters moves.
    EXPECT_EQ(tableUnits, 156);
}

} // namespace
