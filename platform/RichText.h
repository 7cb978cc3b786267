// Rich text in and out of the text fields, without a toolkit: the small subset of RTF that the
// program writes and reads, and a document model of paragraphs for the widgets to show.
#pragma once

#include <string>
#include <string_view>
#include <vector>

enum class TParaAlign { Left, Right, Centre };

struct TRichParagraph {
    std::u16string Text;
    TParaAlign Align = TParaAlign::Left;
    int HalfPoints = 24;  // \fsN, in half points; RTF's default is 12 points
    std::string FontName; // of the font at the paragraph's first character, empty if the table has none
};

struct TRichDocument {
    // Every \par ends one paragraph; text after the last \par forms a last paragraph of its own.
    std::vector<TRichParagraph> Paragraphs;
    // The bytes before the first character or paragraph mark: font table, size, alignment.
    std::string Header;
};

// How a raw byte of 0x80 or more (one that is not written as \'hh) is read.
enum class TRawBytes {
    FontCodePage, // in the current font's code page, as \'hh: 1251 under \fcharset204, else 1252
    AnsiCodePage, // always in code page 1252, the way WriteRichText writes them
};

// Reads any input without failing: groups of any depth, unknown control words and destinations are
// skipped, a byte 0x00 is a character like any other. A Unicode escape \uN is its unit, and the \ucN
// characters after it (one unless set) are dropped.
TRichDocument ReadRichText(std::string_view rtf, TRawBytes rawBytes = TRawBytes::FontCodePage);

// header, then the text: every Cyrillic letter of the 91-letter table as "\'hh" of its code page 1251
// byte, ASCII as itself (\, { and } escaped), any other character as its raw code page 1252 byte or,
// without one, "?"; a line feed or U+2029 as a paragraph mark; "\par }" at the end.
std::string WriteRichText(std::string_view header, std::u16string_view text);
