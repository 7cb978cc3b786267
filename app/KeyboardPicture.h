// The keyboard picture below the result list: a German keyboard with the Cyrillic letters of its keys.
#pragma once

#include <QImage>

// 301 x 121 pixels, 24 bits per pixel. Every character key lies on its rectangle of VirtTast's table:
// light grey with a dark outline, the Cyrillic letter red in the upper left, the German character black
// in the lower right (alone, in the middle, on keys without a letter).
QImage KeyboardPicture();
