// The keyboard mapping: every mapped character against its escape, every other character to "no".
#include "input/Zeitortf.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>

namespace {

// typed character (code page 1252) -> escape of the letter on its key
const std::map<uint8_t, std::string> Expected = {
    {0x27, "\\'da"}, {0x2A, "\\'da"}, {0x2B, "\\'fa"}, {0x2C, "\\'e1"}, // ' * + , : Ъ Ъ ъ б
    {0x2E, "\\'fe"}, {0x3A, "\\'de"}, {0x3B, "\\'c1"},                  // . : ; : ю Ю Б
    {'A', "\\'d4"},  {'B', "\\'c8"},  {'C', "\\'d1"},  {'D', "\\'c2"},  // Ф И С В
    {'E', "\\'d3"},  {'F', "\\'c0"},  {'G', "\\'cf"},  {'H', "\\'d0"},  // У А П Р
    {'I', "\\'d8"},  {'J', "\\'ce"},  {'K', "\\'cb"},  {'L', "\\'c4"},  // Ш О Л Д
    {'M', "\\'dc"},  {'N', "\\'d2"},  {'O', "\\'d9"},  {'P', "\\'c7"},  // Ь Т Щ З
    {'Q', "\\'c9"},  {'R', "\\'ca"},  {'S', "\\'db"},  {'T', "\\'c5"},  // Й К Ы Е
    {'U', "\\'c3"},  {'V', "\\'cc"},  {'W', "\\'d6"},  {'X', "\\'d7"},  // Г М Ц Ч
    {'Y', "\\'df"},  {'Z', "\\'cd"},  {'^', "\\'b8"},                   // Я Н ё
    {'a', "\\'f4"},  {'b', "\\'e8"},  {'c', "\\'f1"},  {'d', "\\'e2"},  // ф и с в
    {'e', "\\'f3"},  {'f', "\\'e0"},  {'g', "\\'ef"},  {'h', "\\'f0"},  // у а п р
    {'i', "\\'f8"},  {'j', "\\'ee"},  {'k', "\\'eb"},  {'l', "\\'e4"},  // ш о л д
    {'m', "\\'fc"},  {'n', "\\'f2"},  {'o', "\\'f9"},  {'p', "\\'e7"},  // ь т щ з
    {'q', "\\'e9"},  {'r', "\\'ea"},  {'s', "\\'fb"},  {'t', "\\'e5"},  // й к ы е
    {'u', "\\'e3"},  {'v', "\\'ec"},  {'w', "\\'f6"},  {'x', "\\'f7"},  // г м ц ч
    {'y', "\\'ff"},  {'z', "\\'ed"},  {0xB0, "\\'a8"},                  // я н Ё (°)
    {0xC4, "\\'dd"}, {0xD6, "\\'c6"}, {0xDC, "\\'d5"},                  // Ä Ö Ü : Э Ж Х
    {0xE4, "\\'fd"}, {0xF6, "\\'e6"}, {0xFC, "\\'f5"},                  // ä ö ü : э ж х
};

TEST(zeitortf_test, maps_the_67_keys_and_nothing_else) {
    ASSERT_EQ(Expected.size(), 67u);
    const ZeiToRtf map;
    for (int code = 0; code < 256; ++code) {
        const auto it = Expected.find(static_cast<uint8_t>(code));
        const std::string want = it == Expected.end() ? "no" : it->second;
        EXPECT_EQ(map.CharToRtf(static_cast<char>(code)), want) << "code " << code;
    }
}

TEST(zeitortf_test, listed_exceptions) {
    const ZeiToRtf map;
    // Both hard-sign capitals, # beside the apostrophe unmapped; ^ and ° the only bytes below 0xC0.
    EXPECT_EQ(map.CharToRtf('\''), map.CharToRtf('*'));
    EXPECT_EQ(map.CharToRtf('#'), "no");
    EXPECT_EQ(map.CharToRtf(' '), "no");
    EXPECT_EQ(map.CharToRtf('-'), "no");
    EXPECT_EQ(map.CharToRtf(static_cast<char>(0xDF)), "no"); // ß
    EXPECT_EQ(map.CharToRtf(static_cast<char>(0xFF)), "no"); // ÿ
    int below = 0;
    for (const auto& [typed, escape] : Expected)
        below += escape < "\\'c0";
    EXPECT_EQ(below, 2);
}

} // namespace
