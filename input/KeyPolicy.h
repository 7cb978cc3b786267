// What the input field takes and what a key press in it does, without the toolkit: the window turns
// its key event into a TKeyDescription and acts on the TKeyDecision.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The keys that the policy tells apart; every other key is Other, known by its text.
enum class TKeyName : uint8_t { Other, Return, Backspace, Escape, DeadCircumflex };

struct TKeyDescription {
    TKeyName Key = TKeyName::Other;
    // 'A' to 'Z' for the letter keys, whatever they type; 0 for the others.
    char LetterKey = 0;
    // The text the key types; empty for keys without one (arrows, Delete, most dead keys).
    std::u16string Text;
    bool Control = false;
    bool Alt = false;
    bool Meta = false;
    // The field has no room for one more character once its marking is replaced.
    bool FieldFull = false;
};

enum class TKeyAction : uint8_t {
    // The field's own business (caret keys, Delete, its short-cuts); the key-press path is not called.
    FieldOnly,
    // Types nothing and does nothing.
    Ignore,
    // The key-press path with the control character Code.
    Control,
    // The key-press path with Code, a byte of code page 1252.
    Character,
    // A Cyrillic letter of the table that arrived as such (a Russian layout, an input method): Letter.
    Letter,
    // The dead ^ of German layouts: the key-press path with '^' at once, and the change handler, since
    // the field sees no key.
    Circumflex,
};

struct TKeyDecision {
    TKeyAction Action = TKeyAction::FieldOnly;
    uint8_t Code = 0;
    char16_t Letter = 0;
    // After the window's part, the field handles the key itself.
    bool FieldHandlesKey = true;

    friend bool operator==(const TKeyDecision&, const TKeyDecision&) = default;
};

TKeyDecision DecideKey(const TKeyDescription& Key);

// The letters of the letter table and the printable characters of code page 1252, except the three
// that the field's rich text would take for its own syntax.
bool IsInputCharacter(char16_t Ch);

// Typed or pasted text for the field: drops line breaks (moving Pos, a position in Text, with them)
// and tells whether the rest fits the field and holds only input characters.
bool AcceptInput(std::u16string& Text, int& Pos);
