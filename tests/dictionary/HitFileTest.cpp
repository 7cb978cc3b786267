// Saving the hits: the file's content, replacing a file, and failures that leave nothing behind.
#include "dictionary/HitFile.h"

#include "common/Utf8.h"

#include "dictionary/WordListBuilder.h"
#include "tests/dictionary/TestDataFile.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

std::vector<std::string> Names(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class hit_file_test : public testing::Test {
protected:
    void SetUp() override {
        const TDataFile file = MakeDataFile({u"ад", u"сад²", u"Ад", u"жаба", u"заклад", u"all-ad"});
        ASSERT_EQ(file.Error, "");
        List.LoadWordList(Data.WriteBytes("list.dat", file.Bytes));
        ASSERT_EQ(List.LoadError, "");
    }

    THits Find(const std::u16string& ending, TFolding folding = {}) const {
        return FindEndingHits(List, QueryOfText(ending).data(), folding);
    }

    TTestDir Data;
    TTestDir Out;
    TWordList List;
};

TEST_F(hit_file_test, writes_every_hit_line_as_utf8) {
    const struct {
        std::u16string Ending;
        TFolding Folding;
        std::string Content;
    } cases[] = {
        {u"ад", {}, "ад\nзаклад\nсад²\n"}, // the whole line, ² included
        {u"ад", {true, false}, "ад\nзаклад\nсад²\nАд\n"},
        {u"ad", {}, "all-ad\n"},
        {u"х", {}, ""},
        {u"", {}, "жаба\nад\nзаклад\nсад²\nАд\nall-ad\n"},
    };
    for (const auto& c : cases) {
        const std::string path = Out.Path("Treffer.txt");
        EXPECT_EQ(SaveHits(List, Find(c.Ending, c.Folding), path), "");
        EXPECT_EQ(ReadFile(path), c.Content) << Utf16ToUtf8(c.Ending);
        EXPECT_EQ(Names(Out.Folder()), std::vector<std::string>{"Treffer.txt"});
    }
}

TEST_F(hit_file_test, writes_a_table_with_a_header_and_columns_after_each_entry) {
    const std::string path = Out.Path("Tabelle.tsv");
    std::vector<std::string> asked;
    const auto columns = [&asked](const std::string& Entry) {
        asked.push_back(Entry);
        return "<" + Entry + ">\t2";
    };
    EXPECT_EQ(SaveHits(List, Find(u"жаба"), path, "Eintrag\tA\tB", columns), "");
    EXPECT_EQ(ReadFile(path), "Eintrag\tA\tB\nжаба\t<жаба>\t2\n");
    EXPECT_EQ(asked, (std::vector<std::string>{"жаба"}));
}

TEST_F(hit_file_test, replaces_a_file_and_keeps_its_permissions) {
    const std::string path = Out.WriteBytes("alt.txt", {'x', 'y'});
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    EXPECT_EQ(SaveHits(List, Find(u"заклад"), path), "");
    EXPECT_EQ(ReadFile(path), "заклад\n");
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);

    // Through a symbolic link: the link stays, its target gets the hits.
    std::filesystem::create_symlink(path, Out.Path("Verweis.txt"));
    EXPECT_EQ(SaveHits(List, Find(u"жаба"), Out.Path("Verweis.txt")), "");
    EXPECT_TRUE(std::filesystem::is_symlink(Out.Path("Verweis.txt")));
    EXPECT_EQ(ReadFile(path), "жаба\n");
    EXPECT_EQ(Names(Out.Folder()), (std::vector<std::string>{"Verweis.txt", "alt.txt"}));
}

TEST_F(hit_file_test, a_failure_says_why_in_german_and_leaves_nothing) {
    const std::string folder = Out.Folder().string();
    std::filesystem::create_directory(Out.Path("Ordner"));
    std::filesystem::create_symlink(Out.Path("fehlt.txt"), Out.Path("Verweis.txt"));
    ASSERT_EQ(::mkfifo(Out.Path("Pipe").c_str(), 0600), 0);
    const struct {
        std::string Path;
        std::string Cause;
    } cases[] = {
        {Out.Path("Ordner"), "ist ein Ordner"},
        {Out.Path("Pipe"), "ist keine gewöhnliche Datei"},
        {Out.Path("Verweis.txt"), "ist ein Verweis, dessen Ziel sich nicht finden lässt (nicht vorhanden)"},
        {Out.Path("fehlt/Treffer.txt"), "nicht vorhanden"},
        {"", "kein Dateiname angegeben"},
        {folder + "/", "kein Dateiname angegeben"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SaveHits(List, Find(u"ад"), c.Path),
                  "Die Treffer konnten nicht in " + c.Path + " gespeichert werden: " + c.Cause + ".");
    EXPECT_EQ(Names(Out.Folder()), (std::vector<std::string>{"Ordner", "Pipe", "Verweis.txt"}));
    EXPECT_TRUE(std::filesystem::is_symlink(Out.Path("Verweis.txt")));
}

// SaveHits in a child process; a root test runs it as nobody, whom a folder's permissions bind.
std::string SaveWithoutPrivileges(const TWordList& list, const THits& hits, const std::string& path) {
    int ends[2];
    if (::pipe(ends) != 0)
        return "pipe failed";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(ends[0]);
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(1);
        const std::string message = SaveHits(list, hits, path);
        const bool written =
            ::write(ends[1], message.data(), message.size()) == static_cast<ssize_t>(message.size());
        ::_exit(written ? 0 : 1);
    }
    ::close(ends[1]);
    std::string message;
    char buffer[512];
    for (ssize_t n; (n = ::read(ends[0], buffer, sizeof buffer)) > 0;)
        message.append(buffer, static_cast<size_t>(n));
    ::close(ends[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? message : "child failed";
}

TEST_F(hit_file_test, a_read_only_folder_is_refused) {
    ASSERT_EQ(::chmod(Out.Folder().c_str(), 0555), 0);
    const std::string path = Out.Path("Treffer.txt");
    EXPECT_EQ(SaveWithoutPrivileges(List, Find(u"ад"), path),
              "Die Treffer konnten nicht in " + path + " gespeichert werden: keine Berechtigung.");
    ::chmod(Out.Folder().c_str(), 0700);
    EXPECT_TRUE(Names(Out.Folder()).empty());
}

TEST_F(hit_file_test, a_write_that_fails_halfway_keeps_the_old_file) {
    const std::string path = Out.WriteBytes("Treffer.txt", {'a', 'l', 't'});
    // A file-size limit below the content makes write(2) fail with EFBIG after the first bytes.
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 4;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::string error = SaveHits(List, Find(u""), path);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);
    EXPECT_EQ(error, "Die Treffer konnten nicht in " + path + " gespeichert werden: Datei zu groß.");
    EXPECT_EQ(ReadFile(path), "alt");
    EXPECT_EQ(Names(Out.Folder()), std::vector<std::string>{"Treffer.txt"});
}

} // namespace
