// The main window's test fixtures: a shown window on the real dictionary of the bin folder, message
// boxes recorded instead of shown, and helpers that type, click, mark and copy the result list.
#pragma once

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "app/Unit1.h"
#include "dialogs/DlgInfo.h"
#include "dialogs/DlgStart.h"
#include "platform/Image.h"
#include "platform/MessageBox.h"
#include "platform/RichEdit.h"
#include "platform/RichMemo.h"

using namespace Qt::StringLiterals;

// A QString in test messages, as its text.
inline void PrintTo(const QString& Text, std::ostream* Out) {
    *Out << '"' << Text.toStdString() << '"';
}

// The real word list of the bin folder, its characters in DisplayText.
inline const TWordList& RealWordList() {
    static const TWordList List = [] {
        TWordList list;
        list.LoadWordList();
        list.ConvertRangeToChars(0, list.FileSize);
        return list;
    }();
    return List;
}

// The lines of List whose word ends with Ending, compared as characters: what the window must list,
// independently of its sort keys. An empty ending takes every line. List's DisplayText must hold the
// characters of the whole list.
inline std::vector<std::u16string> LinesEndingIn(std::u16string_view Ending,
                                                 const TWordList& List = RealWordList()) {
    const auto* text = reinterpret_cast<const char16_t*>(List.DisplayText.data());
    std::vector<std::u16string> lines;
    for (int32_t i = 0; i < List.LineCount; ++i) {
        const std::u16string_view word(text + List.LineStart[i],
                                       static_cast<std::size_t>(List.WordEnd[i] - List.LineStart[i] + 1));
        if (Ending.empty() || (!word.empty() && word.ends_with(Ending)))
            lines.emplace_back(text + List.LineStart[i],
                               static_cast<std::size_t>(List.LineEnd[i] - List.LineStart[i] + 1));
    }
    return lines;
}

class main_window_test : public ::testing::Test {
protected:
    void SetUp() override {
        PreviousHook = SetMessageHook([this](const TMessage& Message) { Messages.push_back(Message); });
        Window = std::make_unique<TForm1>();
        Window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Window.get()));
    }
    void TearDown() override {
        Window.reset();
        // The dialogs went with their owner.
        DlgStart = nullptr;
        DlgInfo = nullptr;
        SetMessageHook(PreviousHook);
    }

    // Types Keys into the input field: ASCII through QTest's keys, anything else with explicit text.
    void Type(const QString& Keys) {
        for (const QChar ch : Keys) {
            if (ch.unicode() >= 0x20 && ch.unicode() < 0x7F)
                QTest::keyClick(Window->RE1, ch.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, Window->RE1, Qt::Key(ch.toUpper().unicode()), QString(ch),
                                    Qt::NoModifier);
        }
    }
    void Press(Qt::Key Key) { QTest::keyClick(Window->RE1, Key); }
    void Click(int X, int Y, Qt::MouseButton Button = Qt::LeftButton) {
        QTest::mouseClick(Window->Image1, Button, Qt::NoModifier, QPoint(X, Y));
    }

    QString Field() const { return Window->RE1->text(); }
    QString Count() const { return Window->Panels[1]->text(); }
    QStringList ResultLines() const { return Window->RE2->toPlainText().split(u'\n'); }

    // The list shows exactly the first 4001 of Expected and counts them all.
    void ExpectHits(const std::vector<std::u16string>& Expected) {
        EXPECT_EQ(Count(), QString::number(Expected.size()));
        const QStringList shown = ResultLines();
        if (Expected.empty()) {
            EXPECT_EQ(shown, QStringList{u""_s});
            return;
        }
        ASSERT_EQ(shown.size(), static_cast<qsizetype>(std::min<std::size_t>(Expected.size(), 4001)));
        for (qsizetype i = 0; i < shown.size(); ++i)
            ASSERT_EQ(shown[i], QString::fromStdU16String(Expected[static_cast<std::size_t>(i)])) << i;
    }

    std::unique_ptr<TForm1> Window;
    std::vector<TMessage> Messages;
    TMessageHook PreviousHook;
};

// The window active, so that its short-cuts work, and a known text on the clipboard; helpers that mark
// and copy result lines and type short-cuts.
class menu_clipboard_test : public main_window_test {
protected:
    static constexpr char16_t Unchanged[] = u"unverändert";

    void SetUp() override {
        main_window_test::SetUp();
        Window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Window.get()));
        QApplication::clipboard()->setText(QString::fromUtf16(Unchanged));
    }

    QString Clipboard() const { return QApplication::clipboard()->text(); }
    int BlockStart(int Line) const { return Window->RE2->document()->findBlockByNumber(Line).position(); }
    // Marks the list from Anchor to Position (either may be the larger).
    void Mark(int Anchor, int Position) {
        QTextCursor cursor(Window->RE2->document());
        cursor.setPosition(Anchor);
        cursor.setPosition(Position, QTextCursor::KeepAnchor);
        Window->RE2->setTextCursor(cursor);
    }
    void CtrlC() { QTest::keyClick(Window->RE2, Qt::Key_C, Qt::ControlModifier); }
    void ClickList(Qt::MouseButton Button) {
        QTest::mouseClick(Window->RE2->viewport(), Button, Qt::NoModifier, QPoint(50, 20));
    }
    // A short-cut typed into the window; a closed dialog may have left it inactive.
    void Shortcut(Qt::Key Key, Qt::KeyboardModifiers Modifiers = Qt::AltModifier) {
        Window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Window.get()));
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : Window.get(), Key, Modifiers);
    }
};
