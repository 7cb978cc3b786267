// Fuzz target: the data-file builder on an arbitrary word list; the loader must read back exactly the
// accepted entries, in search order.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/WordList.h"
#include "dictionary/WordListBuilder.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const TDataFile file = BuildDataFile(text, TListFormat::Plain);
    const TWordListEntries entries = ReadWordList(text, TListFormat::Plain);
    Check(file.Error == entries.Error);
    if (!file.Error.empty()) {
        Check(file.Bytes.empty());
        return 0;
    }

    // What the loader must find: the accepted lines, ordered, without exact duplicates.
    std::vector<std::u16string> expected = entries.Lines;
    std::stable_sort(expected.begin(), expected.end(),
                     [](const std::u16string& a, const std::u16string& b) { return EntryBefore(a, b); });
    expected.erase(std::unique(expected.begin(), expected.end()), expected.end());
    Check(file.EntryCount == static_cast<int32_t>(expected.size()));

    static const std::string path = FuzzFilePath("builder");
    WriteFuzzFile(path, file.Bytes.data(), file.Bytes.size());

    TWordList list;
    list.LoadWordList(path);
    Check(list.LoadError.empty());
    Check(list.LineCount == file.EntryCount);
    for (int32_t i = 0; i < list.LineCount; ++i) {
        const int32_t start = list.LineStart[i], end = list.LineEnd[i];
        list.ConvertRangeToChars(start, end);
        const std::u16string line(list.DisplayText.begin() + start, list.DisplayText.begin() + end + 1);
        Check(line == expected[static_cast<size_t>(i)]);
        if (i > 0)
            Check(!EntryBefore(line, expected[static_cast<size_t>(i) - 1]));
    }
    return 0;
}
