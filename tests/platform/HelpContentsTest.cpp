// Tests of the help file's contents as plain data: sitemap, tag attributes, character references,
// system information and page names.
#include "platform/HelpContents.h"

#include <gtest/gtest.h>

#include <string>

#include "common/Utf8.h"

namespace {

// The entries as one line: "Name=local" each, indented by one "." per level, joined by "|".
std::string Outline(const std::vector<THelpEntry>& Entries) {
    std::string Text;
    for (const THelpEntry& Entry : Entries) {
        if (!Text.empty())
            Text += '|';
        Text += std::string(static_cast<std::size_t>(Entry.Level), '.') + Utf16ToUtf8(Entry.Name) + '=' +
                Utf16ToUtf8(Entry.Local);
    }
    return Text;
}

std::u16string U16(std::string_view Utf8) {
    return Utf8ToUtf16(Utf8).value();
}

std::string Entry(std::string_view Name, std::string_view Local) {
    return "<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"" + std::string(Name) +
           "\"><param name=\"Local\" value=\"" + std::string(Local) + "\"></OBJECT>\n";
}

} // namespace

TEST(help_contents_test, sitemap_entries_nest_by_their_lists) {
    struct TCase {
        const char* Name;
        std::string Html;
        std::string Expected;
    };
    const TCase Cases[] = {
        {"as chmcmd writes it",
         "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\">\n<HTML><HEAD></HEAD><BODY>\n"
         "<OBJECT type=\"text/site properties\"><param name=\"ImageType\" "
         "value=\"Folder\"></OBJECT>\n<UL>\n" +
             Entry("Willkommen", "einfuehrung.html") + "<UL>\n" + Entry("Tippen", "tippen.html") + "<UL>\n" +
             Entry("Belegung", "tippen.html#tabelle") + "</UL>\n" + Entry("Tastatur", "tastatur.html") +
             "</UL>\n" + Entry("Suchen", "suchen.html") + "</UL>\n</BODY></HTML>\n",
         "Willkommen=einfuehrung.html|.Tippen=tippen.html|..Belegung=tippen.html#tabelle|"
         ".Tastatur=tastatur.html|Suchen=suchen.html"},
        {"names and types in any case, quotes of either kind, no quotes, spaces",
         "<ul><li><object TYPE='Text/Sitemap'><PARAM NAME=name VALUE='  Erste Seite '>"
         "<param name = \"LOCAL\" value = eins.html></Object></Ul >",
         "Erste Seite=eins.html"},
        {"a closing tag with a space after the slash",
         "<UL>" + Entry("A", "a.html") + "<UL>" + Entry("B", "b.html") + "</ UL>" + Entry("C", "c.html") +
             "</UL>",
         "A=a.html|.B=b.html|C=c.html"},
        {"an entry without a name, or of another type, or a parameter outside an entry, is none",
         "<param name=\"Name\" value=\"Draußen\">" + Entry("", "leer.html") +
             "<OBJECT type=\"text/html\"><param name=\"Name\" value=\"Fremd\"></OBJECT>" +
             Entry("B", "b.html"),
         "B=b.html"},
        {"an entry without a page",
         "<OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"Kapitel\"></OBJECT>", "Kapitel="},
        {"the first name and page count",
         "<OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"Eins\"><param name=\"Name\" "
         "value=\"Zwei\"><param name=\"Local\" value=\"1.html\"><param name=\"Local\" "
         "value=\"2.html\"></OBJECT>",
         "Eins=1.html"},
        {"references in values", Entry("Men&uuml; &amp; K&#252;rzel &lt;F1&gt;", "a&amp;b.html"),
         "Menü & Kürzel <F1>=a&b.html"},
        {"a > inside quotes does not end the tag", Entry("a > b", "c.html"), "a > b=c.html"},
        {"comments are skipped, also with tags inside",
         "<!-- " + Entry("Versteckt", "x.html") + " -->" + Entry("Sichtbar", "y.html"), "Sichtbar=y.html"},
        {"an open comment ends the text", Entry("A", "a.html") + "<!-- " + Entry("B", "b.html"), "A=a.html"},
        {"an open tag ends the text", Entry("A", "a.html") + "<OBJECT type=\"text/sitemap", "A=a.html"},
        {"an open quote ends the text", Entry("A", "a.html") + "<param name=\"Name " + Entry("B", "b.html"),
         "A=a.html"},
        {"an entry not closed is none", "<OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"A\">",
         ""},
        {"a list before any entry, or two lists in a row, add no level",
         "<UL><UL>" + Entry("A", "a.html") + "<UL><UL>" + Entry("B", "b.html") + "</UL></UL></UL></UL>" +
             Entry("C", "c.html"),
         "A=a.html|.B=b.html|C=c.html"},
        {"a list closed too often", "</UL></UL>" + Entry("A", "a.html") + "</UL><UL>" + Entry("B", "b.html"),
         "A=a.html|.B=b.html"},
        {"no tags", "Nur Text & nichts weiter", ""},
        {"empty", "", ""},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        EXPECT_EQ(Outline(ParseSitemap(U16(C.Html))), C.Expected);
    }
}

TEST(help_contents_test, sitemap_levels_stop_at_the_deepest) {
    std::string Html;
    for (int I = 0; I < MaxHelpLevels + 8; ++I) {
        Html += "<UL>";
        Html += Entry(std::to_string(I), "");
    }
    Html += Entry("Letzter", "");
    const std::vector<THelpEntry> Entries = ParseSitemap(U16(Html));
    ASSERT_EQ(Entries.size(), static_cast<std::size_t>(MaxHelpLevels + 9));
    for (int I = 0; I < MaxHelpLevels; ++I)
        EXPECT_EQ(Entries[I].Level, I);
    for (std::size_t I = MaxHelpLevels; I < Entries.size(); ++I)
        EXPECT_EQ(Entries[I].Level, MaxHelpLevels - 1) << Utf16ToUtf8(Entries[I].Name);
}

TEST(help_contents_test, tag_attributes) {
    using TAttributes = THtmlAttributes;
    struct TCase {
        std::u16string Tag;
        TAttributes Expected;
    };
    const TCase Cases[] = {
        {u"param name=\"Name\" value=\"Die Seite\"", {{u"name", u"Name"}, {u"value", u"Die Seite"}}},
        {u"PARAM NAME='Local' VALUE=seite.html", {{u"name", u"Local"}, {u"value", u"seite.html"}}},
        {u"param\tname = \"a\"\n value\r\n=\t'b'", {{u"name", u"a"}, {u"value", u"b"}}},
        {u"input checked type=\"box\"", {{u"checked", u""}, {u"type", u"box"}}},
        {u"param name=\"a\" /", {{u"name", u"a"}}},
        {u"param value=\"a > 'b' &quot;c&quot;\"", {{u"value", u"a > 'b' \"c\""}}},
        {u"param value=\"nicht zu", {{u"value", u"nicht zu"}}},
        {u"param name=\"x\" NAME=\"y\"", {{u"name", u"x"}, {u"name", u"y"}}},
        {u"param Größe=\"1\"", {{u"größe", u"1"}}}, // only ASCII letters change case
        {u"param", {}},
        {u"", {}},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(Utf16ToUtf8(C.Tag));
        EXPECT_EQ(TagAttributes(C.Tag), C.Expected);
    }
    const TAttributes Twice = TagAttributes(u"param name=\"x\" NAME=\"y\"");
    EXPECT_EQ(AttributeValue(Twice, u"name"), u"x");
    EXPECT_EQ(AttributeValue(Twice, u"value"), std::nullopt);
}

TEST(help_contents_test, character_references) {
    struct TCase {
        std::u16string Text;
        std::u16string Expected;
    };
    const TCase Cases[] = {
        {u"&amp;&lt;&gt;&quot;&apos;", u"&<>\"'"},
        {u"&Auml;&Ouml;&Uuml;&auml;&ouml;&uuml;&szlig;", u"ÄÖÜäöüß"},
        {u"&bdquo;Tür&ldquo; &ndash; &euro;&nbsp;5", u"„Tür“ – €\u00A05"},
        {u"&#228;&#xE4;&#XE4;&#x00e4;&#0000228;", u"äääää"},
        {u"&#x44F;&#1103;", u"яя"},                     // {0x044F, 0x044F}
        {u"&#x1F600;", std::u16string{0xD83D, 0xDE00}}, // beyond the BMP: a surrogate pair
        {u"&#0;&#xD800;&#x110000;&#99999999999;", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
        {u"&unbekannt; &AMP; &amp &#; &#x; &#12a; &#xG;", u"&unbekannt; &AMP; &amp &#; &#x; &#12a; &#xG;"},
        {u"a & b; c", u"a & b; c"},
        {u"&&amp;;", u"&&;"},
        {u"&amp;lt;", u"&lt;"},                             // resolved once
        {u"&#00000000000000228;", u"&#00000000000000228;"}, // longer than any reference read
        {u"", u""},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(Utf16ToUtf8(C.Text));
        EXPECT_EQ(ResolveCharacterReferences(C.Text), C.Expected);
    }
}

TEST(help_contents_test, system_information) {
    // A record: code and length, little-endian, then the value.
    const auto Record = [](unsigned Code, std::string Value) {
        return std::string{static_cast<char>(Code & 0xFF), static_cast<char>(Code >> 8),
                           static_cast<char>(Value.size() & 0xFF), static_cast<char>(Value.size() >> 8)} +
               Value;
    };
    const std::string Version("\x03\x00\x00\x00", 4);
    const std::string Zero(1, '\0');
    struct TCase {
        const char* Name;
        std::string Data;
        THelpSystemInfo Expected;
    };
    const TCase Cases[] = {
        {"contents file and title among other records",
         Version + Record(2, "einfuehrung.html" + Zero) + Record(0, "toc.hhc" + Zero) +
             Record(3, "Hilfe zu Kavrinto" + Zero) + Record(4, std::string(36, '\x7F')),
         {u"toc.hhc", u"Hilfe zu Kavrinto"}},
        {"UTF-8", Version + Record(3, "Menü und Kürzel" + Zero), {u"", u"Menü und Kürzel"}},
        {"Latin-1 where it is not UTF-8", Version + Record(3, "Men\xFC" + Zero), {u"", u"Menü"}},
        {"a value ends at its first zero byte",
         Version + Record(0, "a.hhc" + Zero + "b.hhc"),
         {u"a.hhc", u""}},
        {"a value without a zero byte", Version + Record(0, "a.hhc"), {u"a.hhc", u""}},
        {"the last record of a code counts", Version + Record(3, "Eins") + Record(3, "Zwei"), {u"", u"Zwei"}},
        {"a record cut short ends the reading",
         Version + Record(0, "toc.hhc") + Record(3, "Titel").substr(0, 7),
         {u"toc.hhc", u""}},
        {"a length beyond the data",
         Version + Record(0, "toc.hhc") +
             std::string("\x03\x00\xFF\xFF"
                         "abc",
                         7),
         {u"toc.hhc", u""}},
        {"a head cut short",
         Version + Record(0, "toc.hhc") + std::string("\x03\x00\x05", 3),
         {u"toc.hhc", u""}},
        {"only the version", Version, {}},
        {"shorter than the version", "\x03", {}},
        {"empty", "", {}},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        EXPECT_EQ(ParseSystemInfo(C.Data), C.Expected);
    }
}

TEST(help_contents_test, contents_path_and_page_names) {
    EXPECT_EQ(ContentsPath({}), u"/toc.hhc");
    EXPECT_EQ(ContentsPath({u"inhalt.hhc", u""}), u"/inhalt.hhc");
    EXPECT_EQ(ContentsPath({u"/inhalt.hhc", u""}), u"/inhalt.hhc");

    struct TCase {
        std::u16string Local;
        THelpPage Expected;
    };
    const TCase Cases[] = {
        {u"seite.html", {u"/seite.html", u""}},
        {u"/seite.html", {u"/seite.html", u""}},
        {u"seite.html#teil", {u"/seite.html", u"teil"}},
        {u"ms-its:datei.chm::/seite.html#teil", {u"/seite.html", u"teil"}},
        {u"mk:@MSITStore:C:\\hilfe.chm::/ordner/seite.html", {u"/ordner/seite.html", u""}},
        {u"seite.html#", {u"/seite.html", u""}},
        {u"#teil", {u"/", u"teil"}},
        {u"", {u"/", u""}},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(Utf16ToUtf8(C.Local));
        EXPECT_EQ(PageOfLocal(C.Local), C.Expected);
    }
}
