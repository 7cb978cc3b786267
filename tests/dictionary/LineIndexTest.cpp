// Keys and line index of a list large enough for two threads and block-wise search, against a plain
// unit-by-unit reading of the same text.
#include "dictionary/Sortrus.h"
#include "dictionary/WordList.h"
#include "tests/dictionary/TestDataFile.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

// Line ends and word ends read unit by unit: a line ends before its first CR or LF, its word at its
// last letter key.
void ExpectIndexOf(const TWordList& list, const std::u16string& text) {
    const SortRus keys;
    ASSERT_EQ(list.CharCount, static_cast<int32_t>(text.size()));
    int32_t wrongKeys = 0;
    for (size_t k = 1; k < text.size(); ++k)
        wrongKeys += list.KeyText[k] == keys.CharToSortKey(text[k]) ? 0 : 1;
    EXPECT_EQ(wrongKeys, 0);
    int32_t wrongLines = 0;
    for (int32_t i = 0; i < list.LineCount; ++i) {
        const int32_t start = list.LineStart[i];
        int32_t end = start;
        while (end < list.CharCount && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        int32_t word = end - 1;
        while (word >= start && !IsLetterKey(keys.CharToSortKey(text[word])))
            --word;
        if (list.LineEnd[i] != end - 1 || list.WordEnd[i] != word) {
            if (++wrongLines <= 5)
                ADD_FAILURE() << "line " << i << " from " << start << ": ends " << list.LineEnd[i] << " and "
                              << list.WordEnd[i] << ", read unit by unit " << end - 1 << " and " << word;
        }
    }
    EXPECT_EQ(wrongLines, 0);
}

TEST(line_index_test, large_lists_index_as_read_unit_by_unit) {
    // Lines of every length from 0 to 16 at every place within 8-unit blocks, with CR LF, LF alone, a
    // lone CR, no letter, letters followed by non-letters.
    const std::u16string pieces[] = {u"а", u"Я", u"1", u"-", u" ", u"ё", u"z", u"³", u"²", u"\r"};
    std::mt19937 random(7);
    std::uniform_int_distribution<int> length(0, 16);
    std::uniform_int_distribution<size_t> piece(0, std::size(pieces) - 1);
    std::uniform_int_distribution<int> ending(0, 2);
    TTestDir dir;
    for (const char* finalBreak : {"", "\n"}) {
        SCOPED_TRACE(finalBreak);
        std::u16string text = u"\uFEFF";
        while (text.size() < 1000000) {
            for (int n = length(random); n > 0; --n)
                text += pieces[piece(random)];
            text += ending(random) == 0 ? u"\n" : u"\r\n";
        }
        text += u"ад";
        if (*finalBreak != 0)
            text += u"\r\n";
        TWordList list;
        list.LoadWordList(dir.WriteDataFile("gross.dat", text));
        ASSERT_EQ(list.LoadError, "");
        EXPECT_GT(list.LineCount, 1 << 16);
        ExpectIndexOf(list, text);
    }
}

} // namespace
