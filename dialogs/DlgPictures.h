// The pictures of the two dialogs, drawn at start-up: the start picture and the logo.
#pragma once

#include <QImage>
#include <QPixmap>
#include <QString>
#include <QStringList>

// 469 x 202, 24 bits per pixel: an open book on pure yellow between a column of nine words ending in
// -ай and a column of nine words ending in -пор.
QImage StartPicture();

// 200 x 50, 24 bits per pixel, on pure yellow.
QImage LogoPicture();

// The program's icon, Size x Size with an alpha channel: the logo's book on a square of the logo's
// yellow with rounded corners, drawn smoothly at any size (the desktop menu, the window frame).
QImage ProgramIcon(int Size);

// The sizes the icon is drawn in for the desktop's icon theme.
inline constexpr int ProgramIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

// The words of the start picture's left and right column, top to bottom, and their shared endings.
QStringList StartPictureLeftWords();
QStringList StartPictureRightWords();
inline const QString StartPictureLeftEnding = QStringLiteral(u"ай");
inline const QString StartPictureRightEnding = QStringLiteral(u"пор");

// The picture with the colour of its bottom-left pixel left out.
QPixmap TransparentPixmap(const QImage& Picture);
