// The lemma link: made from unmunch's groups, written, read back and checked; the fixture dictionary
// through the build's own steps, and the build's link of the real lists.
#include "lexicon/LemmaLink.h"
#include "lexicon/FormGroups.h"

#include "common/Utf8.h"
#include "dictionary/Sortrus.h"
#include "dictionary/WordListBuilder.h"
#include "tests/dictionary/TestDataFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

std::string LineText(const TWordList& list, int32_t line) {
    const SortRus keys;
    std::u16string text;
    for (int32_t k = list.LineStart[line]; k <= list.LineEnd[line]; ++k)
        text.push_back(static_cast<char16_t>(keys.SortKeyToChar(list.KeyText[k])));
    return Utf16ToUtf8(text);
}

// Every form's lemmas as text.
std::map<std::string, std::set<std::string>> LemmasByForm(const TLemmaLink& link, const TWordList& forms,
                                                          const TWordList& lemmas) {
    std::map<std::string, std::set<std::string>> result;
    for (int32_t f = 0; f < forms.LineCount; ++f)
        for (uint32_t lemma : link.LemmasOf(f))
            result[LineText(forms, f)].insert(LineText(lemmas, static_cast<int32_t>(lemma)));
    return result;
}

// A data file of the lines, made by the builder, loaded.
TWordList LoadedList(const TTestDir& dir, const std::string& name, const std::vector<std::u16string>& lines) {
    const TDataFile file = MakeDataFile(lines);
    EXPECT_EQ(file.Error, "");
    TWordList list;
    list.LoadWordList(dir.WriteBytes(name, file.Bytes));
    EXPECT_EQ(list.LoadError, "");
    return list;
}

class lemma_link_test : public testing::Test {
protected:
    void SetUp() override {
        Forms = LoadedList(Dir, "formen.dat", {u"сталь", u"стали", u"сталью", u"стать", u"стала"});
        Lemmas = LoadedList(Dir, "grundformen.dat", {u"сталь", u"стать"});
    }

    TTestDir Dir;
    TWordList Forms;
    TWordList Lemmas;
};

TEST_F(lemma_link_test, links_groups_and_reads_back_what_it_writes) {
    // CR LF, a form twice in one group, a group twice, several empty lines, no empty line at the end.
    const TLemmaLinkBuild build = LinkFormGroups(
        "сталь\r\nстали\r\nсталью\r\nстали\n\n\nстать\nстали\nстала\n\nсталь\nстали", Forms, Lemmas);
    ASSERT_EQ(build.Error, "");
    const std::map<std::string, std::set<std::string>> expected = {
        {"сталь", {"сталь"}}, {"стали", {"сталь", "стать"}}, {"сталью", {"сталь"}},
        {"стать", {"стать"}}, {"стала", {"стать"}},
    };
    EXPECT_EQ(LemmasByForm(build.Link, Forms, Lemmas), expected);

    TLemmaLink read;
    const std::vector<uint8_t> bytes = LemmaLinkBytes(build.Link);
    EXPECT_EQ(bytes.size(), 40u + 5 + 4 * 6);
    ASSERT_TRUE(read.Load(Dir.WriteBytes("lemmata.bin", bytes))) << read.LoadError;
    EXPECT_EQ(read.LoadError, "");
    EXPECT_EQ(read.Start, build.Link.Start);
    EXPECT_EQ(read.Lemma, build.Link.Lemma);
    EXPECT_EQ(read.MismatchWith(Forms, Lemmas), "");
    EXPECT_TRUE(read.LemmasOf(-1).empty());
    EXPECT_TRUE(read.LemmasOf(5).empty());
}

TEST_F(lemma_link_test, refuses_groups_that_do_not_fit_the_lists) {
    const struct {
        const char* Groups;
        const char* Error;
    } cases[] = {
        {"сталь\nстали\n\nстол\nстолы", "Zeile 4: Die Grundform стол steht nicht in der Grundformliste."},
        {"сталь\nсталями\n", "Zeile 2: Die Wortform сталями steht nicht in der Formenliste."},
        {"сталь\n\xD1", "Zeile 2: Die Zeile ist kein gültiges UTF-8."},
        {"сталь\nстали\nсталью\n\nстать\nстали", "Die Wortform стала gehört zu keiner Gruppe."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Groups);
        const TLemmaLinkBuild build = LinkFormGroups(c.Groups, Forms, Lemmas);
        EXPECT_EQ(build.Error, c.Error);
        EXPECT_EQ(build.Link.FormCount, 0);
    }
}

TEST_F(lemma_link_test, refuses_damaged_files) {
    const TLemmaLinkBuild build =
        LinkFormGroups("сталь\nстали\nсталью\n\nстать\nстали\nстала", Forms, Lemmas);
    ASSERT_EQ(build.Error, "");
    const std::vector<uint8_t> good = LemmaLinkBytes(build.Link);
    ASSERT_EQ(good.size(), 40u + 5 + 4 * 6);
    const size_t lemmaAt = 40 + 5; // first lemma of the first form

    const struct {
        const char* Name;
        std::function<void(std::vector<uint8_t>&)> Damage;
        bool Restamp; // the checksum made to fit again, so that the check behind it is reached
        std::string Reason;
    } cases[] = {
        {"empty", [](auto& b) { b.clear(); }, false, "Sie beginnt nicht mit der Kennung KAVLEMMA."},
        {"header cut", [](auto& b) { b.resize(39); }, false, "Sie beginnt nicht mit der Kennung KAVLEMMA."},
        {"other magic", [](auto& b) { b[0] = 'k'; }, false, "Sie beginnt nicht mit der Kennung KAVLEMMA."},
        {"version 2", [](auto& b) { b[8] = 2; }, false, "Ihre Version 2 wird nicht unterstützt."},
        {"count beyond 32-bit indices", [](auto& b) { b[15] = 0x80; }, false,
         "Eine Zahl im Kopf ist zu groß."},
        {"cut short", [](auto& b) { b.pop_back(); }, false, "Ihre Länge passt nicht zu ihrem Kopf."},
        {"one byte more", [](auto& b) { b.push_back(0); }, false, "Ihre Länge passt nicht zu ihrem Kopf."},
        {"more forms in the head", [](auto& b) { ++b[12]; }, false, "Ihre Länge passt nicht zu ihrem Kopf."},
        {"one bit flipped", [=](auto& b) { b[lemmaAt] ^= 1; }, false, "Die Prüfsumme stimmt nicht."},
        {"form without lemma", [](auto& b) { b[40] = 0; }, true,
         "Die Wortform in Zeile 1 hat keine Grundform."},
        {"counts beyond the links", [](auto& b) { b[40] = 7; }, true,
         "Die Zahl der Grundformen passt nicht zu ihrem Kopf."},
        // The forms: стала, стали (two lemmas), сталь, стать, сталью.
        {"counts short of the links", [](auto& b) { b[41] = 1; }, true,
         "Die Zahl der Grundformen passt nicht zu ihrem Kopf."},
        {"lemma beyond the list", [=](auto& b) { b[lemmaAt] = 2; }, true,
         "Eine Grundform liegt außerhalb der Grundformliste."},
        {"lemmas not ascending", [=](auto& b) { std::swap(b[lemmaAt + 4], b[lemmaAt + 8]); }, true,
         "Die Grundformen einer Wortform sind nicht aufsteigend geordnet."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        std::vector<uint8_t> bytes = good;
        c.Damage(bytes);
        if (c.Restamp) {
            const uint64_t sum = LemmaLinkChecksum(bytes.data() + 40, bytes.size() - 40);
            for (int i = 0; i < 8; ++i)
                bytes[32 + i] = static_cast<uint8_t>(sum >> (8 * i));
        }
        const std::string path = Dir.WriteBytes("lemmata.bin", bytes);
        TLemmaLink link;
        link.FormCount = 3; // what a failed load must not leave behind
        EXPECT_FALSE(link.Load(path));
        EXPECT_EQ(link.LoadError, "Die Grundformdatei " + path + " ist beschädigt: " + c.Reason);
        EXPECT_EQ(link.FormCount, 0);
        EXPECT_TRUE(link.LemmasOf(0).empty());
    }
}

TEST_F(lemma_link_test, reports_unusable_files_and_other_lists) {
    TLemmaLink link;
    EXPECT_FALSE(link.Load(Dir.Path("fehlt.bin")));
    EXPECT_EQ(link.LoadError, "Die Grundformdatei " + Dir.Path("fehlt.bin") + " wurde nicht gefunden.");
    std::filesystem::create_directory(Dir.Path("ordner"));
    EXPECT_FALSE(link.Load(Dir.Path("ordner")));
    EXPECT_EQ(link.LoadError, "Die Grundformdatei " + Dir.Path("ordner") + " ist keine gewöhnliche Datei.");

    const TLemmaLinkBuild build =
        LinkFormGroups("сталь\nстали\nсталью\n\nстать\nстали\nстала", Forms, Lemmas);
    ASSERT_EQ(build.Error, "");
    ASSERT_TRUE(link.Load(Dir.WriteBytes("lemmata.bin", LemmaLinkBytes(build.Link))));
    const TWordList other = LoadedList(Dir, "andere.dat", {u"сталь", u"стать", u"стали"});
    EXPECT_EQ(link.MismatchWith(Forms, other),
              "Die Grundformdatei gehört nicht zu diesen Wörterbuchdateien: Sie wurde für 5 Wortformen (74 "
              "Byte) und 2 Grundformen (30 Byte) gemacht, geladen sind 5 (74 Byte) und 3 (44 Byte).");
    // As many lines, but another file.
    const TWordList longer = LoadedList(Dir, "laenger.dat", {u"сталь", u"статья"});
    EXPECT_EQ(longer.LineCount, Lemmas.LineCount);
    EXPECT_NE(link.MismatchWith(Forms, longer), "");
}

// unmunch on a real .dic/.aff, grouped by the build's own step: стали is a form of сталь and of стать
// and a lemma of its own, сталь stands twice in the dictionary.
TEST_F(lemma_link_test, links_the_fixture_dictionary_through_the_build) {
    const std::string dir = KAVRINTO_LEXICON_FIXTURE_DIR;
    TWordList forms, lemmas;
    forms.LoadWordList(dir + "/formen.dat");
    lemmas.LoadWordList(dir + "/grundformen.dat");
    ASSERT_EQ(forms.LoadError, "");
    ASSERT_EQ(lemmas.LoadError, "");
    TLemmaLink link;
    ASSERT_TRUE(link.Load(dir + "/lemmata.bin")) << link.LoadError;
    EXPECT_EQ(link.MismatchWith(forms, lemmas), "");
    const std::map<std::string, std::set<std::string>> expected = {
        {"сталь", {"сталь"}},  {"стали", {"сталь", "стать", "стали"}},
        {"сталью", {"сталь"}}, {"стать", {"стать"}},
        {"стала", {"стать"}},  {"стало", {"стать"}},
        {"дом", {"дом"}},      {"доми", {"дом"}},
        {"домы", {"дом"}},
    };
    EXPECT_EQ(LemmasByForm(link, forms, lemmas), expected);
}

// The build's link of the real lists: every lemma is a form of itself, and forms that two entries make
// have both lemmas.
TEST_F(lemma_link_test, links_the_real_forms_list) {
    TWordList forms, lemmas;
    forms.LoadWordList(FormsFileName);
    lemmas.LoadWordList(DataFileName);
    ASSERT_EQ(forms.LoadError, "");
    ASSERT_EQ(lemmas.LoadError, "");
    TLemmaLink link;
    ASSERT_TRUE(link.Load(LemmaLinkFileName)) << link.LoadError;
    EXPECT_EQ(link.MismatchWith(forms, lemmas), "");
    EXPECT_EQ(link.FormCount, 1255462);

    std::unordered_map<std::string, int32_t> formLine;
    for (int32_t f = 0; f < forms.LineCount; ++f)
        formLine.emplace(LineText(forms, f), f);
    int32_t missing = 0;
    for (int32_t l = 0; l < lemmas.LineCount; ++l) {
        const auto found = formLine.find(LineText(lemmas, l));
        const std::span<const uint32_t> own =
            found == formLine.end() ? std::span<const uint32_t>() : link.LemmasOf(found->second);
        missing += std::find(own.begin(), own.end(), static_cast<uint32_t>(l)) == own.end() ? 1 : 0;
    }
    EXPECT_EQ(missing, 0);

    const auto lemmasOf = [&](const std::string& form) {
        std::set<std::string> texts;
        for (uint32_t l : link.LemmasOf(formLine.at(form)))
            texts.insert(LineText(lemmas, static_cast<int32_t>(l)));
        return texts;
    };
    EXPECT_EQ(lemmasOf("стали"), (std::set<std::string>{"сталь", "стать"}));
    EXPECT_EQ(lemmasOf("кровью"), (std::set<std::string>{"кровь"}));
}

} // namespace
