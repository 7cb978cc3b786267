// Tests of the toolkit-free rich-text reader and writer of the text fields.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "input/InputEditing.h"
#include "platform/RichText.h"
#include "richtext/ResultDocument.h"
#include "richtext/Unitortf.h"

using namespace std::string_literals;

namespace {

// The paragraphs' texts joined by '|'.
std::u16string Joined(const TRichDocument& doc) {
    std::u16string joined;
    for (std::size_t i = 0; i < doc.Paragraphs.size(); ++i)
        joined += (i > 0 ? u"|" : u"") + doc.Paragraphs[i].Text;
    return joined;
}

} // namespace

TEST(rich_text_test, writes_letters_as_escapes_and_other_characters_as_bytes) {
    const std::string header(InputHeader);
    struct TCase {
        std::u16string Text;
        std::string Body;
    };
    const TCase cases[] = {
        {u"", ""},
        {u"ад", "\\'e0\\'e4"},                           // {0x0430, 0x0434}
        {u"ЁёЯя", "\\'a8\\'b8\\'df\\'ff"},               // upper half of 1251, lower-case hex
        {u"Ђі", "\\'80\\'b3"},                           // letters beyond Russian
        {u"a1 -x", "a1 -x"},                             // ASCII as itself
        {u"äß€", "\xe4\xdf\x80"},                        // raw code page 1252 bytes
        {u"\\{}", "\\\\\\{\\}"},                         // rich-text syntax escaped
        {u"中\u0490", "??"},                             // neither a letter nor in 1252
        {u"а\nб\u2029в", "\\'e0\\par \\'e1\\par \\'e2"}, // paragraph separators
    };
    for (const TCase& c : cases)
        EXPECT_EQ(WriteRichText(header, c.Text), header + c.Body + "\\par }") << c.Body;

    // Text after a header that ends in a control word must not run into it.
    EXPECT_EQ(WriteRichText("{\\rtf1\\fs20", u"5"), "{\\rtf1\\fs20 5\\par }");
    EXPECT_EQ(WriteRichText("{\\rtf1\\fs20 ", u"5"), "{\\rtf1\\fs20 5\\par }");
    EXPECT_EQ(WriteRichText("{\\rtf1\\'e0", u"5"), "{\\rtf1\\'e05\\par }");
}

TEST(rich_text_test, reads_the_input_fields_document) {
    const std::string rtf = std::string(InputHeader) + "\\'e0\\'e4 1" + std::string(InputFooter);
    const TRichDocument doc = ReadRichText(rtf, TRawBytes::AnsiCodePage);
    EXPECT_EQ(doc.Header, InputHeader);
    ASSERT_EQ(doc.Paragraphs.size(), 1u);
    EXPECT_EQ(doc.Paragraphs[0].Text, u"ад 1");
    EXPECT_EQ(doc.Paragraphs[0].Align, TParaAlign::Right);
    EXPECT_EQ(doc.Paragraphs[0].HalfPoints, 20);
    EXPECT_EQ(doc.Paragraphs[0].FontName, "MS Sans Serif");

    // The empty field: the header is all there is before the paragraph mark.
    const TRichDocument empty = ReadRichText(std::string(InputHeader) + std::string(InputFooter));
    EXPECT_EQ(empty.Header, InputHeader);
    ASSERT_EQ(empty.Paragraphs.size(), 1u);
    EXPECT_EQ(empty.Paragraphs[0].Text, u"");
}

TEST(rich_text_test, round_trips_what_it_writes) {
    const std::u16string texts[] = {u"",
                                    u"абвгдеёжзийклмнопрстуфхцчшщъыьэюя",
                                    u"АБВЁЯ Ђђ Її Ўў",
                                    u"x 1 ! ä ö ü ß ° § € …",
                                    u"a\\b{c}d",
                                    u"дом²"};
    for (const std::u16string& text : texts) {
        const TRichDocument doc = ReadRichText(WriteRichText(InputHeader, text), TRawBytes::AnsiCodePage);
        ASSERT_EQ(doc.Paragraphs.size(), 1u);
        EXPECT_EQ(doc.Paragraphs[0].Text, text);
        EXPECT_EQ(doc.Header, InputHeader);
    }
}

TEST(rich_text_test, reads_the_result_document_in_the_fonts_code_pages) {
    // Fragments as the result list writes them: font 1 is Cyrillic (204), font 0 Western (0); a raw
    // byte stands in the current font, a 0x00 byte does not end the text.
    const std::string rtf = std::string(ResultHeader) + "\r\n" + "\\f1\\'e0\\f1\\'e4\r\n\\par \r\n" + // ад
                            "\\f0\\'b2\\f1\\'b2\xe4\r\n\\par \r\n" + // ² І д
                            "a\0b\\f0\xe4\r\n\\par \r\n"s +          // a NUL b ä
                            std::string(ResultFooter) + "\r\n";
    const TRichDocument doc = ReadRichText(rtf);
    EXPECT_EQ(doc.Header, std::string(ResultHeader) + "\r\n\\f1");
    ASSERT_EQ(doc.Paragraphs.size(), 4u);
    EXPECT_EQ(doc.Paragraphs[0].Text, u"ад");
    EXPECT_EQ(doc.Paragraphs[1].Text, u"²Ід");
    EXPECT_EQ(doc.Paragraphs[2].Text, u"a\0bä"s);
    EXPECT_EQ(doc.Paragraphs[3].Text, u""); // "\f0\par" of the footer
    for (const TRichParagraph& p : doc.Paragraphs) {
        EXPECT_EQ(p.Align, TParaAlign::Right);
        EXPECT_EQ(p.HalfPoints, 20);
        EXPECT_EQ(p.FontName, "Arial Unicode MS");
    }
}

TEST(rich_text_test, shows_result_characters_without_a_code_page_byte) {
    // Units that no font of the result list holds, among letters and Latin-1: each shows as itself,
    // also a pair of surrogates and the units whose low bytes are rich-text syntax or line ends.
    const std::u16string line = u"čĀĊɜѻад Ј€ ɍ😀 ä à\uFFFF";
    const UniToRtf encoder;
    std::string rtf = std::string(ResultHeader) + "\r\n";
    for (const char16_t ch : line)
        encoder.AppendFragment(rtf, ch);
    rtf += "\r\n\\par \r\n" + std::string(ResultFooter) + "\r\n";
    const TRichDocument doc = ReadRichText(rtf);
    ASSERT_EQ(doc.Paragraphs.size(), 2u);
    // à stands after the Western ä, so its byte is read in code page 1252.
    EXPECT_EQ(doc.Paragraphs[0].Text, line);
}

TEST(rich_text_test, reads_unicode_escapes_and_drops_their_fallback) {
    struct TCase {
        std::string Rtf;
        std::u16string Text;
    };
    const TCase cases[] = {
        {R"({\rtf1 a\u1076?b})", u"aдb"},       // {0x0061, 0x0434, 0x0062}
        {R"({\rtf1 \u1076 ?b})", u"дb"},        // the blank ends the word
        {R"({\rtf1 \u-10179?\u-8704?})", u"😀"}, // signed 16-bit, a surrogate pair
        {R"({\rtf1 \u65535?\u-32768?\u32767?})", u"\uFFFF\u8000\u7FFF"},
        {R"({\rtf1 \u1076\'3fx})", u"дx"},                               // an escaped fallback
        {R"({\rtf1\uc2 \u1076??x{\uc0 \u1076 y}\u1076??z})", u"дxдyдz"}, // \ucN per group
        {R"({\rtf1\uc3 \u1076?}x)", u"дx"},                              // a group's end ends the fallback
        {R"({\rtf1 \u99999?\u-40000!\u})", u"?!"},                       // out of range: the fallback shows
        {R"({\rtf1{\fonttbl{\f0 A\u1076?B;}}\f0 c})", u"c"},             // nothing of the font table
    };
    for (const TCase& c : cases)
        EXPECT_EQ(Joined(ReadRichText(c.Rtf)), c.Text) << c.Rtf;
}

TEST(rich_text_test, reads_groups_symbols_and_skips_the_rest) {
    struct TCase {
        std::string Rtf;
        std::u16string Text;
    };
    const TCase cases[] = {
        {R"({\rtf1 a\\b\{c\}d\par})", u"a\\b{c}d"},
        {R"({\rtf1 {\*\generator Riched20;}{\colortbl ;\red255\green0\blue0;}x\par})", u"x"},
        {R"({\rtf1 {\info{\title T}}\b bold\b0  \unknown123 y\par})", u"bold y"},
        {R"({\rtf1 a{\f1\fs40 b}c\par d})", u"abc|d"},
        {"{\\rtf1 line\\\nnext}", u"line|next"}, // backslash and line feed is a paragraph mark
        {R"({\rtf1 \'e0\'E0\'4\'})", u"àà"},     // cut escapes show nothing
        {R"({\rtf1 \fs99999999999999999999 \f-5 z})", u"z"},
        {"}}}a{{{b", u"ab"}, // unbalanced braces
        {"\\", u""},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(Joined(ReadRichText(c.Rtf)), c.Text) << c.Rtf;
}

TEST(rich_text_test, survives_deep_nesting_and_random_input) {
    const std::string deep = std::string(100000, '{') + "\\qr x\\par" + std::string(100000, '}') + "y";
    const TRichDocument doc = ReadRichText(deep);
    ASSERT_EQ(doc.Paragraphs.size(), 2u);
    EXPECT_EQ(doc.Paragraphs[0].Text, u"x");
    EXPECT_EQ(doc.Paragraphs[0].Align, TParaAlign::Right);
    EXPECT_EQ(doc.Paragraphs[1].Text, u"y");

    // Random documents from the syntax's own bytes: the reader must neither fail nor read outside.
    std::mt19937 random(4711);
    const std::string alphabet = "{}\\'*; 0123456789abcdefqrparfcsh\x00\xe0\xff"s;
    for (int round = 0; round < 2000; ++round) {
        std::string rtf(random() % 200, ' ');
        for (char& c : rtf)
            c = alphabet[random() % alphabet.size()];
        const TRichDocument d = ReadRichText(rtf);
        EXPECT_LE(d.Header.size(), rtf.size());
        EXPECT_EQ(rtf.compare(0, d.Header.size(), d.Header), 0);
    }
}
