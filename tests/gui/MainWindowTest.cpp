// Tests of the main window through its real widgets, offscreen, on the real dictionary in the bin folder.
#include <QClipboard>
#include <QDir>
#include <QMouseEvent>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTimer>

#include <cstdlib>
#include <functional>
#include <stdexcept>

#include "app/MessageLoop.h"
#include "dictionary/WordListBuilder.h"
#include "input/InputEditing.h"
#include "richtext/ConvertError.h"
#include "tests/dictionary/TestDataFile.h"
#include "tests/gui/MainWindowFixture.h"

namespace {

TEST_F(main_window_test, starts_with_the_preset_text_and_the_full_layout) {
    EXPECT_TRUE(Messages.empty());
    EXPECT_GT(LineCount(), 4001);
    EXPECT_EQ(Window->windowTitle(), u"Kavrinto"_s);
    EXPECT_EQ(Window->centralWidget()->height() + StatusBar1->height(), 508);
    EXPECT_EQ(Window->width(), 309);
    const QStringList preset = ResultLines();
    ASSERT_EQ(preset.size(), 14);
    EXPECT_EQ(preset[1], u"Endbuchstaben bzw.Endsilben) ein und bestä-"_s);
    EXPECT_EQ(preset[2], u"tigen Sie Ihre Eingabe mit ENTER oder einem "_s);
    EXPECT_EQ(preset[13], u" "_s);
    EXPECT_EQ(RE2->palette().color(QPalette::Text), QColor(Qt::red));
    EXPECT_EQ(Panel0->text(), u"Treffer:"_s);
    EXPECT_EQ(Count(), u""_s);
    EXPECT_EQ(Window->focusWidget(), RE1);
    EXPECT_EQ(Image1->size(), QSize(301, 121));
    EXPECT_EQ(RE1->accessibleName(), u"Eingabefeld"_s);
    EXPECT_EQ(RE2->accessibleName(), u"Trefferliste"_s);
    EXPECT_EQ(Image1->accessibleName(), u"Tastatur-Layout"_s);
}

TEST_F(main_window_test, typing_f_l_enter_lists_the_entries_ending_in_ad) {
    Type(u"fl"_s);
    EXPECT_EQ(Field(), u"ад"_s); // {0x0430, 0x0434}
    EXPECT_EQ(RE1->cursorPosition(), 2);
    Press(Qt::Key_Return);
    EXPECT_EQ(Field(), u"ад"_s); // Enter only searches
    ExpectHits(LinesEndingIn(u"ад"));
    EXPECT_EQ(RE2->document()->defaultTextOption().alignment(), Qt::AlignRight);
}

// Where the end of each shown line stands, in viewport pixels, as the list has laid it out.
std::vector<int> LineEnds(TRichMemo* List) {
    std::vector<int> ends;
    for (QTextBlock block = List->document()->firstBlock(); block.isValid(); block = block.next()) {
        QTextCursor cursor(block);
        cursor.movePosition(QTextCursor::EndOfBlock);
        ends.push_back(List->cursorRect(cursor).right());
    }
    return ends;
}

TEST_F(main_window_test, the_endings_stand_at_the_right_edge_from_the_first_search_on) {
    // A short list first (no scroll bar), then one that needs a scroll bar, then the short one again.
    const auto margin = static_cast<int>(RE2->document()->documentMargin());
    for (const QString& keys : {u"rhjdm"_s, u"f"_s, u"rhjdm"_s}) {
        SCOPED_TRACE(keys.toStdString());
        RE1->clear();
        Type(keys);
        Press(Qt::Key_Return);
        QCoreApplication::processEvents();
        ASSERT_GT(Count().toInt(), 1);
        const int right = RE2->viewport()->width() - margin;
        const std::vector<int> ends = LineEnds(RE2);
        for (std::size_t i = 0; i < std::min<std::size_t>(ends.size(), 30); ++i)
            EXPECT_NEAR(ends[i], right, 2) << "line " << i << " of " << ends.size();
    }
}

TEST_F(main_window_test, a_letter_goes_to_the_caret_and_the_caret_follows_it) {
    Type(u"fl"_s);
    Press(Qt::Key_Home);
    Type(u"d"_s);
    EXPECT_EQ(Field(), u"вад"_s);
    EXPECT_EQ(RE1->cursorPosition(), 1);

    // ä, Ä, a Cyrillic letter from a Russian layout and the dead ^ of a German one.
    RE1->clear();
    Type(u"äÄж"_s);
    QTest::sendKeyEvent(QTest::Click, RE1, Qt::Key_Dead_Circumflex, QString(), Qt::NoModifier);
    EXPECT_EQ(Field(), u"эЭжё"_s);
    EXPECT_EQ(RE1->cursorPosition(), 4);
}

TEST_F(main_window_test, a_letter_replaces_the_marked_letters_and_the_caret_ends_after_it) {
    // "радость" with "ость" marked, unless a case marks otherwise; the cursor at either end.
    struct TCase {
        const char* What;
        int Start, Length;
        std::function<void()> Act;
        QString Field;
        int Caret;
    };
    const TCase cases[] = {
        {"typed, cursor at the end", 3, 4, [this] { Type(u"w"_s); }, u"радц"_s, 4},
        {"typed, cursor at the start", 7, -4, [this] { Type(u"w"_s); }, u"радц"_s, 4},
        {"three typed", 3, 4, [this] { Type(u"wbz"_s); }, u"радцин"_s, 6},
        {"in the middle", 1, 3, [this] { Type(u"w"_s); }, u"рцсть"_s, 2},
        {"all", 0, 7, [this] { Type(u"w"_s); }, u"ц"_s, 1},
        {"from a Russian layout", 3, 4, [this] { Type(u"ж"_s); }, u"радж"_s, 4},
        {"unmapped", 3, 4, [this] { Type(u"ß"_s); }, u"радß"_s, 4},
        {"dead circumflex", 3, 4,
         [this] {
             QTest::sendKeyEvent(QTest::Click, RE1, Qt::Key_Dead_Circumflex, QString(), Qt::NoModifier);
         },
         u"радё"_s, 4},
        {"clicked on the picture", 3, 4, [this] { Click(105, 60); }, u"рада"_s, 4},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        RE1->setText(u"радость"_s);
        RE1->setSelection(c.Start, c.Length);
        c.Act();
        EXPECT_EQ(Field(), c.Field);
        EXPECT_EQ(RE1->cursorPosition(), c.Caret);
        EXPECT_FALSE(RE1->hasSelectedText());
    }

    // Enter searches the whole field, marking and all.
    RE1->setText(u"ость"_s);
    RE1->setSelection(1, 2);
    Press(Qt::Key_Return);
    EXPECT_EQ(Field(), u"ость"_s);
    ExpectHits(LinesEndingIn(u"ость"));

    // A full field takes a letter in place of its marking.
    RE1->setText(QString(MaxInputChars, u'а'));
    RE1->setSelection(10, 2);
    Type(u"w"_s);
    EXPECT_EQ(Field(), QString(10, u'а') + u'ц' + QString(MaxInputChars - 12, u'а'));
    EXPECT_EQ(RE1->cursorPosition(), 11);
}

TEST_F(main_window_test, unmapped_and_refused_characters) {
    // A digit typed into the empty field stays when a letter follows.
    Type(u"1f"_s);
    EXPECT_EQ(Field(), u"1а"_s);
    // An unmapped character stays as typed and is part of the query.
    Type(u" ß"_s);
    EXPECT_EQ(Field(), u"1а ß"_s);
    Press(Qt::Key_Return);
    EXPECT_EQ(Count(), u"0"_s);
    // \, { and } would be read as rich-text syntax, 中 has no code page 1252 byte: all refused.
    Type(u"\\{}"_s);
    QTest::sendKeyEvent(QTest::Click, RE1, Qt::Key_unknown, u"中"_s, Qt::NoModifier);
    EXPECT_EQ(Field(), u"1а ß"_s);
    // Alt or Meta with a character key types nothing, not even the German character; Ctrl+Alt is the
    // AltGr of Windows and types like a plain key.
    QTest::sendKeyEvent(QTest::Click, RE1, Qt::Key_F, u"f"_s, Qt::AltModifier);
    QTest::sendKeyEvent(QTest::Click, RE1, Qt::Key_Adiaeresis, u"ä"_s, Qt::MetaModifier);
    QTest::sendKeyEvent(QTest::Click, RE1, Qt::Key_F, u"F"_s, Qt::AltModifier | Qt::ShiftModifier);
    EXPECT_EQ(Field(), u"1а ß"_s);
    QTest::sendKeyEvent(QTest::Click, RE1, Qt::Key_Q, u"@"_s, Qt::ControlModifier | Qt::AltModifier);
    QTest::sendKeyEvent(QTest::Click, RE1, Qt::Key_F, u"f"_s, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(Field(), u"1а ß@а"_s);

    // At most 199 characters, typed or pasted; a pasted line's break goes, a pasted word joins the query.
    RE1->clear();
    QApplication::clipboard()->setText(u"жад\n"_s);
    RE1->paste();
    EXPECT_EQ(Field(), u"жад"_s);
    Press(Qt::Key_Return);
    ExpectHits(LinesEndingIn(u"жад"));
    RE1->clear();
    for (int i = 0; i < 200; ++i)
        Type(i % 2 ? u"f"_s : u"1"_s);
    EXPECT_EQ(Field().size(), 199);
    RE1->setCursorPosition(0);
    Type(u"f"_s);
    Click(105, 60);
    QApplication::clipboard()->setText(u"д"_s);
    RE1->paste();
    EXPECT_EQ(Field().size(), 199);
    EXPECT_EQ(Field().front(), u'1');
}

TEST_F(main_window_test, suchen_searches_what_the_field_shows) {
    Type(u"fl"_s);
    Press(Qt::Key_Backspace);
    EXPECT_EQ(Field(), u"а"_s);
    QTest::mouseClick(Button1, Qt::LeftButton);
    ExpectHits(LinesEndingIn(u"а"));
    RE1->clear();
    QTest::mouseClick(Button1, Qt::LeftButton);
    EXPECT_EQ(Count(), QString::number(LineCount()));
}

TEST_F(main_window_test, an_empty_query_lists_everything_and_no_hit_gives_0) {
    Press(Qt::Key_Return);
    EXPECT_EQ(Count(), QString::number(LineCount()));
    EXPECT_EQ(RE2->document()->blockCount(), 4001);
    EXPECT_EQ(RE2->document()->lastBlock().text(), QString::fromStdU16String(LinesEndingIn(u"")[4000]));

    Type(u"+++"_s); // ъъъ
    Press(Qt::Key_Return);
    ExpectHits({});
}

TEST_F(main_window_test, clicks_on_the_picture_type_the_lower_case_letter_of_the_key) {
    struct TCase {
        int X, Y;
        Qt::MouseButton Button;
        QString Field;
    };
    const TCase cases[] = {
        {10, 10, Qt::LeftButton, u"ё"_s},    {45, 40, Qt::RightButton, u"й"_s},
        {105, 60, Qt::MiddleButton, u"а"_s}, {215, 85, Qt::LeftButton, u"б"_s},
        {251, 30, Qt::LeftButton, u"х"_s},   {252, 30, Qt::LeftButton, u"ъ"_s},
        {19, 10, Qt::LeftButton, u""_s},     {20, 10, Qt::LeftButton, u""_s},
        {10, 0, Qt::LeftButton, u""_s},      {45, 23, Qt::LeftButton, u""_s},
        {45, 25, Qt::LeftButton, u""_s},     {60, 48, Qt::LeftButton, u""_s},
        {60, 74, Qt::LeftButton, u""_s},     {100, 96, Qt::LeftButton, u""_s},
        {100, 119, Qt::LeftButton, u""_s},   {30, 10, Qt::LeftButton, u""_s},
        {230, 10, Qt::LeftButton, u""_s},    {265, 60, Qt::LeftButton, u""_s},
        {55, 85, Qt::LeftButton, u""_s},     {150, 110, Qt::LeftButton, u""_s},
        {280, 10, Qt::LeftButton, u""_s},    {285, 60, Qt::LeftButton, u""_s},
        {20, 85, Qt::LeftButton, u""_s},     {240, 110, Qt::LeftButton, u""_s},
    };
    for (const TCase& c : cases) {
        RE1->clear();
        Click(c.X, c.Y, c.Button);
        EXPECT_EQ(Field(), c.Field) << c.X << "," << c.Y;
    }

    // Each press types, in the order of the clicks, at the caret.
    RE1->clear();
    // A double click as the window system delivers it: press, release, double click, release.
    Click(105, 60);
    QMouseEvent doubleClick(QEvent::MouseButtonDblClick, QPointF(105, 60),
                            Image1->mapToGlobal(QPointF(105, 60)), Qt::LeftButton, Qt::LeftButton,
                            Qt::NoModifier);
    QApplication::sendEvent(Image1, &doubleClick);
    QTest::mouseRelease(Image1, Qt::LeftButton, Qt::NoModifier, QPoint(105, 60));
    Click(199, 60);
    EXPECT_EQ(Field(), u"аад"_s);
    EXPECT_EQ(RE1->cursorPosition(), 3);

    // Without the picture a press types nothing.
    Trigger("Tastaturlayout1");
    PressPicture(105, 60);
    EXPECT_EQ(Field(), u"аад"_s);
}

TEST_F(main_window_test, the_window_keeps_its_height_and_its_controls_follow_the_right_edge) {
    struct TCase {
        int Width;
        int ExpectedWidth, RE1Width, RE2Width, ButtonLeft, ImageLeft;
    };
    const TCase cases[] = {
        {400, 400, 313, 385, 322, 85},
        {200, 309, 222, 294, 231, 3}, // snaps back to the narrowest width; the picture keeps its ё key
        {330, 330, 243, 315, 252, 15},
    };
    for (const TCase& c : cases) {
        Window->resize(c.Width, 900);
        QTest::qWait(20);
        EXPECT_EQ(Window->width(), c.ExpectedWidth);
        EXPECT_EQ(Window->centralWidget()->height() + StatusBar1->height(), 508);
        EXPECT_EQ(RE1->width(), c.RE1Width);
        EXPECT_EQ(RE2->width(), c.RE2Width);
        EXPECT_EQ(Button1->x(), c.ButtonLeft);
        EXPECT_EQ(Image1->x(), c.ImageLeft);
    }
}

TEST(main_window_start_test, a_missing_data_file_is_reported_and_the_window_works_with_an_empty_list) {
    std::vector<TMessage> messages;
    const TMessageHook previous =
        SetMessageHook([&messages](const TMessage& Message) { messages.push_back(Message); });
    const QString home = QDir::currentPath();
    QTemporaryDir empty;
    ASSERT_TRUE(QDir::setCurrent(empty.path()));
    {
        TForm1 window;
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_TRUE(messages[0].Text.contains(u"VokKavrinto.dat"_s)) << messages[0].Text.toStdString();
        EXPECT_TRUE(messages[0].Text.contains(u"nicht gefunden"_s)) << messages[0].Text.toStdString();
        EXPECT_EQ(messages[0].Caption, u"Kavrinto"_s);
        EXPECT_EQ(window.LoadedWordList().LineCount, 0);

        auto* field = Find<TRichEdit>(window, "RE1");
        auto* count = Find<QLabel>(window, "Panel1");
        QTest::keyClick(field, 'f');
        QTest::keyClick(field, Qt::Key_Return);
        EXPECT_EQ(field->text(), u"а"_s);
        EXPECT_EQ(count->text(), u"0"_s);
        QTest::mouseClick(Find<QPushButton>(window, "Button1"), Qt::LeftButton);
        EXPECT_EQ(count->text(), u"0"_s);
    }
    QDir::setCurrent(home);
    SetMessageHook(previous);
    EXPECT_EQ(messages.size(), 1u);
}

TEST(main_window_list_test, a_final_latin_no_is_searched_like_any_two_letters) {
    TTestDir dir;
    const TDataFile data =
        MakeDataFile({u"piano", u"pia", u"sino", u"si", u"casino", u"Piano forte", u"ад", u"no", u"вино"});
    ASSERT_EQ(data.Error, "");
    const std::string path = dir.WriteBytes(DataFileName, data.Bytes);
    TWordList oracle;
    oracle.LoadWordList(path);
    oracle.ConvertRangeToChars(0, oracle.FileSize);

    const QString home = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(dir.Folder().string())));
    TForm1 window;
    window.show();
    QDir::setCurrent(home);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto* field = Find<TRichEdit>(window, "RE1");
    auto* list = Find<TRichMemo>(window, "RE2");
    for (const char16_t* ending : {u"piano", u"sino", u"no", u"но"}) {
        const std::vector<std::u16string> expected = LinesEndingIn(ending, oracle);
        SCOPED_TRACE(QString::fromUtf16(ending).toStdString());
        ASSERT_FALSE(expected.empty());
        field->setText(QString::fromUtf16(ending));
        QTest::keyClick(field, Qt::Key_Return);
        EXPECT_EQ(Find<QLabel>(window, "Panel1")->text(), QString::number(expected.size()));
        EXPECT_EQ(list->toPlainText().split(u'\n').front(), QString::fromStdU16String(expected.front()));
    }
}

// An object whose event handler fails like a failed number conversion.
class TFailingObject : public QObject {
public:
    bool event(QEvent*) override { throw EConvertError("'0xzz' ist kein gültiger Integerwert"); }
};

TEST(application_test, an_exception_from_an_event_handler_is_shown_and_the_program_goes_on) {
    std::vector<TMessage> messages;
    const TMessageHook previous =
        SetMessageHook([&messages](const TMessage& Message) { messages.push_back(Message); });
    TFailingObject failing;
    QEvent event(QEvent::User);
    EXPECT_FALSE(QApplication::sendEvent(&failing, &event));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Text, u"'0xzz' ist kein gültiger Integerwert"_s);
    EXPECT_EQ(messages[0].Caption, u"Kavrinto"_s);
    EXPECT_EQ(messages[0].Icon, QMessageBox::Critical);
    SetMessageHook(previous);
}

TEST(application_test, the_program_returns_the_loop_s_exit_code_or_failure_after_a_start_up_exception) {
    std::vector<TMessage> messages;
    const TMessageHook previous =
        SetMessageHook([&messages](const TMessage& Message) { messages.push_back(Message); });
    EXPECT_EQ(RunMessageLoop([] { QTimer::singleShot(0, [] { QCoreApplication::exit(3); }); }), 3);
    EXPECT_EQ(RunMessageLoop([] { QTimer::singleShot(0, [] { QCoreApplication::quit(); }); }), 0);
    EXPECT_TRUE(messages.empty());

    EXPECT_EQ(RunMessageLoop([] { throw std::runtime_error("Der Start ist fehlgeschlagen."); }),
              EXIT_FAILURE);
    EXPECT_EQ(RunMessageLoop([] { throw 1; }), EXIT_FAILURE);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].Text,
              u"Ein unerwarteter Fehler ist aufgetreten.\n\nTechnische Angabe: Der Start ist fehlgeschlagen."_s);
    EXPECT_EQ(messages[0].Icon, QMessageBox::Critical);
    EXPECT_EQ(messages[1].Text, u"Ein unbekannter Fehler ist aufgetreten."_s);
    SetMessageHook(previous);
}

} // namespace
