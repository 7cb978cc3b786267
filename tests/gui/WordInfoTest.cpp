// The lexicon on the result list offscreen: the tool tip over a hit and the non-modal "Wortinfo"
// window for the line at the caret or the marked one, on the real database of the bin folder.
#include <QHelpEvent>
#include <QPlainTextEdit>
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

} // namespace
