// The 91 Cyrillic letters of code page 1251 that travel in rich text as "\'hh" escapes.
#include "richtext/LetterTable.h"

#include <array>

#include "richtext/CodepageTables.h"

namespace {

// All letters lie in U+0400 to U+045F.
constexpr char16_t FirstLetter = 0x0400;
constexpr char16_t LetterSpan = 0x60;

// The letter of each byte from 0x80 to 0xFF, 0 for a byte without a letter: code page 1251's
// characters in U+0400-U+045F but Ј (0xA3). Ґ (0xA5) and ґ (0xB4) lie outside that span.
constexpr char16_t NoLetterJe = 0x0408;

constexpr std::array<char16_t, 128> MakeLetterOfHighByte() {
    std::array<char16_t, 128> t{};
    for (unsigned i = 0; i < Cp1251High.size(); ++i)
        if (const char16_t ch = Cp1251High[i];
            ch >= FirstLetter && ch < FirstLetter + LetterSpan && ch != NoLetterJe)
            t[i] = ch;
    return t;
}
constexpr std::array<char16_t, 128> LetterOfHighByte = MakeLetterOfHighByte();

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
