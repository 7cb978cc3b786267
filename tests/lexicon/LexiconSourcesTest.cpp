// The readers of the lexicon's sources on small texts and the fixture files: festvox-ru's lexicon,
// FreeDict's dictd index and entries, and the inversion into glosses.
#include "lexicon/FestivalLexicon.h"
#include "lexicon/Freedict.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

std::string ReadFixture(const std::string& name) {
    std::ifstream file(KAVRINTO_TEST_DATA_DIR "/lexicon/" + name, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST(festival_lexicon_test, reads_every_entry_of_the_fixture) {
    const TFestivalLexicon lexicon = ParseFestivalLexicon(ReadFixture("festival.scm"));
    ASSERT_EQ(lexicon.Error, "");
    ASSERT_EQ(lexicon.Entries.size(), 15u);
    const TFestivalEntry& first = lexicon.Entries.front();
    EXPECT_EQ(first.Word, "вечер");
    EXPECT_EQ(first.WordClass, "n");
    EXPECT_EQ(first.StressedVowel, 1);
    // Two entries on one line, the second without a stress.
    EXPECT_EQ(lexicon.Entries[7].Word, "лишь");
    EXPECT_EQ(lexicon.Entries[8].Word, "и");
    EXPECT_EQ(lexicon.Entries[8].WordClass, "cc");
    EXPECT_EQ(lexicon.Entries[8].StressedVowel, 0);
    // фронт has one vowel, the lexicon stresses its second: the class stays, the stress goes.
    EXPECT_EQ(lexicon.Entries.back().Word, "фронт");
    EXPECT_EQ(lexicon.Entries.back().StressedVowel, 0);
    EXPECT_EQ(lexicon.StressesBeyondWord, 1);

    const TFestivalLexicon marked = ParseFestivalLexicon("(\"аксенов\" surname (2) fix_yo)\n");
    ASSERT_EQ(marked.Entries.size(), 1u);
    EXPECT_EQ(marked.Entries[0].StressedVowel, 2);
    EXPECT_EQ(ParseFestivalLexicon("MNCL\n").Entries.size(), 0u);
}

TEST(festival_lexicon_test, refuses_a_malformed_text_with_its_line) {
    const std::pair<std::string, std::string> cases[] = {
        {"(\"абажур\" n 3))", "Zeile 1: erwartet die Betonung in Klammern."},
        {"(\"абажур\" n (x))", "Zeile 1: die Betonung von „абажур“ ist keine Zahl bis 99."},
        {"(\"абажур\" n (100))", "Zeile 1: die Betonung von „абажур“ ist keine Zahl bis 99."},
        {"(\"абажур\" n ())", "Zeile 1: die Betonung von „абажур“ ist keine Zahl bis 99."},
        {"(\"абажур n (3))", "Zeile 1: das Wort endet nicht."},
        {"(\"\" n (0))", "Zeile 1: ein Wort ist leer oder geht über das Zeilenende."},
        {"(\"аба\nжур\" n (0))", "Zeile 1: ein Wort ist leer oder geht über das Zeilenende."},
        {"(\"\xff\" n (0))", "Zeile 1: ein Wort ist kein gültiger UTF-8-Text."},
        {"(\"абажур\" (3))", "Zeile 1: die Wortart von „абажур“ fehlt."},
        {"(\"абажур\" n (3)", "Zeile 1: erwartet „)“ am Ende des Eintrags."},
        {"MNCL\n(\"а\" cc (0))\n\n\"б\"", "Zeile 4: erwartet „(“ am Anfang eines Eintrags."},
        {"(абажур n (3))", "Zeile 1: erwartet das Wort in Anführungszeichen."},
    };
    for (const auto& [text, message] : cases) {
        SCOPED_TRACE(text);
        const TFestivalLexicon lexicon = ParseFestivalLexicon(text);
        EXPECT_EQ(lexicon.Error, message);
        EXPECT_TRUE(lexicon.Entries.empty());
    }
}

TEST(festival_lexicon_test, marks_the_stressed_vowel) {
    const std::tuple<std::string, int32_t, std::string> cases[] = {
        {"кровь", 1, "кро\u0301вь"},
        {"замок", 1, "за\u0301мок"},
        {"замок", 2, "замо\u0301к"},
        {"Петров", 2, "Петро\u0301в"},
        {"Ива", 1, "И\u0301ва"}, // a capital vowel counts too
        {"ёлка", 1, "ёлка"},     // ё is always stressed
        {"и", 0, "и"},
        {"фронт", 2, "фронт"}, // no second vowel: nothing to mark
    };
    for (const auto& [word, vowel, stressed] : cases) {
        SCOPED_TRACE(word + " " + std::to_string(vowel));
        EXPECT_EQ(StressedSpelling(word, vowel), stressed);
    }
    EXPECT_EQ(CountVowels("выпекать"), 3);
    EXPECT_EQ(CountVowels("ЁЖИК"), 2);
}

TEST(freedict_test, reads_the_index_in_base_64) {
    const TDictdIndex index = ParseDictdIndex("a\tA\tB\nab c\tBA\t//\r\nz\t+\tJ");
    ASSERT_EQ(index.Error, "");
    ASSERT_EQ(index.Entries.size(), 3u);
    EXPECT_EQ(index.Entries[0].Headword, "a");
    EXPECT_EQ(index.Entries[0].Offset, 0u);
    EXPECT_EQ(index.Entries[0].Length, 1u);
    EXPECT_EQ(index.Entries[1].Headword, "ab c");
    EXPECT_EQ(index.Entries[1].Offset, 64u);
    EXPECT_EQ(index.Entries[1].Length, 63u * 64 + 63);
    EXPECT_EQ(index.Entries[2].Offset, 62u);
    EXPECT_EQ(index.Entries[2].Length, 9u);

    const std::string wrong = " des Index ist nicht „Stichwort<TAB>Anfang<TAB>Länge“ in dictds Base 64.";
    for (const std::string text :
         {"a\tA", "a\tA\tB\tC", "\tA\tB", "a\tA\t", "a\t*\tB", "a\tA\tAAAAAAAAAAA"}) {
        SCOPED_TRACE(text);
        const TDictdIndex bad = ParseDictdIndex("x\tA\tB\n" + text + "\n");
        EXPECT_EQ(bad.Error, "Zeile 2" + wrong);
        EXPECT_TRUE(bad.Entries.empty());
    }
}

TEST(freedict_test, takes_single_russian_words_of_every_sense) {
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"Heimatland /ˈhaɪ̯maːtˌlant/ <n, neut>\nродина, отечество\nLand, in dem man geboren ist\n",
         {"родина", "отечество"}},
        // Sense numbers at both ends, a further sense, a phrase left out.
        {"Abend <n>\n1. вечер 2.\nTageszeit\n 3.\nVeranstaltung\n2. запад\nWesten\n3. добрый вечер\nGruß\n",
         {"вечер", "запад"}},
        {"Aberglaube <n>\nсуеверие, суеве́рие\nabwertend\n", {"суеверие"}}, // accent gone, once
        {"los /-ˌloːs/ <suffix>\nез-, ес-\nWortbildung\n", {}},
        {"Butanol <n>\nбутанол-1, н-бутанол\nChemie\n", {"н-бутанол"}},
        {"Erklärung <n>\nобъяснение\nam 1. Tag: Erklärung, Deutung\n", {"объяснение"}},
        {"Kopf\nголова\n", {"голова"}}, // a headword line of the word alone
        {"Leer\n", {}},
    };
    for (const auto& [entry, words] : cases) {
        SCOPED_TRACE(entry);
        EXPECT_EQ(ParseFreedictEntry(entry).Words, words);
    }
    EXPECT_EQ(ParseFreedictEntry("Heimatland /ˈhaɪ̯maːtˌlant/ <n, neut>\nродина\n").Headword, "Heimatland");
    EXPECT_EQ(ParseFreedictEntry("a priori <adv>\nаприори\n").Headword, "a priori");
    EXPECT_EQ(ParseFreedictEntry("Kopf\nголова\n").Headword, "Kopf");
}

TEST(freedict_test, inverts_the_fixture_dictionary) {
    const TDictdIndex index = ParseDictdIndex(ReadFixture("freedict.index"));
    ASSERT_EQ(index.Error, "");
    const TFreedictGlosses result = InvertFreedict(index, ReadFixture("freedict.dict"));
    ASSERT_EQ(result.Error, "");
    std::vector<std::string> glossesOf;
    for (const TGloss& gloss : result.Glosses)
        if (gloss.Word == "отечество" || gloss.Word == "дом" || gloss.Word == "печь")
            glossesOf.push_back(gloss.Word + "=" + gloss.German);
    // In the index's order; дом stands twice in Haus but gets it once.
    EXPECT_EQ(glossesOf, (std::vector<std::string>{"печь=backen", "дом=Haus", "отечество=Heimatland",
                                                   "печь=Ofen", "отечество=Vaterland"}));
    for (const TGloss& gloss : result.Glosses)
        EXPECT_FALSE(gloss.German.starts_with("00")) << gloss.German; // the dictionary's own entries
}

TEST(freedict_test, refuses_an_entry_outside_the_file_or_not_in_utf8) {
    const TDictdIndex outside = ParseDictdIndex("blut\tA\tF\n");
    EXPECT_EQ(InvertFreedict(outside, "Blut").Error,
              "Der Eintrag „blut“ liegt außerhalb der Wörterbuchdatei.");
    const TDictdIndex far = ParseDictdIndex("blut\t//////////\tB\n");
    EXPECT_EQ(InvertFreedict(far, "Blut").Error, "Der Eintrag „blut“ liegt außerhalb der Wörterbuchdatei.");
    const TFreedictGlosses bad = InvertFreedict(ParseDictdIndex("blut\tA\tH\n"), "Blut\n\xd0\n");
    EXPECT_EQ(bad.Error, "Der Eintrag „blut“ ist kein gültiger UTF-8-Text.");
    EXPECT_TRUE(bad.Glosses.empty());
}

} // namespace
