// Copying marked lines of the result list: Ctrl+C, or the right button with a report, at most 400
// characters cut back to whole lines, as plain text with one entry per line.
#pragma once

#include <Qt>

class QKeyEvent;
class TRichMemo;

class TResultCopy {
public:
    explicit TResultCopy(TRichMemo& List) : RE2(List) {}

    // A key press of the list, before the list handles it; true when the list must not handle it.
    bool KeyEvent(const QKeyEvent& Event);
    // Key is the key-press event's character; 3 (Ctrl+C) copies.
    void RE2KeyPress(char& Key);
    void RE2MouseDown(Qt::MouseButton Button);

private:
    bool TrimSelectionToLines();
    // Puts the marked lines on the clipboard; false when nothing is marked.
    bool CopySelection();

    TRichMemo& RE2;
};
