// The on-screen keyboard: the 47 key rectangles of the keyboard picture and their hit test.
#pragma once

#include <span>

// One key of the picture; all bounds inclusive, in picture pixels.
struct TKeyRect {
    int Row;
    int Top, Bottom;
    int Left, Right;
    char Key;  // the German character in code page 1252
};

inline constexpr int KeyboardPictureWidth = 301;
inline constexpr int KeyboardPictureHeight = 121;

class VirtTast {
public:
    // The key character under the point, or a space when the point is on no key.
    char KeyAtPoint(int X, int Y) const;
    // The picture is drawn from this same table.
    static std::span<const TKeyRect> Keys();
};
