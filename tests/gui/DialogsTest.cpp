// Tests of the start and information dialogs and their pictures, through the real widgets offscreen.
#include "dialogs/DlgInfo.h"
#include "dialogs/DlgPictures.h"
#include "dialogs/DlgStart.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

constexpr QRgb Yellow = qRgb(255, 255, 0);

// Yellow, or yellow blended with something else: much red and green, little blue.
bool IsYellowish(QRgb Pixel) {
    return qRed(Pixel) >= 140 && qGreen(Pixel) >= 140 && qBlue(Pixel) <= 100;
}

int CountPixels(const QImage& Image, const std::function<bool(QRgb)>& Test) {
    const QImage Rgb = Image.convertToFormat(QImage::Format_RGB32);
    int Count = 0;
    for (int Y = 0; Y < Rgb.height(); ++Y)
        for (int X = 0; X < Rgb.width(); ++X)
            Count += Test(Rgb.pixel(X, Y)) ? 1 : 0;
    return Count;
}

// Runs Dialog modally; once it is shown, WhileShown runs and should end it. A dialog that does not
// end within five seconds is ended with -1, so that a fault fails the test instead of hanging it.
int ExecWith(QDialog* Dialog, const std::function<void()>& WhileShown) {
    QTimer::singleShot(0, Dialog, WhileShown);
    QTimer Guard;
    Guard.setSingleShot(true);
    QObject::connect(&Guard, &QTimer::timeout, Dialog, [Dialog] { Dialog->done(-1); });
    Guard.start(5000);
    const int Result = Dialog->exec();
    Guard.stop();
    return Result;
}

struct TLabelLayout {
    QLabel* Label;
    QString Text;
    QRect Rect;
    QString Family;
    int PixelHeight;
    bool Bold;
    QColor Colour; // invalid: the dialog's own text colour
};

void ExpectLabels(const std::vector<TLabelLayout>& Layouts) {
    for (const TLabelLayout& Expected : Layouts) {
        SCOPED_TRACE(Expected.Label->objectName().toStdString());
        EXPECT_EQ(Expected.Label->text(), Expected.Text);
        EXPECT_EQ(Expected.Label->geometry(), Expected.Rect);
        EXPECT_EQ(Expected.Label->font().family(), Expected.Family);
        EXPECT_EQ(Expected.Label->font().pixelSize(), Expected.PixelHeight);
        EXPECT_EQ(Expected.Label->font().bold(), Expected.Bold);
        if (Expected.Colour.isValid()) {
            EXPECT_EQ(Expected.Label->palette().color(QPalette::WindowText), Expected.Colour);
        }
        // The text must not be cut off by its rectangle.
        EXPECT_LE(QFontMetrics(Expected.Label->font()).horizontalAdvance(Expected.Text),
                  Expected.Label->width());
    }
}

void ExpectFixedFrame(QDialog& Dialog, const QString& Caption, QSize Client) {
    EXPECT_EQ(Dialog.windowTitle(), Caption);
    EXPECT_EQ(Dialog.size(), Client);
    EXPECT_EQ(Dialog.minimumSize(), Client);
    EXPECT_EQ(Dialog.maximumSize(), Client);
    const Qt::WindowFlags Flags = Dialog.windowFlags();
    EXPECT_FALSE(Flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(Flags & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(Flags & Qt::WindowCloseButtonHint);
}

void ExpectOkButton(QDialog& Dialog, QPushButton* OKBtn, const QRect& Rect) {
    EXPECT_EQ(OKBtn->text(), u"OK"_s);
    EXPECT_EQ(OKBtn->geometry(), Rect);
    EXPECT_TRUE(OKBtn->isDefault());
    EXPECT_EQ(Dialog.focusWidget(), OKBtn);
}

} // namespace

TEST(dialogs_test, start_dialog_has_its_layout) {
    TDlgStart Dlg;
    ExpectFixedFrame(Dlg, u"Kavrinto"_s, QSize(485, 378));
    ExpectOkButton(Dlg, Dlg.OKBtn, QRect(205, 340, 75, 25));
    EXPECT_EQ(Dlg.Image1->geometry(), QRect(8, 72, 469, 202));
    EXPECT_EQ(Dlg.Image1->pixmap().size(), QSize(469, 202));
    const QColor Red(255, 0, 0), Blue(0, 0, 255), Green(0, 128, 0);
    ExpectLabels({
        {Dlg.Label1, u"Kavrinto"_s, QRect(0, 8, 480, 29), u"Arial"_s, 24, true, Red},
        {Dlg.Label2, u"Erweiterte Version"_s, QRect(144, 48, 171, 22), u"Arial"_s, 19, true, Blue},
        {Dlg.Label3, u"Das Kavrinto-Team"_s, QRect(114, 272, 257, 22), u"Arial"_s, 19, false, Green},
        {Dlg.Label4, u"2010"_s, QRect(219, 304, 48, 24), u"Arial"_s, 21, true, Green},
    });
}

TEST(dialogs_test, info_dialog_has_its_layout) {
    TDlgInfo Dlg;
    ExpectFixedFrame(Dlg, u"Programminformation"_s, QSize(368, 261));
    ExpectOkButton(Dlg, Dlg.OKBtn, QRect(147, 228, 75, 25));
    EXPECT_EQ(Dlg.Bevel1->geometry(), QRect(8, 8, 353, 209));
    EXPECT_EQ(Dlg.Image1->geometry(), QRect(72, 16, 200, 50));
    const QString Sans = u"MS Sans Serif"_s;
    const QColor Own;
    ExpectLabels({
        {Dlg.Label1, u"Kavrinto"_s, QRect(16, 64, 335, 20), Sans, 16, true, Own},
        {Dlg.Label2, u"Version 2.0"_s, QRect(145, 88, 78, 16), Sans, 13, true, Own},
        {Dlg.Label3, u"Das Kavrinto-Team"_s, QRect(92, 112, 184, 16), Sans, 13, false, Own},
        {Dlg.Label4, u"Kavrinto-Projekt"_s, QRect(121, 144, 125, 20), Sans, 16, true, Own},
        {Dlg.Label5, u"Fehler:"_s, QRect(32, 176, 53, 16), Sans, 13, false, Own},
        {Dlg.Label6, u"Daten:"_s, QRect(32, 192, 49, 16), Sans, 13, false, Own},
        {Dlg.Label7, u"siehe Hilfe (F1)"_s, QRect(88, 176, 107, 16), Sans, 13, false, Own},
        {Dlg.Label8, u"hunspell-ru"_s, QRect(88, 192, 107, 16), Sans, 13, false, Own},
    });
}

TEST(dialogs_test, ok_enter_escape_and_close_box_all_end_with_ok) {
    TDlgStart Start;
    TDlgInfo Info;
    struct TWay {
        const char* Name;
        std::function<void(QDialog*, QPushButton*)> Close;
    };
    const std::vector<TWay> Ways{
        {"OK button", [](QDialog*, QPushButton* OK) { QTest::mouseClick(OK, Qt::LeftButton); }},
        {"Enter", [](QDialog* D, QPushButton*) { QTest::keyClick(D->focusWidget(), Qt::Key_Return); }},
        {"Escape", [](QDialog* D, QPushButton*) { QTest::keyClick(D->focusWidget(), Qt::Key_Escape); }},
        {"close box", [](QDialog* D, QPushButton*) { D->close(); }},
    };
    for (auto [Dialog, OK] : {std::pair<QDialog*, QPushButton*>{&Start, Start.OKBtn}, {&Info, Info.OKBtn}}) {
        for (const TWay& Way : Ways) {
            SCOPED_TRACE(Dialog->objectName().toStdString() + ", " + Way.Name);
            bool HadFocus = false;
            const int Result = ExecWith(Dialog, [&, Dialog = Dialog, OK = OK] {
                HadFocus = Dialog->focusWidget() == OK;
                Way.Close(Dialog, OK);
            });
            EXPECT_EQ(Result, QDialog::Accepted);
            EXPECT_TRUE(HadFocus);
            EXPECT_FALSE(Dialog->isVisible());
        }
    }
}

TEST(dialogs_test, info_dialog_opens_any_number_of_times_and_looks_the_same) {
    TDlgInfo Dlg;
    std::vector<QImage> Looks;
    for (int Showing = 0; Showing < 4; ++Showing) {
        const int Result = ExecWith(&Dlg, [&] {
            Looks.push_back(Dlg.grab().toImage());
            QTest::keyClick(Dlg.focusWidget(), Qt::Key_Return);
        });
        EXPECT_EQ(Result, QDialog::Accepted);
    }
    ASSERT_EQ(Looks.size(), 4u);
    for (const QImage& Look : Looks)
        EXPECT_TRUE(Look == Looks.front());
}

// The client area stands in the middle of the screen at every showing, not only at the first, when the
// frame is not yet known; and every showing has the window type that makes openbox leave the minimise and
// maximise boxes off.
TEST(dialogs_test, both_dialogs_stand_centred_in_their_frame_at_every_showing) {
    TDlgStart Start;
    TDlgInfo Info;
    for (QDialog* Dialog : std::initializer_list<QDialog*>{&Start, &Info}) {
        SCOPED_TRACE(Dialog->objectName().toStdString());
        std::vector<QRect> Places;
        for (int Showing = 0; Showing < 3; ++Showing)
            ExecWith(Dialog, [&] {
                Places.push_back(Dialog->geometry());
                EXPECT_TRUE(Dialog->testAttribute(Qt::WA_X11NetWmWindowTypeToolBar));
                Dialog->accept();
            });
        ASSERT_EQ(Places.size(), 3u);
        const QPoint Middle = Dialog->screen()->availableGeometry().center();
        for (const QRect& Place : Places) {
            EXPECT_EQ(Place, Places.front());
            EXPECT_LE((Place.center() - Middle).manhattanLength(), 2);
        }
    }
}

TEST(dialogs_test, no_yellow_shows_in_either_dialog) {
    TDlgStart Start;
    TDlgInfo Info;
    for (QDialog* Dialog : std::initializer_list<QDialog*>{&Start, &Info}) {
        SCOPED_TRACE(Dialog->objectName().toStdString());
        QImage Look;
        ExecWith(Dialog, [&] {
            Look = Dialog->grab().toImage();
            Dialog->accept();
        });
        ASSERT_FALSE(Look.isNull());
        EXPECT_EQ(CountPixels(Look, IsYellowish), 0);
        // The picture itself does show: its red endings are there.
        EXPECT_GT(CountPixels(Look, [](QRgb P) { return P == qRgb(220, 0, 0); }), 50);
    }
}

TEST(dialogs_test, pictures_are_24_bit_on_pure_yellow_with_hard_edges) {
    for (const auto& [Picture, Size] :
         {std::pair{StartPicture(), QSize(469, 202)}, {LogoPicture(), QSize(200, 50)}}) {
        SCOPED_TRACE(Size.width());
        EXPECT_EQ(Picture.size(), Size);
        EXPECT_EQ(Picture.depth(), 24);
        EXPECT_EQ(Picture.pixel(0, Picture.height() - 1), Yellow);
        // Every pixel is pure yellow or plainly not yellow: no edge is blended into the background.
        EXPECT_EQ(CountPixels(Picture, [](QRgb P) { return P != Yellow && IsYellowish(P); }), 0);
        EXPECT_GT(CountPixels(Picture, [](QRgb P) { return P == Yellow; }), Size.width() * Size.height() / 3);

        // Drawn transparently: exactly the yellow pixels are left out.
        const QImage Shown = TransparentPixmap(Picture).toImage().convertToFormat(QImage::Format_ARGB32);
        const QImage Rgb = Picture.convertToFormat(QImage::Format_RGB32);
        int Wrong = 0;
        for (int Y = 0; Y < Rgb.height(); ++Y)
            for (int X = 0; X < Rgb.width(); ++X)
                Wrong += (qAlpha(Shown.pixel(X, Y)) == 0) != (Rgb.pixel(X, Y) == Yellow) ? 1 : 0;
        EXPECT_EQ(Wrong, 0);
    }
}

// The icon in every size the theme gets: square, see-through outside its rounded square, the logo's
// yellow and book inside.
TEST(dialogs_test, program_icon_shows_the_logo_in_every_size) {
    for (const int Size : ProgramIconSizes) {
        SCOPED_TRACE(Size);
        const QImage Icon = ProgramIcon(Size).convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(Icon.size(), QSize(Size, Size));
        for (const QPoint Corner :
             {QPoint(0, 0), QPoint(Size - 1, 0), QPoint(0, Size - 1), QPoint(Size - 1, Size - 1)})
            EXPECT_EQ(qAlpha(Icon.pixel(Corner)), 0);
        EXPECT_EQ(qAlpha(Icon.pixel(Size / 2, Size / 2)), 255);
        EXPECT_GT(CountPixels(Icon, [](QRgb P) { return P == qRgba(255, 255, 0, 255); }), Size * Size / 20);
        EXPECT_GT(CountPixels(Icon, [](QRgb P) { return P == qRgba(255, 255, 255, 255); }), Size * Size / 20);
    }
}

// The information dialog sends a user with a fault to the help, which the package installs: the page
// that F1 opens says how to report one. No page gives the steps of a build tree (those are the README's).
TEST(dialogs_test, info_dialog_points_to_the_help_page_on_reporting_faults) {
    TDlgInfo Dlg;
    EXPECT_EQ(Dlg.Label5->text(), u"Fehler:"_s);
    EXPECT_EQ(Dlg.Label7->text(), u"siehe Hilfe (F1)"_s);

    const QDir Help(QStringLiteral(KAVRINTO_HELP_SOURCE_DIR));
    const auto Read = [&Help](const QString& Name) {
        QFile File(Help.filePath(Name));
        EXPECT_TRUE(File.open(QIODevice::ReadOnly)) << Name.toStdString();
        return QString::fromUtf8(File.readAll());
    };
    const QString Project = Read(u"HilfeKavrinto.hhp"_s);
    const qsizetype At = Project.indexOf(u"Default topic="_s);
    ASSERT_GE(At, 0);
    const QString StartPage = Project.mid(At + 14, Project.indexOf(u'\n', At) - At - 14).trimmed();
    EXPECT_EQ(StartPage, u"einfuehrung.html"_s);
    const QString Start = Read(StartPage);
    EXPECT_TRUE(Start.contains(u"<h2 id=\"fehler\">Fehler melden</h2>"_s));
    EXPECT_TRUE(Start.contains(u"dpkg -s kavrinto"_s));

    const QStringList Pages = Help.entryList({u"*.html"_s});
    EXPECT_GE(Pages.size(), 8);
    for (const QString& Page : Pages) {
        SCOPED_TRACE(Page.toStdString());
        const QString Text = Read(Page);
        for (const QString& Developer : {u"build/"_s, u"README"_s, u"./kavrinto"_s, u"cd "_s})
            EXPECT_FALSE(Text.contains(Developer)) << Developer.toStdString();
    }
}

TEST(dialogs_test, start_picture_words_are_dictionary_words_with_their_ending) {
    QFile Dic(QStringLiteral(KAVRINTO_HUNSPELL_DIC));
    ASSERT_TRUE(Dic.open(QIODevice::ReadOnly | QIODevice::Text));
    QSet<QString> Words;
    Dic.readLine(); // the word count
    while (!Dic.atEnd()) {
        const QString Line = QString::fromUtf8(Dic.readLine()).trimmed();
        Words.insert(Line.left(Line.indexOf(u'/')));
    }
    ASSERT_GT(Words.size(), 100000);

    for (const auto& [Column, Ending] : {std::pair{StartPictureLeftWords(), StartPictureLeftEnding},
                                         {StartPictureRightWords(), StartPictureRightEnding}}) {
        EXPECT_EQ(Column.size(), 9);
        EXPECT_EQ(QSet<QString>(Column.begin(), Column.end()).size(), 9);
        for (const QString& Word : Column) {
            SCOPED_TRACE(Word.toStdString());
            EXPECT_TRUE(Word.endsWith(Ending));
            EXPECT_TRUE(Words.contains(Word));
        }
    }
    EXPECT_EQ(StartPictureLeftEnding, u"ай"_s);
    EXPECT_EQ(StartPictureRightEnding, u"пор"_s);
}
