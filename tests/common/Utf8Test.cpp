// Tests of the strict UTF-8 codec.
#include "common/Utf8.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

struct TDecodeCase {
    const char* Name;
    std::string Bytes;
    std::optional<std::u16string> Expected;
};

const TDecodeCase DecodeCases[] = {
    {"empty", "", u""},
    {"ASCII", "piano", u"piano"},
    {"Cyrillic ад {0x0430, 0x0434}", "\xD0\xB0\xD0\xB4", std::u16string{0x0430, 0x0434}},
    {"last of two bytes U+07FF", "\xDF\xBF", std::u16string{0x07FF}},
    {"first of three bytes U+0800", "\xE0\xA0\x80", std::u16string{0x0800}},
    {"before the surrogates U+D7FF", "\xED\x9F\xBF", std::u16string{0xD7FF}},
    {"after the surrogates U+E000", "\xEE\x80\x80", std::u16string{0xE000}},
    {"byte-order mark U+FEFF", "\xEF\xBB\xBF", std::u16string{0xFEFF}},
    {"beyond the BMP U+1F600", "\xF0\x9F\x98\x80", std::u16string{0xD83D, 0xDE00}},
    {"last code point U+10FFFF", "\xF4\x8F\xBF\xBF", std::u16string{0xDBFF, 0xDFFF}},
    {"NUL inside", std::string("a\0b", 3), std::u16string{u'a', 0, u'b'}},
    {"overlong / as C0 AF", "\xC0\xAF", std::nullopt},
    {"overlong two bytes C1 BF", "\xC1\xBF", std::nullopt},
    {"overlong three bytes E0 9F BF", "\xE0\x9F\xBF", std::nullopt},
    {"overlong four bytes F0 8F BF BF", "\xF0\x8F\xBF\xBF", std::nullopt},
    {"high surrogate U+D800", "\xED\xA0\x80", std::nullopt},
    {"low surrogate U+DFFF", "\xED\xBF\xBF", std::nullopt},
    {"encoded surrogate pair", "\xED\xA0\xBD\xED\xB8\x80", std::nullopt},
    {"above U+10FFFF", "\xF4\x90\x80\x80", std::nullopt},
    {"lead byte F5", "\xF5\x80\x80\x80", std::nullopt},
    {"lone continuation byte", "a\x80", std::nullopt},
    {"truncated two bytes", "\xD0", std::nullopt},
    {"truncated three bytes", "\xE2\x82", std::nullopt},
    {"truncated four bytes", "\xF0\x9F\x98", std::nullopt},
    {"continuation expected, ASCII found",
     "\xD0"
     "a",
     std::nullopt},
    {"byte FF", "\xFF", std::nullopt},
};

TEST(utf8_test, decodes_valid_text_and_refuses_every_invalid_form) {
    for (const TDecodeCase& c : DecodeCases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(Utf8ToUtf16(c.Bytes), c.Expected);
        if (c.Expected) {
            EXPECT_EQ(Utf16ToUtf8(*c.Expected), c.Bytes); // and back
        }
    }
}

TEST(utf8_test, a_refused_sequence_leaves_the_position) {
    const std::string text = "\xD0\xB0\xE2\x82";
    std::size_t pos = 0;
    EXPECT_EQ(DecodeUtf8(text, pos), U'а'); // U+0430
    EXPECT_EQ(pos, 2u);
    EXPECT_EQ(DecodeUtf8(text, pos), std::nullopt);
    EXPECT_EQ(pos, 2u);
}

TEST(utf8_test, lone_surrogates_are_written_as_replacement_character) {
    struct TCase {
        const char* Name;
        std::u16string Units;
        std::string Utf8;
    };
    const TCase cases[] = {
        {"high alone at the end", std::u16string{u'a', 0xD83D}, "a\xEF\xBF\xBD"},
        {"low alone", std::u16string{0xDE00, u'a'},
         "\xEF\xBF\xBD"
         "a"},
        {"high then ASCII", std::u16string{0xD83D, u'a'},
         "\xEF\xBF\xBD"
         "a"},
        {"two highs then a low", std::u16string{0xD83D, 0xD83D, 0xDE00}, "\xEF\xBF\xBD\xF0\x9F\x98\x80"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(Utf16ToUtf8(c.Units), c.Utf8);
    }
}

} // namespace
