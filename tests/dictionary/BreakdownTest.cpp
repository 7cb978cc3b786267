// The breakdown of an ending: rows, counts, shares and their order, on a small list by hand and against a
// plain model, on the real list too.
#include "dictionary/Breakdown.h"

#include "common/Utf8.h"

#include "dictionary/WordListBuilder.h"
#include "tests/dictionary/PlainModel.h"
#include "tests/dictionary/TestDataFile.h"

#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

namespace {

constexpr TFolding NoFolding{};
constexpr TFolding IgnoreCase{true, false};
constexpr TFolding YoAsYe{false, true};
constexpr TFolding Both{true, true};

struct TRow {
    std::u16string Ending;
    int32_t Count;
};

std::vector<TRow> Rows(const std::vector<TBreakdownRow>& rows) {
    std::vector<TRow> plain;
    for (const TBreakdownRow& row : rows)
        plain.push_back({row.Ending, row.Count});
    return plain;
}

std::string Text(const std::vector<TRow>& rows) {
    std::string text;
    for (const TRow& row : rows)
        text += Utf16ToUtf8(row.Ending) + "\t" + std::to_string(row.Count) + "\n";
    return text;
}

class breakdown_test : public testing::Test {
protected:
    void SetUp() override {
        const TDataFile file =
            MakeDataFile({u"ость", u"кость", u"Кость", u"гость", u"новость", u"радость", u"мудрость",
                          u"сладость", u"мёд", u"мед", u"Мёд", u"сад", u"ад", u"1ад", u"ад²"});
        ASSERT_EQ(file.Error, "");
        List.LoadWordList(Dir.WriteBytes("list.dat", file.Bytes));
        ASSERT_EQ(List.LoadError, "");
    }

    std::vector<TBreakdownRow> BreakDown(const std::u16string& ending, TFolding folding) const {
        const std::vector<uint16_t> query = QueryOfText(ending);
        return BreakDownEnding(List, FindEndingHits(List, query.data(), folding), query.data(), folding);
    }

    TTestDir Dir;
    TWordList List;
};

TEST_F(breakdown_test, rows_by_count_then_in_dictionary_order) {
    const struct {
        std::u16string Ending;
        TFolding Folding;
        std::vector<TRow> Rows;
    } cases[] = {
        // The word that is the ending itself comes first among equal counts, then в < г < к < К < р.
        {u"ость",
         NoFolding,
         {{u"дость", 2},
          {u"ость", 1},
          {u"вость", 1},
          {u"гость", 1},
          {u"кость", 1},
          {u"Кость", 1},
          {u"рость", 1}}},
        {u"ость",
         IgnoreCase,
         {{u"дость", 2}, {u"кость", 2}, {u"ость", 1}, {u"вость", 1}, {u"гость", 1}, {u"рость", 1}}},
        {u"ОСТЬ",
         IgnoreCase,
         {{u"дость", 2}, {u"кость", 2}, {u"ость", 1}, {u"вость", 1}, {u"гость", 1}, {u"рость", 1}}},
        {u"ед", NoFolding, {{u"мед", 1}}},
        {u"ёд", YoAsYe, {{u"мед", 2}, {u"Мед", 1}}},
        {u"ёд", Both, {{u"мед", 3}}},
        // ад² by its word, and 1ад with the digit before the ending.
        {u"ад", NoFolding, {{u"ад", 2}, {u"1ад", 1}, {u"сад", 1}}},
        {u"мёд", NoFolding, {{u"мёд", 1}}},
        {u"х", NoFolding, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Text(Rows(BreakDown(c.Ending, c.Folding))), Text(c.Rows)) << Utf16ToUtf8(c.Ending);
}

TEST_F(breakdown_test, shares_and_the_row_of_the_whole_word) {
    const std::vector<TBreakdownRow> rows = BreakDown(u"ость", NoFolding);
    ASSERT_EQ(rows.size(), 7u);
    EXPECT_DOUBLE_EQ(rows[0].Share, 25.0);
    EXPECT_DOUBLE_EQ(rows[1].Share, 12.5);
    EXPECT_TRUE(rows[1].WholeWord);
    EXPECT_FALSE(rows[0].WholeWord);
    EXPECT_EQ(std::count_if(rows.begin(), rows.end(), [](const TBreakdownRow& r) { return r.WholeWord; }), 1);
}

TEST_F(breakdown_test, empty_ending_breaks_down_by_the_last_letter) {
    // Every line: by its word's last letter; 1ад and ад² count under д like the rest.
    EXPECT_EQ(Text(Rows(BreakDown(u"", NoFolding))), Text({{u"ь", 8}, {u"д", 7}}));
}

// The rows of a model that counts strings in a map; the counts add up to the hit count.
void ExpectModelRows(const TWordList& list, const TPlainModel& model, const std::u16string& ending,
                     TFolding folding) {
    const std::vector<uint16_t> query = QueryOfText(ending);
    const THits hits = FindEndingHits(list, query.data(), folding);
    const std::vector<TBreakdownRow> rows = BreakDownEnding(list, hits, query.data(), folding);
    const std::vector<TBreakdownRow> expected = model.Breakdown(ending, folding);
    const std::string name =
        Utf16ToUtf8(ending) + (folding.IgnoreCase ? " -i" : "") + (folding.YoAsYe ? " --yo" : "");
    EXPECT_EQ(Text(Rows(rows)), Text(Rows(expected))) << name;
    EXPECT_TRUE(rows == expected) << name; // shares and the whole-word flag as well
    const int32_t sum = std::accumulate(rows.begin(), rows.end(), 0,
                                        [](int32_t s, const TBreakdownRow& r) { return s + r.Count; });
    EXPECT_EQ(sum, hits.Count) << name;
}

TEST_F(breakdown_test, fixture_agrees_with_the_plain_model) {
    const TPlainModel model(TPlainModel::LinesOf(List));
    for (const std::u16string ending : {u"", u"ь", u"ость", u"Ость", u"ед", u"ёд", u"д", u"ад", u"сладость"})
        for (const TFolding folding : {NoFolding, IgnoreCase, YoAsYe, Both})
            ExpectModelRows(List, model, ending, folding);
}

TEST(breakdown_real_list_test, agrees_with_the_plain_model) {
    TWordList list;
    list.LoadWordList(DataFileName);
    ASSERT_EQ(list.LoadError, "");
    const TPlainModel model(TPlainModel::LinesOf(list));
    for (const std::u16string ending : {u"", u"ость", u"ность", u"а", u"ё", u"Ё", u"ий", u"ёнок", u"ск"})
        for (const TFolding folding : {NoFolding, IgnoreCase, YoAsYe, Both})
            ExpectModelRows(list, model, ending, folding);
}

} // namespace
