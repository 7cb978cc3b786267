// The input field's editing cycle.
#include "app/InputCycle.h"

#include <QKeyEvent>
#include <QValidator>

#include "input/InputEditing.h"
#include "input/KeyPolicy.h"
#include "input/Zeitortf.h"
#include "platform/RichEdit.h"
#include "richtext/LetterTable.h"
#include "richtext/RtfEscape.h"

namespace {

// Refuses typed and pasted text that the field cannot hold; the line break of a pasted line goes.
class TInputValidator : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& Input, int& Pos) const override {
        std::u16string text = Input.toStdU16String();
        const bool accepted = AcceptInput(text, Pos);
        Input = QString::fromStdU16String(text);
        return accepted ? Acceptable : Invalid;
    }
};

// The key policy's view of a key event.
TKeyDescription DescribeKey(const QKeyEvent& Event, bool FieldFull) {
    TKeyDescription key;
    switch (Event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        key.Key = TKeyName::Return;
        break;
    case Qt::Key_Backspace:
        key.Key = TKeyName::Backspace;
        break;
    case Qt::Key_Escape:
        key.Key = TKeyName::Escape;
        break;
    case Qt::Key_Dead_Circumflex:
        key.Key = TKeyName::DeadCircumflex;
        break;
    default:
        if (Event.key() >= Qt::Key_A && Event.key() <= Qt::Key_Z)
            key.LetterKey = static_cast<char>('A' + (Event.key() - Qt::Key_A));
        break;
    }
    key.Text = Event.text().toStdU16String();
    key.Control = Event.modifiers() & Qt::ControlModifier;
    key.Alt = Event.modifiers() & Qt::AltModifier;
    key.Meta = Event.modifiers() & Qt::MetaModifier;
    key.FieldFull = FieldFull;
    return key;
}

} // namespace

TInputCycle::TInputCycle(TRichEdit& Field, std::function<void()> Search)
    : RE1(Field), RunSearch(std::move(Search)), KeyMapping(std::make_unique<ZeiToRtf>()) {
    RE1.SetHeader(InputHeader);
    RE1.setValidator(new TInputValidator(&RE1));
}

TInputCycle::~TInputCycle() = default;

bool TInputCycle::KeyEvent(const QKeyEvent& Event) {
    const TKeyDecision decision = DecideKey(DescribeKey(Event, FieldFull()));
    char code = static_cast<char>(decision.Code);
    switch (decision.Action) {
    case TKeyAction::FieldOnly:
    case TKeyAction::Ignore:
        break;
    case TKeyAction::Control:
    case TKeyAction::Character:
        KeyPress(code);
        break;
    case TKeyAction::Letter:
        LetterPress(decision.Letter);
        break;
    case TKeyAction::Circumflex:
        KeyPress(code);
        Change();
        break;
    }
    return !decision.FieldHandlesKey;
}

void TInputCycle::ReadInputField(bool WithoutMarking) {
    QString text = RE1.text();
    // Whichever end of the marking the cursor is at, the letter goes where the marking starts.
    const int caret = RE1.hasSelectedText() ? RE1.selectionStart() : RE1.cursorPosition();
    if (WithoutMarking && RE1.hasSelectedText())
        text.remove(caret, RE1.selectedText().size());
    CaretPos = caret + 1;
    InputBody = StripRtfControls(CutInputBody(RE1.SaveRichText(text)));
}

void TInputCycle::PrepareReload() {
    InputBody = InsertLetter(InputBody, KeyRtf, CaretPos);
    InputRtf = std::string(InputHeader) + InputBody + std::string(InputFooter);
    ReloadPending = true;
}

bool TInputCycle::FieldFull() const {
    return RE1.text().size() - RE1.selectedText().size() >= MaxInputChars;
}

void TInputCycle::KeyPress(char& Key) {
    const auto code = static_cast<uint8_t>(Key);
    ReadInputField(code >= 32);
    if (code < 32) {
        KeyUnmapped = true;
        if (code == 13)
            RunSearch();
        return;
    }
    KeyUnmapped = false;
    KeyRtf = KeyMapping->CharToRtf(Key);
    if (KeyRtf == "no")
        KeyUnmapped = true;
    PrepareReload();
}

void TInputCycle::LetterPress(char16_t Letter) {
    const int byte = ByteOfLetter(Letter);
    ReadInputField(true);
    KeyUnmapped = false;
    KeyRtf = ByteEscape(static_cast<uint8_t>(byte));
    PrepareReload();
}

void TInputCycle::Change() {
    if (!ReloadPending)
        return;
    // Loading the field below runs this handler once more; the cleared flag ends that run.
    ReloadPending = false;
    if (KeyUnmapped)
        return;
    RE1.LoadRichText(InputRtf);
    RE1.setCursorPosition(CaretPos);
}
