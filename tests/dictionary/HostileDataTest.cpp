// Data files that are damaged, foreign or extreme: the loader refuses the unusable ones with a German
// message and loads whatever lines the others hold; a search and its result document work on all.
#include "dictionary/EndingSearch.h"
#include "dictionary/Readdaten.h"
#include "dictionary/Sortrus.h"
#include "dictionary/WordList.h"
#include "richtext/ResultDocument.h"
#include "tests/dictionary/TestDataFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace {

// Data file bytes of a small well-formed list.
std::vector<uint8_t> GoodFile() {
    return EncipherDataBytes(Utf16LeBytes(u"\uFEFFад\r\nвод\r\nзавод\r\nпара\r\n"));
}

std::vector<uint8_t> Garbage(size_t size) {
    std::mt19937 random(7);
    std::vector<uint8_t> bytes(size);
    for (uint8_t& b : bytes)
        b = static_cast<uint8_t>(random());
    return bytes;
}

std::vector<uint8_t> OtherKey() {
    std::vector<uint8_t> bytes = Utf16LeBytes(u"\uFEFFад\r\nвод\r\nзавод\r\nпара\r\n");
    const uint8_t key[] = {'a', 'n', 'd', 'e', 'r', 'e', 'r', 0x80};
    TCipherContext context;
    InitKey(context, key, sizeof key);
    EncryptCBC(context, bytes.data(), static_cast<int32_t>(bytes.size() / 8));
    return bytes;
}

std::vector<uint8_t> Repeated(std::u16string_view unit, size_t times, std::u16string_view tail = u"") {
    std::u16string text = u"\uFEFF";
    text.reserve(unit.size() * times + tail.size() + 1);
    for (size_t i = 0; i < times; ++i)
        text += unit;
    text += tail;
    return EncipherDataBytes(Utf16LeBytes(text));
}

struct THostileCase {
    const char* Name;
    std::vector<uint8_t> Bytes; // no file at all when Missing
    bool Missing = false;
    // What the loader must report: a message part, or "" for a usable file.
    std::string Error;
    int32_t LineCount = -1; // -1: any number of lines
};

// Searches that a user can start: everything, one letter, a two-letter ending and 199 letters.
std::vector<std::vector<uint16_t>> Queries() {
    const SortRus keys;
    const uint16_t a = keys.CharToSortKey(u'а'), d = keys.CharToSortKey(u'д');
    std::vector<std::vector<uint16_t>> queries = {{0}, {a, 0}, {a, d, 0}};
    queries.emplace_back(199, a);
    queries.back().push_back(0);
    return queries;
}

TEST(hostile_data_test, every_file_loads_or_is_refused_and_searches_work) {
    std::vector<uint8_t> truncated = GoodFile();
    truncated.resize(truncated.size() - 13); // inside a block, odd length

    std::vector<THostileCase> cases;
    cases.push_back({"missing", {}, true, "wurde nicht gefunden.", 0});
    cases.push_back({"empty", {}, false, "konnte nicht gelesen werden.", 0});
    cases.push_back({"one byte", {0x41}, false, "konnte nicht gelesen werden.", 0});
    cases.push_back({"truncated", truncated, false, "", 3});
    cases.push_back({"garbage", Garbage(100003), false, "", -1});
    cases.push_back({"other key", OtherKey(), false, "", -1});
    cases.push_back({"no line break", Repeated(u"завод", 20), false, "", 1});
    cases.push_back({"a million empty lines", Repeated(u"\r\n", 1000000), false, "", 1000000});
    cases.push_back({"a line of a million letters", Repeated(u"а", 1000000, u"д\r\n"), false, "", 1});

    const TTestDir dir;
    const UniToRtf encoder;
    for (const THostileCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const std::string path = c.Missing ? dir.Path("missing.dat") : dir.WriteBytes("list.dat", c.Bytes);
        TWordList list;
        EXPECT_TRUE(list.LoadWordList(path));
        if (!c.Error.empty()) {
            EXPECT_NE(list.LoadError.find(c.Error), std::string::npos) << list.LoadError;
            EXPECT_NE(list.LoadError.find(path), std::string::npos) << list.LoadError;
        } else {
            EXPECT_EQ(list.LoadError, "");
        }
        if (c.LineCount >= 0) {
            EXPECT_EQ(list.LineCount, c.LineCount);
        }

        for (const std::vector<uint16_t>& query : Queries()) {
            const THitRange hits = FindEndingRange(list, query.data());
            if (hits.Count() > 0) {
                EXPECT_GE(hits.FirstHit, 0);
                EXPECT_LT(hits.LastHit, list.LineCount);
            } else {
                EXPECT_EQ(hits.Count(), 0);
            }
            const std::string document = BuildResultDocument(list, hits.FirstHit, hits.LastHit, encoder);
            EXPECT_TRUE(document.starts_with(ResultHeader));
            EXPECT_TRUE(document.ends_with(std::string(ResultFooter) + "\r\n"));
            size_t paragraphs = 0;
            for (size_t p = document.find("\\par "); p != std::string::npos;
                 p = document.find("\\par ", p + 1))
                ++paragraphs;
            EXPECT_EQ(paragraphs, static_cast<size_t>(std::clamp(hits.Count(), 1, MaxShownLines)));
        }
    }
}

TEST(hostile_data_test, extreme_lines_are_found) {
    const TTestDir dir;
    const SortRus keys;
    const uint16_t ad[] = {keys.CharToSortKey(u'а'), keys.CharToSortKey(u'д'), 0};

    TWordList longLine;
    longLine.LoadWordList(dir.WriteBytes("long.dat", Repeated(u"а", 1000000, u"д\r\n")));
    EXPECT_EQ(FindEndingRange(longLine, ad).Count(), 1);

    TWordList emptyLines;
    emptyLines.LoadWordList(dir.WriteBytes("empty.dat", Repeated(u"\r\n", 1000000)));
    EXPECT_EQ(FindEndingRange(emptyLines, ad).Count(), 0);
    const uint16_t everything[] = {0};
    EXPECT_EQ(FindEndingRange(emptyLines, everything).Count(), 1000000);
}

} // namespace
