// What the lexicon knows about a hit: the tool tip over a line of the result list, and the non-modal
// window "Wortinfo" for the marked line or the line at the caret.
#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <string>

class QPlainTextEdit;
class QTextBlock;
class QWidget;
class TLexicon;
class TRichMemo;

class TWordInfo : public QObject {
    Q_OBJECT
public:
    // The database is opened on the first lookup, not here: the window starts as fast as without it.
    // ShowsHits: whether the list's lines are hits (not the instructions, not empty).
    TWordInfo(TRichMemo& List, QWidget& Owner, const QString& LexiconPath, std::function<bool()> ShowsHits);
    ~TWordInfo() override;

    // "Wortinfo…" in the menu "Suche".
    void Show();

    // The columns of a saved table of hits for Entry: stress, word class, German; empty where the lexicon
    // knows nothing or cannot be used.
    std::string TableColumnsFor(const std::string& Entry);
    // The database's failure since it was last asked for, once; empty otherwise.
    QString TakeError();

protected:
    // Tool tips of the list's viewport.
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    // The lexicon's text for the word; the database's failure instead, once.
    QString TextFor(const QString& Word, bool ToolTip);

    TRichMemo& List;
    QWidget& Owner;
    std::function<bool()> ShowsHits;
    std::unique_ptr<TLexicon> Lexicon;
    QWidget* Window = nullptr;
    QPlainTextEdit* Text = nullptr;
};
