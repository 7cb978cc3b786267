// Tests of the stream in which the help reader hands a help file's objects to the viewer.
#include "platform/HelpStream.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Object(std::string_view Path, std::string_view Data) {
    return HelpObjectHead(Path, Data.size()) + std::string(Data);
}

} // namespace

TEST(help_stream_test, objects_come_back_as_written) {
    const std::string Binary("\0\n\xFF"
                             "ENDE 1\n",
                             10);
    const std::string Stream = HelpStreamStart() + Object("/#SYSTEM", Binary) +
                               Object("/einfuehrung.html", "<html>ä</html>") + Object("/leer", "") +
                               HelpStreamEnd(3);
    EXPECT_EQ(Stream.substr(0, 30), "KAVRINTO-HILFE 1\n8 10\n/#SYSTEM");
    EXPECT_TRUE(Stream.ends_with("</html>5 0\n/leerENDE 3\n"));

    const std::optional<THelpObjects> Objects = ReadHelpStream(Stream);
    ASSERT_TRUE(Objects);
    EXPECT_EQ(Objects->Count(), 3u);
    ASSERT_NE(Objects->Find("/#SYSTEM"), nullptr);
    EXPECT_EQ(*Objects->Find("/#SYSTEM"), Binary);
    ASSERT_NE(Objects->Find("/Einfuehrung.HTML"), nullptr); // ASCII letters in any case
    EXPECT_EQ(*Objects->Find("/einfuehrung.html"), "<html>ä</html>");
    ASSERT_NE(Objects->Find("/leer"), nullptr);
    EXPECT_EQ(*Objects->Find("/leer"), "");
    EXPECT_EQ(Objects->Find("/fehlt.html"), nullptr);
    EXPECT_EQ(Objects->Find("einfuehrung.html"), nullptr);

    const std::optional<THelpObjects> None = ReadHelpStream(HelpStreamStart() + HelpStreamEnd(0));
    ASSERT_TRUE(None);
    EXPECT_EQ(None->Count(), 0u);
}

TEST(help_stream_test, anything_but_a_whole_stream_is_refused) {
    const std::string Start = HelpStreamStart();
    const std::string One = Object("/a.html", "abc");
    const std::string Whole = Start + One + HelpStreamEnd(1);
    ASSERT_TRUE(ReadHelpStream(Whole));
    const std::string LongestPath = "/" + std::string(MaxHelpPathBytes - 1, 'p');
    ASSERT_TRUE(ReadHelpStream(Start + Object(LongestPath, "") + HelpStreamEnd(1)));

    struct TCase {
        const char* Name;
        std::string Stream;
    };
    const TCase Cases[] = {
        {"empty", ""},
        {"another start", "KAVRINTO-HILFE 2\n" + One + HelpStreamEnd(1)},
        {"no start", One + HelpStreamEnd(1)},
        {"cut before the end", Start + One},
        {"cut inside the end", Whole.substr(0, Whole.size() - 1)},
        {"cut inside an object", Whole.substr(0, Start.size() + One.size() - 1)},
        {"a byte after the end", Whole + "\n"},
        {"too few counted", Start + One + HelpStreamEnd(0)},
        {"too many counted", Start + One + HelpStreamEnd(2)},
        {"count with a leading zero", Start + One + "ENDE 01\n"},
        {"count missing", Start + One + "ENDE \n"},
        {"path length with a leading zero", Start + "07 3\n/a.htmlabc" + HelpStreamEnd(1)},
        {"data length with a sign", Start + "7 +3\n/a.htmlabc" + HelpStreamEnd(1)},
        {"data length not a number", Start + "7 x\n/a.htmlabc" + HelpStreamEnd(1)},
        {"a number of eleven digits", Start + "7 10000000000\n/a.htmlabc" + HelpStreamEnd(1)},
        {"two spaces", Start + "7  3\n/a.htmlabc" + HelpStreamEnd(1)},
        {"no line end", Start + "7 3 /a.htmlabc" + HelpStreamEnd(1)},
        {"an empty path", Start + "0 3\nabc" + HelpStreamEnd(1)},
        {"a path without its slash", Start + Object("a.html", "abc") + HelpStreamEnd(1)},
        {"a zero byte in the path", Start + Object(std::string("/a\0b", 4), "abc") + HelpStreamEnd(1)},
        {"a path too long", Start + Object(LongestPath + "p", "") + HelpStreamEnd(1)},
        {"an object larger than the limit",
         Start + "7 " + std::to_string(MaxHelpObjectBytes + 1) + "\n/a.html" + HelpStreamEnd(1)},
        {"data running past the stream", Start + "7 300\n/a.htmlabc" + HelpStreamEnd(1)},
        {"a path twice", Start + One + One + HelpStreamEnd(2)},
        {"a path twice in another case", Start + One + Object("/A.HTML", "x") + HelpStreamEnd(2)},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        EXPECT_FALSE(ReadHelpStream(C.Stream));
    }
}
