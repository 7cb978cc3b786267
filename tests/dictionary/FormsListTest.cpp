// The build's forms list against unmunch's own expansion of the real dictionary.
#include "common/Utf8.h"
#include "dictionary/Sortrus.h"
#include "dictionary/WordList.h"
#include "dictionary/WordListBuilder.h"
#include "lexicon/LemmaLink.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// unmunch's output, one form per line, in its order.
std::vector<std::u16string> Unmunch(const std::string& dic, const std::string& aff) {
    std::vector<std::u16string> forms;
    const std::string command = "unmunch '" + dic + "' '" + aff + "' 2>/dev/null";
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr)
        return forms;
    std::string text;
    char chunk[1 << 16];
    size_t n = 0;
    while ((n = std::fread(chunk, 1, sizeof chunk, pipe)) > 0)
        text.append(chunk, n);
    EXPECT_EQ(::pclose(pipe), 0);
    for (size_t at = 0; at < text.size();) {
        const size_t end = std::min(text.find('\n', at), text.size());
        const std::optional<std::u16string> form = Utf8ToUtf16(std::string_view(text).substr(at, end - at));
        EXPECT_TRUE(form.has_value()) << text.substr(at, end - at);
        forms.push_back(form.value_or(u""));
        at = end + 1;
    }
    return forms;
}

TEST(forms_list_test, holds_exactly_the_distinct_forms_unmunch_expands_in_the_builders_order) {
    std::vector<std::u16string> expanded = Unmunch(KAVRINTO_HUNSPELL_DIC, KAVRINTO_HUNSPELL_AFF);
    EXPECT_EQ(expanded.size(), 1290242u);
    std::sort(expanded.begin(), expanded.end());
    expanded.erase(std::unique(expanded.begin(), expanded.end()), expanded.end());
    EXPECT_EQ(expanded.size(), 1255462u);

    TWordList list;
    list.LoadWordList(FormsFileName);
    ASSERT_EQ(list.LoadError, "");
    ASSERT_EQ(list.LineCount, static_cast<int32_t>(expanded.size()));
    const SortRus keys;
    std::vector<std::u16string> lines(static_cast<size_t>(list.LineCount));
    for (int32_t i = 0; i < list.LineCount; ++i)
        for (int32_t k = list.LineStart[i]; k <= list.LineEnd[i]; ++k)
            lines[i].push_back(static_cast<char16_t>(keys.SortKeyToChar(list.KeyText[k])));

    int32_t outOfOrder = 0;
    for (size_t i = 0; i + 1 < lines.size(); ++i)
        outOfOrder += EntryBefore(lines[i], lines[i + 1]) ? 0 : 1;
    EXPECT_EQ(outOfOrder, 0);
    std::sort(lines.begin(), lines.end());
    EXPECT_TRUE(lines == expanded);
}

} // namespace
