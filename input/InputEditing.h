// The input field's editing cycle without a window: the body between "\fs20" and "\par }",
// cleaned of control words, and a letter inserted at the caret.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

inline constexpr std::string_view InputHeader =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1031{\\fonttbl{\\f0\\fnil\\fcharset204 MS Sans Serif;}"
    "{\\f1\\fnil MS Sans Serif;}}\\viewkind4\\uc1\\pard\\qr\\f0\\fs20 ";
inline constexpr std::string_view InputFooter = "\\par }";

// The field holds at most this many characters.
inline constexpr int MaxInputChars = 199;

// The text strictly between the first "\fs20" and the first "\par }" (empty if either is missing
// or they stand in the wrong order).
std::string CutInputBody(std::string_view rtf);
std::string StripRtfControls(std::string_view body);
// letter inserted after the (caretPos - 1)-th character of body.
std::string InsertLetter(std::string_view body, std::string_view letter, int32_t caretPos);
