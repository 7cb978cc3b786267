// The decoder of the input body: escapes, plain bytes, the marker "no", the 199-key limit, errors.
#include "richtext/Rtftounisort.h"

#include "dictionary/Sortrus.h"
#include "richtext/ConvertError.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<uint16_t> KeysOf(std::u16string_view text) {
    const SortRus sort;
    std::vector<uint16_t> keys;
    for (char16_t ch : text)
        keys.push_back(sort.CharToSortKey(ch));
    return keys;
}

std::vector<uint16_t> Decode(RtfToUniSort& decoder, std::string_view body) {
    const uint16_t* query = decoder.RtfToSortKeys(body);
    EXPECT_EQ(query, decoder.Buffer.data());
    std::vector<uint16_t> keys;
    while (*query != 0)
        keys.push_back(*query++);
    return keys;
}

struct TCase {
    std::string Body;
    std::u16string Text;
};

TEST(rtftounisort_test, decodes_tokens) {
    const TCase cases[] = {
        {"", u""},
        {"\\'e0\\'e1", u"аб"},
        {"\\'E0", u"а"},       // upper-case digits
        {"\\'c0\\'e0", u"Аа"}, // case stays
        {"\\'a8\\'b8\\'e5", u"Ёёе"},
        {"\\'41", u"#"},             // an escaped ASCII byte is no letter
        {"\\'a3\\'b9\\'00", u"###"}, // Ј has no row, 0xB9 is no letter
        {"\\'80\\'bf\\'a1", u"ЂїЎ"},
        {"ab { 1", u"ab { 1"},
        {"\xE4\x80\xB2", u"ä€²"}, // bytes of 0x80 and above are code page 1252
        {"\\'e", u"#"},           // escape cut after one digit: 0x0E
        {"\\'e0\\'e", u"а#"},
        {"\\'e0no", u"а"}, // the marker only at the very end
        {"no\\'e0", u"noа"},
        {"\\'e0no\\'e1", u"аnoб"},
        {"no", u""},
        {"nono", u"no"},
        {"n", u"n"},
        {"\\'e0 ", u"а "},
    };
    RtfToUniSort decoder;
    for (const TCase& c : cases)
        EXPECT_EQ(Decode(decoder, c.Body), KeysOf(c.Text)) << c.Body;
    // The keys themselves: а 303, б 305.
    EXPECT_EQ(Decode(decoder, "\\'e0\\'e1"), (std::vector<uint16_t>{303, 305}));
}

TEST(rtftounisort_test, decodes_at_most_199_tokens) {
    RtfToUniSort decoder;
    EXPECT_EQ(Decode(decoder, std::string(250, 'a')), KeysOf(std::u16string(199, u'a')));

    // A plain byte, 198 escapes and an escape cut after one digit: 200 tokens, the last one dropped.
    std::string body = "x";
    for (int i = 0; i < 198; ++i)
        body += "\\'e0";
    body += "\\'e";
    EXPECT_EQ(Decode(decoder, body), KeysOf(u"x" + std::u16string(198, u'а')));

    // A malformed escape after the 199th token is never read.
    EXPECT_EQ(Decode(decoder, std::string(199, 'a') + "\\'"), KeysOf(std::u16string(199, u'a')));
    EXPECT_EQ(decoder.Buffer.back(), 0);
}

TEST(rtftounisort_test, malformed_escape_raises_the_conversion_error) {
    const std::pair<std::string, std::string> cases[] = {
        {"\\'", "'0x' ist kein gültiger Integerwert"}, // the 798-byte cut inside an escape
        {"\\'e0\\'", "'0x' ist kein gültiger Integerwert"}, {"\\'g0", "'0xg0' ist kein gültiger Integerwert"},
        {"\\'ex", "'0xex' ist kein gültiger Integerwert"},  {"\\' 1", "'0x 1' ist kein gültiger Integerwert"},
        {"\\'\xE4", "'0xä' ist kein gültiger Integerwert"}, // message in UTF-8
        {"\\f1", "'0x' ist kein gültiger Integerwert"},     // backslash without apostrophe
        {"\\'e0\\", "'0x' ist kein gültiger Integerwert"},
    };
    RtfToUniSort decoder;
    for (const auto& [body, message] : cases) {
        try {
            decoder.RtfToSortKeys(body);
            ADD_FAILURE() << "no error for " << body;
        } catch (const EConvertError& e) {
            EXPECT_EQ(std::string(e.what()), message) << body;
        }
    }
}

TEST(rtftounisort_test, next_decode_replaces_the_query) {
    RtfToUniSort decoder;
    const uint16_t* first = decoder.RtfToSortKeys("\\'e0\\'e1\\'e2");
    const uint16_t* second = decoder.RtfToSortKeys("\\'e4");
    EXPECT_EQ(first, second);
    EXPECT_EQ(Decode(decoder, "\\'e4"), KeysOf(u"д"));
    EXPECT_EQ(second[1], 0);
    EXPECT_EQ(second[2], 0);
}

TEST(rtftounisort_test, code_to_char) {
    const RtfToUniSort decoder;
    EXPECT_EQ(decoder.CodeToChar(0xE0), u'а');
    EXPECT_EQ(decoder.CodeToChar(0xC0), u'А');
    EXPECT_EQ(decoder.CodeToChar(0xA8), u'Ё');
    EXPECT_EQ(decoder.CodeToChar(0x41), u'#');
    EXPECT_EQ(decoder.CodeToChar(0xA5), u'#'); // Ґ
    EXPECT_EQ(decoder.CodeToChar(0x1E0), u'#');
}

} // namespace
