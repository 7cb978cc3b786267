// Test helper: the ending search and its breakdown done the plain way, on the lines as text, to check the
// word list's key-based code against.
#pragma once

#include "dictionary/Breakdown.h"
#include "dictionary/FoldedSearch.h"
#include "dictionary/Sortrus.h"
#include "dictionary/WordListBuilder.h"

#include <algorithm>
#include <clocale>
#include <cwctype>
#include <map>
#include <string>
#include <vector>

class TPlainModel {
public:
    explicit TPlainModel(std::vector<std::u16string> lines) : Lines(std::move(lines)) {
        std::setlocale(LC_CTYPE, "C.UTF-8");
    }

    // The lines of a loaded list as text.
    static std::vector<std::u16string> LinesOf(const TWordList& list) {
        const SortRus sort;
        std::vector<std::u16string> lines(static_cast<size_t>(list.LineCount));
        for (int32_t i = 0; i < list.LineCount; ++i)
            for (int32_t p = list.LineStart[i]; p <= list.LineEnd[i]; ++p)
                lines[i].push_back(static_cast<char16_t>(sort.SortKeyToChar(list.KeyText[p])));
        return lines;
    }

    static char16_t Fold(char16_t c, TFolding folding) {
        if (folding.YoAsYe && (c == u'ё' || c == u'Ё'))
            c = c == u'ё' ? u'е' : u'Е';
        return folding.IgnoreCase ? static_cast<char16_t>(std::towlower(c)) : c;
    }

    static std::u16string Fold(std::u16string text, TFolding folding) {
        for (char16_t& c : text)
            c = Fold(c, folding);
        return text;
    }

    // The line up to and including its last letter.
    static std::u16string Word(const std::u16string& line) {
        const SortRus sort;
        size_t length = line.size();
        while (length > 0 && !IsLetterKey(sort.CharToSortKey(line[length - 1])))
            --length;
        return line.substr(0, length);
    }

    // Every line whose folded word ends with the folded ending; without folding only the first run of
    // them, as the dictionary's own search keeps.
    std::vector<int32_t> Hits(const std::u16string& ending, TFolding folding) const {
        const std::u16string folded = Fold(ending, folding);
        std::vector<int32_t> hits;
        for (size_t i = 0; i < Lines.size(); ++i) {
            const bool match = Fold(Word(Lines[i]), folding).ends_with(folded);
            if (match && !folding.Any() && !hits.empty() && hits.back() != static_cast<int32_t>(i) - 1)
                break;
            if (match)
                hits.push_back(static_cast<int32_t>(i));
        }
        return hits;
    }

    // The rows: the extended endings counted in a map, ordered by count and then as the builder orders
    // lines.
    std::vector<TBreakdownRow> Breakdown(const std::u16string& ending, TFolding folding) const {
        const std::u16string folded = Fold(ending, folding);
        const std::vector<int32_t> hits = Hits(ending, folding);
        std::map<std::u16string, int32_t> counts;
        for (const int32_t i : hits) {
            const std::u16string word = Fold(Word(Lines[i]), folding);
            ++counts[word.size() == folded.size() ? word : word.substr(word.size() - folded.size() - 1)];
        }
        std::vector<TBreakdownRow> rows;
        for (const auto& [extended, count] : counts)
            rows.push_back({extended, count, 100.0 * count / static_cast<double>(hits.size()),
                            extended.size() == folded.size()});
        std::sort(rows.begin(), rows.end(), [](const TBreakdownRow& a, const TBreakdownRow& b) {
            return a.Count != b.Count ? a.Count > b.Count : EntryBefore(a.Ending, b.Ending);
        });
        return rows;
    }

    std::vector<std::u16string> Lines;
};

// The hit lines one by one, in list order.
inline std::vector<int32_t> LinesOfHits(const THits& hits) {
    std::vector<int32_t> lines;
    hits.ForEachLine([&](int32_t i) { lines.push_back(i); });
    return lines;
}
