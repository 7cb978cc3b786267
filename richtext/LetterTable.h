// The 91 Cyrillic letters of code page 1251 that travel in rich text as "\'hh" escapes.
#pragma once

#include <cstdint>

// The letter of a code page 1251 byte, or 0 when the byte is no letter of the table.
uint16_t LetterOfByte(uint8_t byte);
// The code page 1251 byte of a letter, or -1 when the character is no letter of the table.
int ByteOfLetter(uint16_t ch);
