// The on-screen keyboard's hit test: named points, key edges, the gaps between rows and keys.
#include "input/Virttast.h"
#include "input/Zeitortf.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr char Ch(unsigned code) {
    return static_cast<char>(code);
}

struct TPoint {
    int X, Y;
    char Key;
};

TEST(virttast_test, points) {
    const TPoint cases[] = {
        {10, 10, '^'},       {45, 40, 'q'},       {105, 60, 'f'},  {215, 85, ','}, // named keys
        {251, 30, Ch(0xFC)}, {252, 30, '+'},                                       // ü and + touch
        {271, 46, '+'},      {272, 30, ' '},                                       // right of +
        {18, 1, '^'},        {19, 10, ' '},       {20, 10, ' '},   {21, 10, '1'},  // ^ | 1
        {101, 5, ' '},       {102, 5, '5'},       {116, 22, '5'},  {117, 5, ' '},  // edges of 5
        {238, 50, Ch(0xE4)}, {256, 70, Ch(0xE4)}, {257, 60, ' '},  {259, 60, '#'}, // ä, gap, #
        {47, 75, '<'},       {243, 94, '.'},      {244, 94, ' '},                  // row 4 ends
        {81, 99, ' '},       {218, 118, ' '},     {150, 110, ' '},                 // space bar
        {10, 0, ' '},        {0, 10, ' '},        {-5, 10, ' '},   {10, -1, ' '},  // margins
        {300, 120, ' '},     {5000, 5000, ' '},                                    // off the picture
    };
    const VirtTast keyboard;
    for (const TPoint& p : cases)
        EXPECT_EQ(keyboard.KeyAtPoint(p.X, p.Y), p.Key) << "X " << p.X << ", Y " << p.Y;
}

TEST(virttast_test, gaps_between_rows_hit_no_key) {
    const VirtTast keyboard;
    for (int y : {0, 23, 24, 25, 47, 48, 49, 71, 72, 73, 74, 95, 96, 97, 98, 119, 120})
        for (int x = 0; x < KeyboardPictureWidth; ++x)
            EXPECT_EQ(keyboard.KeyAtPoint(x, y), ' ') << "X " << x << ", Y " << y;
}

TEST(virttast_test, rows_hold_the_german_keys_in_order) {
    std::string rows[6];
    for (const TKeyRect& key : VirtTast::Keys()) {
        ASSERT_TRUE(key.Row >= 1 && key.Row <= 5);
        rows[key.Row] += key.Key;
        // Every key answers for its own corners.
        const VirtTast keyboard;
        EXPECT_EQ(keyboard.KeyAtPoint(key.Left, key.Top), key.Key);
        EXPECT_EQ(keyboard.KeyAtPoint(key.Right, key.Bottom), key.Key);
    }
    EXPECT_EQ(VirtTast::Keys().size(), 47u);
    EXPECT_EQ(rows[1], "^1234567890\xDF");
    EXPECT_EQ(rows[2], "qwertzuiop\xFC+");
    EXPECT_EQ(rows[3], "asdfghjkl\xF6\xE4#");
    EXPECT_EQ(rows[4], "<yxcvbnm,.");
    EXPECT_EQ(rows[5], " ");
}

TEST(virttast_test, clicks_never_type_capitals) {
    const ZeiToRtf map;
    int letters = 0;
    for (const TKeyRect& key : VirtTast::Keys()) {
        const std::string escape = map.CharToRtf(key.Key);
        if (escape == "no")
            continue;
        ++letters;
        // Small letters are 0xE0-0xFF in code page 1251, ё is 0xB8.
        EXPECT_TRUE(escape >= "\\'e0" || escape == "\\'b8") << key.Key << " types " << escape;
    }
    EXPECT_EQ(letters, 33);
}

} // namespace
