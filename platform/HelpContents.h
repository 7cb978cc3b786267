// What the help viewer reads out of a CHM file's objects, as plain data: the system information (title
// and contents file), the table of contents of a sitemap, the attributes of a tag and the page an entry
// names.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// One entry of the table of contents.
struct THelpEntry {
    std::u16string Name;  // never empty
    std::u16string Local; // the page as the file names it ("seite.html#teil"); may be empty
    int Level = 0;        // 0 at the top; the parent is the last entry before it one level up

    bool operator==(const THelpEntry&) const = default;
};

// Deeper lists are flattened into the deepest level: a damaged file cannot nest without end.
inline constexpr int MaxHelpLevels = 32;

// The entries of a sitemap (a .hhc file) in document order: every <OBJECT type="text/sitemap"> with a
// "Name" parameter, and its "Local" parameter; a <UL> after an entry holds that entry's children.
// Comments are skipped; the text ends at a tag or comment that is not closed.
std::vector<THelpEntry> ParseSitemap(std::u16string_view Html);

// The attributes of a tag's inside (the text between "<" and ">", name first): names in ASCII lower
// case, values unquoted and with their character references resolved, in the tag's order.
using THtmlAttributes = std::vector<std::pair<std::u16string, std::u16string>>;
THtmlAttributes TagAttributes(std::u16string_view Tag);

// The value of the first attribute of that name (lower case), or nothing.
std::optional<std::u16string> AttributeValue(const THtmlAttributes& Attributes, std::u16string_view Name);

// Text with its character references resolved: "&amp;", "&auml;", "&#228;", "&#xE4;". A reference
// that is not known stays as written; a number that is no character gives U+FFFD.
std::u16string ResolveCharacterReferences(std::u16string_view Text);

// The #SYSTEM object: a 4-byte version, then records of a 2-byte code, a 2-byte length and the data
// (little-endian). Code 0 names the contents file, code 3 the title; each value ends at its first zero
// byte and is UTF-8, or Latin-1 where it is not valid UTF-8. A record cut short ends the reading.
struct THelpSystemInfo {
    std::u16string ContentsFile;
    std::u16string Title;

    bool operator==(const THelpSystemInfo&) const = default;
};
THelpSystemInfo ParseSystemInfo(std::string_view Data);

// The object path of the contents file ("/toc.hhc" when the system information names none).
std::u16string ContentsPath(const THelpSystemInfo& Info);

// The page an entry names, as an object path and a fragment: "seite.html#teil", "/seite.html" and
// "ms-its:datei.chm::/seite.html" all name "/seite.html".
struct THelpPage {
    std::u16string Path;
    std::u16string Fragment;

    bool operator==(const THelpPage&) const = default;
};
THelpPage PageOfLocal(std::u16string_view Local);
