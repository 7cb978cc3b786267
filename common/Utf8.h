// Strict UTF-8 in and out of UTF-16: the text of the command-line programs and of word lists.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Decodes the UTF-8 sequence at In[Pos] and moves Pos past it. Strict: no overlong form, no surrogate,
// nothing above U+10FFFF, no sequence cut short; on any of these it returns nothing and leaves Pos.
std::optional<char32_t> DecodeUtf8(std::string_view In, std::size_t& Pos);

// A whole text; nothing if any sequence is invalid. Characters beyond the BMP become surrogate pairs.
std::optional<std::u16string> Utf8ToUtf16(std::string_view In);

// Appends one code point (at most U+10FFFF, not a surrogate) as UTF-8.
void AppendUtf8(std::string& Out, char32_t CodePoint);

// The code point of the UTF-16 units at Units[Pos] (a surrogate pair joined) and moves Pos past them;
// a surrogate without its partner is U+FFFD. Units is char16_t or uint16_t (the word list's text).
template <typename Unit> char32_t NextUtf16(const Unit* Units, std::size_t Count, std::size_t& Pos) {
    const char32_t unit = Units[Pos++];
    if (unit < 0xD800 || unit > 0xDFFF)
        return unit;
    if (unit <= 0xDBFF && Pos < Count && Units[Pos] >= 0xDC00 && Units[Pos] <= 0xDFFF)
        return 0x10000 + ((unit - 0xD800) << 10) + (static_cast<char32_t>(Units[Pos++]) - 0xDC00);
    return 0xFFFD;
}

// Appends UTF-16 units as UTF-8, a lone surrogate as U+FFFD.
template <typename Unit> void AppendUtf16AsUtf8(std::string& Out, const Unit* Units, std::size_t Count) {
    for (std::size_t pos = 0; pos < Count;)
        AppendUtf8(Out, NextUtf16(Units, Count, pos));
}

inline std::string Utf16ToUtf8(std::u16string_view In) {
    std::string out;
    out.reserve(In.size() * 2);
    AppendUtf16AsUtf8(out, In.data(), In.size());
    return out;
}
