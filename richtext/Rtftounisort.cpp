// Decoder of the input field's rich-text body into the query of sort keys.
#include "richtext/Rtftounisort.h"

#include <cstddef>
#include <string>

#include "common/Utf8.h"
#include "richtext/Codepage.h"
#include "richtext/ConvertError.h"
#include "richtext/LetterTable.h"
#include "richtext/RtfEscape.h"

namespace {

// The message of a failed number conversion of "0x" + digits. Bytes of the body are code page 1252;
// the message is UTF-8.
[[noreturn]] void ThrowNoInteger(std::string_view digits) {
    std::string text = "'0x";
    for (char c : digits)
        AppendUtf8(text, Cp1252ToUnicode(static_cast<uint8_t>(c)));
    text += "' ist kein gültiger Integerwert";
    throw EConvertError(text);
}

} // namespace

const uint16_t* RtfToUniSort::RtfToSortKeys(std::string_view body, TQueryMarker marker) {
    Buffer.fill(0);

    // One unit stays 0 behind the last key.
    constexpr std::size_t MaxKeys = 199;
    std::size_t n = 0;
    std::size_t i = 0;
    while (i < body.size() && n < MaxKeys) {
        uint16_t ch;
        if (body[i] == '\\') {
            if (i + 1 >= body.size() || body[i + 1] != '\'')
                ThrowNoInteger({});
            // Up to two digits; an escape cut short at the end of the body has fewer.
            const std::string_view digits = body.substr(i + 2, 2);
            if (digits.empty())
                ThrowNoInteger(digits);
            uint32_t code = 0;
            for (char c : digits) {
                const int d = HexDigitValue(c);
                if (d < 0)
                    ThrowNoInteger(digits);
                code = code * 16 + static_cast<uint32_t>(d);
            }
            ch = CodeToChar(code);
            i += 4;
        } else {
            ch = Cp1252ToUnicode(static_cast<uint8_t>(body[i]));
            i += 1;
        }
        Buffer[n++] = ch;
    }

    // The marker "no" of a key without a letter, only at the very end.
    std::size_t length = 0;
    while (Buffer[length] != 0)
        ++length;
    if (marker == TQueryMarker::Strip && length >= 2 && Buffer[length - 2] == u'n' &&
        Buffer[length - 1] == u'o')
        Buffer[length - 2] = 0;

    for (std::size_t k = 0; k < n; ++k)
        Buffer[k] = SortKeys.CharToSortKey(Buffer[k]);
    return Buffer.data();
}

uint16_t RtfToUniSort::CodeToChar(uint32_t code) const {
    const uint16_t letter = code <= 0xFF ? LetterOfByte(static_cast<uint8_t>(code)) : 0;
    return letter != 0 ? letter : u'#';
}
