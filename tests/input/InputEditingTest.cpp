// The input field's body: cutting it out of the field's rich text, stripping control words,
// inserting a letter at the caret.
#include "input/InputEditing.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

struct TCase {
    std::string In;
    std::string Out;
};

TEST(input_editing_test, cut_input_body) {
    const TCase cases[] = {
        {std::string(InputHeader) + "\\'e0\\'e4" + std::string(InputFooter), " \\'e0\\'e4"},
        {"{\\rtf1\\fs20 \\'e0\r\n\\par }\r\n}", " \\'e0\r\n"},
        {"{\\rtf1\\fs20\\par }", ""},
        {"{\\rtf1\\fs24 \\'e0\\par }", ""},  // design font: no \fs20
        {"{\\rtf1\\fs20 \\'e0\\par}", ""},   // no "\par }"
        {"{\\par }\\fs20 \\'e0\\par }", ""}, // "\par }" first
        {"", ""},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(CutInputBody(c.In), c.Out) << c.In;
}

TEST(input_editing_test, strip_rtf_controls) {
    const TCase cases[] = {
        {" \\'e0\\'e4", "\\'e0\\'e4"},
        {"  1", " 1"}, // only the blank at position 0
        {"\\'e0\r\n\\'e4\r\n", "\\'e0\\'e4"},
        {"\\'e0\\lang1049 \\'e4", "\\'e0\\'e4"}, // a blank ends a control word and goes with it
        {"\\'e0\\f1\\'e4", "\\'e0\\'e4"},        // a backslash ends it and stays
        {"\\'e0 x\\f1", "\\'e0 x"},              // the end of the text ends it
        {"a\\ b", "ab"},
        {"a\\\\ b", "ab"}, // the character after the backslash always goes
        {"a\\", "a"},
        {"\\'", "\\'"},
        {"1no\\'e0", "1no\\'e0"},
        {"", ""},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(StripRtfControls(c.In), c.Out) << c.In;
}

TEST(input_editing_test, strip_cuts_at_798_bytes) {
    std::string letters;
    for (int i = 0; i < 200; ++i)
        letters += "\\'e0";
    // 199 escapes and the first half of the 200th.
    const std::string body = StripRtfControls(letters);
    EXPECT_EQ(body.size(), 798u);
    EXPECT_EQ(body.substr(792), "\\'e0\\'");
    // The field's own rich text round-trips.
    const std::string field = std::string(InputHeader) + letters.substr(0, 40) + std::string(InputFooter);
    EXPECT_EQ(StripRtfControls(CutInputBody(field)), letters.substr(0, 40));
}

struct TInsert {
    std::string Body;
    std::string Letter;
    int32_t CaretPos;
    std::string Out;
};

TEST(input_editing_test, insert_letter) {
    const TInsert cases[] = {
        {"", "\\'e0", 1, "\\'e0"},
        {"\\'e0", "\\'e4", 2, "\\'e0\\'e4"},
        {"\\'e0\\'e4", "\\'e1", 2, "\\'e0\\'e1\\'e4"},           // caret inside
        {"\\'e0\\'e4", "\\'e1", 1, "\\'e1\\'e0\\'e4"},           // caret at the start
        {"1\\'e0", "no", 2, "1no\\'e0"},                         // a plain byte is one character
        {"\\'e0\\f1 \\'e4", "\\'e1", 2, "\\'e0\\'e1\\f1 \\'e4"}, // a control word is no character
        {"\\'e0\\f1 \\'e4", "\\'e1", 3, "\\'e0\\f1 \\'e4\\'e1"},
        {"\\'e", "\\'e4", 2, "\\'e\\'e4"}, // escape cut short at the end
        {"\\'e0", "\\'e4", 3, "\\'e4"},    // caret past the body: the letter alone
        {"\\'e0", "\\'e4", 0, "\\'e4\\'e0"},
        {"\\'e0", "\\'e4", -7, "\\'e4\\'e0"},
        {"\\'e0", "\\'e4", INT32_MIN, "\\'e4\\'e0"},
    };
    for (const TInsert& c : cases)
        EXPECT_EQ(InsertLetter(c.Body, c.Letter, c.CaretPos), c.Out) << c.Body << " at " << c.CaretPos;
}

TEST(input_editing_test, insert_letter_in_a_long_body) {
    // More characters than the field holds: the caret is still honoured, and nothing is read past the body.
    const std::string digits(300, '1');
    EXPECT_EQ(InsertLetter(digits, "\\'e0", 251), digits.substr(0, 250) + "\\'e0" + digits.substr(250));
    EXPECT_EQ(InsertLetter(digits, "\\'e0", 301), digits + "\\'e0");
    EXPECT_EQ(InsertLetter(digits, "\\'e0", 100000), "\\'e0");
}

} // namespace
