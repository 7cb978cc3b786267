// The rich text's hexadecimal character escape "\'hh": its digits both ways, for every writer and reader.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Escapes are written with lower-case digits.
inline constexpr std::string_view HexDigits = "0123456789abcdef";

// The value of a hexadecimal digit of either case, or -1.
constexpr int HexDigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Appends the four characters "\'hh" of byte.
inline void AppendByteEscape(std::string& out, uint8_t byte) {
    const char escape[4] = {'\\', '\'', HexDigits[byte >> 4], HexDigits[byte & 0x0F]};
    out.append(escape, 4);
}

// "\'hh" of byte.
inline std::string ByteEscape(uint8_t byte) {
    std::string out;
    AppendByteEscape(out, byte);
    return out;
}
