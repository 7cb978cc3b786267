// German keyboard characters (code page 1252) to the escape of the Cyrillic letter on the same key.
#pragma once

#include <string>

class ZeiToRtf {
public:
    // "\'hh" for one of the 67 mapped characters, otherwise the marker "no".
    std::string CharToRtf(char Key) const;
};
