// Fuzz target: the data-file builder on an arbitrary word list; the loader must read back exactly the
// accepted entries, in search order, and reading the list in pieces must give what reading it whole
// gives.
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
    for (const TListFormat format : {TListFormat::Plain, TListFormat::Hunspell}) {
        const TWordListEntries whole = format == TListFormat::Plain ? entries : ReadWordList(text, format);
        TWordListReader reader(format);
        const size_t piece = 1 + size % 97;
        for (size_t at = 0; at < size; at += piece)
            reader.Read(text.substr(at, piece));
        const TWordListEntries pieces = reader.Finish();
        Check(pieces.Error == whole.Error && pieces.Lines == whole.Lines &&
              pieces.BlankLines == whole.BlankLines);
    }
    for (const std::u16string& line : entries.Lines) {
        Check(!line.empty() && line.size() <= MaxEntryLength);
        Check(line.find_first_not_of(u" \t") != std::u16string::npos);
        for (const char16_t unit : line)
            Check(unit == u'\t' || (unit >= 0x20 && (unit < 0x7F || unit > 0x9F) && unit != 0xFEFF));
    }
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
