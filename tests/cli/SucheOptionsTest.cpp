// kavrinto-suche's command line by direct calls: what the parser makes of arguments, what it refuses,
// and that the usage text and the man page name every option of the table.
#include "cli/SucheOptions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

using TArguments = std::vector<std::string_view>;

std::string Described(const TArguments& args) {
    std::string text = "kavrinto-suche";
    for (std::string_view arg : args)
        text += " '" + std::string(arg) + "'";
    return text;
}

// The parser's message, or "" if it took the arguments.
std::string RefusalOf(const TArguments& args) {
    try {
        ParseSucheArguments(args);
    } catch (const TUsageError& e) {
        return e.Message;
    }
    return "";
}

TEST(suche_options_test, reads_options_values_and_the_ending) {
    struct TCase {
        TArguments Args;
        TSucheOptions Expected;
    };
    const TCase cases[] = {
        {{"ад"}, {.Ending = "ад"}},
        {{""}, {.Ending = ""}}, // lists everything
        {{"-"}, {.Ending = "-"}},
        {{"--", "-ад"}, {.Ending = "-ад"}},
        {{"--", "--"}, {.Ending = "--"}},
        {{"-", "--"}, {.Ending = "-"}},
        {{"--keys", "--count", "fl"}, {.Keys = true, .Count = true, .Ending = "fl"}},
        {{"--limit", "2", "ад"}, {.Limit = 2, .Ending = "ад"}},
        {{"ад", "--limit=0"}, {.Limit = 0, .Ending = "ад"}},
        {{"--limit", "2147483647", "ад"}, {.Limit = INT32_MAX, .Ending = "ад"}},
        {{"--limit=1", "--limit=3", "ад"}, {.Limit = 3, .Ending = "ад"}}, // the last counts
        {{"--file", "a.dat", "ад"}, {.File = "a.dat", .Ending = "ад"}},
        {{"--file=b=c.dat", "ад"}, {.File = "b=c.dat", .Ending = "ад"}}, // only the first = divides
        {{"--file", "--count", "ад"},
         {.File = "--count", .Ending = "ад"}}, // the next argument, whatever it is
        {{"-h"}, {.Help = true}},
        {{"--help"}, {.Help = true}},
        {{"--help", "ад"}, {.Help = true, .Ending = "ад"}},
        {{"--version"}, {.Version = true}},
        {{"-i", "--yo", "ад"}, {.IgnoreCase = true, .YoAsYe = true, .Ending = "ад"}},
        {{"--ignore-case", "ад"}, {.IgnoreCase = true, .Ending = "ад"}},
        {{"--breakdown", "ость"}, {.Breakdown = true, .Ending = "ость"}},
        {{"--breakdown=", "-i"}, {.IgnoreCase = true, .Breakdown = true, .Ending = ""}},
        {{"--breakdown", "-ад"}, {.Breakdown = true, .Ending = "-ад"}}, // the next argument, as for --file
        {{"--breakdown", "а", "--breakdown", "я"}, {.Breakdown = true, .Ending = "я"}}, // the last counts
        {{"--limit", "3", "--breakdown", "а"}, {.Breakdown = true, .Limit = 3, .Ending = "а"}},
        {{"--forms", "ад"}, {.Forms = true, .Ending = "ад"}},
        {{"--stdin"}, {.Stdin = true}}, // the endings come from standard input
        {{"--stdin", "--keys", "--count", "--forms"},
         {.Keys = true, .Count = true, .Forms = true, .Stdin = true}},
        {{"--stdin", "--file", "a.dat", "--limit=1"}, {.Limit = 1, .File = "a.dat", .Stdin = true}},
        {{"--info", "кровью"}, {.Info = "кровью"}},
        {{"--info=-ад"}, {.Info = "-ад"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(Described(c.Args));
        const std::string refusal = RefusalOf(c.Args);
        EXPECT_EQ(refusal, "");
        if (refusal.empty()) {
            EXPECT_TRUE(ParseSucheArguments(c.Args) == c.Expected);
        }
    }
}

TEST(suche_options_test, refuses_a_wrong_call_with_a_german_message) {
    const std::pair<TArguments, std::string> cases[] = {
        {{"--bunt", "ад"}, "Unbekannte Option „--bunt“."},
        {{"--bunt=1", "ад"}, "Unbekannte Option „--bunt=1“."},
        {{"-x", "ад"}, "Unbekannte Option „-x“."},
        {{"-hx"}, "Unbekannte Option „-hx“."}, // short options do not combine
        {{"-h=1"}, "Unbekannte Option „-h=1“."},
        {{"--hel"}, "Unbekannte Option „--hel“."}, // no abbreviations
        {{"--count=1", "ад"}, "Die Option „--count“ nimmt keinen Wert."},
        {{"--help="}, "Die Option „--help“ nimmt keinen Wert."},
        {{"ад", "--limit"}, "Die Option „--limit“ braucht einen Wert."},
        {{"ад", "--file"}, "Die Option „--file“ braucht einen Wert."},
        {{"--limit", "zwei", "ад"}, "--limit erwartet eine ganze Zahl ab 0, nicht „zwei“."},
        {{"--limit=-1", "ад"}, "--limit erwartet eine ganze Zahl ab 0, nicht „-1“."},
        {{"--limit=", "ад"}, "--limit erwartet eine ganze Zahl ab 0, nicht „“."},
        {{"--limit", " 1", "ад"}, "--limit erwartet eine ganze Zahl ab 0, nicht „ 1“."},
        {{"--limit", "2147483648", "ад"}, "--limit erwartet eine ganze Zahl ab 0, nicht „2147483648“."},
        {{"--limit", "99999999999", "ад"}, "--limit erwartet eine ganze Zahl ab 0, nicht „99999999999“."},
        {{"--file", "", "ад"}, "--file erwartet einen Dateinamen, angegeben wurde keiner."},
        {{"--file=", "ад"}, "--file erwartet einen Dateinamen, angegeben wurde keiner."},
        {{}, "Die ENDUNG fehlt."},
        {{"--count", "--keys"}, "Die ENDUNG fehlt."},
        {{"ад", "ба"}, "Nur eine ENDUNG ist erlaubt; zu viel: „ба“."},
        {{"--", "ад", "--count"}, "Nur eine ENDUNG ist erlaubt; zu viel: „--count“."},
        {{"--breakdown", "ад", "ба"}, "Nur eine ENDUNG ist erlaubt; zu viel: „ба“."},
        {{"ба", "--breakdown", "ад"}, "--breakdown nimmt selbst die ENDUNG; eine zweite („ба“) ist zu viel."},
        {{"--breakdown"}, "Die Option „--breakdown“ braucht einen Wert."},
        {{"--count", "--breakdown", "ад"},
         "Die Optionen „--count“ und „--breakdown“ schließen einander aus."},
        {{"-i=1", "ад"}, "Unbekannte Option „-i=1“."},
        {{"--yo=ja", "ад"}, "Die Option „--yo“ nimmt keinen Wert."},
        {{"--stdin", "ад"}, "Mit --stdin kommen die Endungen von der Standardeingabe; zu viel: „ад“."},
        {{"--stdin", "--", ""}, "Mit --stdin kommen die Endungen von der Standardeingabe; zu viel: „“."},
        {{"--stdin=1"}, "Die Option „--stdin“ nimmt keinen Wert."},
        {{"--forms", "--file", "a.dat", "ад"}, "Die Optionen „--forms“ und „--file“ schließen einander aus."},
        {{"--stdin", "--breakdown", "ад"},
         "Die Optionen „--stdin“ und „--breakdown“ schließen einander aus."},
        {{"--info"}, "Die Option „--info“ braucht einen Wert."},
        {{"--info="}, "--info erwartet ein Wort, angegeben wurde keines."},
        {{"--info", "кровь", "ад"}, "Mit --info ist keine ENDUNG erlaubt; zu viel: „ад“."},
    };
    for (const auto& [args, message] : cases) {
        SCOPED_TRACE(Described(args));
        EXPECT_EQ(RefusalOf(args), message);
    }
}

// Each row shows once, its description in the same column as all others, continued lines included.
TEST(suche_options_test, usage_text_lists_every_option_in_one_column) {
    const std::string usage = SucheUsageText();
    EXPECT_TRUE(usage.starts_with("Aufruf: kavrinto-suche [OPTIONEN] ENDUNG\n")) << usage;
    EXPECT_TRUE(usage.ends_with("Exit-Status: 0 mit Treffern, 1 ohne Treffer, 2 bei einem Fehler.\n"))
        << usage;
    EXPECT_NE(usage.find("\n  -h, --help              diese Hilfe zeigen\n"), std::string::npos) << usage;
    EXPECT_NE(usage.find("\n      --limit N           höchstens N Einträge ausgeben\n"), std::string::npos)
        << usage;
    EXPECT_NE(usage.find("\n      --                  Ende der Optionen"), std::string::npos) << usage;
    constexpr std::size_t column = 26;
    for (const TOptionRow& row : SucheOptionTable()) {
        SCOPED_TRACE(std::string(row.Long));
        std::size_t lineStart = std::string::npos;
        for (std::size_t from = 0, to = 0; from <= row.Help.size(); from = to + 1) {
            to = std::min(row.Help.find('\n', from), row.Help.size());
            const std::string_view helpLine = row.Help.substr(from, to - from);
            const std::size_t at = usage.find(std::string(helpLine) + "\n");
            ASSERT_NE(at, std::string::npos) << helpLine;
            EXPECT_EQ(usage.rfind('\n', at) + 1 + column, at) << helpLine;
            if (lineStart == std::string::npos)
                lineStart = usage.rfind('\n', at) + 1;
        }
        const std::string_view spellings = std::string_view(usage).substr(lineStart, column);
        std::string spelled(row.Long);
        spelled += ' ';
        spelled += row.ValueName;
        EXPECT_NE(spellings.find(spelled), std::string_view::npos) << spellings;
        EXPECT_NE(spellings.find(row.Short), std::string_view::npos) << spellings;
    }
}

// The man page is written by hand: it must keep up with the table.
TEST(suche_options_test, man_page_describes_every_option) {
    std::ifstream file(KAVRINTO_MAN_DIR "/kavrinto-suche.1");
    ASSERT_TRUE(file) << KAVRINTO_MAN_DIR;
    std::stringstream text;
    text << file.rdbuf();
    const std::string man = text.str();
    // roff writes a minus sign as \-
    const auto roff = [](std::string_view spelling) {
        std::string out;
        for (char c : spelling)
            out += c == '-' ? std::string("\\-") : std::string(1, c);
        return out;
    };
    // The words of each tag line of the option list (the line after .TP) without roff's quotes and
    // commas, after the macro: .BR \-h ", " \-\-help gives \-h and \-\-help.
    std::vector<std::vector<std::string>> tags;
    for (std::size_t at = man.find(".TP\n"); at != std::string::npos; at = man.find(".TP\n", at + 1)) {
        std::istringstream line(man.substr(at + 4, man.find('\n', at + 4) - (at + 4)));
        std::vector<std::string> words;
        for (std::string word; line >> word;) {
            std::erase_if(word, [](char c) { return c == '"' || c == ','; });
            if (!word.empty())
                words.push_back(word);
        }
        tags.push_back(words);
    }
    for (const TOptionRow& row : SucheOptionTable()) {
        SCOPED_TRACE(std::string(row.Long));
        std::vector<std::string> expected;
        if (!row.Short.empty())
            expected.push_back(roff(row.Short));
        expected.push_back(roff(row.Long));
        if (!row.ValueName.empty())
            expected.push_back(std::string(row.ValueName));
        bool described = false;
        for (const std::vector<std::string>& words : tags)
            described = described || (words.size() == expected.size() + 1 &&
                                      std::equal(expected.begin(), expected.end(), words.begin() + 1));
        EXPECT_TRUE(described);
    }
}

} // namespace
