// The notice at the end of a capped result list.
#include "app/CapNotice.h"

#include <QAbstractTextDocumentLayout>
#include <QEvent>
#include <QLabel>
#include <QLocale>
#include <QScrollBar>
#include <QTextDocument>
#include <QTextFrame>

#include "platform/RichMemo.h"

namespace {

constexpr int Gap = 6;

} // namespace

TCapNotice::TCapNotice(TRichMemo& List) : RE2(List) {
    Label = new QLabel(RE2.viewport());
    Label->setObjectName(QStringLiteral("CapNotice"));
    Label->setWordWrap(true);
    Label->setAlignment(Qt::AlignRight | Qt::AlignTop);
    Label->setTextInteractionFlags(Qt::NoTextInteraction);
    // Black on a light yellow, apart from the red entries.
    Label->setStyleSheet(QStringLiteral("QLabel { color: black; background: #fff6c8; padding: 3px; }"));
    Label->hide();
    RE2.viewport()->installEventFilter(this);
    connect(RE2.verticalScrollBar(), &QScrollBar::valueChanged, this, &TCapNotice::Place);
    connect(RE2.document()->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, this,
            &TCapNotice::Place);
}

void TCapNotice::Update(int32_t Count, int32_t Shown) {
    Active = Count > Shown;
    if (Active) {
        const QLocale german(QLocale::German);
        Label->setText(
            QStringLiteral("Die Liste ist hier abgeschnitten: Sie zeigt %1 von %2 Treffern; "
                           "nicht angezeigt: %3. Alle Treffer: Suche → Alle Treffer "
                           "speichern… (Strg+S).")
                .arg(german.toString(Shown), german.toString(Count), german.toString(Count - Shown)));
    }
    Place();
}

bool TCapNotice::IsShown() const {
    return Active && Label->isVisible();
}

QString TCapNotice::Text() const {
    return Active ? Label->text() : QString();
}

bool TCapNotice::eventFilter(QObject* Watched, QEvent* Event) {
    if (Watched == RE2.viewport() && Event->type() == QEvent::Resize)
        Place();
    return QObject::eventFilter(Watched, Event);
}

void TCapNotice::Place() {
    QTextDocument* document = RE2.document();
    QTextFrameFormat frame = document->rootFrame()->frameFormat();
    const int width = RE2.viewport()->width();
    const int height = Active ? Label->heightForWidth(width) : 0;
    const qreal margin = Active ? height + Gap : 0;
    if (frame.bottomMargin() != margin) {
        // Room below the last line; the new layout's size calls Place again.
        frame.setBottomMargin(margin);
        document->rootFrame()->setFrameFormat(frame);
    }
    Label->setVisible(Active);
    if (!Active)
        return;
    const qreal end = document->documentLayout()->documentSize().height() - margin;
    Label->setGeometry(0, static_cast<int>(end) + Gap - RE2.verticalScrollBar()->value(), width, height);
}
