// The input field's editing cycle: every key read against the field's rich text, a typed German
// character replaced by its Cyrillic letter, the stored query text that the search decodes.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class QKeyEvent;
class TRichEdit;
class ZeiToRtf;

class TInputCycle {
public:
    // Works on Field, whose validator it sets; Enter calls RunSearch.
    TInputCycle(TRichEdit& Field, std::function<void()> RunSearch);
    ~TInputCycle();

    // A key press of the field, before the field handles it; true when the field must not handle it.
    bool KeyEvent(const QKeyEvent& Event);
    // The key-press path; Key is one character of code page 1252.
    void KeyPress(char& Key);
    // The field's change handler: loads the prepared document once.
    void Change();
    // The field's body and caret, as a search reads them: the field as it stands.
    void ReadInputField() { ReadInputField(false); }

    // The stored query text: the field's body, cleaned of control words.
    const std::string& Body() const { return InputBody; }
    // The field has no room for a typed character once its marking is replaced.
    bool FieldFull() const;

private:
    // The field's body and caret, read before every key. A typed letter replaces the marked letters; a
    // control key (Enter above all) reads the field as it stands.
    void ReadInputField(bool WithoutMarking);
    // A Cyrillic letter that arrived as such (a Russian layout, an input method).
    void LetterPress(char16_t Letter);
    // Inserts KeyRtf into the body at the caret and prepares the field's new document.
    void PrepareReload();

    TRichEdit& RE1;
    std::function<void()> RunSearch;
    std::unique_ptr<ZeiToRtf> KeyMapping;

    std::string InputBody;
    std::string InputRtf;
    std::string KeyRtf;
    int32_t CaretPos = 1;
    bool ReloadPending = false;
    bool KeyUnmapped = false;
};
