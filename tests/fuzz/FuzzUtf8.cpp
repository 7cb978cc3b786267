// Fuzz target: the strict UTF-8 decoder on any bytes. What it accepts must come back byte for byte
// (so no overlong form, surrogate or cut sequence slips through); single steps never pass the end.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "common/Utf8.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto text = Utf8ToUtf16(bytes);
    if (text && Utf16ToUtf8(*text) != bytes)
        std::abort();
    bool valid = true;
    for (std::size_t pos = 0; pos < bytes.size();) {
        const std::size_t before = pos;
        const auto code = DecodeUtf8(bytes, pos);
        if (!code) {
            if (pos != before)
                std::abort();
            valid = false;
            break;
        }
        if (pos <= before || pos > bytes.size() || pos - before > 4 || *code > 0x10FFFF ||
            (*code >= 0xD800 && *code <= 0xDFFF))
            std::abort();
    }
    if (valid != text.has_value())
        std::abort();
    return 0;
}
