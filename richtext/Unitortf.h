// Encoder of one UTF-16 character into its rich-text fragment for the result list.
#pragma once

#include <cstdint>
#include <string>

class UniToRtf {
public:
    // "\f1\'hh" for a Cyrillic letter, "\f1?" for Ѝ, ѝ and Ґ, "\f0\'hh" for the twenty Western
    // characters with a sort key; a backslash or brace (also as the low byte of a character without
    // a fragment of its own) as "\\", "\{", "\}"; any other character as its low byte.
    std::string CharToFragment(uint16_t ch) const;
    // The same fragment, appended to out.
    void AppendFragment(std::string& out, uint16_t ch) const;
};
