// Fuzz target: the rich-text reader of the text fields on an arbitrary document, and the writer on what
// it read: the written field must read back to the same text. The same bytes, taken as UTF-16 units of
// a result line, go through the result list's encoder and the reader: every unit must show as itself.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/RichText.h"
#include "richtext/Codepage.h"
#include "richtext/LetterTable.h"
#include "richtext/ResultDocument.h"
#include "richtext/Unitortf.h"

namespace {

void CheckField(const uint8_t* data, size_t size) {
    const std::string_view rtf(reinterpret_cast<const char*>(data + 1), size - 1);
    const TRawBytes raw = (data[0] & 1) ? TRawBytes::AnsiCodePage : TRawBytes::FontCodePage;
    const TRichDocument document = ReadRichText(rtf, raw);

    // What a field may hold goes out and back unchanged: letters of the table, printable ASCII and the
    // other characters of code page 1252. Anything else the writer turns into "?".
    if (document.Paragraphs.empty())
        return;
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
}

void CheckResultLine(const uint8_t* data, size_t size) {
    const UniToRtf encoder;
    std::string rtf = std::string(ResultHeader) + "\r\n";
    std::u16string shown;
    bool cyrillicFont = true; // the header ends in \f1
    for (size_t i = 0; i + 1 < size; i += 2) {
        const auto ch = static_cast<char16_t>(data[i] | data[i + 1] << 8);
        const std::string fragment = encoder.CharToFragment(ch);
        rtf += fragment;
        if (fragment.starts_with("\\f"))
            cyrillicFont = fragment[2] == '1';
        // What the rich-edit control shows: "?" for the three letters without a byte, no line ends,
        // a Latin-1 byte in the current font's code page, every other unit as itself.
        if (fragment == "\\f1?")
            shown += u'?';
        else if (ch == u'\r' || ch == u'\n')
            continue;
        else if (ch >= 0xA0 && ch <= 0xFF && fragment.size() == 1 && cyrillicFont)
            shown += Cp1251ToUnicode(static_cast<uint8_t>(ch));
        else
            shown += ch;
    }
    rtf += "\r\n\\par \r\n" + std::string(ResultFooter) + "\r\n";
    const TRichDocument document = ReadRichText(rtf);
    if (document.Paragraphs.size() != 2 || document.Paragraphs[0].Text != shown ||
        document.Paragraphs[0].Align != TParaAlign::Right)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    CheckField(data, size);
    CheckResultLine(data, size);
    return 0;
}
