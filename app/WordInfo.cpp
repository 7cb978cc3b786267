// The lexicon's facts on the result list.
#include "app/WordInfo.h"

#include <QHelpEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QToolTip>
#include <QVBoxLayout>

#include <utility>

#include "lexicon/Lexicon.h"
#include "lexicon/WordInfo.h"
#include "platform/RichMemo.h"

namespace {

// A line of the list is its entry; the word is the entry without surrounding blanks.
QString WordOf(const QTextBlock& Line) {
    return Line.text().trimmed();
}

} // namespace

TWordInfo::TWordInfo(TRichMemo& List, QWidget& Owner, const QString& LexiconPath,
                     std::function<bool()> ShowsHits)
    : List(List), Owner(Owner), ShowsHits(std::move(ShowsHits)),
      Lexicon(std::make_unique<TLexicon>(LexiconPath.toStdString())) {
    List.viewport()->installEventFilter(this);
}

TWordInfo::~TWordInfo() = default;

QString TWordInfo::TextFor(const QString& Word, bool ToolTip) {
    TWordFacts facts;
    if (!Lexicon->Lookup(Word.toStdString(), facts)) {
        const std::string error = Lexicon->TakeError();
        if (!error.empty())
            return QString::fromStdString(error + " " + WithoutLexiconText);
        if (ToolTip)
            return {};
    }
    return QString::fromStdString(ToolTip ? ToolTipText(facts) : WordInfoText(facts));
}

bool TWordInfo::eventFilter(QObject* Watched, QEvent* Event) {
    if (Event->type() != QEvent::ToolTip || Watched != List.viewport())
        return QObject::eventFilter(Watched, Event);
    const auto* help = static_cast<QHelpEvent*>(Event);
    const QTextCursor at = List.cursorForPosition(help->pos());
    const QString word = WordOf(at.block());
    // Not below the last line, where the nearest position is still that line's.
    const bool overLine = help->pos().y() <= List.cursorRect(at).bottom();
    const QString text = word.isEmpty() || !overLine || !ShowsHits() ? QString() : TextFor(word, true);
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), text, List.viewport());
    return true;
}

void TWordInfo::Show() {
    if (!Window) {
        Window = new QWidget(&Owner, Qt::Window);
        Window->setObjectName(QStringLiteral("WordInfoWindow"));
        Window->setWindowTitle(QStringLiteral("Wortinfo"));
        Text = new QPlainTextEdit(Window);
        Text->setObjectName(QStringLiteral("WordInfoText"));
        Text->setReadOnly(true);
        auto* layout = new QVBoxLayout(Window);
        layout->addWidget(Text);
        Window->resize(520, 220);
    }
    // The marked line, else the line at the caret.
    const QTextCursor cursor = List.textCursor();
    const QTextBlock line = List.document()->findBlock(cursor.selectionStart());
    const QString word = WordOf(line);
    Text->setPlainText(word.isEmpty() || !ShowsHits()
                           ? QStringLiteral("Die Trefferliste zeigt keine Treffer.")
                           : TextFor(word, false));
    Window->show();
    Window->raise();
    Window->activateWindow();
}

std::string TWordInfo::TableColumnsFor(const std::string& Entry) {
    TWordFacts facts;
    Lexicon->Lookup(Entry, facts); // a failed lookup leaves only the word: empty columns
    return TableColumns(facts);
}

QString TWordInfo::TakeError() {
    return QString::fromStdString(Lexicon->TakeError());
}
