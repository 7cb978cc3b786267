// The lexicon database made of the fixture sources, looked up as the tool tip, "Wortinfo…" and
// kavrinto-suche --info show it; a missing, damaged or foreign database; the real one.
#include "lexicon/Lexicon.h"
#include "lexicon/LexiconBuild.h"
#include "lexicon/LexiconSchema.h"
#include "lexicon/Sqlite.h"
#include "lexicon/WordInfo.h"
#include "tests/dictionary/TestDataFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string ReadFixture(const std::string& name) {
    std::ifstream file(KAVRINTO_TEST_DATA_DIR "/lexicon/" + name, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// Forms and lemmas written as unmunch prints them, one group per lemma beginning with it.
std::vector<TFormLemma> FormLemmasOfGroups(std::string_view Groups) {
    std::vector<TFormLemma> rows;
    std::string lemma;
    while (!Groups.empty()) {
        const std::size_t end = std::min(Groups.find('\n'), Groups.size());
        std::string_view line = Groups.substr(0, end);
        Groups.remove_prefix(std::min(end + 1, Groups.size()));
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        if (line.empty()) {
            lemma.clear();
            continue;
        }
        if (lemma.empty())
            lemma = line;
        rows.push_back({std::string(line), lemma});
    }
    return rows;
}

TLexiconSources FixtureSources() {
    TLexiconSources sources;
    sources.LemmaSource = {"hunspell-ru (Formen von unmunch)", "1", "BSD-artig"};
    sources.GlossSource = {"FreeDict Deutsch-Russisch", "2", "CC-BY-SA 3.0"};
    sources.StressSource = {"festvox-ru (msu_ru_nsh_dict.scm)", "3", "BSD-artig, bearbeitet"};
    sources.FormLemmas = FormLemmasOfGroups(ReadFixture("gruppen.txt"));
    sources.Glosses =
        InvertFreedict(ParseDictdIndex(ReadFixture("freedict.index")), ReadFixture("freedict.dict")).Glosses;
    sources.Festival = ParseFestivalLexicon(ReadFixture("festival.scm")).Entries;
    return sources;
}

std::vector<std::string> Column(TSqliteDatabase& db, const char* sql) {
    TSqliteStatement query(db, sql);
    std::vector<std::string> rows;
    while (query.Step())
        rows.emplace_back(query.Text(0));
    return rows;
}

class lexicon_test : public testing::Test {
protected:
    void SetUp() override {
        Path = Dir.Path(LexiconFileName);
        ASSERT_EQ(BuildLexiconDatabase(FixtureSources(), Path), "");
    }

    std::string InfoOf(const std::string& word) {
        TLexicon lexicon(Path);
        TWordFacts facts;
        EXPECT_TRUE(lexicon.Lookup(word, facts)) << lexicon.TakeError();
        return InfoLines(facts);
    }

    TTestDir Dir;
    std::string Path;
};

TEST_F(lexicon_test, database_is_sound_and_plain_sql_reads_it) {
    TSqliteDatabase db(Path, TSqliteDatabase::TMode::ReadOnly);
    EXPECT_EQ(Column(db, "PRAGMA integrity_check"), std::vector<std::string>{"ok"});
    EXPECT_EQ(Column(db, "SELECT lemma FROM form_lemma WHERE form = 'стекло' ORDER BY lemma"),
              (std::vector<std::string>{"стекло", "стечь"}));
    EXPECT_EQ(Column(db, "SELECT name || ' ' || version || ' ' || licence FROM source ORDER BY id"),
              (std::vector<std::string>{"hunspell-ru (Formen von unmunch) 1 BSD-artig",
                                        "FreeDict Deutsch-Russisch 2 CC-BY-SA 3.0",
                                        "festvox-ru (msu_ru_nsh_dict.scm) 3 BSD-artig, bearbeitet"}));
    // печь is the lemma of two groups: one row.
    EXPECT_EQ(Column(db, "SELECT count(*) FROM lemma WHERE word = 'печь'"), std::vector<std::string>{"1"});
    // Nothing of the build is left beside it.
    std::vector<std::string> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(fs::path(Path).parent_path()))
        files.push_back(entry.path().filename().string());
    EXPECT_EQ(files, std::vector<std::string>{LexiconFileName});
}

TEST_F(lexicon_test, info_lines_show_what_is_known) {
    const std::string lemmaSource = "Quelle: hunspell-ru (Formen von unmunch) 1 (BSD-artig)\n";
    const std::string glossSource = "Quelle: FreeDict Deutsch-Russisch 2 (CC-BY-SA 3.0)\n";
    const std::string stressSource = "Quelle: festvox-ru (msu_ru_nsh_dict.scm) 3 (BSD-artig, bearbeitet)\n";
    const std::pair<std::string, std::string> cases[] = {
        // A form with its own stress; the gloss through its lemma.
        {"кровью",
         "Wort: кровью\nGrundform: кровь\nBetonung: кро\u0301вью\nWortart: Substantiv\nDeutsch: Blut\n" +
             lemmaSource + glossSource + stressSource},
        // A form festival does not list: the class through its lemma, no stress of its own.
        {"крови", "Wort: крови\nGrundform: кровь\nWortart: Substantiv\nDeutsch: Blut\n" + lemmaSource +
                      glossSource + stressSource},
        // Several headwords for one word.
        {"отечество", "Wort: отечество\nGrundform: отечество\nDeutsch: Heimatland; Vaterland\n" +
                          lemmaSource + glossSource},
        // "дом 2." and a second sense: one gloss.
        {"дома", "Wort: дома\nGrundform: дом\nDeutsch: Haus\n" + lemmaSource + glossSource},
        // A word in two classes, glosses of both lemmas of the same spelling.
        {"печь", "Wort: печь\nGrundform: печь\nBetonung: пе\u0301чь\nWortart: Substantiv, Verb\nDeutsch: "
                 "Ofen; backen\n" +
                     lemmaSource + glossSource + stressSource},
        // A form of two lemmas.
        {"стекло", "Wort: стекло\nGrundform: стекло\nGrundform: стечь\nBetonung: стекло\u0301\nWortart: "
                   "Substantiv\nDeutsch: Glas\n" +
                       lemmaSource + glossSource + stressSource},
        // Two stresses; ё needs no mark.
        {"замок", "Wort: замок\nBetonung: за\u0301мок, замо\u0301к\nWortart: Substantiv\n" + stressSource},
        {"ёлка", "Wort: ёлка\nBetonung: ёлка\nWortart: Substantiv\n" + stressSource},
        // No stress, a class only; a name found in small letters.
        {"и", "Wort: и\nWortart: Konjunktion\n" + stressSource},
        {"Петров", "Wort: Петров\nBetonung: Петро\u0301в\nWortart: Familienname\n" + stressSource},
        {"запад", "Wort: запад\nDeutsch: Abend\n" + glossSource},
        {"суеверие", "Wort: суеверие\nDeutsch: Aberglaube\n" + glossSource},
        {"выпекаю", "Wort: выпекаю\nGrundform: выпекать\nWortart: Verb\nDeutsch: backen\n" + lemmaSource +
                        glossSource + stressSource},
        {"здание", "Wort: здание\nGrundform: здание\nDeutsch: Haus\n" + lemmaSource + glossSource},
        {"xyz", "Wort: xyz\n"},
        {"ез", "Wort: ез\n"}, // a suffix of the dictionary is no word
    };
    for (const auto& [word, lines] : cases) {
        SCOPED_TRACE(word);
        EXPECT_EQ(InfoOf(word), lines);
    }
}

TEST_F(lexicon_test, tool_tip_and_word_info_text) {
    TLexicon lexicon(Path);
    const std::pair<std::string, std::string> tips[] = {
        {"кровью", "кровью → кровь · Substantiv · Betonung: кро\u0301вью · Deutsch: Blut"},
        // Without a stress of its own the form shows its lemma's.
        {"крови", "крови → кровь · Substantiv · Betonung: кро\u0301вь · Deutsch: Blut"},
        {"стекла", "стекла → стекло, стечь · Substantiv · Betonung: стекла\u0301 · Deutsch: Glas"},
        {"отечество", "отечество · Deutsch: Heimatland; Vaterland"},
        {"вечера", "вечера → вечер · Substantiv · Betonung: ве\u0301чер · Deutsch: Abend"},
        {"родины", "родины → родина · Deutsch: Heimatland; Vaterland"},
        {"xyz", "Keine Angaben im Lexikon."},
    };
    TWordFacts facts;
    for (const auto& [word, tip] : tips) {
        SCOPED_TRACE(word);
        ASSERT_TRUE(lexicon.Lookup(word, facts));
        EXPECT_EQ(ToolTipText(facts), tip);
    }
    ASSERT_TRUE(lexicon.Lookup("xyz", facts));
    EXPECT_EQ(WordInfoText(facts), "Wort: xyz\nKeine Angaben im Lexikon.\n");
    ASSERT_TRUE(lexicon.Lookup("кровь", facts));
    EXPECT_EQ(WordInfoText(facts), InfoLines(facts));
    EXPECT_EQ(lexicon.TakeError(), "");
}

// The columns of a saved table: the word's own stress, its classes, its glosses; empty where unknown.
TEST_F(lexicon_test, table_columns_of_a_saved_hit) {
    TLexicon lexicon(Path);
    const std::pair<std::string, std::string> rows[] = {
        {"кровью", "кро\u0301вью\tSubstantiv\tBlut"},
        {"крови", "\tSubstantiv\tBlut"},
        {"отечество", "\t\tHeimatland; Vaterland"},
        {"xyz", "\t\t"},
    };
    TWordFacts facts;
    for (const auto& [word, columns] : rows) {
        SCOPED_TRACE(word);
        ASSERT_TRUE(lexicon.Lookup(word, facts));
        EXPECT_EQ(TableColumns(facts), columns);
    }
    EXPECT_EQ(std::string(TableHeader), "Eintrag\tBetonung\tWortart\tDeutsch");
}

// Each failure gives its message once and every lookup after it fails quietly.
TEST_F(lexicon_test, missing_damaged_or_foreign_database_costs_only_the_details) {
    // Half of a real database: the header is sound, the pages it points to are gone.
    std::ifstream whole(Path, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(whole)), std::istreambuf_iterator<char>());
    const std::string cut =
        Dir.WriteBytes("cut.sqlite", std::vector<uint8_t>(bytes.begin(), bytes.begin() + 4096));
    const std::string garbage = Dir.WriteBytes("garbage.sqlite", std::vector<uint8_t>(5000, 'x'));
    const std::string foreign = Dir.Path("foreign.sqlite");
    {
        TSqliteDatabase db(foreign, TSqliteDatabase::TMode::Create);
        db.Execute("CREATE TABLE t (x)");
    }
    fs::create_directory(Dir.Path("folder.sqlite"));

    const std::pair<std::string, std::string> cases[] = {
        {Dir.Path("none.sqlite"), "Die Lexikon-Datenbank „" + Dir.Path("none.sqlite") + "“ fehlt."},
        {Dir.Path("folder.sqlite"),
         "Die Lexikon-Datenbank „" + Dir.Path("folder.sqlite") + "“ ist keine gewöhnliche Datei."},
        {garbage, "Die Lexikon-Datenbank „" + garbage + "“ ist beschädigt (SQLite: file is not a database)."},
        {foreign,
         "Die Lexikon-Datenbank „" + foreign + "“ ist keine Lexikon-Datenbank dieser Version von Kavrinto."},
        {cut,
         "Die Lexikon-Datenbank „" + cut + "“ ist beschädigt (SQLite: database disk image is malformed)."},
    };
    for (const auto& [path, message] : cases) {
        SCOPED_TRACE(path);
        TLexicon lexicon(path);
        TWordFacts facts;
        facts.Glosses = {"alt"};
        EXPECT_FALSE(lexicon.Lookup("кровь", facts));
        EXPECT_EQ(facts.Word, "кровь");
        EXPECT_TRUE(facts.Glosses.empty());
        EXPECT_EQ(lexicon.TakeError(), message);
        EXPECT_FALSE(lexicon.Lookup("кровь", facts));
        EXPECT_EQ(lexicon.TakeError(), "");
    }
}

TEST_F(lexicon_test, build_replaces_only_a_regular_file) {
    // A second build replaces the first.
    TLexiconSources sources = FixtureSources();
    sources.Glosses = {{"кровь", "Lebenssaft"}};
    ASSERT_EQ(BuildLexiconDatabase(sources, Path), "");
    EXPECT_EQ(InfoOf("кровь").find("Deutsch: Lebenssaft\n") != std::string::npos, true);

    const std::string folder = Dir.Path("ordner");
    fs::create_directory(folder);
    EXPECT_EQ(
        BuildLexiconDatabase(sources, folder),
        "Die Lexikon-Datenbank " + folder +
            " konnte nicht angelegt werden: an ihrer Stelle liegt etwas anderes als eine gewöhnliche Datei.");
    fs::create_symlink(Path, Dir.Path("verweis"));
    EXPECT_NE(BuildLexiconDatabase(sources, Dir.Path("verweis")), "");
    EXPECT_EQ(BuildLexiconDatabase(sources, Dir.Path("fehlt/x.sqlite")),
              "Die Lexikon-Datenbank " + Dir.Path("fehlt/x.sqlite") +
                  " konnte nicht angelegt werden: nicht vorhanden.");
    EXPECT_EQ(std::distance(fs::directory_iterator(Dir.Path("")), fs::directory_iterator()), 3);
}

// The forms and lemmas of the lemma link, from the files the build's own steps made of the fixture
// dictionary; стали is a form of two lemmas and a lemma of its own.
TEST(lexicon_link_test, reads_every_form_with_its_lemmas) {
    const std::string dir = KAVRINTO_LEXICON_FIXTURE_DIR;
    const TFormLemmas read =
        FormLemmasOfLink(dir + "/formen.dat", dir + "/grundformen.dat", dir + "/lemmata.bin");
    ASSERT_EQ(read.Error, "");
    std::vector<std::string> ofStali;
    for (const TFormLemma& row : read.Rows)
        if (row.Form == "стали")
            ofStali.push_back(row.Lemma);
    std::sort(ofStali.begin(), ofStali.end());
    EXPECT_EQ(ofStali, (std::vector<std::string>{"стали", "сталь", "стать"})); // in UTF-8 byte order

    // A link for other lists is refused with the link's own message.
    const TFormLemmas mismatched =
        FormLemmasOfLink(dir + "/grundformen.dat", dir + "/grundformen.dat", dir + "/lemmata.bin");
    EXPECT_NE(mismatched.Error, "");
    EXPECT_TRUE(mismatched.Rows.empty());
    const TFormLemmas missing =
        FormLemmasOfLink(dir + "/formen.dat", dir + "/grundformen.dat", dir + "/fehlt.bin");
    EXPECT_NE(missing.Error, "");
}

// The database the build made from Debian's sources.
TEST(lexicon_real_test, built_database_is_sound_and_fast) {
    const std::string path = KAVRINTO_BIN_DIR "/" + std::string(LexiconFileName);
    {
        TSqliteDatabase db(path, TSqliteDatabase::TMode::ReadOnly);
        EXPECT_EQ(Column(db, "PRAGMA integrity_check"), std::vector<std::string>{"ok"});
    }
    TLexicon lexicon(path);
    TWordFacts facts;
    ASSERT_TRUE(lexicon.Lookup("кровью", facts)) << lexicon.TakeError();
    EXPECT_EQ(ToolTipText(facts),
              "кровью → кровь · Substantiv · Betonung: кро\u0301вью · Deutsch: Blut; Schweiß");
    ASSERT_TRUE(lexicon.Lookup("Москва", facts));
    EXPECT_NE(InfoLines(facts).find("Deutsch: Moskau"), std::string::npos);
}

} // namespace
