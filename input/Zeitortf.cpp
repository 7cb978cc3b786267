// German keyboard characters to the escape of the Cyrillic letter on the same key (ЙЦУКЕН on QWERTZ).
#include "input/Zeitortf.h"

#include <array>
#include <cstdint>

#include "richtext/RtfEscape.h"

namespace {

struct TKeyLetter {
    uint8_t Typed;  // the character in code page 1252
    uint8_t Letter; // its Cyrillic letter's byte in code page 1251
};

// One row per typed character, in the order of its code: typed character, letter byte.
// clang-format off
constexpr std::array<TKeyLetter, 67> KeyLetters = {{
    {0x27, 0xDA},   /* apostrophe '   -> Ъ U+042A */
    {0x2A, 0xDA},   /* asterisk *     -> Ъ U+042A */
    {0x2B, 0xFA},   /* plus sign +    -> ъ U+044A */
    {0x2C, 0xE1},   /* comma ,        -> б U+0431 */
    {0x2E, 0xFE},   /* full stop .    -> ю U+044E */
    {0x3A, 0xDE},   /* colon :        -> Ю U+042E */
    {0x3B, 0xC1},   /* semicolon ;    -> Б U+0411 */
    {0x41, 0xD4},   /* A              -> Ф U+0424 */
    {0x42, 0xC8},   /* B              -> И U+0418 */
    {0x43, 0xD1},   /* C              -> С U+0421 */
    {0x44, 0xC2},   /* D              -> В U+0412 */
    {0x45, 0xD3},   /* E              -> У U+0423 */
    {0x46, 0xC0},   /* F              -> А U+0410 */
    {0x47, 0xCF},   /* G              -> П U+041F */
    {0x48, 0xD0},   /* H              -> Р U+0420 */
    {0x49, 0xD8},   /* I              -> Ш U+0428 */
    {0x4A, 0xCE},   /* J              -> О U+041E */
    {0x4B, 0xCB},   /* K              -> Л U+041B */
    {0x4C, 0xC4},   /* L              -> Д U+0414 */
    {0x4D, 0xDC},   /* M              -> Ь U+042C */
    {0x4E, 0xD2},   /* N              -> Т U+0422 */
    {0x4F, 0xD9},   /* O              -> Щ U+0429 */
    {0x50, 0xC7},   /* P              -> З U+0417 */
    {0x51, 0xC9},   /* Q              -> Й U+0419 */
    {0x52, 0xCA},   /* R              -> К U+041A */
    {0x53, 0xDB},   /* S              -> Ы U+042B */
    {0x54, 0xC5},   /* T              -> Е U+0415 */
    {0x55, 0xC3},   /* U              -> Г U+0413 */
    {0x56, 0xCC},   /* V              -> М U+041C */
    {0x57, 0xD6},   /* W              -> Ц U+0426 */
    {0x58, 0xD7},   /* X              -> Ч U+0427 */
    {0x59, 0xDF},   /* Y              -> Я U+042F */
    {0x5A, 0xCD},   /* Z              -> Н U+041D */
    {0x5E, 0xB8},   /* circumflex ^   -> ё U+0451 */
    {0x61, 0xF4},   /* a              -> ф U+0444 */
    {0x62, 0xE8},   /* b              -> и U+0438 */
    {0x63, 0xF1},   /* c              -> с U+0441 */
    {0x64, 0xE2},   /* d              -> в U+0432 */
    {0x65, 0xF3},   /* e              -> у U+0443 */
    {0x66, 0xE0},   /* f              -> а U+0430 */
    {0x67, 0xEF},   /* g              -> п U+043F */
    {0x68, 0xF0},   /* h              -> р U+0440 */
    {0x69, 0xF8},   /* i              -> ш U+0448 */
    {0x6A, 0xEE},   /* j              -> о U+043E */
    {0x6B, 0xEB},   /* k              -> л U+043B */
    {0x6C, 0xE4},   /* l              -> д U+0434 */
    {0x6D, 0xFC},   /* m              -> ь U+044C */
    {0x6E, 0xF2},   /* n              -> т U+0442 */
    {0x6F, 0xF9},   /* o              -> щ U+0449 */
    {0x70, 0xE7},   /* p              -> з U+0437 */
    {0x71, 0xE9},   /* q              -> й U+0439 */
    {0x72, 0xEA},   /* r              -> к U+043A */
    {0x73, 0xFB},   /* s              -> ы U+044B */
    {0x74, 0xE5},   /* t              -> е U+0435 */
    {0x75, 0xE3},   /* u              -> г U+0433 */
    {0x76, 0xEC},   /* v              -> м U+043C */
    {0x77, 0xF6},   /* w              -> ц U+0446 */
    {0x78, 0xF7},   /* x              -> ч U+0447 */
    {0x79, 0xFF},   /* y              -> я U+044F */
    {0x7A, 0xED},   /* z              -> н U+043D */
    {0xB0, 0xA8},   /* degree sign °  -> Ё U+0401 */
    {0xC4, 0xDD},   /* Ä              -> Э U+042D */
    {0xD6, 0xC6},   /* Ö              -> Ж U+0416 */
    {0xDC, 0xD5},   /* Ü              -> Х U+0425 */
    {0xE4, 0xFD},   /* ä              -> э U+044D */
    {0xF6, 0xE6},   /* ö              -> ж U+0436 */
    {0xFC, 0xF5},   /* ü              -> х U+0445 */
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
    return ByteEscape(letter);
}
