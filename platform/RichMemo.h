// The multi-line rich-edit list: it loads rich text and reports mouse presses before it handles them.
// The right button has no context menu here; it is the window's to use.
#pragma once

#include <QTextEdit>

#include <string_view>

class QContextMenuEvent;
class QMouseEvent;

class TRichMemo : public QTextEdit {
    Q_OBJECT
public:
    explicit TRichMemo(QWidget* Parent = nullptr);

    // Replaces the whole content with the document's paragraphs, their alignment, font and size. The
    // document's closing paragraph mark opens no empty line of its own. Raw bytes of 0x80 and more are
    // read in the current font's code page.
    void LoadRichText(std::string_view Rtf);

signals:
    // Every press of a mouse button, the second of a double click included, in viewport pixels, before
    // the list handles it.
    void MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);

protected:
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseDoubleClickEvent(QMouseEvent* Event) override;
    void contextMenuEvent(QContextMenuEvent* Event) override;
};
