// The on-screen keyboard's 47 character keys and the hit test over them.
#include "input/Virttast.h"

#include <array>

namespace {

constexpr char Ch(unsigned code) {
    return static_cast<char>(code);
}

// Row, Y from-to, X from-to (inclusive), key character in code page 1252.
// clang-format off
constexpr std::array<TKeyRect, 47> KeyRects = {{
    {1,  1,  22,   1,  18, '^'},      {1,  1,  22,  21,  38, '1'},          /* ^ 1 */
    {1,  1,  22,  42,  58, '2'},      {1,  1,  22,  61,  77, '3'},          /* 2 3 */
    {1,  1,  22,  81,  97, '4'},      {1,  1,  22, 102, 116, '5'},          /* 4 5 */
    {1,  1,  22, 121, 137, '6'},      {1,  1,  22, 141, 157, '7'},          /* 6 7 */
    {1,  1,  22, 161, 177, '8'},      {1,  1,  22, 182, 197, '9'},          /* 8 9 */
    {1,  1,  22, 202, 218, '0'},      {1,  1,  22, 221, 238, Ch(0xDF)},     /* 0 ß */
    {2, 26,  46,  34,  51, 'q'},      {2, 26,  46,  53,  71, 'w'},          /* q w */
    {2, 26,  46,  74,  90, 'e'},      {2, 26,  46,  94, 110, 'r'},          /* e r */
    {2, 26,  46, 114, 131, 't'},      {2, 26,  46, 134, 150, 'z'},          /* t z */
    {2, 26,  46, 154, 170, 'u'},      {2, 26,  46, 174, 191, 'i'},          /* u i */
    {2, 26,  46, 194, 210, 'o'},      {2, 26,  46, 214, 231, 'p'},          /* o p */
    {2, 26,  46, 234, 251, Ch(0xFC)}, {2, 26,  46, 252, 271, '+'},          /* ü + */
    {3, 50,  70,  37,  55, 'a'},      {3, 50,  70,  57,  76, 's'},          /* a s */
    {3, 50,  70,  78,  96, 'd'},      {3, 50,  70,  99, 116, 'f'},          /* d f */
    {3, 50,  70, 118, 136, 'g'},      {3, 50,  70, 139, 155, 'h'},          /* g h */
    {3, 50,  70, 160, 175, 'j'},      {3, 50,  70, 179, 196, 'k'},          /* j k */
    {3, 50,  70, 199, 216, 'l'},      {3, 50,  70, 218, 235, Ch(0xF6)},     /* l ö */
    {3, 50,  70, 238, 256, Ch(0xE4)}, {3, 50,  70, 259, 275, '#'},          /* ä # */
    {4, 75,  94,  47,  65, '<'},      {4, 75,  94,  67,  85, 'y'},          /* < y */
    {4, 75,  94,  87, 104, 'x'},      {4, 75,  94, 108, 124, 'c'},          /* x c */
    {4, 75,  94, 128, 145, 'v'},      {4, 75,  94, 149, 165, 'b'},          /* v b */
    {4, 75,  94, 169, 184, 'n'},      {4, 75,  94, 188, 205, 'm'},          /* n m */
    {4, 75,  94, 208, 223, ','},      {4, 75,  94, 228, 243, '.'},          /* , . */
    {5, 99, 118,  81, 218, ' '},                                            /* space bar */
}};
// clang-format on

constexpr bool KeysDoNotOverlap() {
    for (std::size_t i = 0; i < KeyRects.size(); ++i)
        for (std::size_t j = i + 1; j < KeyRects.size(); ++j) {
            const TKeyRect& a = KeyRects[i];
            const TKeyRect& b = KeyRects[j];
            if (a.Top <= b.Bottom && b.Top <= a.Bottom && a.Left <= b.Right && b.Left <= a.Right)
                return false;
        }
    return true;
}
static_assert(KeysDoNotOverlap(), "a point lies on at most one key");

} // namespace

char VirtTast::KeyAtPoint(int X, int Y) const {
    for (const TKeyRect& key : KeyRects)
        if (Y >= key.Top && Y <= key.Bottom && X >= key.Left && X <= key.Right)
            return key.Key;
    return ' ';
}

std::span<const TKeyRect> VirtTast::Keys() {
    return KeyRects;
}
