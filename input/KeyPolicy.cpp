// The input field's key policy.
#include "input/KeyPolicy.h"

#include <algorithm>

#include "input/InputEditing.h"
#include "richtext/Codepage.h"
#include "richtext/LetterTable.h"

namespace {

bool IsLineBreak(char16_t Ch) {
    return Ch == u'\r' || Ch == u'\n' || Ch == u'\u2028' || Ch == u'\u2029';
}

// The control character of a key, or 0: Enter, Backspace, Escape and Ctrl with a letter key.
uint8_t ControlCode(const TKeyDescription& Key) {
    switch (Key.Key) {
    case TKeyName::Return:
        return '\r';
    case TKeyName::Backspace:
        return '\b';
    case TKeyName::Escape:
        return 27;
    default:
        break;
    }
    if (Key.Control && !Key.Alt && Key.LetterKey >= 'A' && Key.LetterKey <= 'Z')
        return static_cast<uint8_t>(Key.LetterKey - 'A' + 1);
    return 0;
}

} // namespace

TKeyDecision DecideKey(const TKeyDescription& Key) {
    // Control characters: the key-press path first, then the field's own effect. Enter only searches.
    if (const uint8_t control = ControlCode(Key); control != 0)
        return {TKeyAction::Control, control, 0, control != '\r'};

    // The dead ^ types ё at once instead of waiting for a second key.
    if (Key.Key == TKeyName::DeadCircumflex)
        return Key.FieldFull ? TKeyDecision{TKeyAction::Ignore, 0, 0, false}
                             : TKeyDecision{TKeyAction::Circumflex, '^', 0, false};

    // Keys without a character and Ctrl with one (short-cuts) are the field's own business.
    const bool commandKeys = Key.Control || Key.Alt || Key.Meta;
    const bool controlOnly = Key.Control && !Key.Alt && !Key.Meta;
    if (controlOnly || Key.Text.size() != 1 || Key.Text[0] < 0x20 || Key.Text[0] == 0x7F)
        return {};
    // Alt or Meta with a character key types nothing, as under Windows; the field would insert the German
    // character unmapped. Ctrl+Alt is AltGr on Windows and types like a plain key.
    const bool altGr = Key.Control && Key.Alt && !Key.Meta;
    const char16_t ch = Key.Text[0];
    if ((commandKeys && !altGr) || Key.FieldFull || !IsInputCharacter(ch))
        return {TKeyAction::Ignore, 0, 0, false};
    if (const int byte = UnicodeToCp1252(ch); byte >= 0)
        return {TKeyAction::Character, static_cast<uint8_t>(byte), 0, true};
    return {TKeyAction::Letter, 0, ch, true};
}

bool IsInputCharacter(char16_t Ch) {
    if (Ch == u'\\' || Ch == u'{' || Ch == u'}')
        return false;
    if (ByteOfLetter(Ch) >= 0)
        return true;
    return Ch >= 0x20 && Ch != 0x7F && UnicodeToCp1252(Ch) >= 0;
}

bool AcceptInput(std::u16string& Text, int& Pos) {
    for (std::size_t i = Text.size(); i-- > 0;) {
        if (!IsLineBreak(Text[i]))
            continue;
        Text.erase(i, 1);
        if (static_cast<int>(i) < Pos)
            --Pos;
    }
    return Text.size() <= static_cast<std::size_t>(MaxInputChars) &&
           std::all_of(Text.begin(), Text.end(), IsInputCharacter);
}
