// The result list's rich-text document: header, one paragraph per shown hit line, footer.
#include "richtext/ResultDocument.h"

#include <algorithm>

std::string BuildResultDocument(TWordList& list, int32_t first, int32_t last, const UniToRtf& encoder) {
    const THitRange run{first, last};
    return BuildResultDocument(list, std::span(&run, 1), encoder);
}

std::string BuildResultDocument(TWordList& list, std::span<const THitRange> runs, const UniToRtf& encoder) {
    constexpr std::string_view LineBreak = "\r\n";
    constexpr std::string_view ParagraphEnd = "\r\n\\par \r\n";

    std::string doc;
    doc.append(ResultHeader).append(LineBreak);
    int32_t shown = 0;
    for (const THitRange& run : runs) {
        const int32_t first = std::max(run.FirstHit, 0);
        const int32_t last = std::min({run.LastHit, list.LineCount - 1, first + MaxShownLines - shown - 1});
        if (first > last)
            continue;
        const int32_t from = list.LineStart[first];
        const int32_t to = list.LineEnd[last];
        // Only the shown lines are read back, so only they are converted.
        list.ConvertRangeToChars(from, to);
        // Mostly Cyrillic letters, seven bytes each.
        const auto units = static_cast<std::size_t>(std::max(to - from + 1, 0));
        const auto lines = static_cast<std::size_t>(last - first + 1);
        doc.reserve(doc.size() + ResultFooter.size() + 7 * units + ParagraphEnd.size() * lines + 8);
        for (int32_t i = first; i <= last; ++i) {
            for (int32_t p = list.LineStart[i]; p <= list.LineEnd[i]; ++p)
                encoder.AppendFragment(doc, list.DisplayText[p]);
            doc.append(ParagraphEnd);
        }
        shown += last - first + 1;
    }
    if (shown == 0)
        doc.append(ParagraphEnd);
    doc.append(ResultFooter).append(LineBreak);
    return doc;
}
