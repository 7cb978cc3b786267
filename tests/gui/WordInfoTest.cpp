// The lexicon on the result list offscreen: the tool tip over a hit and the non-modal "Wortinfo"
// window for the line at the caret or the marked one, on the real database of the bin folder.
#include <QDir>
#include <QFile>
#include <QHelpEvent>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QToolTip>

#include "tests/gui/MainWindowFixture.h"

namespace {

using word_info_test = menu_clipboard_test;

const QString BloodTip = u"кровь · Substantiv · Betonung: кро\u0301вь · Deutsch: Blut; Schweiß"_s;

class word_info_list_test : public word_info_test {
protected:
    void SetUp() override {
        word_info_test::SetUp();
        Type(u"rhjdm"_s); // кровь
        Press(Qt::Key_Return);
        const QStringList lines = ResultLines();
        Blood = static_cast<int>(lines.indexOf(u"кровь"_s));
        ASSERT_GE(Blood, 0) << lines.join(u' ').toStdString();
    }

    // The tool tip the list shows for a rest of the mouse at Point of its viewport.
    QString ToolTipAt(QPoint Point) {
        // A tip hides after a delay.
        QToolTip::hideText();
        EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }));
        QHelpEvent event(QEvent::ToolTip, Point, RE2->viewport()->mapToGlobal(Point));
        QApplication::sendEvent(RE2->viewport(), &event);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    }
    QPoint MiddleOf(int Line) const {
        QTextCursor cursor(RE2->document()->findBlockByNumber(Line));
        cursor.movePosition(QTextCursor::EndOfBlock);
        return RE2->cursorRect(cursor).center() - QPoint(4, 0);
    }
    QString WordInfoShown() {
        Trigger("Wortinfo1");
        auto* window = Find<QWidget>(*Window, "WordInfoWindow");
        EXPECT_TRUE(window->isVisible());
        EXPECT_FALSE(window->isModal());
        return Find<QPlainTextEdit>(*Window, "WordInfoText")->toPlainText();
    }

    int Blood = -1;
};

TEST_F(word_info_list_test, tool_tip_over_a_hit_tells_what_the_lexicon_knows) {
    EXPECT_EQ(ToolTipAt(MiddleOf(Blood)), BloodTip);
    // Below the last line no hit is under the mouse.
    const int last = RE2->document()->blockCount() - 1;
    EXPECT_EQ(ToolTipAt(MiddleOf(last) + QPoint(0, 200)), u""_s);
    EXPECT_TRUE(Messages.empty());
}

TEST_F(word_info_list_test, word_info_shows_the_line_at_the_caret_or_the_marked_one) {
    Mark(BlockStart(Blood), BlockStart(Blood));
    const QString blood = WordInfoShown();
    EXPECT_TRUE(
        blood.startsWith(u"Wort: кровь\nGrundform: кровь\nBetonung: кро\u0301вь\nWortart: Substantiv\n"
                         u"Deutsch: Blut; Schweiß\n"_s))
        << blood.toStdString();
    EXPECT_TRUE(blood.contains(u"Quelle: FreeDict Deutsch-Russisch"_s)) << blood.toStdString();

    // The window stays open and follows the next command; a marking counts from its first line.
    const int other = Blood == 0 ? 1 : 0;
    Mark(BlockStart(other), BlockStart(other) + 1);
    const QString word = ResultLines()[other];
    EXPECT_TRUE(WordInfoShown().startsWith(u"Wort: "_s + word + u"\n"_s));
    EXPECT_TRUE(Messages.empty());
}

// Before the first search the list holds the instructions, after one without hits nothing.
TEST_F(word_info_test, word_info_without_hits_says_so) {
    for (const QString& keys : {u""_s, u"qqqq"_s}) {
        Type(keys);
        if (!keys.isEmpty())
            Press(Qt::Key_Return);
        Trigger("Wortinfo1");
        EXPECT_EQ(Find<QPlainTextEdit>(*Window, "WordInfoText")->toPlainText(),
                  u"Die Trefferliste zeigt keine Treffer."_s);
        QHelpEvent event(QEvent::ToolTip, QPoint(20, 10), RE2->viewport()->mapToGlobal(QPoint(20, 10)));
        QToolTip::hideText();
        ASSERT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }));
        QApplication::sendEvent(RE2->viewport(), &event);
        EXPECT_FALSE(QToolTip::isVisible());
    }
}

// A window started in a folder with the word list but without the database: the message once, in the
// first tool tip; then no tip and a Wortinfo of the word alone, and the search goes on.
TEST(word_info_missing_test, a_missing_database_costs_only_the_details) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    ASSERT_TRUE(
        QFile::copy(QDir::current().filePath(u"VokKavrinto.dat"_s), folder.filePath(u"VokKavrinto.dat"_s)));
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    {
        TForm1 window;
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        auto* field = Find<TRichEdit>(window, "RE1");
        auto* list = Find<TRichMemo>(window, "RE2");
        for (const char key : {'r', 'h', 'j', 'd', 'm'}) // кровь
            QTest::keyClick(field, key);
        QTest::keyClick(field, Qt::Key_Return);
        EXPECT_GT(Find<QLabel>(window, "Panel1")->text().toInt(), 0);
        const QPoint at = list->cursorRect(QTextCursor(list->document()->firstBlock())).center();
        const auto tipAt = [&] {
            QToolTip::hideText();
            EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }));
            QHelpEvent event(QEvent::ToolTip, at, list->viewport()->mapToGlobal(at));
            QApplication::sendEvent(list->viewport(), &event);
            return QToolTip::isVisible() ? QToolTip::text() : QString();
        };
        const QString path = QDir(folder.path()).filePath(u"KavrintoLexikon.sqlite"_s);
        EXPECT_EQ(tipAt(), u"Die Lexikon-Datenbank „"_s + path +
                               u"“ fehlt. Angaben zu den Wörtern fehlen daher; die Suche geht weiter."_s);
        EXPECT_EQ(tipAt(), u""_s);
        Find<QAction>(window, "Wortinfo1")->trigger();
        const QString first = list->document()->firstBlock().text().trimmed();
        EXPECT_EQ(Find<QPlainTextEdit>(window, "WordInfoText")->toPlainText(),
                  u"Wort: "_s + first + u"\nKeine Angaben im Lexikon.\n"_s);
    }
    QDir::setCurrent(previous);
}

} // namespace
