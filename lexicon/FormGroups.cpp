// Making the lemma link from unmunch's expansion: look every group's lemma and forms up in the two lists.
#include "lexicon/FormGroups.h"

#include "common/Utf8.h"
#include "dictionary/Sortrus.h"

#include <algorithm>
#include <new>
#include <unordered_map>
#include <vector>

namespace {

using TLineNumbers = std::unordered_map<std::u16string, int32_t>;

std::u16string LineText(const TWordList& list, int32_t line) {
    const SortRus keys;
    std::u16string text;
    for (int32_t k = list.LineStart[line]; k <= list.LineEnd[line]; ++k)
        text.push_back(static_cast<char16_t>(keys.SortKeyToChar(list.KeyText[k])));
    return text;
}

// Every line's text with its number; of equal lines the first.
TLineNumbers NumberLines(const TWordList& list) {
    TLineNumbers numbers;
    numbers.reserve(static_cast<size_t>(list.LineCount));
    for (int32_t i = 0; i < list.LineCount; ++i)
        numbers.emplace(LineText(list, i), i);
    return numbers;
}

std::string LineMessage(int64_t line, const std::string& text) {
    return "Zeile " + std::to_string(line) + ": " + text;
}

TLemmaLinkBuild MakeLink(std::string_view groups, const TWordList& forms, const TWordList& lemmas) {
    TLemmaLinkBuild result;
    const TLineNumbers formLines = NumberLines(forms);
    const TLineNumbers lemmaLines = NumberLines(lemmas);

    // (form << 32) | lemma for every form of every group.
    std::vector<uint64_t> pairs;
    int64_t lineNumber = 0;
    int32_t lemma = -1; // of the current group; -1 between groups
    size_t position = 0;
    while (position < groups.size()) {
        size_t end = groups.find('\n', position);
        if (end == std::string_view::npos)
            end = groups.size();
        std::string_view line = groups.substr(position, end - position);
        position = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty()) {
            lemma = -1;
            continue;
        }
        const std::optional<std::u16string> text = Utf8ToUtf16(line);
        if (!text) {
            result.Error = LineMessage(lineNumber, "Die Zeile ist kein gültiges UTF-8.");
            return result;
        }
        if (lemma < 0) {
            const auto found = lemmaLines.find(*text);
            if (found == lemmaLines.end()) {
                result.Error = LineMessage(lineNumber, "Die Grundform " + std::string(line) +
                                                           " steht nicht in der Grundformliste.");
                return result;
            }
            lemma = found->second;
        }
        const auto found = formLines.find(*text);
        if (found == formLines.end()) {
            result.Error = LineMessage(lineNumber, "Die Wortform " + std::string(line) +
                                                       " steht nicht in der Formenliste.");
            return result;
        }
        pairs.push_back(uint64_t(uint32_t(found->second)) << 32 | uint32_t(lemma));
    }
    std::sort(pairs.begin(), pairs.end());
    pairs.erase(std::unique(pairs.begin(), pairs.end()), pairs.end());

    TLemmaLink& link = result.Link;
    link.FormCount = forms.LineCount;
    link.LemmaCount = lemmas.LineCount;
    link.FormFileSize = forms.FileSize;
    link.LemmaFileSize = lemmas.FileSize;
    link.Start.assign(static_cast<size_t>(forms.LineCount) + 1, 0);
    link.Lemma.reserve(pairs.size());
    size_t next = 0;
    for (int32_t f = 0; f < forms.LineCount; ++f) {
        link.Start[f] = static_cast<uint32_t>(link.Lemma.size());
        while (next < pairs.size() && pairs[next] >> 32 == uint32_t(f))
            link.Lemma.push_back(static_cast<uint32_t>(pairs[next++]));
        const uint32_t count = static_cast<uint32_t>(link.Lemma.size()) - link.Start[f];
        if (count == 0 || count > MaxLemmasPerForm) {
            result.Error =
                "Die Wortform " + Utf16ToUtf8(LineText(forms, f)) +
                (count == 0 ? " gehört zu keiner Gruppe."
                            : " gehört zu mehr als " + std::to_string(MaxLemmasPerForm) + " Grundformen.");
            result.Link = TLemmaLink();
            return result;
        }
    }
    link.Start[forms.LineCount] = static_cast<uint32_t>(link.Lemma.size());
    return result;
}

} // namespace

TLemmaLinkBuild LinkFormGroups(std::string_view groups, const TWordList& forms, const TWordList& lemmas) {
    try {
        return MakeLink(groups, forms, lemmas);
    } catch (const std::bad_alloc&) {
        TLemmaLinkBuild result;
        result.Error = "Der Arbeitsspeicher reicht nicht für die Grundformen.";
        return result;
    }
}
