// The menu "Suche" through the real widgets offscreen: folding, the breakdown window with its way down
// and back, saving all hits.
#include <QAction>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <fstream>
#include <sstream>

#include "app/BreakdownWindow.h"
#include "app/CapNotice.h"
#include "common/Utf8.h"
#include "dictionary/Breakdown.h"
#include "tests/dictionary/PlainModel.h"
#include "tests/gui/MainWindowFixture.h"

namespace {

using search_menu_test = menu_clipboard_test;

std::vector<std::u16string> TextOf(const std::vector<int32_t>& Lines) {
    const std::vector<std::u16string> all = TPlainModel::LinesOf(RealWordList());
    std::vector<std::u16string> text;
    for (const int32_t i : Lines)
        text.push_back(all[static_cast<size_t>(i)]);
    return text;
}

TEST_F(search_menu_test, sits_between_programm_and_hilfe_with_folding_off) {
    QStringList titles;
    for (QAction* action : Window->menuBar()->actions())
        titles << action->text();
    EXPECT_EQ(titles, (QStringList{u"Programm"_s, u"Suche"_s, u"Hilfe"_s}));
    QStringList items;
    for (QAction* action : Find<QMenu>(*Window, "Suche1")->actions())
        items << action->text();
    EXPECT_EQ(items, (QStringList{u"Grundformen"_s, u"Alle Wortformen"_s, u""_s, u"Endung aufschlüsseln…"_s,
                                  u"Alle Treffer speichern…"_s, u"Wortinfo…"_s, u""_s,
                                  u"Groß- und Kleinschreibung gleich"_s, u"е und ё gleich"_s}));
    EXPECT_FALSE(Find<QAction>(*Window, "Grossklein1")->isChecked());
    EXPECT_FALSE(Find<QAction>(*Window, "EundYo1")->isChecked());
    EXPECT_EQ(Find<QAction>(*Window, "AlleTrefferspeichern1")->shortcut(), QKeySequence(u"Ctrl+S"_s));
}

// A check item searches the shown ending again; the folded hits come from every part of the list.
TEST_F(search_menu_test, folding_items_search_again_with_the_folding) {
    const TPlainModel model(TPlainModel::LinesOf(RealWordList()));
    Type(u"tr"_s); // ек
    Press(Qt::Key_Return);
    ExpectHits(TextOf(model.Hits(u"ек", {})));
    Trigger("EundYo1");
    ExpectHits(TextOf(model.Hits(u"ек", {false, true})));
    EXPECT_NE(Count(), QString::number(model.Hits(u"ек", {}).size()));
    Trigger("Grossklein1");
    ExpectHits(TextOf(model.Hits(u"ек", {true, true})));
    Trigger("EundYo1");
    ExpectHits(TextOf(model.Hits(u"ек", {true, false})));
    Trigger("Grossklein1");
    ExpectHits(TextOf(model.Hits(u"ек", {})));
}

TEST_F(search_menu_test, breakdown_window_drills_down_and_goes_back) {
    Type(u"jcnm"_s); // ость
    Trigger("Endungaufschluesseln1");
    auto* breakdown = Find<TBreakdownWindow>(*Window, "BreakdownWindow");
    auto* table = Find<QTableWidget>(*breakdown, "Table");
    auto* back = Find<QPushButton>(*breakdown, "Back");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(breakdown));
    EXPECT_FALSE(breakdown->isModal());
    EXPECT_FALSE(back->isEnabled());

    const TPlainModel model(TPlainModel::LinesOf(RealWordList()));
    const auto expectRows = [&](const std::u16string& Ending) {
        const std::vector<TBreakdownRow> rows = model.Breakdown(Ending, {});
        ASSERT_EQ(table->rowCount(), static_cast<int>(rows.size())) << Utf16ToUtf8(Ending);
        for (int i = 0; i < table->rowCount(); ++i) {
            EXPECT_EQ(table->item(i, 0)->text().toStdU16String(), rows[static_cast<size_t>(i)].Ending);
            EXPECT_EQ(table->item(i, 1)->text(), QString::number(rows[static_cast<size_t>(i)].Count));
        }
        EXPECT_EQ(table->item(0, 0)->textAlignment(), int(Qt::AlignRight | Qt::AlignVCenter));
        EXPECT_EQ(Find<QLabel>(*breakdown, "Heading")->text(),
                  QString::fromStdU16String(Ending) + u": "_s + Count() + u" Treffer"_s);
    };
    expectRows(u"ость");
    EXPECT_EQ(Count(), u"4583"_s);
    ASSERT_EQ(table->item(0, 0)->text(), u"ность"_s);
    EXPECT_EQ(table->item(0, 2)->text(), u"72,3 %"_s); // 3313 of 4583
    const int last = table->rowCount() - 1;
    EXPECT_EQ(table->item(last, 0)->text(), u"ость"_s); // the word itself, once
    EXPECT_EQ(table->item(last, 2)->text(), u"< 0,1 %"_s);

    // Enter on the first row: the field, the list and the window show "ность".
    table->setCurrentCell(0, 0);
    QTest::keyClick(table, Qt::Key_Return);
    EXPECT_EQ(Field(), u"ность"_s);
    ExpectHits(LinesEndingIn(u"ность"));
    expectRows(u"ность");
    EXPECT_TRUE(back->isEnabled());

    // A double click goes one step further.
    const QString third = table->item(0, 0)->text();
    const QRect cell = table->visualItemRect(table->item(0, 0));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    EXPECT_EQ(Field(), third);
    expectRows(third.toStdU16String());

    QTest::mouseClick(back, Qt::LeftButton);
    EXPECT_EQ(Field(), u"ность"_s);
    expectRows(u"ность");
    QTest::mouseClick(back, Qt::LeftButton);
    EXPECT_EQ(Field(), u"ость"_s);
    ExpectHits(LinesEndingIn(u"ость"));
    expectRows(u"ость");
    EXPECT_FALSE(back->isEnabled());
}

TEST_F(search_menu_test, breakdown_follows_the_folding) {
    Type(u"^"_s); // ё
    Trigger("Endungaufschluesseln1");
    auto* table = Find<QTableWidget>(*Window, "Table");
    const int unfolded = table->rowCount();
    Trigger("EundYo1");
    const std::vector<uint16_t> query = QueryOfText(u"ё");
    const TWordList& list = Window->LoadedWordList();
    const std::vector<TBreakdownRow> rows =
        BreakDownEnding(list, FindEndingHits(list, query.data(), {false, true}), query.data(), {false, true});
    ASSERT_EQ(table->rowCount(), static_cast<int>(rows.size()));
    EXPECT_NE(table->rowCount(), unfolded);
    EXPECT_EQ(table->item(0, 0)->text().toStdU16String(), rows[0].Ending);
    EXPECT_EQ(Find<QLabel>(*Window, "Heading")->text(), u"ё: "_s + Count() + u" Treffer"_s);
}

TEST_F(search_menu_test, breakdown_follows_the_list_searched) {
    Type(u"fvb"_s); // ами
    Press(Qt::Key_Return);
    Trigger("Endungaufschluesseln1");
    const QString lemmas = Count();
    Trigger("AlleWortformen1");
    ASSERT_EQ(Find<QLabel>(*Window, "Panel2")->text(), u"Wortformen"_s);
    EXPECT_NE(Count(), lemmas);
    EXPECT_EQ(Find<QLabel>(*Window, "Heading")->text(), u"ами: "_s + Count() + u" Treffer"_s);
    const std::vector<uint16_t> query = QueryOfText(u"ами");
    const TWordList& list = Window->LoadedWordList();
    const std::vector<TBreakdownRow> rows =
        BreakDownEnding(list, FindEndingHits(list, query.data(), {}), query.data(), {});
    auto* table = Find<QTableWidget>(*Window, "Table");
    ASSERT_EQ(table->rowCount(), static_cast<int>(rows.size()));
    EXPECT_EQ(table->item(0, 0)->text().toStdU16String(), rows[0].Ending);
    Trigger("Grundformen1");
    EXPECT_EQ(Find<QLabel>(*Window, "Heading")->text(), u"ами: "_s + lemmas + u" Treffer"_s);
}

// Ctrl+S: a save dialog with Treffer-ENDUNG.txt, then every hit, not only the 4001 shown.
TEST_F(search_menu_test, ctrl_s_saves_all_hits_of_the_last_search) {
    Type(u"f"_s); // а
    Press(Qt::Key_Return);
    ASSERT_GT(Count().toInt(), 4001);
    QTemporaryDir folder;
    const QString path = folder.filePath(u"а.txt"_s);
    QString suggested;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            timer.stop();
            suggested = dialog->selectedFiles().value(0);
            dialog->selectFile(path);
            static_cast<QDialog*>(dialog)->accept();
        }
    });
    timer.start(5);
    Shortcut(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(suggested, QDir::home().filePath(u"Treffer-а.txt"_s));

    std::ifstream file(path.toStdString(), std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    std::string expected;
    for (const std::u16string& line : LinesEndingIn(u"а"))
        expected += Utf16ToUtf8(line) + "\n";
    EXPECT_EQ(text.str(), expected);
    EXPECT_TRUE(Messages.empty());
}

// The second format: a table with what the lexicon knows about each hit.
TEST_F(search_menu_test, ctrl_s_saves_a_table_with_stress_class_and_german) {
    Type(u"rhjdm"_s); // кровь
    Press(Qt::Key_Return);
    QTemporaryDir folder;
    const QString path = folder.filePath(u"Tabelle.tsv"_s);
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            timer.stop();
            dialog->selectNameFilter(dialog->nameFilters().value(1));
            dialog->selectFile(path);
            static_cast<QDialog*>(dialog)->accept();
        }
    });
    timer.start(5);
    Shortcut(Qt::Key_S, Qt::ControlModifier);

    std::ifstream file(path.toStdString(), std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);)
        lines.push_back(line);
    ASSERT_EQ(lines.size(), LinesEndingIn(u"кровь").size() + 1);
    EXPECT_EQ(lines[0], "Eintrag\tBetonung\tWortart\tDeutsch");
    EXPECT_NE(std::find(lines.begin(), lines.end(), "кровь\tкро\u0301вь\tSubstantiv\tBlut; Schweiß"), lines.end());
    EXPECT_TRUE(Messages.empty());
}

} // namespace

namespace {

// More than 4001 hits: the notice stands below the last of the 4001 lines and is never copied.
TEST_F(search_menu_test, a_capped_list_says_so_where_it_ends) {
    auto* notice = Find<QLabel>(*Window, "CapNotice");
    Type(u"f"_s); // а
    Press(Qt::Key_Return);
    const std::vector<std::u16string> expected = LinesEndingIn(u"а");
    ExpectHits(expected);
    ASSERT_TRUE(notice->isVisible());
    const QString total = QLocale(QLocale::German).toString(static_cast<qlonglong>(expected.size()));
    const QString missing = QLocale(QLocale::German).toString(static_cast<qlonglong>(expected.size() - 4001));
    EXPECT_EQ(notice->text(), u"Die Liste ist hier abgeschnitten: Sie zeigt 4.001 von "_s + total +
                                  u" Treffern; nicht angezeigt: "_s + missing +
                                  u". Alle Treffer: Suche → Alle Treffer speichern… (Strg+S)."_s);

    // Scrolled to the end, the notice begins below the last line, inside the list.
    RE2->verticalScrollBar()->setValue(RE2->verticalScrollBar()->maximum());
    QApplication::processEvents();
    const QTextBlock last = RE2->document()->lastBlock();
    const QRect lastLine = RE2->cursorRect(QTextCursor(last));
    EXPECT_GE(notice->geometry().top(), lastLine.bottom());
    EXPECT_LE(notice->geometry().bottom(), RE2->viewport()->height());

    Mark(BlockStart(3999), RE2->document()->characterCount() - 1);
    CtrlC();
    EXPECT_EQ(Clipboard(), QString::fromStdU16String(expected[3999] + u"\n" + expected[4000]));

    // A search within the cap takes the notice away.
    Type(u"m"_s); // аь
    Press(Qt::Key_Return);
    EXPECT_FALSE(notice->isVisible());
}

TEST(cap_notice_test, shows_only_above_the_cap) {
    TRichMemo list;
    list.resize(300, 200);
    TCapNotice notice(list);
    const std::pair<int32_t, bool> cases[] = {{0, false}, {4000, false}, {4001, false}, {4002, true}};
    for (const auto& [count, shown] : cases) {
        list.show();
        notice.Update(count, std::min(count, 4001));
        EXPECT_EQ(notice.IsShown(), shown) << count;
        if (shown) {
            EXPECT_TRUE(notice.Text().contains(u"4.001 von 4.002 Treffern; nicht angezeigt: 1."_s)) << count;
        }
    }
}

} // namespace

namespace {

TEST_F(search_menu_test, ctrl_plus_minus_zero_and_the_wheel_zoom_the_list) {
    Type(u"fl"_s);
    Press(Qt::Key_Return);
    const auto size = [this] { return RE2->document()->defaultFont().pointSizeF(); };
    const qreal start = size();
    ASSERT_EQ(start, 10);
    Shortcut(Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(size(), 11);
    Shortcut(Qt::Key_Minus, Qt::ControlModifier);
    Shortcut(Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(size(), 9);
    Shortcut(Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(size(), 10);

    const auto wheel = [this](int Delta, Qt::KeyboardModifiers Modifiers) {
        const QPointF at(50, 50);
        QWheelEvent event(at, RE2->viewport()->mapToGlobal(at), QPoint(), QPoint(0, Delta), Qt::NoButton,
                          Modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(RE2->viewport(), &event);
    };
    const QFont widgetFont = RE2->font();
    wheel(120, Qt::ControlModifier);
    wheel(120, Qt::ControlModifier);
    EXPECT_EQ(size(), 12);
    wheel(120, Qt::NoModifier); // scrolls only
    EXPECT_EQ(size(), 12);
    EXPECT_EQ(RE2->font(), widgetFont); // the list's own zoom did not act as well

    // The next search keeps the size; the lines stay as they are.
    Type(u"f"_s);
    Press(Qt::Key_Return);
    EXPECT_EQ(size(), 12);
    ExpectHits(LinesEndingIn(u"ада"));
    for (int i = 0; i < 40; ++i)
        Shortcut(Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(size(), 6); // no smaller
    Shortcut(Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(size(), start);
}

} // namespace

namespace {

// Only a real X server has a primary selection: ctest runs this one under xvfb-run as well, with
// KAVRINTO_REQUIRE_SELECTION set so that it cannot pass by skipping.
TEST_F(search_menu_test, marking_sets_the_primary_selection) {
    if (!QApplication::clipboard()->supportsSelection()) {
        if (qEnvironmentVariableIsSet("KAVRINTO_REQUIRE_SELECTION"))
            FAIL() << "no primary selection on " << QApplication::platformName().toStdString();
        GTEST_SKIP() << "no primary selection on " << QApplication::platformName().toStdString();
    }
    Type(u"fl"_s);
    Press(Qt::Key_Return);
    const std::vector<std::u16string> lines = LinesEndingIn(u"ад");
    Mark(BlockStart(1), BlockStart(3) - 1);
    EXPECT_EQ(QApplication::clipboard()->text(QClipboard::Selection),
              QString::fromStdU16String(lines[1] + u"\n" + lines[2]));
    EXPECT_EQ(Clipboard(), QString::fromUtf16(Unchanged)); // the clipboard keeps its own rules
}

} // namespace
