// Fuzz target: the query decoder on an arbitrary body.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "richtext/ConvertError.h"
#include "richtext/Rtftounisort.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static RtfToUniSort decoder;
    const std::string_view body(reinterpret_cast<const char*>(data), size);
    try {
        const uint16_t* query = decoder.RtfToSortKeys(body);
        if (query != decoder.Buffer.data())
            std::abort();
        // A zero-terminated query of at most 199 keys.
        size_t n = 0;
        while (n < decoder.Buffer.size() && query[n] != 0)
            ++n;
        if (n > 199)
            std::abort();
    } catch (const EConvertError& e) {
        // The message quotes the bytes after the apostrophe; a zero byte among them ends what() early.
        const std::string_view message = e.what();
        if (!message.starts_with("'0x"))
            std::abort();
        if (body.find('\0') == std::string_view::npos &&
            !message.ends_with("' ist kein gültiger Integerwert"))
            std::abort();
    }
    return 0;
}
