// Tests of the help viewer on the help file that the build compiles, through the real widgets offscreen.
#include "platform/HelpViewer.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
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

class help_viewer_test : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(QFile::exists(HelpFile)) << "run in " << KAVRINTO_BIN_DIR; }
    void TearDown() override { THelpViewer::CloseViewer(); }
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
    const struct {
        const char* Case;
        QString Path;
        ShowResult Expected;
    } Cases[] = {
        {"missing", Dir.filePath(u"HilfeKavrinto.chm"_s), ShowResult::NotFound},
        {"text file", Write(u"text.chm"_s, "Das ist keine Hilfedatei.\n"), ShowResult::Unreadable},
        {"empty file", Write(u"leer.chm"_s, {}), ShowResult::Unreadable},
        {"folder", Dir.filePath(u"ordner.chm"_s), ShowResult::Unreadable},
        {"header only", Write(u"kopf.chm"_s, Chm.left(120)), ShowResult::Unreadable},
        {"first 4 KiB", Write(u"4k.chm"_s, Chm.left(4096)), ShowResult::Unreadable},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Case);
        EXPECT_EQ(THelpViewer::ShowContents(C.Path), C.Expected);
        EXPECT_EQ(THelpViewer::Instance(), nullptr);
    }
}
