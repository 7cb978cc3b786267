// Encoder of one UTF-16 character into its rich-text fragment for the result list.
#include "richtext/Unitortf.h"

#include <array>
#include <string>
#include <string_view>

#include "richtext/LetterTable.h"
#include "richtext/RtfEscape.h"

namespace {

struct TWestern {
    char16_t Ch;
    uint8_t Byte; // in code page 1252
};

// The characters outside ASCII and the Cyrillic letters that have a sort key, in font 0.
// clang-format off
constexpr std::array<TWestern, 20> Western = {{
    {0x00B2, 0xB2}, {0x00B3, 0xB3}, {0x00B9, 0xB9}, {0x00C4, 0xC4}, {0x00D6, 0xD6},     /* ² ³ ¹ Ä Ö */
    {0x00DC, 0xDC}, {0x00DF, 0xDF}, {0x00E2, 0xE2}, {0x00E4, 0xE4}, {0x00E8, 0xE8},     /* Ü ß â ä è */
    {0x00E9, 0xE9}, {0x00EA, 0xEA}, {0x00EB, 0xEB}, {0x00EE, 0xEE}, {0x00F1, 0xF1},     /* é ê ë î ñ */
    {0x00F2, 0xF2}, {0x00F4, 0xF4}, {0x00F6, 0xF6}, {0x00FC, 0xFC}, {0x2026, 0x85},     /* ò ô ö ü … */
}};
// clang-format on

// Cyrillic letters without a byte in code page 1251 that still get the Cyrillic font.
constexpr std::array<char16_t, 3> Unwritable = {0x040D, 0x045D, 0x0490}; /* Ѝ ѝ Ґ */

void AppendEscape(std::string& out, std::string_view font, uint8_t byte) {
    out += font;
    AppendByteEscape(out, byte);
}

// "\uN?": N is the unit as a signed 16-bit number, "?" the one byte that a reader without Unicode
// shows instead (the document's "\uc1").
void AppendUnicodeEscape(std::string& out, uint16_t ch) {
    out += "\\u";
    out += std::to_string(static_cast<int16_t>(ch));
    out += '?';
}

} // namespace

void UniToRtf::AppendFragment(std::string& out, uint16_t ch) const {
    if (ch >= 0x0400 && ch <= 0x04FF) {
        if (const int byte = ByteOfLetter(ch); byte >= 0) {
            AppendEscape(out, "\\f1", static_cast<uint8_t>(byte));
            return;
        }
        for (char16_t c : Unwritable)
            if (c == ch) {
                out += "\\f1?";
                return;
            }
    } else if (ch >= 0x00B2) {
        for (const TWestern& row : Western)
            if (row.Ch == ch) {
                AppendEscape(out, "\\f0", row.Byte);
                return;
            }
    }
    // ASCII and Latin-1 stand as their own byte, the one they have in code page 1252; any other
    // character's low byte would show another character.
    if (ch >= 0x80 && !(ch >= 0xA0 && ch <= 0xFF)) {
        AppendUnicodeEscape(out, ch);
        return;
    }
    const auto byte = static_cast<char>(ch);
    if (byte == '\\' || byte == '{' || byte == '}')
        out += '\\';
    out += byte;
}

std::string UniToRtf::CharToFragment(uint16_t ch) const {
    std::string out;
    AppendFragment(out, ch);
    return out;
}
