// The input field's key policy: what a key press does, which characters the field takes.
#include "input/KeyPolicy.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

void PrintTo(const TKeyDecision& Decision, std::ostream* Out) {
    *Out << "{action " << static_cast<int>(Decision.Action) << ", code " << static_cast<int>(Decision.Code)
         << ", letter U+" << static_cast<int>(Decision.Letter) << ", field " << Decision.FieldHandlesKey
         << "}";
}

namespace {

std::string Describe(const TKeyDescription& Key) {
    std::string text = "key " + std::to_string(static_cast<int>(Key.Key)) + " letter key '" +
                       (Key.LetterKey ? std::string(1, Key.LetterKey) : std::string()) + "' text";
    for (const char16_t ch : Key.Text)
        text += " U+" + std::to_string(static_cast<int>(ch));
    text += Key.Control ? " Ctrl" : "";
    text += Key.Alt ? " Alt" : "";
    text += Key.Meta ? " Meta" : "";
    text += Key.FieldFull ? " full" : "";
    return text;
}

TEST(key_policy_test, decides_what_a_key_press_does) {
    using enum TKeyAction;
    using enum TKeyName;
    struct TCase {
        TKeyDescription Key;
        TKeyDecision Decision;
    };
    const TCase cases[] = {
        // Control characters go the key-press path; Enter only searches, the others then act in the field.
        {{Return, 0, u"\r"}, {Control, '\r', 0, false}},
        {{Return, 0, u"\r", false, false, false, true}, {Control, '\r', 0, false}},
        {{Backspace, 0, u"\b"}, {Control, '\b', 0, true}},
        {{Escape, 0, u"\x1b"}, {Control, 27, 0, true}},
        {{Other, 'C', u"\x03", true}, {Control, 3, 0, true}},
        {{Other, 'V', u"\x16", true, false, true}, {Control, 22, 0, true}}, // Ctrl+Meta+V still pastes
        {{Other, 'A', u"", true}, {Control, 1, 0, true}},
        // The dead ^ types at once, unless the field is full.
        {{DeadCircumflex, 0, u""}, {Circumflex, '^', 0, false}},
        {{DeadCircumflex, 0, u"", false, false, false, true}, {Ignore, 0, 0, false}},
        // Keys without exactly one printable character, and Ctrl short-cuts, are the field's own.
        {{Other, 0, u""}, {}},           // an arrow, Delete, the dead acute
        {{Other, 0, u"\x7f"}, {}},       // Delete with its text
        {{Other, 0, u"ab"}, {}},         // composed text
        {{Other, 0, u"+", true}, {}},    // Ctrl++
        {{Other, 0, u"\U0001F600"}, {}}, // beyond the BMP: two units
        // Characters of code page 1252 go the key-press path as their byte, and the field types them.
        {{Other, 'F', u"f"}, {Character, 'f', 0, true}},
        {{Other, 0, u"ä"}, {Character, 0xE4, 0, true}},
        {{Other, 0, u"€"}, {Character, 0x80, 0, true}},
        {{Other, 0, u" "}, {Character, ' ', 0, true}},
        {{Other, 'Q', u"@", true, true}, {Character, '@', 0, true}}, // Ctrl+Alt is AltGr
        // A Cyrillic letter of the table as such.
        {{Other, 0, u"ж"}, {Letter, 0, u'ж', true}}, // {0x0436}
        {{Other, 0, u"Ё"}, {Letter, 0, u'Ё', true}}, // {0x0401}
        // Alt or Meta with a character, characters that the field does not take, a full field: nothing.
        {{Other, 'F', u"f", false, true}, {Ignore, 0, 0, false}},
        {{Other, 0, u"ä", false, false, true}, {Ignore, 0, 0, false}},
        {{Other, 'F', u"f", true, true, true}, {Ignore, 0, 0, false}},
        {{Other, 0, u"\\"}, {Ignore, 0, 0, false}},
        {{Other, 0, u"{"}, {Ignore, 0, 0, false}},
        {{Other, 0, u"}"}, {Ignore, 0, 0, false}},
        {{Other, 0, u"中"}, {Ignore, 0, 0, false}},
        {{Other, 0, u"ѣ"}, {Ignore, 0, 0, false}}, // yat {0x0463}: no letter of the table
        {{Other, 'F', u"f", false, false, false, true}, {Ignore, 0, 0, false}},
        {{Other, 0, u"ж", false, false, false, true}, {Ignore, 0, 0, false}},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(DecideKey(c.Key), c.Decision) << Describe(c.Key);
}

TEST(key_policy_test, accepts_only_what_the_field_holds_without_line_breaks) {
    struct TCase {
        std::u16string In;
        int Pos;
        bool Accepted;
        std::u16string Out;
        int OutPos;
    };
    const TCase cases[] = {
        {u"жад", 3, true, u"жад", 3},
        {u"", 0, true, u"", 0},
        {u"ж\r\nад\n", 5, true, u"жад", 3},       // breaks before the position move it
        {u"ж\u2028а\u2029д", 2, true, u"жад", 1}, // {0x2028}, {0x2029}
        {u"Straße 1€", 9, true, u"Straße 1€", 9},
        {u"ж\\", 2, false, u"ж\\", 2},
        {u"ж\t", 2, false, u"ж\t", 2},
        {u"中", 1, false, u"中", 1},
        {std::u16string(199, u'ж') + u"\n", 200, true, std::u16string(199, u'ж'), 199},
        {std::u16string(200, u'ж'), 200, false, std::u16string(200, u'ж'), 200},
    };
    for (const TCase& c : cases) {
        std::u16string text = c.In;
        int pos = c.Pos;
        EXPECT_EQ(AcceptInput(text, pos), c.Accepted) << testing::PrintToString(c.In);
        EXPECT_EQ(text, c.Out) << testing::PrintToString(c.In);
        EXPECT_EQ(pos, c.OutPos) << testing::PrintToString(c.In);
    }
}

} // namespace
