// The one-line rich-edit field: its content goes out and in as rich text, and it tells when it has
// handled a key press.
#pragma once

#include <QLineEdit>

#include <string>
#include <string_view>

class QFocusEvent;
class QKeyEvent;

class TRichEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TRichEdit(QWidget* Parent = nullptr);

    // The header that SaveRichText writes, until a document is loaded.
    void SetHeader(std::string_view Header);

    // Replaces the whole content with the document's text (its paragraphs on one line), alignment,
    // font and size. Raw bytes of 0x80 and more are read in code page 1252, as SaveRichText writes them.
    void LoadRichText(std::string_view Rtf);

    // The content as rich text, after the header of the last loaded document.
    std::string SaveRichText() const;
    // Text as the content would be saved.
    std::string SaveRichText(const QString& Text) const;

signals:
    // After the field has handled a key press that it was given (an event filter may keep it away).
    void KeyPressed(QKeyEvent* Event);

protected:
    void keyPressEvent(QKeyEvent* Event) override;
    // Tab into the field marks nothing and puts the caret at the end, as the rich-edit control does.
    void focusInEvent(QFocusEvent* Event) override;
    // No input-method composing: the dead keys of German layouts then arrive as key presses.
    QVariant inputMethodQuery(Qt::InputMethodQuery Query) const override;

private:
    std::string Header;
};
