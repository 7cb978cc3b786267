// Tests of the help viewer on the help file that the build compiles, through the real widgets offscreen.
#include "platform/HelpViewer.h"

#include <sys/stat.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// Readable failure messages.
void PrintTo(const QString& Text, std::ostream* Out) {
    *Out << '"' << Text.toStdString() << '"';
}
void PrintTo(const QUrl& Url, std::ostream* Out) {
    *Out << Url.toString().toStdString();
}

namespace {

using ShowResult = THelpViewer::ShowResult;

// The tests run in the folder of the programs, where the build puts the help file.
const QString HelpFile = QDir::current().absoluteFilePath(u"HilfeKavrinto.chm"_s);

// The reader program of the build; the test programs do not lie beside it.
const QString Reader = QStringLiteral(KAVRINTO_HELP_READER);

class help_viewer_test : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QFile::exists(HelpFile)) << "run in " << KAVRINTO_BIN_DIR;
        THelpViewer::SetReader(Reader);
    }
    void TearDown() override {
        THelpViewer::CloseViewer();
        THelpViewer::SetReader({});
    }
};

// The tree as text: "Name{Child,Child{Grandchild}},Name".
QString Outline(const QTreeWidgetItem* Item) {
    QString Text = Item->text(0);
    if (Item->childCount() > 0) {
        QStringList Children;
        for (int I = 0; I < Item->childCount(); ++I)
            Children << Outline(Item->child(I));
        Text += u'{' + Children.join(u',') + u'}';
    }
    return Text;
}

QString Outline(const QTreeWidget* Tree) {
    QStringList Items;
    for (int I = 0; I < Tree->topLevelItemCount(); ++I)
        Items << Outline(Tree->topLevelItem(I));
    return Items.join(u',');
}

QTreeWidgetItem* FindItem(QTreeWidget* Tree, const QString& Name) {
    for (QTreeWidgetItemIterator It(Tree); *It; ++It)
        if ((*It)->text(0) == Name)
            return *It;
    return nullptr;
}

} // namespace

TEST_F(help_viewer_test, lists_the_nested_contents_of_the_built_file_and_opens_its_first_page) {
    ASSERT_EQ(THelpViewer::ShowContents(HelpFile), ShowResult::Opened);
    THelpViewer* Viewer = THelpViewer::Instance();
    ASSERT_NE(Viewer, nullptr);
    EXPECT_TRUE(Viewer->isVisible());
    EXPECT_FALSE(Viewer->isModal());
    EXPECT_EQ(Viewer->windowTitle(), u"Hilfe zu Kavrinto"_s);
    EXPECT_EQ(Outline(Viewer->Contents),
              u"Willkommen bei Kavrinto{Russisch tippen auf der deutschen Tastatur{Die Tastenbelegung},"
              u"Die Bildschirmtastatur},"
              u"Suchen und kopieren{Was ist eine Endungssuche?,Treffer kopieren},"
              u"Menü und Tastenkürzel,Die Daten und ihre Lizenz,Die Formenliste,Weitere Programme"_s);

    EXPECT_EQ(Viewer->Page->source(), QUrl(u"chm:///einfuehrung.html"_s));
    EXPECT_EQ(Viewer->Contents->currentItem()->text(0), u"Willkommen bei Kavrinto"_s);
    const QString Text = Viewer->Page->toPlainText();
    EXPECT_TRUE(Text.contains(u"rückläufiges Wörterbuch"_s)) << Text.toStdString();
}

TEST_F(help_viewer_test, shows_pages_with_their_links_style_and_picture_from_inside_the_file) {
    ASSERT_EQ(THelpViewer::ShowContents(HelpFile), ShowResult::Opened);
    THelpViewer* Viewer = THelpViewer::Instance();

    Viewer->Contents->setCurrentItem(FindItem(Viewer->Contents, u"Was ist eine Endungssuche?"_s));
    EXPECT_EQ(Viewer->Page->source(), QUrl(u"chm:///endungssuche.html"_s));
    const QString Text = Viewer->Page->toPlainText();
    EXPECT_TRUE(Text.contains(u"Was ist eine Endungssuche?"_s));
    EXPECT_TRUE(Text.contains(u"радость"_s));

    const QImage Picture = QImage::fromData(
        Viewer->Page->loadResource(QTextDocument::ImageResource, QUrl(u"chm:///start.png"_s)).toByteArray());
    EXPECT_EQ(Picture.size(), QSize(469, 202));
    EXPECT_TRUE(Viewer->Page->loadResource(QTextDocument::StyleSheetResource, QUrl(u"chm:///hilfe.css"_s))
                    .toString()
                    .contains(u"body"_s));
    // Nothing outside the file is read.
    EXPECT_FALSE(
        Viewer->Page->loadResource(QTextDocument::HtmlResource, QUrl(u"chm:///fehlt.html"_s)).isValid());
    EXPECT_FALSE(
        Viewer->Page->loadResource(QTextDocument::HtmlResource, QUrl::fromLocalFile(HelpFile)).isValid());

    // A link followed in the page moves the table of contents along.
    Viewer->Page->setSource(Viewer->Page->source().resolved(QUrl(u"kopieren.html"_s)));
    EXPECT_EQ(Viewer->Page->source(), QUrl(u"chm:///kopieren.html"_s));
    EXPECT_EQ(Viewer->Contents->currentItem()->text(0), u"Treffer kopieren"_s);
    EXPECT_TRUE(Viewer->Page->toPlainText().contains(u"400 Zeichen"_s));

    // An entry with an anchor opens its page at that place.
    Viewer->Contents->setCurrentItem(FindItem(Viewer->Contents, u"Die Tastenbelegung"_s));
    EXPECT_EQ(Viewer->Page->source(), QUrl(u"chm:///tippen.html#tabelle"_s));
    EXPECT_TRUE(Viewer->Page->toPlainText().contains(u"йцукен"_s, Qt::CaseInsensitive) ||
                Viewer->Page->toPlainText().contains(u"ЙЦУКЕН"_s));
}

TEST_F(help_viewer_test, opening_again_brings_the_same_viewer_to_the_front) {
    ASSERT_EQ(THelpViewer::ShowContents(HelpFile), ShowResult::Opened);
    THelpViewer* Viewer = THelpViewer::Instance();
    Viewer->Contents->setCurrentItem(FindItem(Viewer->Contents, u"Treffer kopieren"_s));

    EXPECT_EQ(THelpViewer::ShowContents(HelpFile), ShowResult::Opened);
    EXPECT_EQ(THelpViewer::Instance(), Viewer);
    EXPECT_EQ(Viewer->Page->source(), QUrl(u"chm:///kopieren.html"_s));

    // Once the user has closed it, the next opening builds a new viewer.
    Viewer->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(THelpViewer::Instance(), nullptr);
    EXPECT_EQ(THelpViewer::ShowContents(HelpFile), ShowResult::Opened);
    ASSERT_NE(THelpViewer::Instance(), nullptr);
    EXPECT_TRUE(THelpViewer::Instance()->isVisible());
}

TEST_F(help_viewer_test, closes_with_the_main_window_and_never_keeps_the_program_alive) {
    QWidget MainWindow;
    MainWindow.show();
    ASSERT_EQ(THelpViewer::ShowContents(HelpFile, &MainWindow), ShowResult::Opened);
    EXPECT_TRUE(MainWindow.isVisible()); // not modal: the main window goes on
    EXPECT_FALSE(THelpViewer::Instance()->testAttribute(Qt::WA_QuitOnClose));
    MainWindow.close();
    EXPECT_EQ(THelpViewer::Instance(), nullptr);

    auto* Destroyed = new QWidget;
    ASSERT_EQ(THelpViewer::ShowContents(HelpFile, Destroyed), ShowResult::Opened);
    delete Destroyed;
    EXPECT_EQ(THelpViewer::Instance(), nullptr);
}

TEST_F(help_viewer_test, missing_file_is_not_found_and_damaged_files_are_unreadable) {
    QTemporaryDir Dir;
    ASSERT_TRUE(Dir.isValid());
    QFile Real(HelpFile);
    ASSERT_TRUE(Real.open(QIODevice::ReadOnly));
    const QByteArray Chm = Real.readAll();

    const auto Write = [&](const QString& Name, const QByteArray& Data) {
        QFile File(Dir.filePath(Name));
        EXPECT_TRUE(File.open(QIODevice::WriteOnly));
        File.write(Data);
        return File.fileName();
    };
    QDir(Dir.path()).mkdir(u"ordner.chm"_s);
    // A reader that opened a FIFO would wait for a writer for ever.
    ASSERT_EQ(mkfifo(QFile::encodeName(Dir.filePath(u"fifo.chm"_s)).constData(), 0600), 0);
    const struct {
        const char* Case;
        QString Path;
        ShowResult Expected;
    } Cases[] = {
        {"missing", Dir.filePath(u"HilfeKavrinto.chm"_s), ShowResult::NotFound},
        {"text file", Write(u"text.chm"_s, "Das ist keine Hilfedatei.\n"), ShowResult::Unreadable},
        {"empty file", Write(u"leer.chm"_s, {}), ShowResult::Unreadable},
        {"folder", Dir.filePath(u"ordner.chm"_s), ShowResult::Unreadable},
        {"FIFO", Dir.filePath(u"fifo.chm"_s), ShowResult::Unreadable},
        {"header only", Write(u"kopf.chm"_s, Chm.left(120)), ShowResult::Unreadable},
        {"first 4 KiB", Write(u"4k.chm"_s, Chm.left(4096)), ShowResult::Unreadable},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Case);
        EXPECT_EQ(THelpViewer::ShowContents(C.Path), C.Expected);
        EXPECT_EQ(THelpViewer::Instance(), nullptr);
    }
}

TEST_F(help_viewer_test, escape_closes_the_viewer_from_the_contents_and_from_the_page) {
    for (const char* Target : {"Contents", "Page"}) {
        SCOPED_TRACE(Target);
        ASSERT_EQ(THelpViewer::ShowContents(HelpFile), ShowResult::Opened);
        THelpViewer* Viewer = THelpViewer::Instance();
        QWidget* Focus = Viewer->findChild<QWidget*>(QString::fromLatin1(Target));
        ASSERT_NE(Focus, nullptr);
        // A key with a modifier is not Escape alone.
        QTest::keyClick(Focus, Qt::Key_Escape, Qt::ShiftModifier);
        EXPECT_TRUE(Viewer->isVisible());
        QTest::keyClick(Focus, Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(THelpViewer::Instance(), nullptr);
    }
}

TEST_F(help_viewer_test, a_reader_that_crashes_hangs_fails_or_talks_nonsense_leaves_the_file_unreadable) {
    QTemporaryDir Dir;
    ASSERT_TRUE(Dir.isValid());
    // Stand-ins for the reader: shell scripts that go wrong in one way each; some run the real reader
    // first.
    const auto Script = [&](const QString& Name, const QByteArray& Body) {
        QFile File(Dir.filePath(Name));
        EXPECT_TRUE(File.open(QIODevice::WriteOnly));
        File.write("#!/bin/sh\nREADER='" + QFile::encodeName(Reader) + "'\n" + Body + "\n");
        File.close();
        File.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        return File.fileName();
    };
    constexpr int TimeLimitMs = 1000;
    const struct {
        const char* Case;
        QString Program;
    } Cases[] = {
        {"crashes", Script(u"crash"_s, "kill -SEGV $$")},
        {"runs past the time limit", Script(u"hang"_s, "exec sleep 20")},
        {"writes without end", Script(u"endless"_s, "exec cat /dev/zero")},
        {"fails after a whole stream", Script(u"fail"_s, "\"$READER\" \"$1\"; exit 3")},
        {"stops in the middle of the stream", Script(u"cut"_s, "\"$READER\" \"$1\" | head -c 3000")},
        {"adds a byte after the stream", Script(u"more"_s, "\"$READER\" \"$1\"; echo")},
        {"writes nonsense", Script(u"nonsense"_s, "echo Unsinn")},
        {"writes a stream without a table of contents",
         Script(u"nothing"_s, "printf 'KAVRINTO-HILFE 1\\nENDE 0\\n'")},
        {"is missing", Dir.filePath(u"fehlt"_s)},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Case);
        THelpViewer::SetReader(C.Program, TimeLimitMs);
        QElapsedTimer Clock;
        Clock.start();
        EXPECT_EQ(THelpViewer::ShowContents(HelpFile), ShowResult::Unreadable);
        EXPECT_LT(Clock.elapsed(), TimeLimitMs + 2000);
        EXPECT_EQ(THelpViewer::Instance(), nullptr);
    }
    // The same file through the real reader.
    THelpViewer::SetReader(Reader);
    EXPECT_EQ(THelpViewer::ShowContents(HelpFile), ShowResult::Opened);
}

TEST_F(help_viewer_test, damaged_files_that_crash_chmlib_are_unreadable_and_the_program_goes_on) {
    const QDir Damaged(QStringLiteral(KAVRINTO_TEST_DATA_DIR "/damaged-help"));
    const QStringList Files = Damaged.entryList({u"*.chm"_s}, QDir::Files, QDir::Name);
    ASSERT_FALSE(Files.isEmpty()) << Damaged.path().toStdString();
    for (const QString& Name : Files) {
        SCOPED_TRACE(Name.toStdString());
        const QString Path = Damaged.filePath(Name);
        // The copy still breaks chmlib: the reader crashes on it.
        QProcess Direct;
        Direct.setStandardOutputFile(QProcess::nullDevice());
        Direct.setStandardErrorFile(QProcess::nullDevice());
        Direct.start(Reader, {Path});
        ASSERT_TRUE(Direct.waitForFinished(10000));
        EXPECT_EQ(Direct.exitStatus(), QProcess::CrashExit) << "exit " << Direct.exitCode();

        EXPECT_EQ(THelpViewer::ShowContents(Path), ShowResult::Unreadable);
        EXPECT_EQ(THelpViewer::Instance(), nullptr);
    }
    EXPECT_EQ(THelpViewer::ShowContents(HelpFile), ShowResult::Opened);
}

TEST_F(help_viewer_test, without_a_named_reader_the_one_beside_the_running_program_reads) {
    THelpViewer::SetReader({});
    const QString Beside = QCoreApplication::applicationDirPath() + u"/kavrinto-hilfeleser"_s;
    ASSERT_FALSE(QFile::exists(Beside)) << "the test programs lie apart from the programs";
    EXPECT_EQ(THelpViewer::ShowContents(HelpFile), ShowResult::Unreadable);

    const struct TRemove {
        QString Path;
        ~TRemove() { QFile::remove(Path); }
    } Copy{Beside};
    ASSERT_TRUE(QFile::copy(Reader, Beside));
    EXPECT_EQ(THelpViewer::ShowContents(HelpFile), ShowResult::Opened);
}
