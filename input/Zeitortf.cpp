// German keyboard characters to the escape of the Cyrillic letter on the same key (ЙЦУКЕН on QWERTZ).
#include "input/Zeitortf.h"

#include <array>
#include <cstdint>

namespace {

struct TKeyLetter {
    uint8_t Typed;  // the character in code page 1252
    uint8_t Letter; // its Cyrillic letter's byte in code page 1251
};

// Ordered by the typed character.
// clang-format off
constexpr std::array<TKeyLetter, 67> KeyLetters = {{
    {0x27, 0xDA}, {0x2A, 0xDA}, {0x2B, 0xFA}, {0x2C, 0xE1},                     /* ' * + , -> Ъ Ъ ъ б */
    {0x2E, 0xFE}, {0x3A, 0xDE}, {0x3B, 0xC1},                                   /* . : ;   -> ю Ю Б */
    {0x41, 0xD4}, {0x42, 0xC8}, {0x43, 0xD1}, {0x44, 0xC2},                     /* A-D     -> Ф И С В */
    {0x45, 0xD3}, {0x46, 0xC0}, {0x47, 0xCF}, {0x48, 0xD0},                     /* E-H     -> У А П Р */
    {0x49, 0xD8}, {0x4A, 0xCE}, {0x4B, 0xCB}, {0x4C, 0xC4},                     /* I-L     -> Ш О Л Д */
    {0x4D, 0xDC}, {0x4E, 0xD2}, {0x4F, 0xD9}, {0x50, 0xC7},                     /* M-P     -> Ь Т Щ З */
    {0x51, 0xC9}, {0x52, 0xCA}, {0x53, 0xDB}, {0x54, 0xC5},                     /* Q-T     -> Й К Ы Е */
    {0x55, 0xC3}, {0x56, 0xCC}, {0x57, 0xD6}, {0x58, 0xD7},                     /* U-X     -> Г М Ц Ч */
    {0x59, 0xDF}, {0x5A, 0xCD},                                                 /* Y Z     -> Я Н */
    {0x5E, 0xB8},                                                               /* ^       -> ё */
    {0x61, 0xF4}, {0x62, 0xE8}, {0x63, 0xF1}, {0x64, 0xE2},                     /* a-d     -> ф и с в */
    {0x65, 0xF3}, {0x66, 0xE0}, {0x67, 0xEF}, {0x68, 0xF0},                     /* e-h     -> у а п р */
    {0x69, 0xF8}, {0x6A, 0xEE}, {0x6B, 0xEB}, {0x6C, 0xE4},                     /* i-l     -> ш о л д */
    {0x6D, 0xFC}, {0x6E, 0xF2}, {0x6F, 0xF9}, {0x70, 0xE7},                     /* m-p     -> ь т щ з */
    {0x71, 0xE9}, {0x72, 0xEA}, {0x73, 0xFB}, {0x74, 0xE5},                     /* q-t     -> й к ы е */
    {0x75, 0xE3}, {0x76, 0xEC}, {0x77, 0xF6}, {0x78, 0xF7},                     /* u-x     -> г м ц ч */
    {0x79, 0xFF}, {0x7A, 0xED},                                                 /* y z     -> я н */
    {0xB0, 0xA8},                                                               /* °       -> Ё */
    {0xC4, 0xDD}, {0xD6, 0xC6}, {0xDC, 0xD5},                                   /* Ä Ö Ü   -> Э Ж Х */
    {0xE4, 0xFD}, {0xF6, 0xE6}, {0xFC, 0xF5},                                   /* ä ö ü   -> э ж х */
}};
// clang-format on

// Letter byte per typed character, 0 for none.
constexpr std::array<uint8_t, 256> MakeLetterOfKey() {
    std::array<uint8_t, 256> t{};
    for (const TKeyLetter& row : KeyLetters)
        t[row.Typed] = row.Letter;
    return t;
}
constexpr std::array<uint8_t, 256> LetterOfKey = MakeLetterOfKey();

constexpr bool TypedAreAscending() {
    for (std::size_t i = 1; i < KeyLetters.size(); ++i)
        if (KeyLetters[i - 1].Typed >= KeyLetters[i].Typed)
            return false;
    return true;
}
static_assert(TypedAreAscending(), "one row per typed character, in order");

} // namespace

std::string ZeiToRtf::CharToRtf(char Key) const {
    const uint8_t letter = LetterOfKey[static_cast<uint8_t>(Key)];
    if (letter == 0)
        return "no";
    constexpr char Hex[] = "0123456789abcdef";
    return {'\\', '\'', Hex[letter >> 4], Hex[letter & 0x0F]};
}
