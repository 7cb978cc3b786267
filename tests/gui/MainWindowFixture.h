// The main window's test fixture: a shown window on the real dictionary of the bin folder, message
// boxes recorded instead of shown, and helpers that type, click and read the result list.
#pragma once

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
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

// The lines of the real word list whose word ends with Ending, compared as characters: what the
// window must list, independently of its sort keys. An empty ending takes every line.
inline std::vector<std::u16string> LinesEndingIn(std::u16string_view Ending) {
    static TWordList List = [] {
        TWordList list;
        list.LoadWordList();
        list.ConvertRangeToChars(0, list.FileSize);
        return list;
    }();
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
