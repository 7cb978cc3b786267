// Data files that are damaged, foreign or extreme: the loader refuses every file that does not begin with
// U+FEFF once deciphered, with a German message, and loads whatever lines the others hold; a search and
// its result document work on all, and kavrinto-suche ends with status 2 on the refused ones.
#include "dictionary/EndingSearch.h"
#include "dictionary/Readdaten.h"
#include "dictionary/Sortrus.h"
#include "dictionary/WordList.h"
#include "richtext/ResultDocument.h"
#include "tests/dictionary/TestDataFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <sys/stat.h>
#include <sys/wait.h>

namespace {

constexpr std::u16string_view GoodText = u"\uFEFFад\r\nвод\r\nзавод\r\nпара\r\n";

// Data file bytes of a small well-formed list.
std::vector<uint8_t> GoodFile() {
    return EncipherDataBytes(Utf16LeBytes(GoodText));
}

std::vector<uint8_t> Garbage(size_t size) {
    std::mt19937 random(7);
    std::vector<uint8_t> bytes(size);
    for (uint8_t& b : bytes)
        b = static_cast<uint8_t>(random());
    return bytes;
}

std::vector<uint8_t> OtherKey() {
    std::vector<uint8_t> bytes = Utf16LeBytes(GoodText);
    const uint8_t key[] = {'a', 'n', 'd', 'e', 'r', 'e', 'r', 0x80};
    TCipherContext context;
    InitKey(context, key, sizeof key);
    EncryptCBC(context, bytes.data(), static_cast<int32_t>(bytes.size() / 8));
    return bytes;
}

std::vector<uint8_t> BigEndian() {
    std::vector<uint8_t> bytes = Utf16LeBytes(GoodText);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        std::swap(bytes[i], bytes[i + 1]);
    return EncipherDataBytes(bytes);
}

std::vector<uint8_t> Utf8Text() {
    const std::string text = "\xEF\xBB\xBFад\nвод\nзавод\nпара\n";
    return std::vector<uint8_t>(text.begin(), text.end());
}

std::vector<uint8_t> Changed(std::vector<uint8_t> bytes, size_t at) {
    bytes[at] ^= 0x01;
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
    TLoadStatus Status = TLoadStatus::Loaded;
    int32_t LineCount = -1; // -1: any number of lines
};

std::vector<THostileCase> HostileCases() {
    std::vector<uint8_t> truncated = GoodFile();
    truncated.resize(truncated.size() - 13); // inside a block, odd length
    const TLoadStatus refused = TLoadStatus::NotDictionary;
    const TLoadStatus loaded = TLoadStatus::Loaded;

    std::vector<THostileCase> cases;
    cases.push_back({"missing", {}, true, TLoadStatus::Missing, 0});
    cases.push_back({"empty", {}, false, refused, 0});
    cases.push_back({"one byte", {0x41}, false, refused, 0});
    cases.push_back({"two bytes, not the mark", {0xFE, 0xFF}, false, refused, 0});
    cases.push_back({"other key", OtherKey(), false, refused, 0});
    cases.push_back({"plain UTF-8 text", Utf8Text(), false, refused, 0});
    cases.push_back({"plain UTF-16 text", Utf16LeBytes(GoodText), false, refused, 0});
    cases.push_back({"big-endian text", BigEndian(), false, refused, 0});
    cases.push_back({"random bytes", Garbage(100003), false, refused, 0});
    cases.push_back({"zeros", std::vector<uint8_t>(4096, 0x00), false, refused, 0});
    cases.push_back({"0xFF", std::vector<uint8_t>(4096, 0xFF), false, refused, 0});
    cases.push_back({"first byte changed", Changed(GoodFile(), 0), false, refused, 0});
    cases.push_back({"eighth byte changed", Changed(GoodFile(), 7), false, refused, 0});
    // Past the first block a change garbles lines only.
    cases.push_back({"ninth byte changed", Changed(GoodFile(), 8), false, loaded, -1});
    cases.push_back({"truncated", truncated, false, loaded, 3});
    cases.push_back({"no line break", Repeated(u"завод", 20), false, loaded, 1});
    cases.push_back({"a million empty lines", Repeated(u"\r\n", 1000000), false, loaded, 1000000});
    cases.push_back({"a line of a million letters", Repeated(u"а", 1000000, u"д\r\n"), false, loaded, 1});
    return cases;
}

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
    const TTestDir dir;
    const UniToRtf encoder;
    for (const THostileCase& c : HostileCases()) {
        SCOPED_TRACE(c.Name);
        const std::string path = c.Missing ? dir.Path("missing.dat") : dir.WriteBytes("list.dat", c.Bytes);
        TWordList list;
        EXPECT_TRUE(list.LoadWordList(path));
        EXPECT_EQ(list.LoadStatus, c.Status);
        if (c.Status == TLoadStatus::NotDictionary) {
            EXPECT_EQ(list.LoadError, "Die Datei " + path +
                                          " ist keine Wörterbuchdatei von Kavrinto (falscher Schlüssel oder "
                                          "beschädigt).");
        } else if (c.Status == TLoadStatus::Missing) {
            EXPECT_EQ(list.LoadError, "Die Wörterbuchdatei " + path + " wurde nicht gefunden.");
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

struct TRun {
    int Status = -1; // 124: killed after the time limit
    std::string Out;
    std::string Err;
};

std::string ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// kavrinto-suche --file path --count "", stopped after 20 seconds.
TRun SearchAll(const TTestDir& dir, const std::string& path) {
    const std::string command = "timeout 20 '" KAVRINTO_BIN_DIR "/kavrinto-suche' --file '" + path +
                                "' --count '' </dev/null >'" + dir.Path("out") + "' 2>'" + dir.Path("err") +
                                "'";
    const int status = std::system(command.c_str());
    TRun run;
    run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.Out = ReadWhole(dir.Path("out"));
    run.Err = ReadWhole(dir.Path("err"));
    return run;
}

// The tool says what the loader says, writes nothing else, and does not wait on a FIFO or a device.
TEST(hostile_data_test, kavrinto_suche_refuses_with_status_2) {
    const TTestDir dir;
    std::vector<std::string> paths = {dir.Path("missing.dat"), dir.Path("fifo.dat"), "/dev/zero",
                                      dir.Folder().string()};
    ASSERT_EQ(::mkfifo(paths[1].c_str(), 0600), 0);
    for (const THostileCase& c : HostileCases())
        if (!c.Missing && c.Status != TLoadStatus::Loaded)
            paths.push_back(dir.WriteBytes(std::to_string(paths.size()) + ".dat", c.Bytes));
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        TWordList oracle;
        oracle.LoadWordList(path);
        ASSERT_NE(oracle.LoadError, "");
        const TRun run = SearchAll(dir, path);
        EXPECT_EQ(run.Status, 2);
        EXPECT_EQ(run.Out, "");
        EXPECT_NE(run.Err.find(oracle.LoadError), std::string::npos) << run.Err;
    }
    const TRun good = SearchAll(dir, dir.WriteBytes("good.dat", GoodFile()));
    EXPECT_EQ(good.Status, 0);
    EXPECT_EQ(good.Out, "4\n");
}

} // namespace
