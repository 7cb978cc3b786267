// Reading FreeDict's dictd files.
#include "lexicon/Freedict.h"

#include "common/Utf8.h"

#include <algorithm>
#include <cstddef>
#include <set>
#include <utility>

namespace {

// Entries of the dictionary about itself: its name, licence and so on.
constexpr std::string_view DatabaseEntryPrefix = "00database";
constexpr std::string_view DatabaseEntryPrefixOld = "00-database";
// Ten digits of base 64 are 60 bits: no overflow, far beyond any file.
constexpr std::size_t MaxNumberDigits = 10;

int Base64Digit(char c) {
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return -1;
}

bool ParseBase64Number(std::string_view digits, uint64_t& value) {
    if (digits.empty() || digits.size() > MaxNumberDigits)
        return false;
    value = 0;
    for (char c : digits) {
        const int digit = Base64Digit(c);
        if (digit < 0)
            return false;
        value = value * 64 + static_cast<uint64_t>(digit);
    }
    return true;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        lines.push_back(line);
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return lines;
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

// Digits and a full stop: "2.".
bool IsSenseNumber(std::string_view s) {
    return s.size() >= 2 && s.back() == '.' &&
           std::all_of(s.begin(), s.end() - 1, [](char c) { return c >= '0' && c <= '9'; });
}

// "1. вечер" → "вечер"; nothing when the line does not start with a sense number.
bool StripLeadingSenseNumber(std::string_view& line) {
    const std::size_t space = line.find(' ');
    if (space == std::string_view::npos || !IsSenseNumber(line.substr(0, space)))
        return false;
    line.remove_prefix(space + 1);
    return true;
}

void StripTrailingSenseNumber(std::string_view& line) {
    const std::size_t space = line.rfind(' ');
    if (space != std::string_view::npos && IsSenseNumber(line.substr(space + 1)))
        line = line.substr(0, space);
}

bool IsCyrillicLetter(char32_t c) {
    return (c >= U'А' && c <= U'я') || c == U'ё' || c == U'Ё';
}

bool IsAccent(char32_t c) {
    return c == 0x0300 || c == 0x0301;
}

// One Russian word with its accents removed; empty when the translation is anything else.
std::string SingleWord(std::string_view translation) {
    std::string word;
    bool lastWasHyphen = true; // no hyphen at the start
    for (std::size_t pos = 0; pos < translation.size();) {
        const std::optional<char32_t> c = DecodeUtf8(translation, pos);
        if (!c)
            return {};
        if (IsAccent(*c))
            continue;
        if (*c == U'-') {
            if (lastWasHyphen)
                return {};
            lastWasHyphen = true;
        } else if (IsCyrillicLetter(*c)) {
            lastWasHyphen = false;
        } else {
            return {};
        }
        AppendUtf8(word, *c);
    }
    return lastWasHyphen ? std::string() : word;
}

void AddTranslations(std::string_view line, std::vector<std::string>& words) {
    StripTrailingSenseNumber(line);
    while (!line.empty()) {
        const std::size_t comma = std::min(line.find(','), line.size());
        const std::string word = SingleWord(Trim(line.substr(0, comma)));
        if (!word.empty() && std::find(words.begin(), words.end(), word) == words.end())
            words.push_back(word);
        line.remove_prefix(std::min(comma + 1, line.size()));
    }
}

} // namespace

TDictdIndex ParseDictdIndex(std::string_view Text) {
    TDictdIndex index;
    int32_t lineNumber = 0;
    for (const std::string_view line : SplitLines(Text)) {
        ++lineNumber;
        const std::size_t tab1 = line.find('\t');
        const std::size_t tab2 = tab1 == std::string_view::npos ? tab1 : line.find('\t', tab1 + 1);
        TDictdIndexEntry entry;
        if (tab2 == std::string_view::npos || tab1 == 0 ||
            !ParseBase64Number(line.substr(tab1 + 1, tab2 - tab1 - 1), entry.Offset) ||
            !ParseBase64Number(line.substr(tab2 + 1), entry.Length)) {
            index.Entries.clear();
            index.Error = "Zeile " + std::to_string(lineNumber) +
                          " des Index ist nicht „Stichwort<TAB>Anfang<TAB>Länge“ in dictds Base 64.";
            return index;
        }
        entry.Headword = line.substr(0, tab1);
        index.Entries.push_back(std::move(entry));
    }
    return index;
}

TFreedictEntry ParseFreedictEntry(std::string_view Entry) {
    TFreedictEntry result;
    const std::vector<std::string_view> lines = SplitLines(Entry);
    if (lines.empty())
        return result;
    // The headword ends where its pronunciation or its grammar begins.
    const std::string_view head = lines[0];
    result.Headword = Trim(head.substr(0, std::min(head.find(" /"), head.find(" <"))));
    for (std::size_t i = 1; i < lines.size(); ++i) {
        std::string_view line = lines[i];
        if (StripLeadingSenseNumber(line) || i == 1)
            AddTranslations(line, result.Words);
    }
    return result;
}

TFreedictGlosses InvertFreedict(const TDictdIndex& Index, std::string_view Dict) {
    TFreedictGlosses result;
    std::set<std::pair<std::string, std::string>> seen;
    for (const TDictdIndexEntry& entry : Index.Entries) {
        if (entry.Headword.starts_with(DatabaseEntryPrefix) ||
            entry.Headword.starts_with(DatabaseEntryPrefixOld))
            continue;
        if (entry.Offset > Dict.size() || entry.Length > Dict.size() - entry.Offset) {
            result.Glosses.clear();
            result.Error = "Der Eintrag „" + entry.Headword + "“ liegt außerhalb der Wörterbuchdatei.";
            return result;
        }
        const std::string_view text = Dict.substr(entry.Offset, entry.Length);
        if (!Utf8ToUtf16(text)) {
            result.Glosses.clear();
            result.Error = "Der Eintrag „" + entry.Headword + "“ ist kein gültiger UTF-8-Text.";
            return result;
        }
        TFreedictEntry parsed = ParseFreedictEntry(text);
        if (parsed.Headword.empty())
            continue;
        for (std::string& word : parsed.Words)
            if (seen.emplace(word, parsed.Headword).second)
                result.Glosses.push_back({std::move(word), parsed.Headword});
    }
    return result;
}
