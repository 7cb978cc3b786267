// kavrinto-suche as a process over a small data file: output, counts, exit status, messages, endings
// from standard input, the forms list, and what happens when standard output cannot be written. What the
// command line means is tested on the parser.
#include "dictionary/WordList.h"
#include "dictionary/WordListBuilder.h"
#include "lexicon/LemmaLink.h"
#include "lexicon/LexiconBuild.h"
#include "lexicon/LexiconSchema.h"
#include "tests/dictionary/TestDataFile.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct TResult {
    int Status;
    std::string Out;
    std::string Err;
};

// Where the program's standard output goes.
enum class TStdout {
    Captured,
    Closed,     // >&-
    Full,       // >/dev/full
    ReaderGone, // a pipe nobody reads, with SIGPIPE ignored as some callers leave it
};

std::string Described(const std::vector<std::string>& args) {
    std::string text = "kavrinto-suche";
    for (const std::string& arg : args)
        text += " '" + arg + "'";
    return text;
}

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

class suche_test : public testing::Test {
protected:
    void SetUp() override {
        std::u16string text = u"\uFEFF";
        for (const char16_t* line :
             {u"ба", u"жаба", u"ад", u"сад", u"сад²", u"заклад", u"Ад", u"все", u"всё", u"{x}", u"заря"})
            text += std::u16string(line) + u"\r\n";
        DataFile = Dir.WriteDataFile(DataFileName, text);
    }

    // Runs the tool (the build's, unless another copy is given) in folder with the arguments; no
    // --file unless given. stdinFrom: a file or folder opened as standard input, "" for a closed one;
    // without it the test's own.
    TResult Run(const std::vector<std::string>& args, const std::string& folder = "/",
                const std::string& program = KAVRINTO_BIN_DIR "/kavrinto-suche",
                TStdout out = TStdout::Captured,
                const std::optional<std::string>& stdinFrom = std::nullopt) const {
        const std::string outFile = Dir.Path("stdout.txt");
        const std::string errFile = Dir.Path("stderr.txt");
        std::vector<std::string> argStrings = {program};
        argStrings.insert(argStrings.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& arg : argStrings)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        int pipeEnds[2] = {-1, -1};
        if (out == TStdout::ReaderGone) {
            if (::pipe(pipeEnds) != 0)
                return {-1, "", "pipe failed"};
            ::close(pipeEnds[0]);
        }

        const pid_t child = ::fork();
        if (child < 0)
            return {-1, "", "fork failed"};
        if (child == 0) {
            if (stdinFrom) {
                ::close(STDIN_FILENO);
                if (!stdinFrom->empty() && ::open(stdinFrom->c_str(), O_RDONLY) != STDIN_FILENO)
                    ::_exit(127);
            }
            const int err = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            ::dup2(err, STDERR_FILENO);
            ::close(err);
            int target = -1;
            switch (out) {
            case TStdout::Captured:
                target = ::open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
                break;
            case TStdout::Closed:
                ::close(STDOUT_FILENO);
                break;
            case TStdout::Full:
                target = ::open("/dev/full", O_WRONLY);
                break;
            case TStdout::ReaderGone:
                target = pipeEnds[1];
                ::signal(SIGPIPE, SIG_IGN); // stays ignored across exec
                break;
            }
            if (target >= 0) {
                ::dup2(target, STDOUT_FILENO);
                ::close(target);
            }
            if (::chdir(folder.c_str()) == 0)
                ::execv(program.c_str(), argv.data());
            ::_exit(127);
        }
        if (pipeEnds[1] >= 0)
            ::close(pipeEnds[1]);
        int status = 0;
        ::waitpid(child, &status, 0);
        TResult result;
        result.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.Out = out == TStdout::Captured ? ReadFile(outFile) : "";
        result.Err = ReadFile(errFile);
        std::filesystem::remove(outFile);
        std::filesystem::remove(errFile);
        return result;
    }

    TResult Search(std::vector<std::string> args, TStdout out = TStdout::Captured) const {
        args.insert(args.begin(), {"--file", DataFile});
        return Run(args, "/", KAVRINTO_BIN_DIR "/kavrinto-suche", out);
    }

    // Each call's standard output as expected, nothing on standard error, and status 1 exactly when
    // there was no hit (no output, or a count of 0).
    template <std::size_t N>
    void ExpectAnswers(const std::pair<std::vector<std::string>, std::string> (&Cases)[N]) const {
        for (const auto& [args, out] : Cases) {
            SCOPED_TRACE(Described(args));
            const TResult r = Search(args);
            EXPECT_EQ(r.Out, out);
            EXPECT_EQ(r.Status, out.empty() || out == "0\n" ? 1 : 0);
            EXPECT_EQ(r.Err, "");
        }
    }

    // --stdin over file (the fixture's unless another is given), with lines as standard input.
    TResult SearchLines(std::vector<std::string> args, const std::string& lines, std::string file = {},
                        TStdout out = TStdout::Captured) const {
        args.insert(args.begin(), {"--stdin", "--file", file.empty() ? DataFile : file});
        const std::string input =
            Dir.WriteBytes("stdin.txt", std::vector<uint8_t>(lines.begin(), lines.end()));
        return Run(args, "/", KAVRINTO_BIN_DIR "/kavrinto-suche", out, input);
    }

    TTestDir Dir;
    std::string DataFile;
};

TEST_F(suche_test, lists_hits_in_dictionary_order) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"ад"}, "ад\nсад\nсад²\nзаклад\n"},
        {{"сад"}, "сад\nсад²\n"},
        {{"Ад"}, "Ад\n"},
        {{"сё"}, "всё\n"},
        {{"x"}, "{x}\n"}, // the brace after the word is shown
        {{"--limit", "2", "ад"}, "ад\nсад\n"},
        {{"ад", "--limit=1"}, "ад\n"},
        {{"--keys", "fl"}, "ад\nсад\nсад²\nзаклад\n"}, // f is а, l is д
        {{"--keys", "Fl"}, "Ад\n"},
        {{"--keys", "c^"}, "всё\n"},
        {{"--keys", "xj"}, ""}, // чо
        {{"--count", "ад"}, "4\n"},
        {{"--count", "--limit", "1", "ад"}, "4\n"}, // the count covers every hit
        {{"--count", ""}, "11\n"},
        {{"--keys", "--count", "f1l"}, "0\n"}, // а1д
    };
    ExpectAnswers(cases);
    const TResult all = Search({""});
    EXPECT_EQ(all.Status, 0);
    EXPECT_TRUE(all.Out.starts_with("ба\nжаба\n"));
    EXPECT_TRUE(all.Out.ends_with("{x}\nзаря\n"));
}

// -i and --yo fold the search; folded hits are found wherever they lie in the list.
TEST_F(suche_test, folds_case_and_yo_on_request) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"-i", "ад"}, "ад\nсад\nсад²\nзаклад\nАд\n"},
        {{"--ignore-case", "АД"}, "ад\nсад\nсад²\nзаклад\nАд\n"},
        {{"-i", "--count", "ад"}, "5\n"},
        {{"-i", "--limit", "4", "д"}, "ад\nсад\nсад²\nзаклад\n"},
        {{"--yo", "се"}, "все\nвсё\n"},
        {{"--yo", "всё"}, "все\nвсё\n"},
        {{"--yo", "Ё"}, ""},
        {{"-i", "--yo", "Ё"}, "все\nвсё\n"},
        {{"-i", "--keys", "Fl"}, "ад\nсад\nсад²\nзаклад\nАд\n"},
        {{"-i", "X"}, "{x}\n"},
    };
    ExpectAnswers(cases);
}

// One line per extended ending with its count: the most frequent first, then in dictionary order with
// the ending alone first.
TEST_F(suche_test, breaks_an_ending_down) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--breakdown", "ад"}, "сад\t2\nад\t1\nлад\t1\n"},
        {{"--breakdown=ад", "-i"}, "ад\t2\nсад\t2\nлад\t1\n"},
        {{"--keys", "--breakdown", "fl"}, "сад\t2\nад\t1\nлад\t1\n"},
        {{"--breakdown", ""}, "д\t5\nа\t2\nе\t1\nё\t1\nя\t1\nx\t1\n"},
        {{"--yo", "--breakdown", "ё"}, "се\t2\n"},
        {{"--limit", "1", "--breakdown", "ад"}, "сад\t2\n"},
        {{"--breakdown", "х"}, ""},
    };
    ExpectAnswers(cases);
}

TEST_F(suche_test, no_hit) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{"х"},
                                                 {"--count", "х"},
                                                 {"-", "--"},
                                                 {"--", "-ад"},
                                                 {std::string(199, 'a')}}) {
        SCOPED_TRACE(Described(args));
        const TResult r = Search(args);
        EXPECT_EQ(r.Status, 1);
        EXPECT_EQ(r.Out, args[0] == "--count" ? "0\n" : "");
    }
}

TEST_F(suche_test, reads_the_working_directorys_data_file) {
    const TResult r = Run({"--count", "ба"}, Dir.Folder().string());
    EXPECT_EQ(r.Out, "2\n");
    EXPECT_EQ(r.Status, 0);
}

// An installed copy lies in PREFIX/bin and finds PREFIX/share/kavrinto/VokKavrinto.dat when the
// working directory has none, wherever PREFIX is and however the program is reached.
TEST_F(suche_test, falls_back_to_the_installed_data_file) {
    namespace fs = std::filesystem;
    const fs::path prefix = Dir.Folder() / "unpacked" / "usr";
    fs::create_directories(prefix / "bin");
    fs::create_directories(prefix / "share" / "kavrinto");
    fs::copy_file(KAVRINTO_BIN_DIR "/kavrinto-suche", prefix / "bin" / "kavrinto-suche");
    fs::copy_file(DataFile, prefix / "share" / "kavrinto" / "VokKavrinto.dat");
    const std::string installed = (prefix / "bin" / "kavrinto-suche").string();
    const fs::path link = Dir.Folder() / "link-to-kavrinto-suche";
    fs::create_symlink(installed, link);
    const fs::path empty = Dir.Folder() / "empty";
    fs::create_directories(empty);

    for (const std::string& program : {installed, link.string()}) {
        const TResult r = Run({"--count", "ад"}, empty.string(), program);
        EXPECT_EQ(r.Out, "4\n") << program << r.Err;
        EXPECT_EQ(r.Status, 0) << program;
    }

    // The working directory's own file comes first, and --file before both.
    const fs::path other = Dir.Folder() / "other";
    fs::create_directories(other);
    std::u16string text = u"\uFEFFад\r\n";
    Dir.WriteDataFile("one.dat", text);
    fs::copy_file(Dir.Path("one.dat"), other / "VokKavrinto.dat");
    EXPECT_EQ(Run({"--count", "ад"}, other.string(), installed).Out, "1\n");
    EXPECT_EQ(Run({"--file", Dir.Path("one.dat"), "--count", "ад"}, empty.string(), installed).Out, "1\n");

    // A data file in the working directory that cannot be read is reported, not passed over.
    fs::create_directories(empty / "VokKavrinto.dat");
    const TResult unreadable = Run({"--count", "ад"}, empty.string(), installed);
    EXPECT_EQ(unreadable.Status, 2);
    EXPECT_NE(unreadable.Err.find("konnte nicht gelesen werden"), std::string::npos) << unreadable.Err;
}

// Each line of standard input is an ending; every answer begins with the line as it was read.
TEST_F(suche_test, stdin_answers_every_line) {
    struct TCase {
        std::vector<std::string> Args;
        std::string In;
        std::string Out;
        int Status;
    };
    const TCase cases[] = {
        {{"--count"}, "ад\nсад\nх\n", "ад\t4\nсад\t2\nх\t0\n", 0},
        {{}, "сад\nсё", "сад\tсад\nсад\tсад²\nсё\tвсё\n", 0}, // the last line needs no LF
        {{"--limit", "1"}, "ад\nа\n", "ад\tад\nа\tба\n", 0},  // the limit holds for each ending
        {{"--limit=0"}, "ад\n", "", 0},
        {{"--keys", "--count"}, "fl\r\nc^\r\n", "fl\t4\nc^\t1\n", 0}, // CR LF ends a line too
        {{"--count"}, "ад\nад\n", "ад\t4\nад\t4\n", 0},
        {{"--count"}, "\n", "\t11\n", 0}, // an empty line is the empty ending
        {{"--count"}, "х\nщ\n", "х\t0\nщ\t0\n", 1},
        {{}, "х\n", "", 1},
        {{"--count"}, "", "", 1},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(Described(c.Args) + " < '" + c.In + "'");
        const TResult r = SearchLines(c.Args, c.In);
        EXPECT_EQ(r.Out, c.Out);
        EXPECT_EQ(r.Status, c.Status);
        EXPECT_EQ(r.Err, "");
    }
}

// A bad line costs only its own answer: it is named by its number, the run goes on and ends with 2.
TEST_F(suche_test, stdin_reports_bad_lines_by_number_and_goes_on) {
    const std::string longLine(100000, 'a'); // longer than one read
    const std::string in = "ад\n"
                           "\xD0\n" +
                           std::string(200, 'a') + "\n" + longLine + "\n" + std::string("f\0l\n", 4) +
                           "сад\n" + std::string(199, 'a') + "\n";
    const TResult r = SearchLines({"--count"}, in);
    EXPECT_EQ(r.Out, "ад\t4\nсад\t2\n" + std::string(199, 'a') + "\t0\n");
    EXPECT_EQ(r.Err, "kavrinto-suche: Zeile 2: Die ENDUNG ist kein gültiger UTF-8-Text.\n"
                     "kavrinto-suche: Zeile 3: Die ENDUNG ist länger als 199 Zeichen.\n"
                     "kavrinto-suche: Zeile 4: Die ENDUNG ist länger als 199 Zeichen.\n"
                     "kavrinto-suche: Zeile 5: Die ENDUNG enthält ein Nullzeichen.\n");
    EXPECT_EQ(r.Status, 2);

    const TResult keys = SearchLines({"--keys"}, "fж\nfl\n{\n");
    EXPECT_EQ(keys.Out, "fl\tад\nfl\tсад\nfl\tсад²\nfl\tзаклад\n");
    EXPECT_EQ(keys.Err,
              "kavrinto-suche: Zeile 1: Das Zeichen „ж“ gibt es auf der deutschen Tastatur nicht (Option "
              "--keys).\n"
              "kavrinto-suche: Zeile 3: Das Zeichen „{“ nimmt das Eingabefeld nicht an (Option --keys).\n");
    EXPECT_EQ(keys.Status, 2);
}

// Standard input that cannot be read ends the run like any other error; so does an output that takes
// nothing, and the answers go out before a read error is reported.
TEST_F(suche_test, stdin_that_cannot_be_read) {
    const std::vector<std::string> args = {"--stdin", "--file", DataFile, "--count"};
    const std::string program = KAVRINTO_BIN_DIR "/kavrinto-suche";
    const TResult closed = Run(args, "/", program, TStdout::Captured, "");
    EXPECT_EQ(closed.Err, "kavrinto-suche: Die Standardeingabe konnte nicht gelesen werden: nicht geöffnet "
                          "oder geschlossen.\n");
    EXPECT_EQ(closed.Status, 2);
    const TResult folder = Run(args, "/", program, TStdout::Captured, Dir.Folder().string());
    EXPECT_EQ(folder.Err,
              "kavrinto-suche: Die Standardeingabe konnte nicht gelesen werden: ist ein Ordner.\n");
    EXPECT_EQ(folder.Status, 2);

    const TResult full = SearchLines({"--count"}, "ад\n", {}, TStdout::Full);
    EXPECT_EQ(full.Err, "kavrinto-suche: Die Ausgabe konnte nicht geschrieben werden: Datenträger voll.\n");
    EXPECT_EQ(full.Status, 2);
}

// On a list in the builder's order the endings are found by bisection: each answer must be what a run
// of its own gives, at the edges of runs and between them.
TEST_F(suche_test, stdin_gives_what_one_run_per_ending_gives) {
    const TDataFile data = MakeDataFile({u"ба", u"жаба", u"аба", u"ад", u"сад", u"заклад", u"Ад", u"все",
                                         u"всё", u"заря", u"я", u"моря", u"горя", u"ря", u"а", u"д", u"ёж"});
    ASSERT_EQ(data.Error, "");
    const std::string file = Dir.WriteBytes("ordered.dat", data.Bytes);
    const std::vector<std::string> endings = {"а",   "ба", "аба", "жаба", "ижаба", "д", "ад",
                                              "сад", "Ад", "дд",  "е",    "ё",     "я", "ря",
                                              "оря", "ж",  "ёж",  "",     "б",     "ъ", "\U0001F600"};
    for (const std::vector<std::string>& options :
         {std::vector<std::string>{}, {"--count"}, {"--limit", "1"}}) {
        SCOPED_TRACE(Described(options));
        std::string lines;
        std::string expected;
        bool anyHit = false;
        for (const std::string& ending : endings) {
            lines += ending + "\n";
            std::vector<std::string> args = {"--file", file};
            args.insert(args.end(), options.begin(), options.end());
            args.insert(args.end(), {"--", ending});
            const TResult one = Run(args);
            ASSERT_EQ(one.Err, "") << ending;
            anyHit = anyHit || one.Status == 0;
            std::istringstream answers(one.Out);
            for (std::string answer; std::getline(answers, answer);)
                expected += ending + "\t" + answer + "\n";
        }
        const TResult batch = SearchLines(options, lines, file);
        EXPECT_EQ(batch.Out, expected);
        EXPECT_EQ(batch.Status, anyHit ? 0 : 1);
        EXPECT_EQ(batch.Err, "");
    }
}

// Someone typing endings sees each answer as soon as the line is complete, not at the end of the input.
TEST_F(suche_test, stdin_answers_a_line_before_the_input_ends) {
    int in[2];
    int out[2];
    ASSERT_EQ(::pipe(in), 0);
    ASSERT_EQ(::pipe(out), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::dup2(in[0], STDIN_FILENO);
        ::dup2(out[1], STDOUT_FILENO);
        for (int fd : {in[0], in[1], out[0], out[1]})
            ::close(fd);
        ::execl(KAVRINTO_BIN_DIR "/kavrinto-suche", "kavrinto-suche", "--stdin", "--count", "--file",
                DataFile.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(in[0]);
    ::close(out[1]);
    // Reads until the answer is complete, waiting at most 10 seconds in all.
    const auto answer = [&](std::string_view expected) {
        std::string got;
        pollfd ready{out[0], POLLIN, 0};
        while (got.size() < expected.size() && ::poll(&ready, 1, 10000) == 1) {
            char buffer[256];
            const ssize_t n = ::read(out[0], buffer, sizeof buffer);
            if (n <= 0)
                break;
            got.append(buffer, static_cast<std::size_t>(n));
        }
        return got;
    };
    ASSERT_EQ(::write(in[1], "ад\n", 5), 5);
    EXPECT_EQ(answer("ад\t4\n"), "ад\t4\n");
    ASSERT_EQ(::write(in[1], "сад\nх", 9), 9); // the last line still open
    EXPECT_EQ(answer("сад\t2\n"), "сад\t2\n");
    ::close(in[1]);
    EXPECT_EQ(answer("х\t0\n"), "х\t0\n");
    ::close(out[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

// --forms reads VokKavrintoFormen.dat where the lemma list would be read: the working directory first,
// then the installed files; its absence is reported under its own name.
TEST_F(suche_test, forms_reads_the_forms_list_like_the_lemma_list) {
    namespace fs = std::filesystem;
    const fs::path prefix = Dir.Folder() / "unpacked" / "usr";
    fs::create_directories(prefix / "bin");
    fs::create_directories(prefix / "share" / "kavrinto");
    const std::string installed = (prefix / "bin" / "kavrinto-suche").string();
    fs::copy_file(KAVRINTO_BIN_DIR "/kavrinto-suche", installed);
    fs::copy_file(DataFile, prefix / "share" / "kavrinto" / DataFileName);
    const fs::path empty = Dir.Folder() / "empty";
    fs::create_directories(empty);

    const TResult none = Run({"--forms", "--count", "ад"}, empty.string(), installed);
    EXPECT_EQ(none.Status, 2);
    EXPECT_TRUE(none.Err.starts_with("kavrinto-suche: Weder im Arbeitsverzeichnis noch bei den installierten "
                                     "Dateien liegt eine Wörterbuchdatei: " +
                                     (empty / FormsFileName).string() + " und " +
                                     (prefix / "share" / "kavrinto" / FormsFileName).string() + " fehlen."))
        << none.Err;

    std::u16string forms = u"\uFEFFад\r\nсад\r\nсады\r\nсадами\r\n";
    Dir.WriteDataFile("forms.dat", forms);
    fs::copy_file(Dir.Path("forms.dat"), prefix / "share" / "kavrinto" / FormsFileName);
    EXPECT_EQ(Run({"--forms", "--count", "ад"}, empty.string(), installed).Out, "2\n");
    EXPECT_EQ(Run({"--count", "ад"}, empty.string(), installed).Out, "4\n"); // the lemma list as before

    const fs::path local = Dir.Folder() / "local";
    fs::create_directories(local);
    Dir.WriteDataFile("local.dat", u"\uFEFFами\r\n");
    fs::copy_file(Dir.Path("local.dat"), local / FormsFileName);
    const TResult own = Run({"--forms", "ами"}, local.string(), installed);
    EXPECT_EQ(own.Out, "ами\n");
    EXPECT_EQ(own.Status, 0);
}

// Wrong calls in general are the parser's tests; here the stream, the exit status and the pointer to the
// help, and what only the program itself checks.
TEST_F(suche_test, errors_go_to_stderr_in_german) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--bunt", "ад"}, "kavrinto-suche: Unbekannte Option „--bunt“.\nHilfe: kavrinto-suche --help\n"},
        {{}, "kavrinto-suche: Die ENDUNG fehlt.\nHilfe: kavrinto-suche --help\n"},
        {{"--file", "", "ад"},
         "kavrinto-suche: --file erwartet einen Dateinamen, angegeben wurde keiner.\nHilfe: kavrinto-suche "
         "--help\n"},
        {{"\xD0"}, "kavrinto-suche: Die ENDUNG ist kein gültiger UTF-8-Text.\n"},
        {{"\xC0\xB0"}, "kavrinto-suche: Die ENDUNG ist kein gültiger UTF-8-Text.\n"},     // overlong
        {{"\xED\xA0\x80"}, "kavrinto-suche: Die ENDUNG ist kein gültiger UTF-8-Text.\n"}, // surrogate
        {{std::string(200, 'a')}, "kavrinto-suche: Die ENDUNG ist länger als 199 Zeichen.\n"},
        {{"--keys", "fж"},
         "kavrinto-suche: Das Zeichen „ж“ gibt es auf der deutschen Tastatur nicht (Option --keys).\n"},
        {{"--keys", "f\\1l"},
         "kavrinto-suche: Das Zeichen „\\“ nimmt das Eingabefeld nicht an (Option --keys).\n"},
        {{"--keys", "{"},
         "kavrinto-suche: Das Zeichen „{“ nimmt das Eingabefeld nicht an (Option --keys).\n"},
        {{"--keys", "f\U0001F600"},
         "kavrinto-suche: Das Zeichen „\U0001F600“ gibt es auf der deutschen Tastatur nicht (Option "
         "--keys).\n"},
    };
    for (const auto& [args, err] : cases) {
        SCOPED_TRACE(Described(args));
        const TResult r = Search(args);
        EXPECT_EQ(r.Status, 2);
        EXPECT_EQ(r.Err, err);
        EXPECT_EQ(r.Out, "");
    }

    const TResult missing = Run({"--file", Dir.Path("fehlt.dat"), "ад"});
    EXPECT_EQ(missing.Status, 2);
    EXPECT_TRUE(missing.Err.starts_with("kavrinto-suche: ")) << missing.Err;
    EXPECT_NE(missing.Err.find("fehlt.dat"), std::string::npos) << missing.Err;
    EXPECT_EQ(missing.Out, "");

    // No data file in the working directory and none installed beside the build's bin folder.
    std::filesystem::create_directories(Dir.Path("empty"));
    const TResult none = Run({"ад"}, Dir.Path("empty"));
    EXPECT_EQ(none.Status, 2);
    EXPECT_TRUE(none.Err.starts_with("kavrinto-suche: Weder im Arbeitsverzeichnis noch bei den installierten "
                                     "Dateien liegt eine Wörterbuchdatei: "))
        << none.Err;
    EXPECT_NE(none.Err.find("/share/kavrinto/VokKavrinto.dat fehlen. Eine andere Datei nennt --file PFAD."),
              std::string::npos)
        << none.Err;
}

TEST_F(suche_test, help_and_version) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--help"}, {"-h"}, {"--count", "-h", "ад"}}) {
        SCOPED_TRACE(Described(args));
        const TResult r = Run(args);
        EXPECT_EQ(r.Status, 0);
        EXPECT_TRUE(r.Out.starts_with("Aufruf: kavrinto-suche [OPTIONEN] ENDUNG\n")) << r.Out;
        for (const char* option :
             {"--keys", "--count", "--limit N", "--file PFAD", "-h, --help", "--version", "-i, --ignore-case",
              "--yo", "--breakdown ENDUNG", "/usr/share/kavrinto/VokKavrinto.dat"})
            EXPECT_NE(r.Out.find(option), std::string::npos) << option;
        EXPECT_EQ(r.Err, "");
    }
    const TResult version = Run({"--version"});
    EXPECT_EQ(version.Status, 0);
    EXPECT_EQ(version.Out, "kavrinto-suche (Kavrinto) 2.0\n");
    EXPECT_EQ(version.Err, "");
}

// Whatever is being written, a standard output that takes nothing ends the run with exit 2 and our own
// words for the cause.
TEST_F(suche_test, an_unwritable_standard_output_is_an_error) {
    struct TCase {
        TStdout Out;
        std::vector<std::string> Args;
        const char* Cause;
    };
    const TCase cases[] = {
        {TStdout::Closed, {"--help"}, "nicht geöffnet oder geschlossen"},
        {TStdout::Closed, {"--version"}, "nicht geöffnet oder geschlossen"},
        {TStdout::Closed, {"ад"}, "nicht geöffnet oder geschlossen"},
        {TStdout::Closed, {"--count", "ад"}, "nicht geöffnet oder geschlossen"},
        {TStdout::Full, {"--help"}, "Datenträger voll"},
        {TStdout::Full, {"ад"}, "Datenträger voll"},
        {TStdout::Full, {"--count", "х"}, "Datenträger voll"},
        {TStdout::ReaderGone, {"--help"}, "der Empfänger liest nicht mehr"},
        {TStdout::ReaderGone, {"ад"}, "der Empfänger liest nicht mehr"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(Described(c.Args) + " (stdout " + std::to_string(static_cast<int>(c.Out)) + ")");
        const TResult r = Search(c.Args, c.Out);
        EXPECT_EQ(r.Status, 2);
        EXPECT_EQ(r.Err, std::string("kavrinto-suche: Die Ausgabe konnte nicht geschrieben werden: ") +
                             c.Cause + ".\n");
    }
}

// --info in a folder with a lexicon database, the lines and the exit status; without a usable
// database an error.
TEST_F(suche_test, info_shows_what_the_lexicon_knows) {
    TLexiconSources sources;
    sources.LemmaSource = {"hunspell-ru", "1", "BSD-artig"};
    sources.GlossSource = {"FreeDict", "2", "CC-BY-SA 3.0"};
    sources.StressSource = {"festvox-ru", "3", "BSD-artig, bearbeitet"};
    sources.FormLemmas = {{"кровь", "кровь"}, {"кровью", "кровь"}, {"ёж", "ёж"}};
    sources.Glosses = {{"кровь", "Blut"}, {"кровь", "Geblüt"}, {"запад", "Abend"}};
    sources.Festival = {{"кровью", "n", 1}, {"печь", "n", 1}, {"печь", "v", 1}};
    ASSERT_EQ(BuildLexiconDatabase(sources, Dir.Path(LexiconFileName)), "");
    const std::string folder = Dir.Folder().string();

    const std::tuple<std::vector<std::string>, std::string, int> cases[] = {
        {{"--info", "кровью"},
         "Wort: кровью\nGrundform: кровь\nBetonung: кро\u0301вью\nWortart: Substantiv\nDeutsch: Blut; "
         "Geblüt\n"
         "Quelle: hunspell-ru 1 (BSD-artig)\nQuelle: FreeDict 2 (CC-BY-SA 3.0)\n"
         "Quelle: festvox-ru 3 (BSD-artig, bearbeitet)\n",
         0},
        {{"--info=ёж"}, "Wort: ёж\nGrundform: ёж\nQuelle: hunspell-ru 1 (BSD-artig)\n", 0},
        // Known to a source, but in neither list.
        {{"--info", "печь"},
         "Wort: печь\nBetonung: пе\u0301чь\nWortart: Substantiv, Verb\nQuelle: festvox-ru 3 "
         "(BSD-artig, bearbeitet)\n",
         1},
        {{"--info", "запад"}, "Wort: запад\nDeutsch: Abend\nQuelle: FreeDict 2 (CC-BY-SA 3.0)\n", 1},
        {{"--info", "xyz"}, "Wort: xyz\n", 1},
    };
    for (const auto& [args, out, status] : cases) {
        SCOPED_TRACE(Described(args));
        const TResult r = Run(args, folder);
        EXPECT_EQ(r.Out, out);
        EXPECT_EQ(r.Status, status);
        EXPECT_EQ(r.Err, "");
    }

    const TResult invalid = Run({"--info", "\xff"}, folder);
    EXPECT_EQ(invalid.Status, 2);
    EXPECT_EQ(invalid.Err, "kavrinto-suche: Das WORT ist kein gültiger UTF-8-Text.\n");

    const std::filesystem::path empty = Dir.Folder() / "leer";
    std::filesystem::create_directories(empty);
    const TResult missing = Run({"--info", "кровью"}, empty.string());
    EXPECT_EQ(missing.Status, 2);
    EXPECT_EQ(missing.Out, "");
    EXPECT_EQ(missing.Err,
              "kavrinto-suche: Die Lexikon-Datenbank „" + (empty / LexiconFileName).string() + "“ fehlt.\n");
    // The search itself never needs the database.
    std::filesystem::copy_file(DataFile, empty / DataFileName);
    EXPECT_EQ(Run({"--count", "ад"}, empty.string()).Out, "4\n");
}

} // namespace
