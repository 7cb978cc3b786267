// Encoder of one UTF-16 character into its rich-text fragment for the result list.
#pragma once

#include <cstdint>
#include <string>

class UniToRtf {
public:
    std::string CharToFragment(uint16_t ch) const;
};
