// Fuzz target: cleaning an arbitrary field body, then inserting a letter at an arbitrary caret.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "input/InputEditing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 5)
        return 0;
    int32_t caret;
    std::memcpy(&caret, data, sizeof caret);
    // Either a letter escape or the marker of an unmapped key.
    const std::string_view letter = (data[4] & 1) ? std::string_view("\\'e0") : std::string_view("no");
    const std::string_view rtf(reinterpret_cast<const char*>(data + 5), size - 5);

    const std::string body = StripRtfControls(CutInputBody(rtf));
    if (body.size() > 798 || body.find_first_of("\r\n") != std::string::npos)
        std::abort();
    const std::string result = InsertLetter(body, letter, caret);
    // The letter is inserted whole, or replaces a body that is too short for the caret.
    if (result.size() != body.size() + letter.size() && result != letter)
        std::abort();
    return 0;
}
