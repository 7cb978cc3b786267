// Encoder of one UTF-16 character into its rich-text fragment for the result list.
#pragma once

#include <cstdint>
#include <string>

class UniToRtf {
public:
    // "\f1\'hh" for a Cyrillic letter, "\f1?" for Ѝ, ѝ and Ґ, "\f0\'hh" for the twenty Western
    // characters with a sort key; any other ASCII or Latin-1 character as its byte (a backslash or
    // brace as "\\", "\{", "\}"); every other unit as the Unicode escape "\uN?", N signed 16-bit.
    std::string CharToFragment(uint16_t ch) const;
    // The same fragment, appended to out.
    void AppendFragment(std::string& out, uint16_t ch) const;
};
