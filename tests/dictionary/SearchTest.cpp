// The ending search over a small data file: the first unbroken run of words that end with the query.
#include "dictionary/EndingSearch.h"

#include "common/Utf8.h"
#include "dictionary/Sortrus.h"
#include "tests/dictionary/TestDataFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Ordered by the words read backwards, except the stray "клад" near the end. Every letter is Cyrillic
// (checked): "Ад" is {0x0410, 0x0434}.
const std::u16string Lines[] = {
    u"сад³",   // 0: ³ counts as a letter
    u"ба",     // 1
    u"жаба",   // 2
    u"123",    // 3: no letter
    u"ад",     // 4
    u"сад",    // 5
    u"сад²",   // 6: ² does not count as a letter
    u"заклад", // 7
    u"Ад",     // 8
    u"все",    // 9
    u"всё",    // 10
    u"клад",   // 11: out of order
    u"заря",   // 12
};

// Guards the tables against a Latin look-alike such as the a of "Aд".
bool CyrillicOrDigits(std::u16string_view text) {
    for (const char16_t ch : text)
        if (!(ch >= 0x0400 && ch <= 0x04FF) && !(ch >= u'0' && ch <= u'9') && ch != u'²' && ch != u'³')
            return false;
    return true;
}

class search_test : public testing::Test {
protected:
    void SetUp() override {
        for (const std::u16string& line : Lines)
            ASSERT_TRUE(CyrillicOrDigits(line)) << Utf16ToUtf8(line);
        std::u16string text = u"\uFEFF";
        for (const std::u16string& line : Lines)
            text += line + u"\r\n";
        List.LoadWordList(Dir.WriteDataFile("list.dat", text));
        ASSERT_EQ(List.LoadError, "");
        ASSERT_EQ(List.LineCount, 13);
    }

    TTestDir Dir;
    TWordList List;
};

struct TCase {
    std::u16string Query;
    int32_t FirstHit, LastHit;
};

TEST_F(search_test, finds_the_first_run) {
    // clang-format off
    const TCase cases[] = {
        {u"", 0, 12},        // every line
        {u"ад", 4, 7},       // сад² by its word; the stray клад after the run is ignored
        {u"д", 4, 8},
        {u"сад", 5, 6},      // longer than ад: not found there
        {u"заклад", 7, 7},   // a whole word
        {u"езаклад", 0, -1}, // longer than every word that it ends with
        {u"клад", 7, 7},     // the run ends before the stray line
        {u"Ад", 8, 8},       // case matters
        {u"е", 9, 9},        // е and ё differ
        {u"ё", 10, 10},
        {u"д³", 0, 0},       // the first line alone
        {u"ря", 12, 12},     // the last line alone
        {u"ба", 1, 2},
        {u"а", 1, 2},
        {u"х", 0, -1},       // no hit
        {u"123", 0, -1},     // a line without letters never matches
        {u"²", 0, -1},       // nor the characters after a word
    };
    // clang-format on
    for (const TCase& c : cases) {
        SCOPED_TRACE("query \"" + Utf16ToUtf8(c.Query) + "\"");
        ASSERT_TRUE(CyrillicOrDigits(c.Query));
        const THitRange range = FindEndingRange(List, QueryOfText(c.Query).data());
        EXPECT_EQ(range.FirstHit, c.FirstHit);
        EXPECT_EQ(range.LastHit, c.LastHit);
    }
}

TEST_F(search_test, empty_list) {
    TWordList list;
    list.LoadWordList("/nonexistent/VokKavrinto.dat");
    ASSERT_EQ(list.LineCount, 0);
    EXPECT_EQ(FindEndingRange(list, QueryOfText(u"").data()).Count(), 0);
    EXPECT_EQ(FindEndingRange(list, QueryOfText(u"а").data()).Count(), 0);
}

TEST_F(search_test, run_reaching_the_last_line_and_lines_without_letters) {
    TTestDir dir;
    TWordList list;
    // Empty lines and a line of digits first; a text without a final line break.
    list.LoadWordList(dir.WriteDataFile("list.dat", u"\uFEFF\n\n12\nа\nба\nаба"));
    ASSERT_EQ(list.LineCount, 6);
    const THitRange range = FindEndingRange(list, QueryOfText(u"а").data());
    EXPECT_EQ(range.FirstHit, 3);
    EXPECT_EQ(range.LastHit, 5);
    EXPECT_EQ(FindEndingRange(list, QueryOfText(u"").data()).Count(), 6);
}

} // namespace
