// Tests of the data file builder and of the program kavrinto-wortliste.
#include "dictionary/WordList.h"
#include "dictionary/WordListBuilder.h"
#include "tests/dictionary/TestDataFile.h"

#include <gtest/gtest.h>

#include <algorithm>
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

std::string ShellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

const std::string Tool = KAVRINTO_BIN_DIR "/kavrinto-wortliste";

// Runs the tool through the shell, after shellPrefix (a ulimit, say); its standard output goes to a
// file, or is closed.
TRun RunTool(const TTestDir& dir, const std::vector<std::string>& arguments,
             const std::string& shellPrefix = "", bool closeStandardOutput = false) {
    std::string command = shellPrefix + ShellQuoted(Tool);
    for (const std::string& argument : arguments)
        command += " " + ShellQuoted(argument);
    command += closeStandardOutput ? " >&-" : " >" + ShellQuoted(dir.Path("out.txt"));
    command += " 2>" + ShellQuoted(dir.Path("err.txt"));
    const int status = std::system(command.c_str());
    TRun run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadText(dir.Path("out.txt")),
             ReadText(dir.Path("err.txt"))};
    std::filesystem::remove(dir.Path("out.txt"));
    std::filesystem::remove(dir.Path("err.txt"));
    return run;
}

// Starts the tool directly, with the handled signals at their defaults and unblocked, its standard
// error in err.txt.
pid_t StartTool(const TTestDir& dir, const std::vector<std::string>& arguments) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, dir.Path("err.txt").c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none, defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    for (const int number : {SIGINT, SIGTERM, SIGHUP, SIGPIPE})
        sigaddset(&defaults, number);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    std::vector<std::string> words = {Tool};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    EXPECT_EQ(posix_spawn(&pid, Tool.c_str(), &actions, &attributes, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    return pid;
}

// The exit status of a started tool; -1 (and the tool killed) if it has not ended within 20 seconds.
int WaitForTool(pid_t pid) {
    int status = 0;
    for (int i = 0; i < 2000; ++i) {
        if (::waitpid(pid, &status, WNOHANG) == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, &status, 0);
    return -1;
}

// The names in the folder, ordered.
std::vector<std::string> Names(const TTestDir& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Folder()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A list of n different entries.
std::string NumberedList(int n) {
    std::string list;
    for (int i = 0; i < n; ++i)
        list += "слово" + std::to_string(i) + "\n";
    return list;
}

std::vector<uint8_t> Bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

TEST(builder_test, tool_writes_the_data_file) {
    TTestDir dir;
    const std::string input =
        dir.WriteBytes("liste.txt", std::vector<uint8_t>(ShuffledList.begin(), ShuffledList.end()));
    const std::string output = dir.Path("VokKavrinto.dat");
    const TRun run = RunTool(dir, {input, output});
    EXPECT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_EQ(run.Err, "");
    EXPECT_EQ(run.Out, output + ": 24 Einträge, 240 Byte, 2 leere Zeilen übersprungen.\n");
    EXPECT_EQ(LoadedLines(output), OrderedEntries);
    EXPECT_EQ(std::filesystem::status(output).permissions() & std::filesystem::perms::others_read,
              std::filesystem::perms::others_read);

    const std::string dic = dir.WriteBytes("ru.dic", {'2', '\n', 'a', '/', 'X', '\n', 'b', '\n'});
    EXPECT_EQ(RunTool(dir, {"--hunspell", dic, output}).ExitCode, 0);
    EXPECT_EQ(LoadedLines(output), (std::vector<std::u16string>{u"a", u"b"}));

    const std::string one = dir.WriteBytes("eins.txt", Bytes("дом\n\n"));
    EXPECT_EQ(RunTool(dir, {one, output}).Out,
              output + ": 1 Eintrag, 12 Byte, 1 leere Zeile übersprungen.\n");
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
                           " konnte nicht gelesen werden: nicht vorhanden.\n");

    run = RunTool(dir, {dir.Folder().string(), output});
    EXPECT_EQ(run.Err, "kavrinto-wortliste: Die Eingabedatei " + dir.Folder().string() +
                           " konnte nicht gelesen werden: ist ein Ordner.\n");

    const std::string good = dir.WriteBytes("gut.txt", {'a', '\n'});
    run = RunTool(dir, {good, dir.Path("fehlt/VokKavrinto.dat")});
    EXPECT_EQ(run.ExitCode, 2);
    EXPECT_EQ(run.Err, "kavrinto-wortliste: Die Ausgabedatei " + dir.Path("fehlt/VokKavrinto.dat") +
                           " konnte nicht geschrieben werden: Der Ordner " + dir.Path("fehlt") +
                           " lässt sich nicht öffnen (nicht vorhanden).\n");

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

TEST(builder_test, tool_replaces_only_a_regular_file) {
    TTestDir dir;
    const std::string input = dir.WriteBytes("liste.txt", Bytes("дом\n"));
    const std::string folder = std::filesystem::canonical(dir.Folder()).string();
    ASSERT_EQ(::mkfifo(dir.Path("fifo").c_str(), 0644), 0);
    std::filesystem::create_directory(dir.Path("ordner"));
    const int socketFd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    dir.Path("socket").copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(socketFd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ::close(socketFd);
    std::filesystem::create_symlink("fifo", dir.Path("verweis-fifo"));
    std::filesystem::create_symlink("fehlt", dir.Path("verweis-fehlt"));
    std::filesystem::create_symlink("schleife", dir.Path("schleife"));
    const std::vector<std::string> names = Names(dir);

    const std::string kept = ", keine gewöhnliche Datei; sie bleibt, wie sie ist.";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"fifo", " ist eine benannte Pipe (FIFO)" + kept},
        {"ordner", " ist ein Ordner" + kept},
        {"socket", " ist ein Socket" + kept},
        {"verweis-fifo", " (Verweis auf " + folder + "/fifo) ist eine benannte Pipe (FIFO)" + kept},
        {"verweis-fehlt",
         " ist ein symbolischer Verweis, dessen Ziel sich nicht finden lässt (nicht vorhanden); er bleibt, "
         "wie er ist."},
        {"schleife",
         " ist ein symbolischer Verweis, dessen Ziel sich nicht finden lässt (zu viele Verweise); er "
         "bleibt, wie er ist."},
    };
    for (const auto& [name, message] : cases) {
        SCOPED_TRACE(name);
        struct stat before {
        }, after{};
        ASSERT_EQ(::lstat(dir.Path(name).c_str(), &before), 0);
        const TRun run = RunTool(dir, {input, dir.Path(name)});
        EXPECT_EQ(run.ExitCode, 2);
        EXPECT_EQ(run.Err, "kavrinto-wortliste: Die Ausgabe " + dir.Path(name) + message + "\n");
        ASSERT_EQ(::lstat(dir.Path(name).c_str(), &after), 0);
        EXPECT_EQ(after.st_ino, before.st_ino);
        EXPECT_EQ(after.st_mode, before.st_mode);
    }
    EXPECT_EQ(Names(dir), names);
}

TEST(builder_test, tool_writes_the_target_of_a_link_and_keeps_permission_bits) {
    TTestDir dir;
    const std::string input = dir.WriteBytes("liste.txt", Bytes("дом\n"));
    const std::string target = dir.WriteBytes("ziel.dat", Bytes("alt"));
    std::filesystem::create_symlink("ziel.dat", dir.Path("verweis.dat"));
    const std::string other = dir.WriteBytes("andere.dat", Bytes("alt"));
    ASSERT_EQ(::chmod(target.c_str(), 0600), 0);
    ASSERT_EQ(::chmod(other.c_str(), 0640), 0);

    EXPECT_EQ(RunTool(dir, {input, dir.Path("verweis.dat")}).ExitCode, 0);
    EXPECT_EQ(std::filesystem::read_symlink(dir.Path("verweis.dat")), "ziel.dat");
    EXPECT_EQ(LoadedLines(target), std::vector<std::u16string>{u"дом"});
    EXPECT_EQ(RunTool(dir, {input, other}).ExitCode, 0);
    EXPECT_EQ(LoadedLines(other), std::vector<std::u16string>{u"дом"});

    struct stat status {};
    ASSERT_EQ(::stat(target.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0600u);
    ASSERT_EQ(::stat(other.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    EXPECT_EQ(Names(dir), (std::vector<std::string>{"andere.dat", "liste.txt", "verweis.dat", "ziel.dat"}));
}

TEST(builder_test, tool_refuses_to_write_over_its_input) {
    TTestDir dir;
    const std::string input = dir.WriteBytes("liste.txt", Bytes("дом\n"));
    std::filesystem::create_hard_link(input, dir.Path("hart.txt"));
    std::filesystem::create_symlink("liste.txt", dir.Path("verweis.txt"));
    const std::string folder = std::filesystem::canonical(dir.Folder()).string();
    const std::vector<std::pair<std::string, std::string>> outputs = {
        {input, input},
        {dir.Folder().string() + "/./liste.txt", dir.Folder().string() + "/./liste.txt"},
        {dir.Path("hart.txt"), dir.Path("hart.txt")},
        {dir.Path("verweis.txt"), dir.Path("verweis.txt") + " (Verweis auf " + folder + "/liste.txt)"},
    };
    for (const auto& [output, shown] : outputs) {
        SCOPED_TRACE(output);
        const TRun run = RunTool(dir, {input, output});
        EXPECT_EQ(run.ExitCode, 2);
        EXPECT_EQ(run.Err, "kavrinto-wortliste: Die Ausgabedatei " + shown +
                               " ist die Eingabedatei; sie würde überschrieben, bevor sie gelesen ist.\n");
        EXPECT_EQ(ReadText(input), "дом\n");
    }
    // The same file as input through the link.
    EXPECT_EQ(RunTool(dir, {dir.Path("verweis.txt"), input}).ExitCode, 2);
    EXPECT_EQ(ReadText(input), "дом\n");
}

TEST(builder_test, tool_removes_its_temporary_file_beyond_the_file_size_limit) {
    TTestDir dir;
    const std::string input = dir.WriteBytes("liste.txt", Bytes(NumberedList(300)));
    const std::string output = dir.WriteBytes("VokKavrinto.dat", Bytes("alt"));
    // 2 blocks: 1 or 2 KiB, as the shell counts them; the data file has about 8 KiB.
    const TRun run = RunTool(dir, {input, output}, "ulimit -f 2; ");
    EXPECT_EQ(run.ExitCode, 2);
    EXPECT_EQ(run.Err, "kavrinto-wortliste: Die Ausgabedatei " + output +
                           " konnte nicht geschrieben werden: Datei zu groß für die erlaubte Dateigröße "
                           "(ulimit -f).\n");
    EXPECT_EQ(ReadText(output), "alt");
    EXPECT_EQ(Names(dir), (std::vector<std::string>{"VokKavrinto.dat", "liste.txt"}));
}

TEST(builder_test, tool_ends_on_a_signal_and_says_why) {
    const std::vector<std::pair<int, std::string>> cases = {
        {SIGINT, "Abgebrochen (Unterbrechung, SIGINT)"},
        {SIGTERM, "Abgebrochen (Aufforderung zum Beenden, SIGTERM)"},
        {SIGHUP, "Abgebrochen (Terminal geschlossen, SIGHUP)"},
    };
    for (const auto& [number, reason] : cases) {
        SCOPED_TRACE(number);
        TTestDir dir;
        const std::string input = dir.Path("eingabe");
        ASSERT_EQ(::mkfifo(input.c_str(), 0644), 0);
        const std::string output = dir.WriteBytes("VokKavrinto.dat", Bytes("alt"));
        const pid_t pid = StartTool(dir, {input, output});
        // Opening returns once the tool reads; it then waits for more of the list.
        const int writer = ::open(input.c_str(), O_WRONLY);
        ASSERT_GE(writer, 0);
        ASSERT_EQ(::write(writer, "дом\n", 7), 7);
        ::kill(pid, number);
        EXPECT_EQ(WaitForTool(pid), 2);
        ::close(writer);
        EXPECT_EQ(ReadText(dir.Path("err.txt")),
                  "kavrinto-wortliste: " + reason + "; die Ausgabedatei bleibt, wie sie war.\n");
        EXPECT_EQ(ReadText(output), "alt");
        EXPECT_EQ(Names(dir), (std::vector<std::string>{"VokKavrinto.dat", "eingabe", "err.txt"}));
    }
}

TEST(builder_test, tool_stops_reading_a_line_without_end) {
    // The writer stays open: a tool that read on would never end.
    const std::vector<std::pair<std::string, std::string>> cases = {
        {std::string(16384, '\0'), "Zeile 1: Das Zeichen U+0000 ist ein Steuerzeichen und nicht erlaubt."},
        {"дом\n" + Cyrillic(8192), "Zeile 2: Der Eintrag ist länger als 1000 Zeichen."},
    };
    for (const auto& [text, message] : cases) {
        SCOPED_TRACE(message);
        TTestDir dir;
        const std::string input = dir.Path("eingabe");
        ASSERT_EQ(::mkfifo(input.c_str(), 0644), 0);
        const pid_t pid = StartTool(dir, {input, dir.Path("VokKavrinto.dat")});
        const int writer = ::open(input.c_str(), O_WRONLY);
        ASSERT_GE(writer, 0);
        ASSERT_EQ(::write(writer, text.data(), text.size()), static_cast<ssize_t>(text.size()));
        EXPECT_EQ(WaitForTool(pid), 2);
        ::close(writer);
        EXPECT_EQ(ReadText(dir.Path("err.txt")), "kavrinto-wortliste: " + input + ": " + message + "\n");
        EXPECT_FALSE(std::filesystem::exists(dir.Path("VokKavrinto.dat")));
    }
}

TEST(builder_test, tool_takes_output_names_as_long_as_the_system_allows) {
    TTestDir dir;
    const std::string input = dir.WriteBytes("liste.txt", Bytes("дом\n"));
    const std::string longest = std::string(251, 'w') + ".dat";
    const TRun run = RunTool(dir, {input, dir.Path(longest)});
    EXPECT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_EQ(LoadedLines(dir.Path(longest)), std::vector<std::u16string>{u"дом"});
    EXPECT_EQ(Names(dir), (std::vector<std::string>{"liste.txt", longest}));

    const std::string tooLong = dir.Path("w" + longest);
    EXPECT_EQ(RunTool(dir, {input, tooLong}).Err, "kavrinto-wortliste: Die Ausgabedatei " + tooLong +
                                                      " konnte nicht geschrieben werden: Name zu lang.\n");
}

TEST(builder_test, tool_reports_a_lack_of_memory) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer reserves more address space than the limit allows.";
#endif
    TTestDir dir;
    const std::string input = dir.Path("eingabe");
    ASSERT_EQ(::mkfifo(input.c_str(), 0644), 0);
    // Far more than 60 MB of entries, each of 900 characters.
    const std::string writer =
        "yes " + Cyrillic(900) + " | head -c 2000000000 >" + ShellQuoted(input) + " & ";
    const TRun run = RunTool(dir, {input, dir.Path("VokKavrinto.dat")}, writer + "ulimit -v 60000; ");
    EXPECT_EQ(run.ExitCode, 2);
    EXPECT_EQ(run.Err, "kavrinto-wortliste: Der Arbeitsspeicher reicht für diese Wortliste nicht aus; die "
                       "Ausgabedatei bleibt, wie sie war.\n");
    EXPECT_FALSE(std::filesystem::exists(dir.Path("VokKavrinto.dat")));
}

TEST(builder_test, tool_reports_a_closed_standard_output) {
    TTestDir dir;
    const std::string input = dir.WriteBytes("liste.txt", Bytes("дом\n"));
    const std::string message =
        "kavrinto-wortliste: Die Standardausgabe konnte nicht geschrieben werden: nicht geöffnet oder "
        "geschlossen.\n";
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"--help"}, std::vector<std::string>{input, dir.Path("VokKavrinto.dat")}}) {
        SCOPED_TRACE(arguments.front());
        const TRun run = RunTool(dir, arguments, "", true);
        EXPECT_EQ(run.ExitCode, 2);
        EXPECT_EQ(run.Err, message);
    }
    // The data file itself is complete, and did not take the closed output's place.
    EXPECT_EQ(LoadedLines(dir.Path("VokKavrinto.dat")), std::vector<std::u16string>{u"дом"});
}

// With the file system unable to make unnamed files the data file is written under a short name of its
// own; a signal during the writing, or the file size limit, must not leave that file behind.
TEST(builder_test, tool_removes_a_named_temporary_file_on_every_way_out) {
    const std::string preload = "ASAN_OPTIONS=\"$ASAN_OPTIONS:verify_asan_link_order=0\" LD_PRELOAD=" +
                                ShellQuoted(KAVRINTO_FAULTS_LIBRARY) + " ";
    const std::string named = "KAVRINTO_FAULT_NO_TMPFILE=1 ";
    struct TCase {
        std::string Prefix;
        std::string Message;
    };
    const std::string kept = "; die Ausgabedatei bleibt, wie sie war.\n";
    const std::vector<TCase> cases = {
        {named + "KAVRINTO_FAULT_SIGNAL=15 ", "Abgebrochen (Aufforderung zum Beenden, SIGTERM)" + kept},
        {named + "KAVRINTO_FAULT_SIGNAL=2 ", "Abgebrochen (Unterbrechung, SIGINT)" + kept},
        {"KAVRINTO_FAULT_SIGNAL=1 ", "Abgebrochen (Terminal geschlossen, SIGHUP)" + kept},
        {"ulimit -f 2; " + named,
         "Die Ausgabedatei @ konnte nicht geschrieben werden: Datei zu groß für die erlaubte Dateigröße "
         "(ulimit -f).\n"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Prefix);
        TTestDir dir;
        const std::string input = dir.WriteBytes("liste.txt", Bytes(NumberedList(300)));
        const std::string output = dir.WriteBytes("VokKavrinto.dat", Bytes("alt"));
        std::string message = "kavrinto-wortliste: " + c.Message;
        if (const size_t at = message.find('@'); at != std::string::npos)
            message.replace(at, 1, output);
        const TRun run =
            RunTool(dir, {input, output},
                    c.Prefix.starts_with("ulimit") ? "ulimit -f 2; " + preload + named : preload + c.Prefix);
        EXPECT_EQ(run.ExitCode, 2);
        EXPECT_EQ(run.Err, message);
        EXPECT_EQ(ReadText(output), "alt");
        EXPECT_EQ(Names(dir), (std::vector<std::string>{"VokKavrinto.dat", "liste.txt"}));
    }

    // Without faults the short name takes the output's place, which keeps its permission bits.
    TTestDir dir;
    const std::string input = dir.WriteBytes("liste.txt", Bytes("дом\n"));
    const std::string output = dir.WriteBytes("VokKavrinto.dat", Bytes("alt"));
    ASSERT_EQ(::chmod(output.c_str(), 0600), 0);
    const std::string fresh = dir.Path(std::string(251, 'w') + ".dat");
    EXPECT_EQ(RunTool(dir, {input, output}, preload + named).ExitCode, 0);
    EXPECT_EQ(RunTool(dir, {input, fresh}, preload + named).ExitCode, 0);
    EXPECT_EQ(LoadedLines(output), std::vector<std::u16string>{u"дом"});
    EXPECT_EQ(LoadedLines(fresh), std::vector<std::u16string>{u"дом"});
    struct stat status {};
    ASSERT_EQ(::stat(output.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0600u);
    EXPECT_EQ(Names(dir).size(), 3u);
}

} // namespace
