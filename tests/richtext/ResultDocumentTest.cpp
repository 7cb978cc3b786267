// The result document: header, one paragraph of fragments per shown line, the 4001-line cap, footer.
#include "richtext/ResultDocument.h"

#include "tests/dictionary/TestDataFile.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string Head = std::string(ResultHeader) + "\r\n";
const std::string Foot = std::string(ResultFooter) + "\r\n";
const std::string ParEnd = "\r\n\\par \r\n";

std::size_t Paragraphs(const std::string& doc) {
    std::size_t n = 0;
    for (std::size_t p = doc.find(ParEnd); p != std::string::npos; p = doc.find(ParEnd, p + 1))
        ++n;
    return n;
}

TEST(result_document_test, lines_with_everything_after_the_word) {
    TTestDir dir;
    TWordList list;
    list.LoadWordList(dir.WriteDataFile("list.dat", u"\uFEFFад\r\nсад²\r\n{a\\b}\r\nÄ…\r\n"));
    ASSERT_EQ(list.LineCount, 4);
    const UniToRtf encoder;

    EXPECT_EQ(BuildResultDocument(list, 0, 1, encoder),
              Head + "\\f1\\'e0\\f1\\'e4" + ParEnd + "\\f1\\'f1\\f1\\'e0\\f1\\'e4\\f0\\'b2" + ParEnd + Foot);
    // Braces and backslash as their escapes, so the document stays well formed.
    EXPECT_EQ(BuildResultDocument(list, 2, 3, encoder),
              Head + "\\{a\\\\b\\}" + ParEnd + "\\f0\\'c4\\f0\\'85" + ParEnd + Foot);
    // The first line alone, the last line alone.
    EXPECT_EQ(BuildResultDocument(list, 0, 0, encoder), Head + "\\f1\\'e0\\f1\\'e4" + ParEnd + Foot);
    EXPECT_EQ(BuildResultDocument(list, 3, 3, encoder), Head + "\\f0\\'c4\\f0\\'85" + ParEnd + Foot);
    // A range reaching outside the list is cut to it.
    EXPECT_EQ(BuildResultDocument(list, -5, 100, encoder), BuildResultDocument(list, 0, 3, encoder));
}

TEST(result_document_test, no_hit_is_one_empty_paragraph) {
    TTestDir dir;
    TWordList list;
    list.LoadWordList(dir.WriteDataFile("list.dat", u"\uFEFFад\r\n"));
    const UniToRtf encoder;
    EXPECT_EQ(BuildResultDocument(list, 0, -1, encoder), Head + ParEnd + Foot);

    TWordList empty;
    empty.LoadWordList(dir.Path("missing.dat"));
    EXPECT_EQ(BuildResultDocument(empty, 0, -1, encoder), Head + ParEnd + Foot);
}

TEST(result_document_test, shows_at_most_4001_lines) {
    // Line i is "а" followed by the number i.
    std::u16string text = u"\uFEFF";
    for (int i = 0; i < 4100; ++i) {
        const std::string number = std::to_string(i);
        text += u'а';
        text.append(number.begin(), number.end());
        text += u'\n';
    }
    TTestDir dir;
    TWordList list;
    list.LoadWordList(dir.WriteDataFile("list.dat", text));
    ASSERT_EQ(list.LineCount, 4100);
    const UniToRtf encoder;

    const std::string all = BuildResultDocument(list, 0, 4099, encoder);
    EXPECT_EQ(Paragraphs(all), 4001u);
    EXPECT_TRUE(all.ends_with("\\f1\\'e04000" + ParEnd + Foot));

    const std::string later = BuildResultDocument(list, 50, 4099, encoder);
    EXPECT_EQ(Paragraphs(later), 4001u);
    EXPECT_TRUE(later.starts_with(Head + "\\f1\\'e050" + ParEnd));
    EXPECT_TRUE(later.ends_with("\\f1\\'e04050" + ParEnd + Foot));

    EXPECT_EQ(Paragraphs(BuildResultDocument(list, 99, 4099, encoder)), 4001u);
    EXPECT_EQ(Paragraphs(BuildResultDocument(list, 100, 4099, encoder)), 4000u);

    // Several runs, as a folded search finds them: in their order, the cap over all of them.
    const THitRange runs[] = {{5, 6}, {3000, 4099}, {0, 1}};
    const std::string folded = BuildResultDocument(list, runs, encoder);
    EXPECT_TRUE(
        folded.starts_with(Head + "\\f1\\'e05" + ParEnd + "\\f1\\'e06" + ParEnd + "\\f1\\'e03000" + ParEnd));
    EXPECT_TRUE(
        folded.ends_with("\\f1\\'e04099" + ParEnd + "\\f1\\'e00" + ParEnd + "\\f1\\'e01" + ParEnd + Foot));
    EXPECT_EQ(Paragraphs(folded), 1104u);
    const THitRange many[] = {{0, 2999}, {3000, 4099}};
    const std::string capped = BuildResultDocument(list, many, encoder);
    EXPECT_EQ(Paragraphs(capped), 4001u);
    EXPECT_TRUE(capped.ends_with("\\f1\\'e04000" + ParEnd + Foot));
    EXPECT_EQ(BuildResultDocument(list, std::span<const THitRange>(), encoder), Head + ParEnd + Foot);
}

} // namespace
