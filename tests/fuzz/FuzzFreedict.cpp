// Fuzz target: FreeDict's dictd files. The input up to its first zero byte is the index, the rest the .dict
// file; entries the index points at anywhere must be refused or read within the text, and every gloss is one
// Russian word of Cyrillic letters and inner hyphens.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzSupport.h"
#include "common/Utf8.h"
#include "lexicon/Freedict.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t split = std::min(bytes.find('\0'), bytes.size());
    const std::string_view indexText = bytes.substr(0, split);
    const std::string_view dict = bytes.substr(std::min(split + 1, bytes.size()));

    const TDictdIndex index = ParseDictdIndex(indexText);
    Check(index.Error.empty() || index.Entries.empty());
    const TFreedictGlosses glosses = InvertFreedict(index, dict);
    Check(glosses.Error.empty() || glosses.Glosses.empty());
    for (const TGloss& gloss : glosses.Glosses) {
        Check(!gloss.Word.empty() && !gloss.German.empty());
        Check(Utf8ToUtf16(gloss.Word).has_value() && Utf8ToUtf16(gloss.German).has_value());
        Check(gloss.Word.front() != '-' && gloss.Word.back() != '-');
        Check(gloss.Word.find_first_of(" ,\n") == std::string::npos);
    }
    // The entry reader alone, on any text.
    const TFreedictEntry entry = ParseFreedictEntry(bytes);
    for (const std::string& word : entry.Words)
        Check(!word.empty() && Utf8ToUtf16(word).has_value());
    return 0;
}
