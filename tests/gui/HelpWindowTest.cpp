// The main window's help command on damaged help files: a message each time, and the window goes on.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/Unit1.h"
#include "platform/HelpViewer.h"
#include "platform/MessageBox.h"

using namespace Qt::StringLiterals;

namespace {

// Puts a copy of From at To, over what lies there.
bool CopyOver(const QString& From, const QString& To) {
    QFile::remove(To);
    return QFile::copy(From, To);
}

} // namespace

TEST(help_window_test, f1_on_damaged_help_files_shows_the_message_and_the_window_goes_on) {
    THelpViewer::SetReader(QStringLiteral(KAVRINTO_HELP_READER));
    std::vector<TMessage> Messages;
    const TMessageHook Previous =
        SetMessageHook([&Messages](const TMessage& Message) { Messages.push_back(Message); });
    const QString Bin = QDir::currentPath();
    const QDir Damaged(QStringLiteral(KAVRINTO_TEST_DATA_DIR "/damaged-help"));
    const QStringList Files = Damaged.entryList({u"*.chm"_s}, QDir::Files, QDir::Name);
    ASSERT_FALSE(Files.isEmpty());

    // The window takes its help file from the folder it starts in, its word list from the bin folder.
    QTemporaryDir Dir;
    ASSERT_TRUE(Dir.isValid());
    const QString HelpFile = Dir.filePath(u"HilfeKavrinto.chm"_s);
    ASSERT_TRUE(QDir::setCurrent(Dir.path()));
    auto Window = std::make_unique<TForm1>();
    ASSERT_TRUE(QDir::setCurrent(Bin));
    Window->show();
    Window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Window.get()));
    const auto PressF1 = [&Window] {
        QWidget* Focus = QApplication::focusWidget();
        QTest::keyClick(Focus != nullptr ? Focus : Window.get(), Qt::Key_F1);
    };

    for (const QString& Name : Files) {
        SCOPED_TRACE(Name.toStdString());
        ASSERT_TRUE(CopyOver(Damaged.filePath(Name), HelpFile));
        const std::size_t Before = Messages.size();
        PressF1();
        ASSERT_EQ(Messages.size(), Before + 1);
        EXPECT_EQ(Messages.back().Text, u"Die Hilfedatei konnte nicht gelesen werden."_s);
        EXPECT_EQ(THelpViewer::Instance(), nullptr);
        EXPECT_TRUE(Window->isVisible());
    }

    // The sound file opens from the same window.
    ASSERT_TRUE(CopyOver(Bin + u"/HilfeKavrinto.chm"_s, HelpFile));
    const std::size_t Before = Messages.size();
    PressF1();
    EXPECT_EQ(Messages.size(), Before);
    ASSERT_NE(THelpViewer::Instance(), nullptr);
    EXPECT_EQ(THelpViewer::Instance()->FilePath(), HelpFile);

    Window.reset();
    EXPECT_EQ(THelpViewer::Instance(), nullptr);
    SetMessageHook(Previous);
    THelpViewer::SetReader({});
}
