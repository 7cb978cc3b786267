// Copying marked lines of the result list.
#include "app/ResultCopy.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QTextCursor>

#include "platform/MessageBox.h"
#include "platform/RichMemo.h"

namespace {

// One copy takes at most this many characters of the result list.
constexpr int MaxCopiedChars = 400;

} // namespace

bool TResultCopy::KeyEvent(const QKeyEvent& Event) {
    const Qt::KeyboardModifiers modifiers = Event.modifiers();
    if (Event.key() != Qt::Key_C || !(modifiers & Qt::ControlModifier) || (modifiers & Qt::AltModifier))
        return false;
    char key = 3;
    RE2KeyPress(key);
    // The list's own copy would replace the plain lines with its own formats.
    return true;
}

void TResultCopy::RE2KeyPress(char& Key) {
    if (Key != 3)
        return;
    TrimSelectionToLines();
    CopySelection();
}

void TResultCopy::RE2MouseDown(Qt::MouseButton Button) {
    if (Button != Qt::RightButton)
        return;
    TrimSelectionToLines();
    // Success is reported only when something was copied.
    if (CopySelection())
        MessageBox(QStringLiteral("Die markierten Vokabeln wurden in die Zwischenablage kopiert."),
                   QStringLiteral("Programminformation"));
}

bool TResultCopy::TrimSelectionToLines() {
    QTextCursor cursor = RE2.textCursor();
    const int start = cursor.selectionStart();
    if (cursor.selectionEnd() - start <= MaxCopiedChars)
        return true;
    // The selected text separates paragraphs with U+2029, one character each, as the positions count.
    const QString first = cursor.selectedText().left(MaxCopiedChars);
    const qsizetype length = first.lastIndexOf(QChar::ParagraphSeparator) + 1;
    cursor.setPosition(start);
    cursor.setPosition(start + static_cast<int>(length), QTextCursor::KeepAnchor);
    RE2.setTextCursor(cursor);
    return true;
}

bool TResultCopy::CopySelection() {
    QString text = RE2.textCursor().selectedText();
    if (text.isEmpty())
        return false;
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    QApplication::clipboard()->setText(text);
    return true;
}
