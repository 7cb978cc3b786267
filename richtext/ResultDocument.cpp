// The result list's rich-text document: header, one paragraph per shown hit line, footer.
#include "richtext/ResultDocument.h"

#include <algorithm>

std::string BuildResultDocument(TWordList& list, int32_t first, int32_t last, const UniToRtf& encoder) {
    constexpr std::string_view LineBreak = "\r\n";
    constexpr std::string_view ParagraphEnd = "\r\n\\par \r\n";

    first = std::max(first, 0);
    last = std::min(last, list.LineCount - 1);

    std::string doc;
    if (first > last) {
        doc.reserve(ResultHeader.size() + ResultFooter.size() + 16);
        doc.append(ResultHeader).append(LineBreak);
        doc.append(ParagraphEnd);
        doc.append(ResultFooter).append(LineBreak);
        return doc;
    }

    last = std::min(last, first + MaxShownLines - 1);
    const int32_t from = list.LineStart[first];
    const int32_t to = list.LineEnd[last];
    // Only the shown lines are read back, so only they are converted.
    list.ConvertRangeToChars(from, to);

    // Mostly Cyrillic letters, seven bytes each.
    const auto units = static_cast<std::size_t>(std::max(to - from + 1, 0));
    const auto lines = static_cast<std::size_t>(last - first + 1);
    doc.reserve(ResultHeader.size() + ResultFooter.size() + 7 * units + ParagraphEnd.size() * lines + 8);
    doc.append(ResultHeader).append(LineBreak);
    for (int32_t i = first; i <= last; ++i) {
        for (int32_t p = list.LineStart[i]; p <= list.LineEnd[i]; ++p)
            encoder.AppendFragment(doc, list.DisplayText[p]);
        doc.append(ParagraphEnd);
    }
    doc.append(ResultFooter).append(LineBreak);
    return doc;
}
