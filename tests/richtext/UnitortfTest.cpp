// The encoder of result characters: the 114 rows, the low byte of every other character, and the
// escaped backslash and braces.
#include "richtext/Unitortf.h"

#include "richtext/LetterTable.h"
#include "richtext/Rtftounisort.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(unitortf_test, fragments) {
    const std::pair<uint16_t, std::string> cases[] = {
        {0x0430, "\\f1\\'e0"},
        {0x044F, "\\f1\\'ff"},
        {0x0410, "\\f1\\'c0"}, // а я А
        {0x0401, "\\f1\\'a8"},
        {0x0451, "\\f1\\'b8"}, // Ё ё
        {0x0406, "\\f1\\'b2"},
        {0x00B2, "\\f0\\'b2"}, // І ²: one byte, two fonts
        {0x0456, "\\f1\\'b3"},
        {0x00B3, "\\f0\\'b3"}, // і ³
        {0x0402, "\\f1\\'80"},
        {0x045F, "\\f1\\'9f"}, // Ђ џ
        {0x00E4, "\\f0\\'e4"},
        {0x00DF, "\\f0\\'df"},
        {0x2026, "\\f0\\'85"}, // ä ß …
        {0x0490, "\\f1?"},
        {0x040D, "\\f1?"},
        {0x045D, "\\f1?"}, // Ґ Ѝ ѝ
        {0x0491, "\x91"},
        {0x0408, "\x08"},
        {0x0450, "P"}, // ґ Ј ѐ: low byte
        {0x0400, std::string(1, '\0')},
        {0x0041, "A"},
        {0x0020, " "},
        {0x00E0, "\xE0"}, // A, blank, à
        {0x005C, "\\\\"},
        {0x007B, "\\{"},
        {0x007D, "\\}"}, // \ { }
        {0x047B, "\\{"},
        {0x015C, "\\\\"},
        {0x017D, "\\}"}, // ѻ Ŝ Ž: same low bytes
    };
    const UniToRtf encoder;
    for (const auto& [ch, fragment] : cases)
        EXPECT_EQ(encoder.CharToFragment(ch), fragment) << "U+" << std::hex << ch;

    EXPECT_EQ(encoder.CharToFragment(0x0430) + encoder.CharToFragment(0x0431), "\\f1\\'e0\\f1\\'e1");
}

TEST(unitortf_test, exactly_114_rows_and_the_letters_round_trip) {
    const UniToRtf encoder;
    RtfToUniSort decoder;
    const SortRus sort;
    int cyrillic = 0, western = 0;
    for (int u = 0; u < 0x10000; ++u) {
        const auto ch = static_cast<uint16_t>(u);
        const std::string fragment = encoder.CharToFragment(ch);
        std::string appended = "x";
        encoder.AppendFragment(appended, ch);
        ASSERT_EQ(appended, "x" + fragment);
        if (fragment.starts_with("\\f0"))
            ++western;
        if (!fragment.starts_with("\\f1"))
            continue;
        ++cyrillic;
        if (fragment == "\\f1?")
            continue;
        // Every escape decodes back to its own letter.
        EXPECT_EQ(ByteOfLetter(ch) >= 0, true) << "U+" << std::hex << u;
        const uint16_t* keys = decoder.RtfToSortKeys(fragment.substr(3));
        EXPECT_EQ(keys[0], sort.CharToSortKey(ch)) << "U+" << std::hex << u;
        EXPECT_EQ(keys[1], 0);
    }
    EXPECT_EQ(cyrillic, 94);
    EXPECT_EQ(western, 20);
}

} // namespace
