// The main window's test fixtures: a shown window on the real dictionary of the bin folder, message
// boxes recorded instead of shown, and helpers that type, click, mark and copy the result list.
#pragma once

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "app/Search.h"
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

// The child of Window (a widget, menu or action) of that object name.
template <class T> T* Find(const QObject& Window, const char* Name) {
    T* child = Window.findChild<T*>(QString::fromLatin1(Name));
    if (!child)
        qFatal("The window has no %s named %s.", T::staticMetaObject.className(), Name);
    return child;
}

class main_window_test : public ::testing::Test {
protected:
    void SetUp() override {
        PreviousHook = SetMessageHook([this](const TMessage& Message) { Messages.push_back(Message); });
        Window = std::make_unique<TForm1>();
        RE1 = Find<TRichEdit>(*Window, "RE1");
        Button1 = Find<QPushButton>(*Window, "Button1");
        RE2 = Find<TRichMemo>(*Window, "RE2");
        Image1 = Find<TImage>(*Window, "Image1");
        StatusBar1 = Find<QStatusBar>(*Window, "StatusBar1");
        Panel0 = Find<QLabel>(*Window, "Panel0");
        Panel1 = Find<QLabel>(*Window, "Panel1");
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
                QTest::keyClick(RE1, ch.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, RE1, Qt::Key(ch.toUpper().unicode()), QString(ch),
                                    Qt::NoModifier);
        }
    }
    void Press(Qt::Key Key) { QTest::keyClick(RE1, Key); }
    void Click(int X, int Y, Qt::MouseButton Button = Qt::LeftButton) {
        QTest::mouseClick(Image1, Button, Qt::NoModifier, QPoint(X, Y));
    }
    // A press on the picture that reaches it even while it is hidden.
    void PressPicture(int X, int Y) {
        const QPointF at(X, Y);
        QMouseEvent press(QEvent::MouseButtonPress, at, Image1->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Image1, &press);
    }
    void Trigger(const char* Action) { Find<QAction>(*Window, Action)->trigger(); }
    int32_t LineCount() const { return Window->LoadedWordList().LineCount; }

    QString Field() const { return RE1->text(); }
    QString Count() const { return Panel1->text(); }
    QStringList ResultLines() const { return RE2->toPlainText().split(u'\n'); }

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
    TRichEdit* RE1 = nullptr;
    QPushButton* Button1 = nullptr;
    TRichMemo* RE2 = nullptr;
    TImage* Image1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QLabel* Panel0 = nullptr; // "Treffer:"
    QLabel* Panel1 = nullptr; // the hit count
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
    int BlockStart(int Line) const { return RE2->document()->findBlockByNumber(Line).position(); }
    // Marks the list from Anchor to Position (either may be the larger).
    void Mark(int Anchor, int Position) {
        QTextCursor cursor(RE2->document());
        cursor.setPosition(Anchor);
        cursor.setPosition(Position, QTextCursor::KeepAnchor);
        RE2->setTextCursor(cursor);
    }
    void CtrlC() { QTest::keyClick(RE2, Qt::Key_C, Qt::ControlModifier); }
    void ClickList(Qt::MouseButton Button) {
        QTest::mouseClick(RE2->viewport(), Button, Qt::NoModifier, QPoint(50, 20));
    }
    // A short-cut typed into the window; a closed dialog may have left it inactive.
    void Shortcut(Qt::Key Key, Qt::KeyboardModifiers Modifiers = Qt::AltModifier) {
        Window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Window.get()));
        // The widgets learn of the activation after the window system's window: until then a short-cut
        // would still go to the closed dialog.
        ASSERT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == Window.get(); }));
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : Window.get(), Key, Modifiers);
    }
};
