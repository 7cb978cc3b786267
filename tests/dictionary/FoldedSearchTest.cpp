// Folding on request: the folding tables against the C library's small letters, the folded search on a
// small list whose folded hits lie in several runs, and both against a plain model on the real list.
#include "dictionary/FoldedSearch.h"

#include "common/Utf8.h"

#include "dictionary/Sortrus.h"
#include "dictionary/WordListBuilder.h"
#include "tests/dictionary/PlainModel.h"
#include "tests/dictionary/TestDataFile.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cwctype>
#include <string>
#include <vector>

namespace {

constexpr TFolding NoFolding{};
constexpr TFolding IgnoreCase{true, false};
constexpr TFolding YoAsYe{false, true};
constexpr TFolding Both{true, true};

std::string Name(TFolding folding) {
    return std::string(folding.IgnoreCase ? "-i" : "") + (folding.YoAsYe ? " --yo" : "");
}

TEST(folded_search_test, case_folding_gives_the_small_letter_of_latin_and_cyrillic) {
    ASSERT_NE(std::setlocale(LC_CTYPE, "C.UTF-8"), nullptr);
    const SortRus sort;
    const auto& fold = FoldedKeys(IgnoreCase);
    int checked = 0;
    for (unsigned c = 0; c < 0x0530; ++c) {
        if (c == 0x0180)
            c = 0x0400;
        const uint16_t key = sort.CharToSortKey(static_cast<uint16_t>(c));
        // A unit that is another character's key cannot stand in a list.
        if (sort.SortKeyToChar(key) != c)
            continue;
        // İ keeps its dot: a small i would be a different letter. A small letter whose unit is another
        // character's key (ė is the key of …) cannot stand in a list: its capital stays itself.
        char16_t expected = c == 0x0130 ? u'\u0130' : static_cast<char16_t>(std::towlower(c));
        if (sort.SortKeyToChar(sort.CharToSortKey(expected)) != expected)
            expected = static_cast<char16_t>(c);
        EXPECT_EQ(sort.SortKeyToChar(fold[key]), expected) << std::hex << "U+" << c;
        ++checked;
    }
    EXPECT_GT(checked, 500);
    // Beyond these scripts nothing folds; ё stays apart from е.
    for (const char16_t c : {u'Α', u'Ω', u'ß', u'ё', u'Ё'})
        EXPECT_EQ(sort.SortKeyToChar(fold[sort.CharToSortKey(c)]), c == u'Ё' ? u'ё' : c);
}

TEST(folded_search_test, yo_folding_joins_yo_and_ye_only) {
    const SortRus sort;
    const auto key = [&](char16_t c) { return sort.CharToSortKey(c); };
    const struct {
        TFolding Folding;
        char16_t From, To;
    } cases[] = {
        {YoAsYe, u'ё', u'е'}, {YoAsYe, u'Ё', u'Е'}, {YoAsYe, u'Е', u'Е'},
        {YoAsYe, u'Я', u'Я'}, {Both, u'ё', u'е'},   {Both, u'Ё', u'е'},
        {Both, u'Е', u'е'},   {Both, u'Ä', u'ä'},   {NoFolding, u'Ё', u'Ё'},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FoldedKeys(c.Folding)[key(c.From)], key(c.To))
            << Name(c.Folding) << " U+" << std::hex << static_cast<unsigned>(c.From);
}

class folded_hits_test : public testing::Test {
protected:
    void SetUp() override {
        const TDataFile file = MakeDataFile({u"мёд", u"МЕД", u"Мёд", u"мед", u"Мед", u"сад", u"ёлка"});
        ASSERT_EQ(file.Error, "");
        List.LoadWordList(Dir.WriteBytes("list.dat", file.Bytes));
        ASSERT_EQ(List.LoadError, "");
    }

    THits Find(const std::u16string& ending, TFolding folding) const {
        return FindEndingHits(List, QueryOfText(ending).data(), folding);
    }

    TTestDir Dir;
    TWordList List;
};

TEST_F(folded_hits_test, collects_every_folded_match_in_list_order) {
    const std::vector<std::u16string> lines = TPlainModel::LinesOf(List);
    // In the builder's order, е before ё before Е.
    ASSERT_EQ(lines, (std::vector<std::u16string>{u"ёлка", u"сад", u"мед", u"Мед", u"мёд", u"Мёд", u"МЕД"}));
    const struct {
        std::u16string Ending;
        TFolding Folding;
        std::vector<int32_t> Lines;
        size_t Runs;
    } cases[] = {
        {u"ед", NoFolding, {2, 3}, 1},         {u"ед", IgnoreCase, {2, 3, 6}, 2}, // МЕД after the two ё words
        {u"ЕД", IgnoreCase, {2, 3, 6}, 2},                                        // the query folds too
        {u"ед", YoAsYe, {2, 3, 4, 5}, 1},      {u"ёд", YoAsYe, {2, 3, 4, 5}, 1},
        {u"мед", Both, {2, 3, 4, 5, 6}, 1},    {u"Мёд", IgnoreCase, {4, 5}, 1},
        {u"д", Both, {1, 2, 3, 4, 5, 6}, 1},   {u"ЁЛКА", Both, {0}, 1},
        {u"ЁЛКА", IgnoreCase, {0}, 1},         {u"елка", IgnoreCase, {}, 0},
        {u"", Both, {0, 1, 2, 3, 4, 5, 6}, 1}, {u"амед", Both, {}, 0}, // longer than every word
    };
    for (const auto& c : cases) {
        const THits hits = Find(c.Ending, c.Folding);
        EXPECT_EQ(LinesOfHits(hits), c.Lines) << Utf16ToUtf8(c.Ending) << Name(c.Folding);
        EXPECT_EQ(hits.Count, static_cast<int32_t>(c.Lines.size())) << Utf16ToUtf8(c.Ending);
        EXPECT_EQ(hits.Runs.size(), c.Runs) << Utf16ToUtf8(c.Ending) << Name(c.Folding);
    }
}

TEST(folded_search_test, without_folding_keeps_the_first_run_only) {
    TTestDir dir;
    TWordList list;
    // Written by hand: клад stands out of order after the run of -ад.
    list.LoadWordList(dir.WriteDataFile("list.dat", u"\uFEFFад\r\nсад\r\nАд\r\nклад\r\n"));
    ASSERT_EQ(list.LoadError, "");
    EXPECT_EQ(LinesOfHits(FindEndingHits(list, QueryOfText(u"ад").data(), NoFolding)),
              (std::vector<int32_t>{0, 1}));
    EXPECT_EQ(LinesOfHits(FindEndingHits(list, QueryOfText(u"ад").data(), IgnoreCase)),
              (std::vector<int32_t>{0, 1, 2, 3}));
}

TEST(folded_search_test, real_list_agrees_with_the_plain_model) {
    TWordList list;
    list.LoadWordList(DataFileName);
    ASSERT_EQ(list.LoadError, "");
    const TPlainModel model(TPlainModel::LinesOf(list));
    for (const std::u16string ending :
         {u"", u"ость", u"ё", u"Ё", u"ЁВ", u"ий", u"ИЙ", u"Ва", u"ёк", u"ек", u"ёнок", u"Ян", u"ск", u"щъ"}) {
        for (const TFolding folding : {NoFolding, IgnoreCase, YoAsYe, Both}) {
            const THits hits = FindEndingHits(list, QueryOfText(ending).data(), folding);
            const std::vector<int32_t> expected = model.Hits(ending, folding);
            EXPECT_EQ(hits.Count, static_cast<int32_t>(expected.size()))
                << Utf16ToUtf8(ending) << Name(folding);
            EXPECT_TRUE(LinesOfHits(hits) == expected) << Utf16ToUtf8(ending) << Name(folding);
        }
    }
}

} // namespace
