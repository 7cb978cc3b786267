// The number conversion error that a malformed escape raises.
#pragma once

#include <stdexcept>
#include <string>

class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
