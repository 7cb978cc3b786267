// Fuzz target: the rich-text reader of the text fields on an arbitrary document, and the writer on what
// it read: the written field must read back to the same text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/RichText.h"
#include "richtext/Codepage.h"
#include "richtext/LetterTable.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const std::string_view rtf(reinterpret_cast<const char*>(data + 1), size - 1);
    const TRawBytes raw = (data[0] & 1) ? TRawBytes::AnsiCodePage : TRawBytes::FontCodePage;
    const TRichDocument document = ReadRichText(rtf, raw);

    // What a field may hold goes out and back unchanged: letters of the table, printable ASCII and the
    // other characters of code page 1252. Anything else the writer turns into "?".
    if (document.Paragraphs.empty())
        return 0;
    std::u16string text = document.Paragraphs[0].Text;
    for (char16_t& ch : text)
        if (ByteOfLetter(ch) < 0 && (ch < 0x20 || ch == 0x7F || UnicodeToCp1252(ch) < 0))
            ch = u'?';
    const std::string header = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset204 MS Sans "
                               "Serif;}}\\pard\\qr\\f0\\fs20 ";
    const TRichDocument again = ReadRichText(WriteRichText(header, text), TRawBytes::AnsiCodePage);
    if (again.Paragraphs.size() != 1 || again.Paragraphs[0].Text != text ||
        again.Paragraphs[0].Align != TParaAlign::Right || again.Paragraphs[0].HalfPoints != 20)
        std::abort();
    return 0;
}
