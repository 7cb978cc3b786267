// The keyboard picture, drawn from the on-screen keyboard's own key table.
#include "app/KeyboardPicture.h"

#include <QPainter>
#include <QPolygon>

#include <array>
#include <string>

#include "input/Virttast.h"
#include "input/Zeitortf.h"
#include "richtext/Codepage.h"
#include "richtext/LetterTable.h"

namespace {

enum class TSymbol { None, LeftArrow, TabArrows };

// The keys without a character of their own; bounds inclusive, as in VirtTast's table.
struct TPlainKey {
    int Top, Bottom, Left, Right;
    const char* Label;
    TSymbol Symbol;
};

// clang-format off
constexpr std::array<TPlainKey, 10> PlainKeys = {{
    {  1,  22, 241, 258, "",          TSymbol::None},        /* row 1: blank key right of ß */
    {  1,  22, 261, 299, "",          TSymbol::LeftArrow},   /* row 1: Backspace */
    { 26,  46,   1,  31, "",          TSymbol::TabArrows},   /* row 2: Tab */
    { 50,  70,   1,  34, "Caps Lock", TSymbol::None},        /* row 3 */
    { 75,  94,   1,  44, "Shift",     TSymbol::None},        /* row 4: left Shift */
    { 75,  94, 246, 299, "Shift",     TSymbol::None},        /* row 4: right Shift */
    { 99, 118,   1,  38, "Control",   TSymbol::None},        /* row 5 */
    { 99, 118,  41,  78, "Alt",       TSymbol::None},        /* row 5 */
    { 99, 118, 221, 258, "Alt Gr",    TSymbol::None},        /* row 5 */
    { 99, 118, 261, 299, "Control",   TSymbol::None},        /* row 5 */
}};

// The Enter key: rows 2 and 3 at the right edge, narrower in row 3.
constexpr std::array<QPoint, 6> EnterOutline = {{
    {274, 26}, {299, 26}, {299, 70}, {278, 70}, {278, 46}, {274, 46},
}};
// clang-format on

const QColor Background(200, 200, 200);
const QColor KeyFace(235, 235, 235);
const QColor Outline(64, 64, 64);
const QColor LetterRed(220, 0, 0);

QRect RectOf(int Top, int Bottom, int Left, int Right) {
    return QRect(Left, Top, Right - Left + 1, Bottom - Top + 1);
}

void DrawKeyFace(QPainter& Painter, const QRect& Rect) {
    Painter.fillRect(Rect, KeyFace);
    Painter.setPen(Outline);
    Painter.drawRect(Rect.adjusted(0, 0, -1, -1));
}

// The Cyrillic letter that the key types, or 0.
char16_t LetterOfKey(const ZeiToRtf& Mapping, char Key) {
    const std::string escape = Mapping.CharToRtf(Key);
    if (escape.size() != 4)
        return 0;
    return LetterOfByte(static_cast<uint8_t>(std::stoi(escape.substr(2), nullptr, 16)));
}

void DrawArrow(QPainter& Painter, int FromX, int ToX, int Y) {
    const int head = FromX > ToX ? 3 : -3;
    Painter.drawLine(FromX, Y, ToX, Y);
    Painter.drawLine(ToX, Y, ToX + head, Y - 3);
    Painter.drawLine(ToX, Y, ToX + head, Y + 3);
}

} // namespace

QImage KeyboardPicture() {
    QImage picture(KeyboardPictureWidth, KeyboardPictureHeight, QImage::Format_RGB888);
    picture.fill(Background);
    QPainter painter(&picture);

    QFont letterFont(QStringLiteral("DejaVu Sans"));
    letterFont.setPixelSize(10);
    letterFont.setBold(true);
    QFont keyFont(QStringLiteral("DejaVu Sans"));
    keyFont.setPixelSize(10);
    QFont labelFont(QStringLiteral("DejaVu Sans Condensed"));
    labelFont.setPixelSize(9);

    const ZeiToRtf mapping;
    for (const TKeyRect& key : VirtTast::Keys()) {
        const QRect rect = RectOf(key.Top, key.Bottom, key.Left, key.Right);
        DrawKeyFace(painter, rect);
        const QString character(QChar(Cp1252ToUnicode(static_cast<uint8_t>(key.Key))));
        const char16_t letter = key.Key == ' ' ? 0 : LetterOfKey(mapping, key.Key);
        const QRect inner = rect.adjusted(2, 1, -2, -1);
        painter.setFont(keyFont);
        painter.setPen(Qt::black);
        if (letter == 0) {
            painter.drawText(inner, Qt::AlignCenter, character);
            continue;
        }
        painter.drawText(inner, Qt::AlignRight | Qt::AlignBottom, character);
        painter.setFont(letterFont);
        painter.setPen(LetterRed);
        painter.drawText(inner, Qt::AlignLeft | Qt::AlignTop, QString(QChar(letter)));
    }

    painter.setFont(labelFont);
    for (const TPlainKey& key : PlainKeys) {
        const QRect rect = RectOf(key.Top, key.Bottom, key.Left, key.Right);
        DrawKeyFace(painter, rect);
        painter.setPen(Qt::black);
        const int middle = (key.Top + key.Bottom) / 2;
        switch (key.Symbol) {
        case TSymbol::LeftArrow:
            DrawArrow(painter, key.Right - 8, key.Left + 8, middle);
            break;
        case TSymbol::TabArrows:
            DrawArrow(painter, key.Left + 5, key.Right - 8, middle - 4);
            painter.drawLine(key.Right - 7, middle - 7, key.Right - 7, middle - 1);
            DrawArrow(painter, key.Right - 8, key.Left + 5, middle + 4);
            painter.drawLine(key.Left + 4, middle + 1, key.Left + 4, middle + 7);
            break;
        case TSymbol::None:
            painter.drawText(rect.adjusted(3, 1, -2, -1), Qt::AlignLeft | Qt::AlignBottom | Qt::TextWordWrap,
                             QString::fromLatin1(key.Label));
            break;
        }
    }

    painter.setBrush(KeyFace);
    painter.setPen(Outline);
    QPolygon enter(static_cast<int>(EnterOutline.size()));
    for (int i = 0; i < enter.size(); ++i)
        enter[i] = EnterOutline[static_cast<std::size_t>(i)];
    painter.drawPolygon(enter);
    painter.setPen(Qt::black);
    painter.drawText(QRect(276, 27, 23, 18), Qt::AlignCenter, QStringLiteral("Enter"));
    return picture;
}
