// Fuzz target: festvox-ru's lexicon reader on any text. What it accepts has words in UTF-8, a class, and
// a stress within the word; marking the stress never breaks the word's UTF-8.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzSupport.h"
#include "common/Utf8.h"
#include "lexicon/FestivalLexicon.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const TFestivalLexicon lexicon = ParseFestivalLexicon(text);
    Check(lexicon.Error.empty() || lexicon.Entries.empty());
    for (const TFestivalEntry& entry : lexicon.Entries) {
        Check(!entry.Word.empty() && !entry.WordClass.empty());
        Check(Utf8ToUtf16(entry.Word).has_value());
        Check(entry.StressedVowel >= 0 && entry.StressedVowel <= CountVowels(entry.Word));
        const std::string stressed = StressedSpelling(entry.Word, entry.StressedVowel);
        Check(Utf8ToUtf16(stressed).has_value());
        Check(stressed.size() == entry.Word.size() || stressed.size() == entry.Word.size() + 2);
    }
    return 0;
}
