// The batch search: bisection over lists in the builder's order gives what the linear search gives.
#include "dictionary/EndingSearch.h"

#include "dictionary/Sortrus.h"
#include "dictionary/WordListBuilder.h"
#include "lexicon/LemmaLink.h"
#include "tests/dictionary/TestDataFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace {

using TQuery = std::vector<uint16_t>;

// Every query against the index and the linear search; the linear searches share both cores.
void ExpectSameRanges(const TWordList& list, const std::vector<TQuery>& queries, bool bisects) {
    const TEndingIndex index(list);
    EXPECT_EQ(index.Bisects(), bisects);
    std::vector<THitRange> linear(queries.size());
    const auto search = [&](size_t from, size_t step) {
        for (size_t q = from; q < queries.size(); q += step)
            linear[q] = FindEndingRange(list, queries[q].data());
    };
    std::thread other(search, 1, 2);
    search(0, 2);
    other.join();
    const std::vector<THitRange> batch = FindEndingRanges(list, queries);
    int32_t differences = 0;
    for (size_t q = 0; q < queries.size(); ++q) {
        const THitRange got = index.Find(queries[q].data());
        if (got.FirstHit != linear[q].FirstHit || got.LastHit != linear[q].LastHit ||
            batch[q].FirstHit != got.FirstHit || batch[q].LastHit != got.LastHit) {
            if (++differences <= 10)
                ADD_FAILURE() << "query " << q << ": " << got.FirstHit << ".." << got.LastHit << ", linear "
                              << linear[q].FirstHit << ".." << linear[q].LastHit;
        }
    }
    EXPECT_EQ(differences, 0);
}

// The keys of every word ending of 1 to maxLength keys that occurs in the list.
std::vector<TQuery> OccurringEndings(const TWordList& list, int32_t maxLength) {
    std::set<TQuery> endings;
    for (int32_t i = 0; i < list.LineCount; ++i) {
        const int32_t end = list.WordEnd[i];
        for (int32_t m = 1; m <= maxLength && end - m + 1 >= list.LineStart[i]; ++m) {
            TQuery query(list.KeyText.begin() + end - m + 1, list.KeyText.begin() + end + 1);
            query.push_back(0);
            endings.insert(query);
        }
    }
    return {endings.begin(), endings.end()};
}

TQuery Keys(std::u16string_view text) {
    return QueryOfText(text);
}

TEST(ending_index_test, small_lists_in_and_out_of_order) {
    TTestDir dir;
    // In the builder's order: lines without letters, superscripts, hyphens, capitals, е and ё.
    const TDataFile file =
        MakeDataFile({u"сад³", u"ба", u"жаба", u"123", u"-", u"ад", u"сад", u"сад²", u"заклад", u"Ад", u"все",
                      u"всё", u"клад", u"по-", u"что-то", u"ад 2", u"Öl", u"я"});
    ASSERT_EQ(file.Error, "");
    TWordList ordered;
    ordered.LoadWordList(dir.WriteBytes("geordnet.dat", file.Bytes));
    ASSERT_EQ(ordered.LoadError, "");
    std::vector<TQuery> queries = OccurringEndings(ordered, 10);
    for (const char16_t* missing : {u"", u"бад", u"езаклад", u"ё", u"а-", u" ", u"x", u"л", u"яя", u"Ö"})
        queries.push_back(Keys(missing));
    ExpectSameRanges(ordered, queries, true);

    // A stray line after the run: the first run counts, so bisection would be wrong here.
    std::u16string text = u"\uFEFF";
    for (const char16_t* line : {u"ба", u"ад", u"сад", u"заклад", u"Ад", u"клад", u"я"})
        text += std::u16string(line) + u"\r\n";
    TWordList stray;
    stray.LoadWordList(dir.WriteDataFile("ungeordnet.dat", text));
    ASSERT_EQ(stray.LoadError, "");
    ExpectSameRanges(stray, OccurringEndings(stray, 10), false);
    EXPECT_EQ(TEndingIndex(stray).Find(Keys(u"клад").data()).LastHit, 3);

    TWordList empty;
    empty.LoadWordList(dir.WriteBytes("leer.dat", {}));
    ExpectSameRanges(empty, {Keys(u""), Keys(u"а")}, true);
}

// Both real lists: every ending of one to three letters that occurs, random endings of one to six
// letters (most of the longer ones occur nowhere) and endings longer than any word.
TEST(ending_index_test, real_lists_give_the_linear_search_s_ranges) {
    std::mt19937 random(20261210);
    for (const char* name : {DataFileName, FormsFileName}) {
        SCOPED_TRACE(name);
        TWordList list;
        list.LoadWordList(name);
        ASSERT_EQ(list.LoadError, "");
        std::vector<TQuery> queries = OccurringEndings(list, 3);
        EXPECT_GT(queries.size(), 4000u);
        std::uniform_int_distribution<uint16_t> letter(303, 368);
        std::uniform_int_distribution<int> length(1, 6);
        for (int q = 0; q < 500; ++q) {
            TQuery query(static_cast<size_t>(length(random)));
            for (uint16_t& key : query)
                key = letter(random);
            query.push_back(0);
            queries.push_back(query);
        }
        queries.push_back(Keys(u"ненавистничествами"));
        queries.push_back(Keys(u"аааааааааааааааааааааааааааааааааааааааааааааааааааааааааааааааааааа"));
        queries.push_back(Keys(u"ость-"));
        ExpectSameRanges(list, queries, true);
    }
}

} // namespace
