// The 91 Cyrillic letters of code page 1251 that travel in rich text as "\'hh" escapes.
#include "richtext/LetterTable.h"

#include <array>

namespace {

// The letter of each byte from 0x80 to 0xFF, 0 for a byte without a letter. Code page 1251's
// Ј (0xA3), Ґ (0xA5) and ґ (0xB4) have no letter here.
// clang-format off
constexpr std::array<char16_t, 128> LetterOfHighByte = {
    0x0402, 0x0403, 0,      0x0453, 0,      0,      0,      0,          /* 0x80-0x87 */
    0,      0,      0x0409, 0,      0x040A, 0x040C, 0x040B, 0x040F,     /* 0x88-0x8F */
    0x0452, 0,      0,      0,      0,      0,      0,      0,          /* 0x90-0x97 */
    0,      0,      0x0459, 0,      0x045A, 0x045C, 0x045B, 0x045F,     /* 0x98-0x9F */
    0,      0x040E, 0x045E, 0,      0,      0,      0,      0,          /* 0xA0-0xA7 */
    0x0401, 0,      0x0404, 0,      0,      0,      0,      0x0407,     /* 0xA8-0xAF */
    0,      0,      0x0406, 0x0456, 0,      0,      0,      0,          /* 0xB0-0xB7 */
    0x0451, 0,      0x0454, 0,      0x0458, 0x0405, 0x0455, 0x0457,     /* 0xB8-0xBF */
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,     /* 0xC0-0xC7 */
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,     /* 0xC8-0xCF */
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,     /* 0xD0-0xD7 */
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,     /* 0xD8-0xDF */
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,     /* 0xE0-0xE7 */
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,     /* 0xE8-0xEF */
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,     /* 0xF0-0xF7 */
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,     /* 0xF8-0xFF */
};
// clang-format on

// All letters lie in U+0400 to U+045F.
constexpr char16_t FirstLetter = 0x0400;
constexpr char16_t LetterSpan = 0x60;

constexpr std::array<uint8_t, LetterSpan> MakeByteOfLetter() {
    std::array<uint8_t, LetterSpan> t{};
    for (unsigned i = 0; i < LetterOfHighByte.size(); ++i)
        if (const char16_t ch = LetterOfHighByte[i]; ch != 0)
            t[ch - FirstLetter] = static_cast<uint8_t>(0x80 + i);
    return t;
}
constexpr std::array<uint8_t, LetterSpan> ByteOfLetterTable = MakeByteOfLetter();

constexpr int CountLetters() {
    int n = 0;
    for (uint8_t byte : ByteOfLetterTable)
        n += byte != 0;
    return n;
}
static_assert(CountLetters() == 91, "91 distinct letters within U+0400-U+045F");

} // namespace

uint16_t LetterOfByte(uint8_t byte) {
    return byte < 0x80 ? 0 : LetterOfHighByte[byte - 0x80];
}

int ByteOfLetter(uint16_t ch) {
    if (ch < FirstLetter || ch >= FirstLetter + LetterSpan)
        return -1;
    const uint8_t byte = ByteOfLetterTable[ch - FirstLetter];
    return byte == 0 ? -1 : byte;
}
