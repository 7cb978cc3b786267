// The encoder of result characters: the 114 rows, ASCII and Latin-1 as their bytes with the backslash
// and braces escaped, and the Unicode escape of every other unit.
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
        {0x0000, std::string(1, '\0')},
        {0x0041, "A"},
        {0x0020, " "},
        {0x007F, "\x7F"}, // ASCII as itself
        {0x00A0, "\xA0"},
        {0x00E0, "\xE0"},
        {0x00FF, "\xFF"}, // Latin-1 as its code page 1252 byte
        {0x005C, "\\\\"},
        {0x007B, "\\{"},
        {0x007D, "\\}"}, // \ { }
        // Every other unit as the Unicode escape, N signed 16-bit, never by its low byte:
        {0x0491, "\\u1169?"},
        {0x0408, "\\u1032?"},
        {0x0450, "\\u1104?"},
        {0x0400, "\\u1024?"}, // ґ Ј ѐ Ѐ
        {0x047B, "\\u1147?"},
        {0x015C, "\\u348?"},
        {0x017D, "\\u381?"}, // ѻ Ŝ Ž: low bytes { \ }
        {0x010D, "\\u269?"},
        {0x0080, "\\u128?"},
        {0x009F, "\\u159?"}, // č, C1 controls
        {0x20AC, "\\u8364?"},
        {0x7FFF, "\\u32767?"},
        {0x8000, "\\u-32768?"}, // €
        {0xD83D, "\\u-10179?"},
        {0xFFFD, "\\u-3?"},
        {0xFFFF, "\\u-1?"}, // a high surrogate, the replacement character
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
    int cyrillic = 0, western = 0, unicode = 0;
    for (int u = 0; u < 0x10000; ++u) {
        const auto ch = static_cast<uint16_t>(u);
        const std::string fragment = encoder.CharToFragment(ch);
        std::string appended = "x";
        encoder.AppendFragment(appended, ch);
        ASSERT_EQ(appended, "x" + fragment);
        if (fragment.starts_with("\\f0"))
            ++western;
        if (fragment.starts_with("\\u")) {
            ++unicode;
            EXPECT_EQ(fragment, "\\u" + std::to_string(static_cast<int16_t>(ch)) + "?");
        }
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
    // All of the 65,536 units but ASCII (128), Latin-1 (96) and the 114 rows, of which 19 are Latin-1.
    EXPECT_EQ(unicode, 65536 - 128 - 96 - 114 + 19);
}

} // namespace
