// Windows code pages 1252 and 1251 to Unicode, and 1252 back.
#include "richtext/Codepage.h"

#include <array>

#include "richtext/CodepageTables.h"

namespace {

// The characters outside Latin-1 that code page 1252 holds, with their bytes.
struct TCharByte {
    char16_t Ch;
    uint8_t Byte;
};

constexpr int CountOutsideLatin1() {
    int n = 0;
    for (char16_t ch : Cp1252High)
        n += ch > 0xFF && ch != NoChar;
    return n;
}
constexpr int OutsideLatin1Count = CountOutsideLatin1();

constexpr std::array<TCharByte, OutsideLatin1Count> MakeCp1252Reverse() {
    std::array<TCharByte, OutsideLatin1Count> t{};
    int n = 0;
    for (unsigned i = 0; i < Cp1252High.size(); ++i)
        if (Cp1252High[i] > 0xFF && Cp1252High[i] != NoChar)
            t[n++] = {Cp1252High[i], static_cast<uint8_t>(0x80 + i)};
    return t;
}
constexpr std::array<TCharByte, OutsideLatin1Count> Cp1252Reverse = MakeCp1252Reverse();

} // namespace

char16_t Cp1252ToUnicode(uint8_t byte) {
    return byte < 0x80 ? byte : Cp1252High[byte - 0x80];
}

char16_t Cp1251ToUnicode(uint8_t byte) {
    return byte < 0x80 ? byte : Cp1251High[byte - 0x80];
}

int UnicodeToCp1252(char16_t ch) {
    // ASCII and 0xA0-0xFF are Latin-1; the C1 controls 0x80-0x9F have no byte.
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF))
        return ch;
    for (const TCharByte& row : Cp1252Reverse)
        if (row.Ch == ch)
            return row.Byte;
    return -1;
}
