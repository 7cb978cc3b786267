// The pictures of the two dialogs, drawn with QPainter on pure yellow.
#include "dialogs/DlgPictures.h"

#include "dialogs/DlgLayout.h"

#include <QBitmap>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// The background colour that the dialogs leave out.
constexpr QRgb Yellow = qRgb(255, 255, 0);

constexpr QRgb WordColour = qRgb(0, 0, 160);
constexpr QRgb EndingColour = qRgb(220, 0, 0);
constexpr QRgb CoverColour = qRgb(128, 24, 24);
constexpr QRgb PageColour = qRgb(255, 255, 255);
constexpr QRgb EdgeColour = qRgb(160, 160, 160);
constexpr QRgb InkColour = qRgb(0, 0, 0);
constexpr QRgb LineColour = qRgb(140, 140, 140);

// Everything that touches the yellow is drawn without antialiasing: a blended edge pixel would be
// yellowish without being pure yellow, and would stay visible when the yellow is left out.
QFont EdgeFont(int PixelHeight, bool Bold) {
    QFont Font = DlgFont(u"Arial"_s, PixelHeight, Bold);
    Font.setStyleStrategy(QFont::NoAntialias);
    return Font;
}

// Text as a filled outline: the platform's glyph rendering may antialias (even subpixel) whatever the
// font asks for, a path filled without antialiasing never does.
void DrawHardText(QPainter& Painter, int X, int Baseline, const QString& Text, QRgb Colour) {
    QPainterPath Path;
    Path.addText(X, Baseline, Painter.font(), Text);
    Painter.fillPath(Path, QColor(Colour));
}

// One page of an open book: its outer edge is straight, its top and bottom curve down to the spine.
QPainterPath PagePath(const QRect& Area, bool Left) {
    const double Spine = Area.left() + Area.width() / 2.0;
    const double Outer = Left ? Area.left() : Area.right();
    const double Top = Area.top(), Bottom = Area.bottom(), Sag = Area.height() / 12.0;
    const double Near = Spine + (Outer - Spine) * 0.35, Far = Spine + (Outer - Spine) * 0.75;
    QPainterPath Path;
    Path.moveTo(Spine, Top + Sag);
    Path.cubicTo(Near, Top - Sag / 2, Far, Top - Sag / 2, Outer, Top);
    Path.lineTo(Outer, Bottom - Sag);
    Path.cubicTo(Far, Bottom - Sag * 1.5, Near, Bottom - Sag * 1.5, Spine, Bottom);
    Path.closeSubpath();
    return Path;
}

// An open book in Area: a cover that shows below the pages, two pages with right- and left-aligned
// lines of text, and the spine.
void DrawBook(QPainter& Painter, const QRect& Area) {
    const int Step = std::max(4, Area.height() / 16);
    const int Spine = Area.left() + Area.width() / 2;
    Painter.setPen(QPen(QColor(InkColour), 1));
    Painter.setBrush(QColor(CoverColour));
    for (const bool Left : {true, false}) {
        Painter.drawPath(
            PagePath(Area.adjusted(Left ? -Step / 2 : 0, Step, Left ? 0 : Step / 2, Step), Left));
        Painter.setBrush(QColor(EdgeColour));
        Painter.drawPath(PagePath(Area.adjusted(Left ? 2 : 0, Step / 2, Left ? 0 : -2, Step / 4), Left));
        Painter.setBrush(QColor(PageColour));
        Painter.drawPath(PagePath(Area.adjusted(Left ? 3 : 0, 0, Left ? 0 : -3, 0), Left));
        Painter.setBrush(QColor(CoverColour));
    }
    // Lines of text inside the pages, of changing lengths; on the left page they end at the same
    // place, as in a reverse dictionary.
    Painter.setPen(QPen(QColor(LineColour), 1));
    const int Margin = std::max(3, Area.width() / 24);
    int Row = 0;
    for (int Y = Area.top() + 3 * Step; Y < Area.bottom() - 2 * Step; Y += Step, ++Row) {
        const int Shorten = (Row * 37 % 11) * Area.width() / 80;
        Painter.drawLine(Area.left() + 2 * Margin + Shorten, Y, Spine - Margin, Y);
        Painter.drawLine(Spine + Margin, Y, Area.right() - 2 * Margin - (Row * 23 % 7) * Area.width() / 60,
                         Y);
    }
    Painter.setPen(QPen(QColor(InkColour), 1));
    Painter.drawLine(Spine, Area.top() + Area.height() / 12, Spine, Area.bottom());
}

// Words right-aligned at RightEdge so that their endings stand one under the other; the ending in red.
void DrawWordColumn(QPainter& Painter, const QStringList& Words, const QString& Ending, int RightEdge,
                    int FirstBaseline, int LineHeight) {
    const QFontMetrics Metrics(Painter.font());
    const int EndingLeft = RightEdge - Metrics.horizontalAdvance(Ending);
    int Baseline = FirstBaseline;
    for (const QString& Word : Words) {
        const QString Stem = Word.left(Word.size() - Ending.size());
        DrawHardText(Painter, EndingLeft, Baseline, Ending, EndingColour);
        DrawHardText(Painter, EndingLeft - Metrics.horizontalAdvance(Stem), Baseline, Stem, WordColour);
        Baseline += LineHeight;
    }
}

int WidestWord(const QFontMetrics& Metrics, const QStringList& Words) {
    int Widest = 0;
    for (const QString& Word : Words)
        Widest = std::max(Widest, Metrics.horizontalAdvance(Word));
    return Widest;
}

QImage NewYellowPicture(int Width, int Height) {
    QImage Picture(Width, Height, QImage::Format_RGB32);
    Picture.fill(Yellow);
    return Picture;
}

} // namespace

QStringList StartPictureLeftWords() {
    return {u"чай"_s,    u"край"_s,    u"сарай"_s,   u"случай"_s, u"урожай"_s,
            u"обычай"_s, u"трамвай"_s, u"каравай"_s, u"попугай"_s};
}

QStringList StartPictureRightWords() {
    return {u"спор"_s,  u"упор"_s,   u"отпор"_s,  u"напор"_s, u"топор"_s,
            u"рупор"_s, u"штопор"_s, u"стопор"_s, u"ступор"_s};
}

QImage StartPicture() {
    QImage Picture = NewYellowPicture(469, 202);
    QPainter Painter(&Picture);
    Painter.setRenderHint(QPainter::Antialiasing, false);

    const QRect Book(138, 34, 193, 140);
    DrawBook(Painter, Book);

    Painter.setFont(EdgeFont(17, true));
    const QFontMetrics Metrics(Painter.font());
    const int LineHeight = 21, Gap = 14;
    const int FirstBaseline = (Picture.height() - 8 * LineHeight - Metrics.height()) / 2 + Metrics.ascent();
    DrawWordColumn(Painter, StartPictureLeftWords(), StartPictureLeftEnding, Book.left() - Gap, FirstBaseline,
                   LineHeight);
    const int RightEdge = Book.right() + Gap + WidestWord(Metrics, StartPictureRightWords());
    DrawWordColumn(Painter, StartPictureRightWords(), StartPictureRightEnding, RightEdge, FirstBaseline,
                   LineHeight);
    Painter.end();
    return Picture.convertToFormat(QImage::Format_RGB888);
}

QImage LogoPicture() {
    QImage Picture = NewYellowPicture(200, 50);
    QPainter Painter(&Picture);
    Painter.setRenderHint(QPainter::Antialiasing, false);

    DrawBook(Painter, QRect(4, 9, 44, 32));

    // "Reverse dictionary" in Russian and in German.
    Painter.setFont(EdgeFont(13, true));
    DrawHardText(Painter, 54, 20, u"ОБРАТНЫЙ СЛОВАРЬ"_s, EndingColour);
    Painter.setFont(EdgeFont(12, true));
    DrawHardText(Painter, 54, 38, u"rückläufiges Wörterbuch"_s, WordColour);
    Painter.end();
    return Picture.convertToFormat(QImage::Format_RGB888);
}

QImage ProgramIcon(int Size) {
    QImage Picture(Size, Size, QImage::Format_ARGB32_Premultiplied);
    Picture.fill(Qt::transparent);
    QPainter Painter(&Picture);
    // Laid out on 48 x 48 units, the logo's scale, and scaled to the size asked for. Here nothing is
    // left out by colour, so the edges may be smooth.
    Painter.setRenderHint(QPainter::Antialiasing, true);
    Painter.scale(Size / 48.0, Size / 48.0);
    Painter.setPen(QPen(QColor(CoverColour), 1.5));
    Painter.setBrush(QColor(Yellow));
    Painter.drawRoundedRect(QRectF(1.5, 1.5, 45, 45), 7, 7);
    DrawBook(Painter, QRect(4, 9, 40, 28));
    Painter.end();
    return Picture;
}

QPixmap TransparentPixmap(const QImage& Picture) {
    if (Picture.isNull())
        return {};
    const QImage Rgb = Picture.convertToFormat(QImage::Format_RGB32);
    const QRgb Key = Rgb.pixel(0, Rgb.height() - 1);
    QPixmap Pixmap = QPixmap::fromImage(Rgb);
    Pixmap.setMask(QBitmap::fromImage(Rgb.createMaskFromColor(Key, Qt::MaskInColor)));
    return Pixmap;
}
