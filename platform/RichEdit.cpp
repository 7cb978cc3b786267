// The one-line rich-edit field.
#include "platform/RichEdit.h"

#include <QFocusEvent>
#include <QKeyEvent>

#include "platform/RichText.h"

namespace {

Qt::Alignment AlignmentOf(TParaAlign Align) {
    switch (Align) {
    case TParaAlign::Right:
        return Qt::AlignRight | Qt::AlignVCenter;
    case TParaAlign::Centre:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case TParaAlign::Left:
        break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

} // namespace

TRichEdit::TRichEdit(QWidget* Parent) : QLineEdit(Parent) {}

void TRichEdit::SetHeader(std::string_view NewHeader) {
    Header = NewHeader;
}

void TRichEdit::LoadRichText(std::string_view Rtf) {
    const TRichDocument doc = ReadRichText(Rtf, TRawBytes::AnsiCodePage);
    Header = doc.Header;
    std::u16string text;
    for (const TRichParagraph& p : doc.Paragraphs)
        text += p.Text;
    if (!doc.Paragraphs.empty()) {
        const TRichParagraph& first = doc.Paragraphs.front();
        setAlignment(AlignmentOf(first.Align));
        QFont f = font();
        if (!first.FontName.empty())
            f.setFamily(QString::fromStdString(first.FontName));
        f.setPointSizeF(first.HalfPoints / 2.0);
        if (f != font())
            setFont(f);
    }
    setText(QString::fromStdU16String(text));
}

std::string TRichEdit::SaveRichText() const {
    return SaveRichText(text());
}

std::string TRichEdit::SaveRichText(const QString& Text) const {
    return WriteRichText(Header, Text.toStdU16String());
}

void TRichEdit::keyPressEvent(QKeyEvent* Event) {
    QLineEdit::keyPressEvent(Event);
    emit KeyPressed(Event);
}

void TRichEdit::focusInEvent(QFocusEvent* Event) {
    QLineEdit::focusInEvent(Event);
    const Qt::FocusReason reason = Event->reason();
    // The line edit marks its whole text when reached by Tab, Shift+Tab or a buddy's short-cut.
    if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason)
        setCursorPosition(static_cast<int>(text().size()));
}

QVariant TRichEdit::inputMethodQuery(Qt::InputMethodQuery Query) const {
    if (Query == Qt::ImEnabled)
        return false;
    return QLineEdit::inputMethodQuery(Query);
}
