// Tests of the loader: line indexing, partial blocks, unusable files, running out of memory, and the data
// file of the build.
#include "dictionary/WordList.h"
#include "dictionary/EndingSearch.h"
#include "dictionary/Sortrus.h"
#include "tests/dictionary/TestDataFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <new>
#include <set>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#define KAVRINTO_TEST_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KAVRINTO_TEST_SANITIZED 1
#endif
#endif

namespace {

// The line's text, turned back into characters.
std::u16string LineText(TWordList& list, int32_t i) {
    list.ConvertRangeToChars(list.LineStart[i], list.LineEnd[i]);
    return std::u16string(list.DisplayText.begin() + list.LineStart[i],
                          list.DisplayText.begin() + list.LineEnd[i] + 1);
}

struct TExpectedLine {
    std::u16string Text;
    size_t WordLength;
};

// Every line's text and word length, and the invariants that hold for every line.
void ExpectLines(TWordList& list, const std::vector<TExpectedLine>& expected) {
    ASSERT_EQ(list.LineCount, static_cast<int32_t>(expected.size()));
    ASSERT_GE(list.LineStart.size(), expected.size() + 10);
    for (int32_t i = 0; i < list.LineCount; ++i) {
        SCOPED_TRACE("line " + std::to_string(i));
        EXPECT_GE(list.WordEnd[i], list.LineStart[i] - 1);
        EXPECT_LE(list.WordEnd[i], list.LineEnd[i]);
        EXPECT_LT(list.LineEnd[i], list.CharCount);
        EXPECT_TRUE(LineText(list, i) == expected[i].Text);
        EXPECT_EQ(list.WordEnd[i] - list.LineStart[i] + 1, static_cast<int32_t>(expected[i].WordLength));
    }
}

TEST(wordlist_test, indexes_lines) {
    struct TCase {
        const char* Name;
        std::u16string Text; // after the byte-order mark
        std::vector<TExpectedLine> Lines;
    };
    const std::vector<TCase> cases = {
        {"CR LF with final break", u"ад\r\nвод\r\n", {{u"ад", 2}, {u"вод", 3}}},
        {"CR LF without final break", u"ад\r\nвод", {{u"ад", 2}, {u"вод", 3}}},
        {"LF", u"ад\nвод\n", {{u"ад", 2}, {u"вод", 3}}},
        {"LF without final break", u"ад\nвод", {{u"ад", 2}, {u"вод", 3}}},
        // Units between a lone CR and the next LF belong to no line.
        {"lone CR", u"ад\rxyz\nвод", {{u"ад", 2}, {u"вод", 3}}},
        {"lone CR at the end", u"ад\r", {{u"ад", 2}}},
        {"empty lines", u"ад\r\n\r\n\nвод\r\n", {{u"ад", 2}, {u"", 0}, {u"", 0}, {u"вод", 3}}},
        {"only a break", u"\r\n", {{u"", 0}}},
        {"no letters", u"12!\r\n-\r\n", {{u"12!", 0}, {u"-", 0}}},
        // ¹ and ² are no letters, ³ (key 300) is one.
        {"superscripts", u"дом¹\r\nдом²\r\nдом³\r\n", {{u"дом¹", 3}, {u"дом²", 3}, {u"дом³", 4}}},
        {"hyphen and space", u"что-то\r\nпо-\r\nад 2\r\n", {{u"что-то", 6}, {u"по-", 2}, {u"ад 2", 2}}},
        {"Latin and Cyrillic", u"Öl, ёж\r\nZ\r\n", {{u"Öl, ёж", 6}, {u"Z", 1}}},
    };
    TTestDir dir;
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TWordList list;
        EXPECT_TRUE(list.LoadWordList(dir.WriteDataFile("list.dat", u"\uFEFF" + c.Text)));
        EXPECT_EQ(list.LoadStatus, TLoadStatus::Loaded);
        EXPECT_EQ(list.LoadError, "");
        EXPECT_EQ(list.CharCount, static_cast<int32_t>(c.Text.size() + 1));
        EXPECT_EQ(list.KeyText[0], 0xFEFF); // never converted
        EXPECT_EQ(list.LineStart[0], 1);
        ExpectLines(list, c.Lines);
    }
}

TEST(wordlist_test, stores_sort_keys) {
    TTestDir dir;
    TWordList list;
    list.LoadWordList(dir.WriteDataFile("list.dat", u"\uFEFFаЁz³\r\n"));
    const std::vector<uint16_t> keys = {0xFEFF, 303, 316, 446, 300, 13, 10};
    EXPECT_EQ(std::vector<uint16_t>(list.KeyText.begin(), list.KeyText.begin() + 7), keys);
    EXPECT_EQ(list.KeyText.size(), static_cast<size_t>(list.FileSize) + 1);
    EXPECT_EQ(list.DisplayText.size(), static_cast<size_t>(list.FileSize) + 1);
}

// The tail after the last whole block is stored plain; an odd last byte belongs to no unit.
TEST(wordlist_test, reads_partial_blocks_and_odd_lengths) {
    struct TCase {
        std::u16string Text;
        size_t ExtraBytes;
        std::vector<TExpectedLine> Lines;
    };
    const std::vector<TCase> cases = {
        {u"\uFEFFад\r\nвод\r\n", 0, {{u"ад", 2}, {u"вод", 3}}},     // 20 bytes: 2 blocks and 4 plain
        {u"\uFEFFад\r\nвод", 0, {{u"ад", 2}, {u"вод", 3}}},         // 16 bytes: 2 blocks
        {u"\uFEFFад\r\nвод", 1, {{u"ад", 2}, {u"вод", 3}}},         // 17 bytes
        {u"\uFEFFдом", 1, {{u"дом", 3}}},                           // 9 bytes: 1 block and 1 plain
        {u"\uFEFFя", 1, {{u"я", 1}}},                               // 5 bytes: no whole block
        {u"\uFEFF\r\nя", 0, {{u"", 0}, {u"я", 1}}},                 // 8 bytes: one block
        {u"\uFEFF\r\nя\r\nб", 1, {{u"", 0}, {u"я", 1}, {u"б", 1}}}, // 15 bytes: one block, 7 plain bytes
    };
    TTestDir dir;
    for (const TCase& c : cases) {
        std::vector<uint8_t> bytes = Utf16LeBytes(c.Text);
        bytes.insert(bytes.end(), c.ExtraBytes, 0x41);
        const auto size = static_cast<int32_t>(bytes.size());
        SCOPED_TRACE(std::to_string(size) + " bytes");
        TWordList list;
        list.LoadWordList(dir.WriteBytes("list.dat", EncipherDataBytes(bytes)));
        EXPECT_EQ(list.FileSize, size);
        EXPECT_EQ(list.BytesRead, size);
        EXPECT_EQ(list.CharCount, size / 2);
        ExpectLines(list, c.Lines);
    }
}

TEST(wordlist_test, loads_two_or_three_bytes_as_one_empty_line) {
    TTestDir dir;
    for (const std::vector<uint8_t>& bytes :
         {std::vector<uint8_t>{0xFF, 0xFE}, std::vector<uint8_t>{0xFF, 0xFE, 0x41}}) {
        SCOPED_TRACE(bytes.size());
        TWordList list;
        list.LoadWordList(dir.WriteBytes("list.dat", bytes));
        EXPECT_EQ(list.LoadError, "");
        EXPECT_EQ(list.CharCount, 1);
        EXPECT_EQ(list.LineCount, 1);
        EXPECT_EQ(list.LineStart[0], 1);
        EXPECT_EQ(list.LineEnd[0], 0);
        EXPECT_EQ(list.WordEnd[0], 0);
        EXPECT_EQ(list.LineStart.size(), 11u);
    }
}

// The empty list that every failed load leaves: its arrays keep their spare entries, and readers stay
// inside them.
void ExpectEmpty(TWordList& list) {
    EXPECT_EQ(list.LineCount, 0);
    EXPECT_EQ(list.FileSize, 0);
    EXPECT_EQ(list.BytesRead, 0);
    EXPECT_EQ(list.CharCount, 0);
    EXPECT_EQ(list.KeyText.size(), 1u);
    EXPECT_EQ(list.DisplayText.size(), 1u);
    EXPECT_EQ(list.LineStart.size(), 10u);
    EXPECT_EQ(list.WordEnd.size(), 10u);
    EXPECT_EQ(list.LineEnd.size(), 10u);
    const uint16_t query[] = {303, 0}; // а
    EXPECT_EQ(FindEndingRange(list, query).Count(), 0);
    list.ConvertToKeys();
    list.ComputeLineBounds();
    list.ConvertRangeToChars(0, 5);
}

std::string Unreadable(const std::string& path, const std::string& cause) {
    return "Die Wörterbuchdatei " + path + " konnte nicht gelesen werden: " + cause + ".";
}

// A socket at path, as a server leaves it; the descriptor is closed, the name stays.
void MakeSocket(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(path.size(), sizeof address.sun_path);
    path.copy(address.sun_path, path.size());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
}

// Every file that cannot be loaded leaves the same empty list, its status and a German message that names
// the cause; a FIFO or a device is refused without waiting for it.
TEST(wordlist_test, reports_unusable_files) {
    TTestDir dir;
    const std::string missing = dir.Path("fehlt.dat");
    const std::string folder = dir.Path("ordner");
    std::filesystem::create_directory(folder);
    const std::string fifo = dir.Path("fifo.dat");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string fifoLink = dir.Path("fifo-verweis.dat");
    std::filesystem::create_symlink(fifo, fifoLink);
    const std::string socket = dir.Path("socket.dat");
    MakeSocket(socket);
    const std::string dangling = dir.Path("verweis-ins-leere.dat");
    std::filesystem::create_symlink(missing, dangling);
    const std::string loop = dir.Path("schleife.dat");
    std::filesystem::create_symlink(loop, loop);
    const std::string longName = dir.Path(std::string(256, 'x'));
    const std::string empty = dir.WriteBytes("leer.dat", {});
    const std::string oneByte = dir.WriteBytes("ein.dat", {0xFF});
    // Sparse: takes no room on the disk.
    const std::string huge = dir.WriteBytes("gross.dat", {});
    std::filesystem::resize_file(huge, uint64_t{1} << 31);
    // Refused by its first block, before memory is taken for the rest.
    const std::string largestZeros = dir.WriteBytes("nullen.dat", {});
    std::filesystem::resize_file(largestZeros, MaxDataFileSize);

    const auto notDictionary = [](const std::string& path) {
        return "Die Datei " + path +
               " ist keine Wörterbuchdatei von Kavrinto (falscher Schlüssel oder beschädigt).";
    };
    struct TCase {
        std::string Path;
        TLoadStatus Status;
        std::string Message;
    };
    const std::vector<TCase> cases = {
        {missing, TLoadStatus::Missing, "Die Wörterbuchdatei " + missing + " wurde nicht gefunden."},
        {dangling, TLoadStatus::Missing, "Die Wörterbuchdatei " + dangling + " wurde nicht gefunden."},
        {oneByte + "/x.dat", TLoadStatus::Missing,
         "Die Wörterbuchdatei " + oneByte + "/x.dat wurde nicht gefunden."},
        {folder, TLoadStatus::Unreadable, Unreadable(folder, "ist ein Ordner")},
        {fifo, TLoadStatus::Unreadable, Unreadable(fifo, "ist eine benannte Pipe (FIFO)")},
        {fifoLink, TLoadStatus::Unreadable, Unreadable(fifoLink, "ist eine benannte Pipe (FIFO)")},
        {"/dev/zero", TLoadStatus::Unreadable, Unreadable("/dev/zero", "ist ein Gerät")},
        {"/dev/null", TLoadStatus::Unreadable, Unreadable("/dev/null", "ist ein Gerät")},
        {socket, TLoadStatus::Unreadable, Unreadable(socket, "ist ein Socket")},
        {loop, TLoadStatus::Unreadable, Unreadable(loop, "zu viele Verweise")},
        {longName, TLoadStatus::Unreadable, Unreadable(longName, "Name zu lang")},
        {empty, TLoadStatus::NotDictionary, notDictionary(empty)},
        {oneByte, TLoadStatus::NotDictionary, notDictionary(oneByte)},
        {largestZeros, TLoadStatus::NotDictionary, notDictionary(largestZeros)},
        {huge, TLoadStatus::TooLarge,
         "Die Wörterbuchdatei " + huge + " ist zu groß (mehr als 2147483646 Byte)."},
    };
    TWordList list;
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Path);
        list.LoadWordList(dir.WriteDataFile("gut.dat", u"\uFEFFад\r\n"));
        ASSERT_EQ(list.LineCount, 1);
        EXPECT_TRUE(list.LoadWordList(c.Path));
        EXPECT_EQ(list.LoadStatus, c.Status);
        EXPECT_EQ(list.LoadError, c.Message);
        ExpectEmpty(list);
    }
}

// Run as root, the test reads as nobody: root may read any file.
TEST(wordlist_test, names_a_missing_permission) {
    TTestDir dir;
    const std::string path = dir.WriteDataFile("gesperrt.dat", u"\uFEFFад\r\n");
    std::filesystem::permissions(dir.Folder(), std::filesystem::perms::owner_all |
                                                   std::filesystem::perms::group_exec |
                                                   std::filesystem::perms::others_exec);
    std::filesystem::permissions(path, std::filesystem::perms::none);
    EXPECT_EXIT(
        {
            if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
                std::_Exit(3);
            TWordList list;
            list.LoadWordList(path);
            std::fputs(list.LoadError.c_str(), stderr);
            std::_Exit(list.LoadStatus == TLoadStatus::Unreadable && list.LineCount == 0 ? 0 : 1);
        },
        testing::ExitedWithCode(0),
        "^Die Wörterbuchdatei .*/gesperrt.dat konnte nicht gelesen werden: keine Berechtigung\\.$");
}

// Whichever buffer cannot be had, the load ends in the whole new list or in the empty one; when not even
// the empty one can be made, the old list stays as it was.
TEST(wordlist_test, running_out_of_memory_leaves_a_whole_list) {
    TTestDir dir;
    const std::string oldFile = dir.WriteDataFile("alt.dat", u"\uFEFFзавод\r\n");
    const std::string newFile = dir.WriteDataFile("neu.dat", u"\uFEFFад\r\nвод\r\n");
    int keptOld = 0;
    int leftEmpty = 0;
    for (int n = 0; n < 100; ++n) {
        SCOPED_TRACE("buffer " + std::to_string(n) + " fails");
        TWordList list;
        list.LoadWordList(oldFile);
        FailListBufferAfter(n);
        bool thrown = false;
        try {
            list.LoadWordList(newFile);
        } catch (const std::bad_alloc&) {
            thrown = true;
        }
        FailListBufferAfter(-1);
        if (thrown) {
            ++keptOld;
            EXPECT_EQ(list.LoadStatus, TLoadStatus::Loaded);
            ExpectLines(list, {{u"завод", 5}});
        } else if (list.LoadStatus == TLoadStatus::OutOfMemory) {
            ++leftEmpty;
            EXPECT_EQ(list.LoadError,
                      "Die Wörterbuchdatei " + newFile + " ist zu groß für den freien Arbeitsspeicher.");
            ExpectEmpty(list);
        } else {
            EXPECT_EQ(list.LoadStatus, TLoadStatus::Loaded);
            ExpectLines(list, {{u"ад", 2}, {u"вод", 3}});
            break;
        }
    }
    EXPECT_EQ(keptOld, 5);   // the empty list's arrays
    EXPECT_GE(leftEmpty, 5); // the new list's arrays
}

// Address space of this process in bytes.
size_t AddressSpace() {
    std::ifstream statm("/proc/self/statm");
    size_t pages = 0;
    statm >> pages;
    return pages * static_cast<size_t>(::sysconf(_SC_PAGESIZE));
}

// Loads path under ever larger limits of the address space, from too small for the text on, and ends the
// process: 0 when every load gave the empty list and a German message until one gave all lines.
[[noreturn]] void LoadUnderMemoryLimits(const std::string& path, int32_t lines) {
    rlimit limit{};
    ::getrlimit(RLIMIT_AS, &limit);
    const rlim_t unlimited = limit.rlim_cur;
    const size_t fileSize = std::filesystem::file_size(path);
    const std::string message =
        "Die Wörterbuchdatei " + path + " ist zu groß für den freien Arbeitsspeicher.";
    const uint16_t query[] = {303, 0}; // а
    int refused = 0;
    for (size_t room = fileSize; room < 20 * fileSize; room += fileSize / 4) {
        TWordList list;
        limit.rlim_cur = AddressSpace() + room;
        ::setrlimit(RLIMIT_AS, &limit);
        list.LoadWordList(path);
        limit.rlim_cur = unlimited;
        ::setrlimit(RLIMIT_AS, &limit);
        if (list.LoadStatus == TLoadStatus::Loaded) {
            const bool whole = list.LineCount == lines && FindEndingRange(list, query).Count() == 0;
            std::fprintf(stderr, "%d refused, then %s\n", refused, whole ? "loaded" : "loaded wrongly");
            std::_Exit(refused > 0 && whole ? 0 : 1);
        }
        if (list.LoadStatus != TLoadStatus::OutOfMemory || list.LoadError != message || list.LineCount != 0 ||
            list.LineStart.size() != 10 || FindEndingRange(list, query).Count() != 0) {
            std::fprintf(stderr, "with %zu bytes of room: %s\n", room, list.LoadError.c_str());
            std::_Exit(2);
        }
        ++refused;
    }
    std::fprintf(stderr, "never loaded\n");
    std::_Exit(3);
}

TEST(wordlist_test, a_memory_limit_gives_an_empty_list_and_a_german_message) {
#ifdef KAVRINTO_TEST_SANITIZED
    GTEST_SKIP() << "the address sanitizer's shadow memory does not fit under a limit of the address space";
#endif
    // 14 MB: 28 MB of text, as much again for the display, and 12 MB of line indices.
    std::u16string text = u"\uFEFF";
    constexpr int32_t Lines = 1000000;
    for (int32_t i = 0; i < Lines; ++i)
        text += u"завод\r\n";
    TTestDir dir;
    const std::string path = dir.WriteDataFile("gross.dat", text);
    EXPECT_EXIT(LoadUnderMemoryLimits(path, Lines), testing::ExitedWithCode(0), "refused, then loaded\n");
}

TEST(wordlist_test, loads_from_the_working_directory) {
    TTestDir dir;
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.Folder());
    TWordList list;
    list.LoadWordList();
    EXPECT_EQ(list.LoadStatus, TLoadStatus::Missing);
    EXPECT_EQ(list.LoadError,
              "Die Wörterbuchdatei " + dir.Path("VokKavrinto.dat") + " wurde nicht gefunden.");
    dir.WriteDataFile("VokKavrinto.dat", u"\uFEFFад\r\n");
    list.LoadWordList();
    std::filesystem::current_path(previous);
    EXPECT_EQ(list.LoadError, "");
    ExpectLines(list, {{u"ад", 2}});
}

TEST(wordlist_test, converts_only_the_given_range) {
    TTestDir dir;
    TWordList list;
    list.LoadWordList(dir.WriteDataFile("list.dat", u"\uFEFFад\r\nё³\r\n"));
    std::fill(list.DisplayText.begin(), list.DisplayText.end(), 0x2A);
    list.ConvertRangeToChars(5, 4);
    EXPECT_TRUE(
        std::all_of(list.DisplayText.begin(), list.DisplayText.end(), [](uint16_t u) { return u == 0x2A; }));
    list.ConvertRangeToChars(5, 6);
    EXPECT_EQ(list.DisplayText[4], 0x2A);
    EXPECT_EQ(list.DisplayText[5], 0x0451);
    EXPECT_EQ(list.DisplayText[6], 0x00B3);
    EXPECT_EQ(list.DisplayText[7], 0x2A);
    // Indices outside the arrays are left out, not followed.
    list.ConvertRangeToChars(-3, 1 << 30);
    EXPECT_EQ(list.DisplayText[0], 0xFEFF);
    EXPECT_EQ(list.DisplayText[1], 0x0430);
    EXPECT_EQ(list.DisplayText.back(), list.KeyText.back());
}

// Minimal UTF-8 decoder for the hunspell list (characters of the Basic Multilingual Plane only).
std::u16string FromUtf8(const std::string& s) {
    std::u16string out;
    for (size_t i = 0; i < s.size();) {
        const auto b = static_cast<uint8_t>(s[i]);
        if (b < 0x80) {
            out.push_back(b);
            i += 1;
        } else if (b < 0xE0) {
            out.push_back(static_cast<char16_t>((b & 0x1F) << 6 | (s[i + 1] & 0x3F)));
            i += 2;
        } else {
            out.push_back(
                static_cast<char16_t>((b & 0x0F) << 12 | (s[i + 1] & 0x3F) << 6 | (s[i + 2] & 0x3F)));
            i += 3;
        }
    }
    return out;
}

// The build's data file holds every distinct hunspell word once, ordered by the word read backwards.
TEST(wordlist_test, reads_the_built_data_file) {
    std::ifstream dic(KAVRINTO_HUNSPELL_DIC);
    ASSERT_TRUE(dic);
    std::string line;
    std::getline(dic, line); // the word count
    std::set<std::u16string> words;
    while (std::getline(dic, line)) {
        const std::string word = line.substr(0, line.find('/'));
        if (!word.empty())
            words.insert(FromUtf8(word));
    }
    // The hunspell words are letters only, so the whole reversed key string decides the order.
    const SortRus keys;
    std::vector<std::pair<std::u16string, std::u16string>> expected; // reversed keys, word
    for (const std::u16string& word : words) {
        std::u16string reversed;
        for (auto it = word.rbegin(); it != word.rend(); ++it)
            reversed.push_back(static_cast<char16_t>(keys.CharToSortKey(*it)));
        expected.emplace_back(reversed, word);
    }
    std::sort(expected.begin(), expected.end());

    TWordList list;
    list.LoadWordList();
    ASSERT_EQ(list.LoadError, "");
    ASSERT_EQ(list.LineCount, static_cast<int32_t>(expected.size()));
    EXPECT_GT(list.LineCount, 140000);
    for (int32_t i = 0; i < list.LineCount; ++i) {
        if (LineText(list, i) != expected[i].second || list.WordEnd[i] != list.LineEnd[i]) {
            ADD_FAILURE() << "line " << i << " differs";
            break;
        }
    }
}

} // namespace
