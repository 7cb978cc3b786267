// Fuzz target: the loader on an arbitrary data file, with the word list's invariants checked. The input is
// the deciphered file: the target enciphers it, so that the fuzzer reaches past the check of the first unit
// (enciphering is one-to-one, so every file on disk is still some input).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "dictionary/Readdaten.h"
#include "dictionary/WordList.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = FuzzFilePath("loader");
    static const TCipherContext context = [] {
        TCipherContext c;
        InitKey(c, DataFileKey.data(), static_cast<int16_t>(DataFileKey.size()));
        return c;
    }();
    std::vector<uint8_t> file(data, data + size);
    EncryptCBC(context, file.data(), static_cast<int32_t>(file.size() / 8));
    WriteFuzzFile(path, file.data(), file.size());

    TWordList list;
    Check(list.LoadWordList(path));
    if (size < 2 || data[0] != 0xFF || data[1] != 0xFE) {
        Check(list.LoadStatus == TLoadStatus::NotDictionary && !list.LoadError.empty());
        Check(list.LineCount == 0 && list.CharCount == 0 && list.LineStart.size() == 10 &&
              list.KeyText.size() == 1);
        return 0;
    }
    Check(list.LoadStatus == TLoadStatus::Loaded && list.LoadError.empty());
    Check(list.FileSize == static_cast<int32_t>(size) && list.BytesRead == list.FileSize);
    Check(list.CharCount == list.BytesRead / 2);
    Check(list.LineCount >= 1);
    const auto lines = static_cast<size_t>(list.LineCount);
    Check(list.LineStart.size() >= lines && list.WordEnd.size() >= lines && list.LineEnd.size() >= lines);
    Check(list.KeyText.size() >= static_cast<size_t>(list.CharCount));
    for (size_t i = 0; i < lines; ++i) {
        const int32_t start = list.LineStart[i], word = list.WordEnd[i], end = list.LineEnd[i];
        Check(start >= 1 && start - 1 <= word && word <= end && end < list.CharCount);
        for (int32_t k = word + 1; k <= end; ++k)
            Check(list.KeyText[k] < 300 || list.KeyText[k] > 446);
        if (i > 0)
            Check(start > list.LineEnd[i - 1]);
    }
    // Showing any line must stay inside the arrays.
    list.ConvertRangeToChars(list.LineStart[0], list.LineEnd[lines - 1]);
    return 0;
}
