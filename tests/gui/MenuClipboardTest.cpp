// Tests of the main window's menu, its copying of result lines, the start order and help, through the
// real widgets offscreen.
#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTimer>
#include <QWindow>

#include <functional>

#include "dialogs/DlgInfo.h"
#include "dialogs/DlgStart.h"
#include "platform/HelpViewer.h"
#include "tests/gui/MainWindowFixture.h"

namespace {

// Closes every modal dialog as soon as it is shown, and tells OnShown first.
class TModalCloser {
public:
    explicit TModalCloser(std::function<void(QWidget*)> OnShown = {}) {
        QObject::connect(&Timer, &QTimer::timeout, [this, OnShown] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                ++Shown;
                if (OnShown)
                    OnShown(dialog);
                dialog->accept();
            }
        });
        Timer.start(5);
    }
    int Shown = 0;

private:
    QTimer Timer;
};

TEST_F(menu_clipboard_test, ctrl_c_copies_what_is_marked_one_entry_per_line) {
    Type(u"fl"_s);
    Press(Qt::Key_Return);
    const QStringList lines = ResultLines();
    ASSERT_GT(lines.size(), 5);

    // Three whole lines.
    Mark(BlockStart(1), BlockStart(4));
    CtrlC();
    EXPECT_EQ(Clipboard(), lines[1] + u'\n' + lines[2] + u'\n' + lines[3] + u'\n');

    // 400 characters or fewer go as marked, even from and to the middle of a word.
    Mark(BlockStart(2) + 3, BlockStart(1) + 2);
    CtrlC();
    EXPECT_EQ(Clipboard(), lines[1].mid(2) + u'\n' + lines[2].left(3));

    // Nothing marked: nothing copied.
    QApplication::clipboard()->setText(QString::fromUtf16(Unchanged));
    Mark(BlockStart(1), BlockStart(1));
    CtrlC();
    EXPECT_EQ(Clipboard(), QString::fromUtf16(Unchanged));
    EXPECT_TRUE(Messages.empty());
}

TEST_F(menu_clipboard_test, more_than_400_characters_are_cut_back_to_whole_lines) {
    Press(Qt::Key_Return);
    const QString text = RE2->toPlainText();
    const int start = BlockStart(2);
    const int end = BlockStart(300);
    ASSERT_GT(end - start, 400);
    const QString first400 = text.mid(start, 400);
    const qsizetype kept = first400.lastIndexOf(u'\n') + 1;
    ASSERT_GT(kept, 0);

    // The cursor at the start of the marking: the start stays all the same.
    Mark(end, start);
    CtrlC();
    const QTextCursor marked = RE2->textCursor();
    EXPECT_EQ(marked.selectionStart(), start);
    EXPECT_EQ(marked.selectionEnd(), start + kept);
    EXPECT_EQ(Clipboard(), first400.left(kept));
    EXPECT_TRUE(Clipboard().endsWith(u'\n'));

    // No line break within the first 400 characters: the marking empties and nothing is copied or
    // reported, by key or by the right button.
    QApplication::clipboard()->setText(QString::fromUtf16(Unchanged));
    RE2->setPlainText(QString(450, u'ж') + u"\nад"_s);
    for (const bool byKey : {true, false}) {
        Mark(0, 453);
        byKey ? CtrlC() : ClickList(Qt::RightButton);
        EXPECT_FALSE(RE2->textCursor().hasSelection());
        EXPECT_EQ(RE2->textCursor().position(), 0);
    }
    EXPECT_EQ(Clipboard(), QString::fromUtf16(Unchanged));
    EXPECT_TRUE(Messages.empty());
}

TEST_F(menu_clipboard_test, the_right_button_copies_and_reports_only_what_was_copied) {
    Type(u"fl"_s);
    Press(Qt::Key_Return);
    const QStringList lines = ResultLines();

    // Nothing marked: nothing copied, nothing reported, no context menu.
    ClickList(Qt::RightButton);
    EXPECT_EQ(Clipboard(), QString::fromUtf16(Unchanged));
    EXPECT_TRUE(Messages.empty());
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);

    // The middle and the left button copy nothing.
    Mark(BlockStart(1), BlockStart(4));
    ClickList(Qt::MiddleButton);
    ClickList(Qt::LeftButton);
    EXPECT_EQ(Clipboard(), QString::fromUtf16(Unchanged));
    EXPECT_TRUE(Messages.empty());

    Mark(BlockStart(1), BlockStart(4));
    ClickList(Qt::RightButton);
    EXPECT_EQ(Clipboard(), lines[1] + u'\n' + lines[2] + u'\n' + lines[3] + u'\n');
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].Text, u"Die markierten Vokabeln wurden in die Zwischenablage kopiert."_s);
    EXPECT_EQ(Messages[0].Caption, u"Programminformation"_s);
    EXPECT_EQ(Messages[0].Icon, QMessageBox::NoIcon);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

TEST_F(menu_clipboard_test, tastaturlayout_twice_hides_and_shows_the_picture) {
    const auto clientHeight = [this] { return Window->centralWidget()->height() + StatusBar1->height(); };
    Shortcut(Qt::Key_T);
    QTest::qWait(20);
    EXPECT_FALSE(Image1->isVisible());
    EXPECT_EQ(clientHeight(), 383);
    PressPicture(105, 60);
    EXPECT_EQ(Field(), u""_s);

    Trigger("Tastaturlayout1");
    QTest::qWait(20);
    EXPECT_TRUE(Image1->isVisible());
    EXPECT_EQ(clientHeight(), 508);
    Click(105, 60);
    EXPECT_EQ(Field(), u"а"_s);
}

TEST_F(menu_clipboard_test, alt_c_empties_the_field_and_alt_s_only_focuses_it) {
    // Neither command shows in the menu.
    EXPECT_EQ(Find<QMenu>(*Window, "Programm1")->actions(),
              QList<QAction*>{Find<QAction>(*Window, "Beenden1")});
    Type(u"fl"_s);
    RE2->setFocus();
    Shortcut(Qt::Key_S);
    EXPECT_EQ(QApplication::focusWidget(), RE1);
    EXPECT_EQ(Field(), u"ад"_s);

    RE2->setFocus();
    Shortcut(Qt::Key_C);
    EXPECT_EQ(QApplication::focusWidget(), RE1);
    EXPECT_EQ(Field(), u""_s);
    // "Suchen" searches the emptied field: every line.
    QTest::mouseClick(Button1, Qt::LeftButton);
    EXPECT_EQ(Count(), QString::number(LineCount()));
}

TEST_F(menu_clipboard_test, the_field_takes_the_focus_without_marking_and_keeps_it_after_suchen) {
    // Tab and Shift+Tab from the list into the field mark nothing and leave the caret at the end.
    Type(u"fl"_s);
    for (const Qt::Key key : {Qt::Key_Tab, Qt::Key_Backtab}) {
        RE2->setFocus();
        QTest::keyClick(RE2, key);
        ASSERT_EQ(QApplication::focusWidget(), RE1) << key;
        EXPECT_FALSE(RE1->hasSelectedText()) << key;
        EXPECT_EQ(RE1->cursorPosition(), 2) << key;
    }

    // After "Suchen" the next letters go into the field, at the caret as it was.
    RE1->setCursorPosition(1);
    QTest::mouseClick(Button1, Qt::LeftButton);
    EXPECT_EQ(Count(), QString::number(LinesEndingIn(u"ад").size()));
    ASSERT_EQ(QApplication::focusWidget(), RE1);
    EXPECT_EQ(RE1->cursorPosition(), 1);
    QTest::keyClick(QApplication::focusWidget(), 'd');
    EXPECT_EQ(Field(), u"авд"_s);

    // Also when the list had the focus.
    RE2->setFocus();
    QTest::mouseClick(Button1, Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), RE1);
}

TEST_F(menu_clipboard_test, the_information_dialog_opens_any_number_of_times_and_beenden_closes) {
    DlgInfo = new TDlgInfo(Window.get());
    TModalCloser closer;
    for (int i = 0; i < 3; ++i)
        Shortcut(Qt::Key_I);
    Trigger("Programminformation1");
    EXPECT_EQ(closer.Shown, 4);

    Trigger("Beenden1");
    EXPECT_FALSE(Window->isVisible());
}

TEST(main_window_start_test, the_start_dialog_comes_first_then_the_list_then_the_window) {
    TForm1 window;
    DlgStart = new TDlgStart(&window);
    bool listLoaded = true;
    bool windowShown = true;
    TModalCloser closer([&](QWidget* Dialog) {
        EXPECT_EQ(Dialog, DlgStart);
        listLoaded = window.LoadedWordList().LineCount > 0;
        windowShown = window.windowHandle() && window.windowHandle()->isVisible();
    });
    window.show();
    EXPECT_EQ(closer.Shown, 1);
    EXPECT_FALSE(listLoaded);
    EXPECT_FALSE(windowShown);
    EXPECT_GT(window.LoadedWordList().LineCount, 0);
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    DlgStart = nullptr;
}

TEST(main_window_help_test, f1_opens_the_help_file_of_the_working_directory_at_start) {
    std::vector<TMessage> messages;
    const TMessageHook previous =
        SetMessageHook([&messages](const TMessage& Message) { messages.push_back(Message); });
    const QString bin = QDir::currentPath();
    ASSERT_TRUE(QFile::exists(bin + u"/HilfeKavrinto.chm"_s));

    // Constructed elsewhere, the window looks there, even once the working directory holds the file.
    QTemporaryDir empty;
    ASSERT_TRUE(QDir::setCurrent(empty.path()));
    auto window = std::make_unique<TForm1>();
    QDir::setCurrent(bin);
    Find<QAction>(*window, "Inhalt1")->trigger();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Text, u"Die Hilfedatei wurde nicht gefunden!"_s);
    EXPECT_EQ(messages[0].Caption, u"Kavrinto"_s);
    EXPECT_EQ(THelpViewer::Instance(), nullptr);

    QFile junk(empty.path() + u"/HilfeKavrinto.chm"_s);
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("keine CHM-Datei");
    junk.close();
    Find<QAction>(*window, "Inhalt1")->trigger();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].Text, u"Die Hilfedatei konnte nicht gelesen werden."_s);
    EXPECT_EQ(THelpViewer::Instance(), nullptr);

    // The built help file, by F1, read by the build's reader.
    THelpViewer::SetReader(QStringLiteral(KAVRINTO_HELP_READER));
    window = std::make_unique<TForm1>();
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(Find<TRichEdit>(*window, "RE1"), Qt::Key_F1);
    EXPECT_EQ(messages.size(), 2u);
    ASSERT_NE(THelpViewer::Instance(), nullptr);
    EXPECT_EQ(THelpViewer::Instance()->FilePath(), bin + u"/HilfeKavrinto.chm"_s);
    // Closing the main window closes the viewer with it.
    window->close();
    EXPECT_EQ(THelpViewer::Instance(), nullptr);
    THelpViewer::CloseViewer();
    THelpViewer::SetReader({});
    window.reset();
    SetMessageHook(previous);
}

} // namespace
