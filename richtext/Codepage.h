// Windows code pages 1252 (Western) and 1251 (Cyrillic), both directions.
#pragma once

#include <cstdint>

// Bytes without a character (0x81, 0x8D, 0x8F, 0x90, 0x9D in 1252; 0x98 in 1251) give U+FFFD.
char16_t Cp1252ToUnicode(uint8_t byte);
char16_t Cp1251ToUnicode(uint8_t byte);
// The byte of a character, or -1 when the code page has none.
int UnicodeToCp1252(char16_t ch);
