// Strict UTF-8 in and out of UTF-16.
#include "common/Utf8.h"

std::optional<char32_t> DecodeUtf8(std::string_view In, std::size_t& Pos) {
    const auto lead = static_cast<uint8_t>(In[Pos]);
    char32_t code = 0;
    std::size_t length = 0;
    uint8_t low = 0x80; // allowed range of the second byte; narrower after E0, ED, F0 and F4
    uint8_t high = 0xBF;
    if (lead < 0x80) {
        ++Pos;
        return lead;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        code = lead & 0x1Fu;
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        code = lead & 0x0Fu;
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;  // no overlong forms
        high = lead == 0xED ? 0x9F : 0xBF; // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        code = lead & 0x07u;
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF; // nothing above U+10FFFF
    } else {
        return std::nullopt; // a continuation byte, C0, C1 or F5..FF
    }
    if (In.size() - Pos < length)
        return std::nullopt;
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<uint8_t>(In[Pos + k]);
        if (next < (k == 1 ? low : 0x80) || next > (k == 1 ? high : 0xBF))
            return std::nullopt;
        code = (code << 6) | (next & 0x3Fu);
    }
    Pos += length;
    return code;
}

std::optional<std::u16string> Utf8ToUtf16(std::string_view In) {
    std::u16string out;
    out.reserve(In.size());
    for (std::size_t pos = 0; pos < In.size();) {
        const std::optional<char32_t> code = DecodeUtf8(In, pos);
        if (!code)
            return std::nullopt;
        if (*code >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((*code - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((*code - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(*code);
        }
    }
    return out;
}

void AppendUtf8(std::string& Out, char32_t CodePoint) {
    if (CodePoint < 0x80) {
        Out += static_cast<char>(CodePoint);
    } else if (CodePoint < 0x800) {
        Out += static_cast<char>(0xC0 | CodePoint >> 6);
        Out += static_cast<char>(0x80 | (CodePoint & 0x3F));
    } else if (CodePoint < 0x10000) {
        Out += static_cast<char>(0xE0 | CodePoint >> 12);
        Out += static_cast<char>(0x80 | (CodePoint >> 6 & 0x3F));
        Out += static_cast<char>(0x80 | (CodePoint & 0x3F));
    } else {
        Out += static_cast<char>(0xF0 | CodePoint >> 18);
        Out += static_cast<char>(0x80 | (CodePoint >> 12 & 0x3F));
        Out += static_cast<char>(0x80 | (CodePoint >> 6 & 0x3F));
        Out += static_cast<char>(0x80 | (CodePoint & 0x3F));
    }
}
