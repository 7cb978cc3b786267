// Code pages 1252 and 1251 and the 91-letter table, checked against the C library's iconv.
#include "richtext/Codepage.h"
#include "richtext/LetterTable.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <set>

namespace {

// The character of one byte by iconv, or U+FFFD when iconv has none.
char16_t IconvChar(const char* codepage, uint8_t byte) {
    iconv_t cd = iconv_open("UTF-16LE", codepage);
    EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1)) << codepage;
    char in[1] = {static_cast<char>(byte)};
    unsigned char out[4] = {};
    char* inPtr = in;
    char* outPtr = reinterpret_cast<char*>(out);
    size_t inLeft = 1, outLeft = sizeof out;
    const size_t done = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (done == static_cast<size_t>(-1) || outLeft != 2)
        return 0xFFFD;
    return static_cast<char16_t>(out[0] | out[1] << 8);
}

TEST(codepage_test, both_code_pages_match_iconv) {
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<uint8_t>(b);
        EXPECT_EQ(Cp1252ToUnicode(byte), IconvChar("CP1252", byte)) << "1252 byte " << b;
        EXPECT_EQ(Cp1251ToUnicode(byte), IconvChar("CP1251", byte)) << "1251 byte " << b;
    }
}

TEST(codepage_test, cp1252_reverse_is_exact_inverse) {
    int mapped = 0;
    for (int u = 0; u < 0x10000; ++u) {
        const int byte = UnicodeToCp1252(static_cast<char16_t>(u));
        if (byte < 0)
            continue;
        ++mapped;
        EXPECT_EQ(Cp1252ToUnicode(static_cast<uint8_t>(byte)), u) << "U+" << std::hex << u;
    }
    EXPECT_EQ(mapped, 251); // 256 bytes less the five without a character
    EXPECT_EQ(UnicodeToCp1252(0x0081), -1);
    EXPECT_EQ(UnicodeToCp1252(0xFFFD), -1);
}

TEST(letter_table_test, is_code_page_1251_restricted_to_its_letters_but_three) {
    std::set<int> cyrillicWithoutLetter;
    int letters = 0;
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<uint8_t>(b);
        const char16_t cp = Cp1251ToUnicode(byte);
        const uint16_t letter = LetterOfByte(byte);
        if (letter == 0) {
            if (cp >= 0x0400 && cp <= 0x04FF)
                cyrillicWithoutLetter.insert(b);
            continue;
        }
        ++letters;
        EXPECT_EQ(letter, cp) << "byte " << b;
        EXPECT_EQ(ByteOfLetter(letter), b);
    }
    EXPECT_EQ(letters, 91);
    EXPECT_EQ(cyrillicWithoutLetter, (std::set<int>{0xA3, 0xA5, 0xB4})); // Ј Ґ ґ

    int reverse = 0;
    for (int u = 0; u < 0x10000; ++u)
        if (const int byte = ByteOfLetter(static_cast<uint16_t>(u)); byte >= 0) {
            ++reverse;
            EXPECT_EQ(LetterOfByte(static_cast<uint8_t>(byte)), u);
        }
    EXPECT_EQ(reverse, 91);
}

} // namespace
