// Sort keys: the blocks of the collation order, the letter range and the round trip.
#include "dictionary/Sortrus.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

struct TKeyCase {
    char16_t Unit;
    uint16_t Key;
};

TEST(sortrus_test, block_boundaries_and_case) {
    const SortRus keys;
    const TKeyCase cases[] = {
        {u'…', 279}, {u' ', 280}, {u'&', 281}, {u'-', 287}, {u'?', 294}, {u'{', 295}, {u'}', 297},
        {u'¹', 298}, {u'²', 299}, {u'³', 300}, {u'а', 303}, {u'А', 304}, {u'д', 311}, {u'Д', 312},
        {u'е', 313}, {u'ё', 314}, {u'Е', 315}, {u'Ё', 316}, {u'ж', 317}, {u'я', 367}, {u'Я', 368},
        {u'A', 379}, {u'Ä', 380}, {u'a', 381}, {u'ä', 382}, {u'â', 383}, {u'ß', 430}, {u'ô', 421},
        {u'z', 446}, {u'Z', 445}, {u'ü', 436},
    };
    for (const TKeyCase& c : cases) {
        EXPECT_EQ(keys.CharToSortKey(c.Unit), c.Key) << "U+" << std::hex << int(c.Unit);
        EXPECT_EQ(keys.SortKeyToChar(c.Key), c.Unit) << "key " << c.Key;
    }
}

TEST(sortrus_test, units_outside_the_table_are_their_own_keys) {
    const SortRus keys;
    const char16_t outside[] = {0,    u'\r', u'\n',  u'\t',  u'0',   u'9',   u'!',   u'#',   u'%',
                                u'*', u'<',  u'[',   u']',   u'_',   u'"',   u'à',   u'ç',   0x0301,
                                u'і', u'ї',  0x0400, 0x0450, 0x0452, 0xFEFF, 0xFFFF, 0x0116, 0x01BF};
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
    for (char16_t u = u'а'; u <= u'я'; ++u) {
        EXPECT_TRUE(IsLetterKey(keys.CharToSortKey(u)));
        EXPECT_TRUE(IsLetterKey(keys.CharToSortKey(u - 0x20)));
    }
    for (char16_t u : {u'ё', u'Ё', u'A', u'z', u'ß', u'ñ'})
        EXPECT_TRUE(IsLetterKey(keys.CharToSortKey(u)));
    EXPECT_FALSE(IsLetterKey(keys.CharToSortKey(u'і')));
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
