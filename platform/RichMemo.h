// The multi-line rich-edit list: it loads rich text and reports key presses and mouse presses before
// it handles them.
#pragma once

#include <QTextEdit>

#include <string_view>

class QKeyEvent;
class QMouseEvent;

class TRichMemo : public QTextEdit {
    Q_OBJECT
public:
    explicit TRichMemo(QWidget* Parent = nullptr);

    // Replaces the whole content with the document's paragraphs, their alignment, font and size. The
    // document's closing paragraph mark opens no empty line of its own. Raw bytes of 0x80 and more are
    // read in the current font's code page.
    void LoadRichText(std::string_view Rtf);
};
