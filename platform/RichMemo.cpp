// The multi-line rich-edit list.
#include "platform/RichMemo.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "platform/RichText.h"

namespace {

Qt::Alignment AlignmentOf(TParaAlign Align) {
    switch (Align) {
    case TParaAlign::Right:
        return Qt::AlignRight;
    case TParaAlign::Centre:
        return Qt::AlignHCenter;
    case TParaAlign::Left:
        break;
    }
    return Qt::AlignLeft;
}

QFont FontOf(const TRichParagraph& Paragraph, QFont Base) {
    if (!Paragraph.FontName.empty())
        Base.setFamily(QString::fromStdString(Paragraph.FontName));
    Base.setPointSizeF(Paragraph.HalfPoints / 2.0);
    return Base;
}

bool SameLook(const TRichParagraph& A, const TRichParagraph& B) {
    return A.Align == B.Align && A.HalfPoints == B.HalfPoints && A.FontName == B.FontName;
}

} // namespace

TRichMemo::TRichMemo(QWidget* Parent) : QTextEdit(Parent) {}

void TRichMemo::LoadRichText(std::string_view Rtf) {
    TRichDocument doc = ReadRichText(Rtf);
    std::vector<TRichParagraph>& paragraphs = doc.Paragraphs;
    if (paragraphs.size() > 1 && paragraphs.back().Text.empty())
        paragraphs.pop_back();
    if (paragraphs.empty())
        paragraphs.emplace_back();

    std::size_t length = paragraphs.size();
    for (const TRichParagraph& p : paragraphs)
        length += p.Text.size();
    QString text;
    text.reserve(static_cast<qsizetype>(length));
    for (std::size_t i = 0; i < paragraphs.size(); ++i) {
        if (i > 0)
            text += QLatin1Char('\n');
        text += QStringView(paragraphs[i].Text);
    }

    // The first paragraph's look is the document's default; the paragraphs that differ get their own.
    const TRichParagraph& first = paragraphs.front();
    QTextDocument* d = document();
    d->setDefaultFont(FontOf(first, font()));
    QTextOption option = d->defaultTextOption();
    option.setAlignment(AlignmentOf(first.Align));
    d->setDefaultTextOption(option);
    setCurrentCharFormat(QTextCharFormat());
    setPlainText(text);

    QTextBlock block = d->firstBlock();
    for (std::size_t i = 0; i < paragraphs.size() && block.isValid(); ++i, block = block.next()) {
        if (SameLook(paragraphs[i], first))
            continue;
        QTextCursor cursor(block);
        QTextBlockFormat blockFormat;
        blockFormat.setAlignment(AlignmentOf(paragraphs[i].Align));
        cursor.setBlockFormat(blockFormat);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        QTextCharFormat charFormat;
        charFormat.setFont(FontOf(paragraphs[i], font()));
        cursor.setCharFormat(charFormat);
        cursor.setBlockCharFormat(charFormat);
    }
}

void TRichMemo::mousePressEvent(QMouseEvent* Event) {
    const QPoint at = Event->position().toPoint();
    emit MouseDown(Event->button(), Event->modifiers(), at.x(), at.y());
    if (Event->button() != Qt::RightButton)
        QTextEdit::mousePressEvent(Event);
}

void TRichMemo::mouseDoubleClickEvent(QMouseEvent* Event) {
    const QPoint at = Event->position().toPoint();
    emit MouseDown(Event->button(), Event->modifiers(), at.x(), at.y());
    if (Event->button() != Qt::RightButton)
        QTextEdit::mouseDoubleClickEvent(Event);
}

void TRichMemo::contextMenuEvent(QContextMenuEvent* Event) {
    Event->accept();
}
