// Tests of the data file builder and of the program kavrinto-wortliste.
#include "dictionary/WordList.h"
#include "dictionary/WordListBuilder.h"
#include "tests/dictionary/TestDataFile.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// The order the search needs, derived by hand: word read backwards (last keys д 311 < ж 317 < м 329 <
// о 333 < т 341 < u 435), shorter first; the same word by the rest (… 279 < space 280 < - 287 < ¹ 298).
const std::vector<std::u16string> OrderedEntries = {
    u"123", // no letter: the empty word comes first
    u"³",   // ³ is letter key 300
    u"дом³",   u"ад", u"ад…", u"ад 2", u"ад-",    u"сад",
    u"еж", // е 313 < ё 314 < Е 315
    u"ёж",     u"Еж", u"ом",  u"дом",  u"дом¹",   u"дом²",
    u"Дом", // д 311 < Д 312 < л 327
    u"лом",    u"то",
    u"что-то", // the word ends on the last о
    u"т",      u"от", u"вот", u"кот",  u"Moskau",
};

// n times я (two bytes each in UTF-8).
std::string Cyrillic(size_t n) {
    std::string text;
    for (size_t i = 0; i < n; ++i)
        text += "я";
    return text;
}

// The same entries shuffled, with duplicates, empty lines, CR LF and LF.
const std::string ShuffledList = "кот\r\nMoskau\nдом²\nад-\r\n\r\nЕж\nот\nдом\nад 2\nсад\n123\nт\nад\n\n"
                                 "ёж\nдом³\nкот\nвот\nом\nлом\nдом¹\nто\nад…\nеж\n³\nчто-то\nДом\nдом\n";

std::vector<std::u16string> LoadedLines(const std::string& path) {
    TWordList list;
    list.LoadWordList(path);
    EXPECT_EQ(list.LoadError, "");
    std::vector<std::u16string> lines;
    for (int32_t i = 0; i < list.LineCount; ++i) {
        list.ConvertRangeToChars(list.LineStart[i], list.LineEnd[i]);
        lines.emplace_back(list.DisplayText.begin() + list.LineStart[i],
                           list.DisplayText.begin() + list.LineEnd[i] + 1);
    }
    return lines;
}

// The list fed to a reader in pieces of the given size, as a pipe may deliver it.
TWordListEntries ReadInPieces(std::string_view text, TListFormat format, size_t piece) {
    TWordListReader reader(format);
    for (size_t at = 0; at < text.size(); at += piece)
        reader.Read(text.substr(at, piece));
    return reader.Finish();
}

// The whole list at once and in pieces of one byte and of 4093 bytes (just under the limit for a line
// whose end has not come yet) must agree.
TWordListEntries ReadEveryWay(std::string_view text, TListFormat format) {
    TWordListEntries whole = ReadWordList(text, format);
    for (const size_t piece : {size_t{1}, size_t{4093}}) {
        SCOPED_TRACE(piece);
        const TWordListEntries pieces = ReadInPieces(text, format, piece);
        EXPECT_EQ(pieces.Error, whole.Error);
        EXPECT_EQ(pieces.Lines, whole.Lines);
        EXPECT_EQ(pieces.BlankLines, whole.BlankLines);
    }
    return whole;
}

TEST(builder_test, round_trip_orders_entries_and_drops_duplicates) {
    const TDataFile file = BuildDataFile(ShuffledList, TListFormat::Plain);
    ASSERT_EQ(file.Error, "");
    EXPECT_EQ(file.EntryCount, static_cast<int32_t>(OrderedEntries.size()));
    TTestDir dir;
    EXPECT_EQ(LoadedLines(dir.WriteBytes("list.dat", file.Bytes)), OrderedEntries);

    for (size_t i = 0; i + 1 < OrderedEntries.size(); ++i) {
        EXPECT_TRUE(EntryBefore(OrderedEntries[i], OrderedEntries[i + 1])) << i;
        EXPECT_FALSE(EntryBefore(OrderedEntries[i + 1], OrderedEntries[i])) << i;
    }
    EXPECT_FALSE(EntryBefore(u"дом", u"дом"));
}

TEST(builder_test, writes_enciphered_utf16_with_crlf) {
    // A UTF-8 byte-order mark at the start is no character of the first entry.
    const TDataFile file = BuildDataFile("\xEF\xBB\xBFвод\nад", TListFormat::Plain);
    ASSERT_EQ(file.Error, "");
    // 20 bytes: two blocks and 4 plain bytes.
    EXPECT_EQ(file.Bytes, EncipherDataBytes(Utf16LeBytes(u"\uFEFFад\r\nвод\r\n")));
    EXPECT_EQ(file.Bytes.size(), 20u);
}

TEST(builder_test, reads_hunspell_lists) {
    const std::string dic = "4\nдом/AB\nкот\tpo:noun\nдом/C\nпол\\/потолок/X\n/Y\n";
    const TWordListEntries entries = ReadEveryWay(dic, TListFormat::Hunspell);
    ASSERT_EQ(entries.Error, "");
    EXPECT_EQ(entries.Lines, (std::vector<std::u16string>{u"дом", u"кот", u"дом", u"пол/потолок"}));
    EXPECT_EQ(BuildDataFile(dic, TListFormat::Hunspell).EntryCount, 3);
    // As a plain list, the count and the flags are entries.
    EXPECT_EQ(ReadWordList(dic, TListFormat::Plain).Lines.front(), u"4");

    // Only the word counts: flags and fields far beyond the longest entry; a CR before the slash
    // belongs to the word.
    const std::string longFlags = "2\nдом/" + std::string(10000, 'A') + "\r\nкот\t" + std::string(5000, 'B') +
                                  "\n" + std::string(999, 'x') + "\\//" + std::string(5000, 'C');
    EXPECT_EQ(ReadEveryWay(longFlags, TListFormat::Hunspell).Lines,
              (std::vector<std::u16string>{u"дом", u"кот", std::u16string(999, u'x') + u"/"}));
    EXPECT_EQ(ReadEveryWay("2\nдом\r/" + std::string(5000, 'A') + "\n", TListFormat::Hunspell).Error,
              "Zeile 2: Wagenrücklauf (CR) ohne folgenden Zeilenvorschub (LF).");
}

TEST(builder_test, skips_and_counts_blank_lines) {
    // Lines 1, 2, 4 and 6 are blank; spaces and tabs around a word stay.
    const std::string list = "\n  \nдом\n\t \r\n \tкот\n\n";
    const TWordListEntries entries = ReadEveryWay(list, TListFormat::Plain);
    EXPECT_EQ(entries.Error, "");
    EXPECT_EQ(entries.BlankLines, 4);
    EXPECT_EQ(entries.Lines, (std::vector<std::u16string>{u"дом", u" \tкот"}));
    EXPECT_EQ(BuildDataFile(list, TListFormat::Plain).BlankLines, 4);

    // In a hunspell list a line whose word is empty or blank counts too; the word count does not.
    const TWordListEntries dic = ReadEveryWay("3\nдом/A\n/B\n  /C\n\n", TListFormat::Hunspell);
    EXPECT_EQ(dic.BlankLines, 3);
    EXPECT_EQ(dic.Lines, std::vector<std::u16string>{u"дом"});
}

TEST(builder_test, refuses_bad_input) {
    struct TCase {
        std::string Text;
        TListFormat Format;
        std::string Message;
    };
    const std::string utf8 = ": Die Zeile ist kein gültiges UTF-8.";
    const std::vector<TCase> cases = {
        {"дом\n\xC3\x28\n", TListFormat::Plain, "Zeile 2" + utf8},        // missing continuation
        {"\xC0\xAF", TListFormat::Plain, "Zeile 1" + utf8},               // overlong
        {"\xE0\x80\xAF", TListFormat::Plain, "Zeile 1" + utf8},           // overlong
        {"a\r\nb\n\xED\xA0\x80\n", TListFormat::Plain, "Zeile 3" + utf8}, // surrogate
        {"\xF4\x90\x80\x80", TListFormat::Plain, "Zeile 1" + utf8},       // above U+10FFFF
        {"\xBF", TListFormat::Plain, "Zeile 1" + utf8},                   // continuation byte alone
        {"a\nдо\xD0", TListFormat::Plain, "Zeile 2" + utf8},              // cut off at the end
        {"a\n\n\xF0\x9F\x98\x80\n", TListFormat::Plain,
         "Zeile 3: Das Zeichen U+1F600 liegt außerhalb der Basic Multilingual Plane."},
        {"a\n\xC4\xAC", TListFormat::Plain, // U+012C would read as key 300, ³
         "Zeile 2: Das Zeichen U+012C ist nicht erlaubt: Sein Code ist der Sortierschlüssel eines anderen "
         "Zeichens."},
        {"\xC4\x97", TListFormat::Plain, // U+0117 is key 279
         "Zeile 1: Das Zeichen U+0117 ist nicht erlaubt: Sein Code ist der Sortierschlüssel eines anderen "
         "Zeichens."},
        {"\xC6\xBE", TListFormat::Plain, // U+01BE is key 446
         "Zeile 1: Das Zeichen U+01BE ist nicht erlaubt: Sein Code ist der Sortierschlüssel eines anderen "
         "Zeichens."},
        {"а\rб\n", TListFormat::Plain, "Zeile 1: Wagenrücklauf (CR) ohne folgenden Zeilenvorschub (LF)."},
        {"", TListFormat::Plain, "Die Wortliste enthält keinen Eintrag."},
        {"\n\r\n\n", TListFormat::Plain, "Die Wortliste enthält keinen Eintrag."},
        {"дом/A\n", TListFormat::Hunspell,
         "Zeile 1: Ein Hunspell-Wörterbuch beginnt mit der Zahl seiner Wörter."},
        {"2\n/A\n\n", TListFormat::Hunspell, "Die Wortliste enthält keinen Eintrag."},
        {std::string(21, '1') + "\nдом\n", TListFormat::Hunspell,
         "Zeile 1: Ein Hunspell-Wörterbuch beginnt mit der Zahl seiner Wörter."},
        // Control characters other than tab: C0, DEL, C1.
        {"а\x07б", TListFormat::Plain,
         "Zeile 1: Das Zeichen U+0007 ist ein Steuerzeichen und nicht erlaubt."},
        {std::string("a\n\0b", 4), TListFormat::Plain,
         "Zeile 2: Das Zeichen U+0000 ist ein Steuerzeichen und nicht erlaubt."},
        {"a\n\x1B[0m", TListFormat::Plain,
         "Zeile 2: Das Zeichen U+001B ist ein Steuerzeichen und nicht erlaubt."},
        {"\x7F", TListFormat::Plain, "Zeile 1: Das Zeichen U+007F ist ein Steuerzeichen und nicht erlaubt."},
        {"\xC2\x85", TListFormat::Plain,
         "Zeile 1: Das Zeichen U+0085 ist ein Steuerzeichen und nicht erlaubt."},
        {"2\nдом\x01/A\n", TListFormat::Hunspell,
         "Zeile 2: Das Zeichen U+0001 ist ein Steuerzeichen und nicht erlaubt."},
        // U+FEFF anywhere but as the list's first character.
        {"дом\xEF\xBB\xBF", TListFormat::Plain,
         "Zeile 1: Das Zeichen U+FEFF (Byte-Order-Mark) ist im Text nicht erlaubt."},
        {"a\n\xEF\xBB\xBF"
         "b",
         TListFormat::Plain, "Zeile 2: Das Zeichen U+FEFF (Byte-Order-Mark) ist im Text nicht erlaubt."},
        {"\xEF\xBB\xBF\xEF\xBB\xBF"
         "a",
         TListFormat::Plain, "Zeile 1: Das Zeichen U+FEFF (Byte-Order-Mark) ist im Text nicht erlaubt."},
        // Entries beyond 1000 characters, also a line without end that never stops.
        {Cyrillic(1001), TListFormat::Plain, "Zeile 1: Der Eintrag ist länger als 1000 Zeichen."},
        {"a\n" + Cyrillic(100000), TListFormat::Plain, "Zeile 2: Der Eintrag ist länger als 1000 Zeichen."},
        {"1\n" + Cyrillic(1001) + "/A\n", TListFormat::Hunspell,
         "Zeile 2: Der Eintrag ist länger als 1000 Zeichen."},
        {"a\n" + std::string(100000, '\0'), TListFormat::Plain,
         "Zeile 2: Das Zeichen U+0000 ist ein Steuerzeichen und nicht erlaubt."},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Text.substr(0, 40));
        const TDataFile file = BuildDataFile(c.Text, c.Format);
        EXPECT_EQ(file.Error, c.Message);
        EXPECT_TRUE(file.Bytes.empty());
        EXPECT_EQ(ReadEveryWay(c.Text, c.Format).Error, c.Message);
    }
    // Just outside the key range: U+0116 (278) and U+01BF (447) keep their codes and are taken; so are
    // an entry of 1000 characters and a tab inside an entry.
    EXPECT_EQ(BuildDataFile("\xC4\x96\n\xC6\xBF", TListFormat::Plain).EntryCount, 2);
    EXPECT_EQ(ReadEveryWay(Cyrillic(1000) + "\na\tb\n", TListFormat::Plain).Lines,
              (std::vector<std::u16string>{std::u16string(1000, u'я'), u"a\tb"}));
}

TEST(builder_test, stops_reading_where_the_list_no_longer_fits) {
    // U+FEFF, then "дом" and "кот" with CR LF: 22 bytes.
    TWordListReader reader(TListFormat::Plain, 21);
    EXPECT_TRUE(reader.Read("дом\nко"));
    EXPECT_FALSE(reader.Read("т\nсад\n"));
    const std::string message =
        "Zeile 2: Die Wortliste ist zu groß: Die Wörterbuchdatei wäre größer als 21 Byte.";
    EXPECT_EQ(reader.Error(), message);
    EXPECT_FALSE(reader.Read("лес\n"));
    const TWordListEntries entries = reader.Finish();
    EXPECT_EQ(entries.Error, message);
    EXPECT_TRUE(entries.Lines.empty());

    TWordListReader fits(TListFormat::Plain, 22);
    EXPECT_TRUE(fits.Read("дом\n\n  \nкот"));
    EXPECT_EQ(fits.Finish().Lines, (std::vector<std::u16string>{u"дом", u"кот"}));
}

TEST(builder_test, refuses_a_file_beyond_the_size_limit) {
    // U+FEFF, "дом" and CR LF: 12 bytes.
    EXPECT_EQ(MakeDataFile({u"дом"}, 12).Bytes.size(), 12u);
    EXPECT_EQ(MakeDataFile({u"дом"}, 11).Error,
              "Die Wortliste ist zu groß: Die Wörterbuchdatei wäre größer als 11 Byte.");
    EXPECT_EQ(MakeDataFile({}).Error, "Die Wortliste enthält keinen Eintrag.");
}

struct TRun {
    int ExitCode;
    std::string Out;
    std::string Err;
};

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Runs the tool with the arguments, each in single quotes.
TRun RunTool(const TTestDir& dir, const std::vector<std::string>& arguments) {
    std::string command = "'" KAVRINTO_BIN_DIR "/kavrinto-wortliste'";
    for (const std::string& argument : arguments)
        command.append(" '").append(argument).append("'");
    command.append(" >'").append(dir.Path("out.txt")).append("' 2>'").append(dir.Path("err.txt")).append("'");
    const int status = std::system(command.c_str());
    TRun run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadText(dir.Path("out.txt")),
             ReadText(dir.Path("err.txt"))};
    std::filesystem::remove(dir.Path("out.txt"));
    std::filesystem::remove(dir.Path("err.txt"));
    return run;
}

TEST(builder_test, tool_writes_the_data_file) {
    TTestDir dir;
    const std::string input =
        dir.WriteBytes("liste.txt", std::vector<uint8_t>(ShuffledList.begin(), ShuffledList.end()));
    const std::string output = dir.Path("VokKavrinto.dat");
    const TRun run = RunTool(dir, {input, output});
    EXPECT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_EQ(run.Err, "");
    EXPECT_EQ(LoadedLines(output), OrderedEntries);
    EXPECT_EQ(std::filesystem::status(output).permissions() & std::filesystem::perms::others_read,
              std::filesystem::perms::others_read);

    const std::string dic = dir.WriteBytes("ru.dic", {'2', '\n', 'a', '/', 'X', '\n', 'b', '\n'});
    EXPECT_EQ(RunTool(dir, {"--hunspell", dic, output}).ExitCode, 0);
    EXPECT_EQ(LoadedLines(output), (std::vector<std::u16string>{u"a", u"b"}));
}

TEST(builder_test, tool_leaves_no_file_on_error) {
    TTestDir dir;
    const std::string bad = dir.WriteBytes("liste.txt", {'a', '\n', 0xC3, 0x28, '\n'});
    const std::string output = dir.Path("VokKavrinto.dat");

    TRun run = RunTool(dir, {bad, output});
    EXPECT_EQ(run.ExitCode, 2);
    EXPECT_EQ(run.Err, "kavrinto-wortliste: " + bad + ": Zeile 2: Die Zeile ist kein gültiges UTF-8.\n");
    EXPECT_FALSE(std::filesystem::exists(output));

    // An existing output stays as it was.
    dir.WriteBytes("VokKavrinto.dat", {'a', 'l', 't'});
    EXPECT_EQ(RunTool(dir, {bad, output}).ExitCode, 2);
    EXPECT_EQ(ReadText(output), "alt");

    run = RunTool(dir, {dir.Path("fehlt.txt"), output});
    EXPECT_EQ(run.ExitCode, 2);
    EXPECT_EQ(run.Err, "kavrinto-wortliste: Die Eingabedatei " + dir.Path("fehlt.txt") +
                           " konnte nicht gelesen werden.\n");

    const std::string good = dir.WriteBytes("gut.txt", {'a', '\n'});
    run = RunTool(dir, {good, dir.Path("fehlt/VokKavrinto.dat")});
    EXPECT_EQ(run.ExitCode, 2);
    EXPECT_EQ(run.Err, "kavrinto-wortliste: Die Ausgabedatei " + dir.Path("fehlt/VokKavrinto.dat") +
                           " konnte nicht geschrieben werden.\n");

    // Only the inputs and the old output remain: no temporary file.
    size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Folder()))
        ++files;
    EXPECT_EQ(files, 3u);
}

TEST(builder_test, tool_explains_its_use) {
    TTestDir dir;
    TRun run = RunTool(dir, {"--help"});
    EXPECT_EQ(run.ExitCode, 0);
    EXPECT_EQ(run.Out.rfind("Aufruf: kavrinto-wortliste [--hunspell] EINGABE AUSGABE\n", 0), 0u);
    const std::vector<std::vector<std::string>> wrongUses = {{}, {"a"}, {"a", "b", "c"}, {"--x", "a", "b"}};
    for (const std::vector<std::string>& arguments : wrongUses) {
        run = RunTool(dir, arguments);
        EXPECT_EQ(run.ExitCode, 2) << arguments.size();
        EXPECT_NE(run.Err.find("kavrinto-wortliste --help"), std::string::npos) << arguments.size();
    }
}

} // namespace
