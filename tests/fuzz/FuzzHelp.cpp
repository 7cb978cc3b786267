// Fuzz target: what the help viewer reads out of a help file, on arbitrary data. The first byte picks
// the part: 's' the sitemap, 'y' the system information, 'r' the reader's stream, 'a' tag attributes
// and character references, 'p' page names; the rest is the input.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "common/Utf8.h"
#include "platform/HelpContents.h"
#include "platform/HelpStream.h"

namespace {

// Text as the viewer hands it over: UTF-8 where valid, each byte a character otherwise.
std::u16string TextOf(std::string_view bytes) {
    if (auto text = Utf8ToUtf16(bytes))
        return *text;
    std::u16string text;
    for (const char byte : bytes)
        text += static_cast<char16_t>(static_cast<unsigned char>(byte));
    return text;
}

void Sitemap(std::u16string_view html) {
    const std::vector<THelpEntry> entries = ParseSitemap(html);
    int previous = -1;
    for (const THelpEntry& entry : entries) {
        Check(!entry.Name.empty());
        Check(entry.Level >= 0 && entry.Level < MaxHelpLevels && entry.Level <= previous + 1);
        previous = entry.Level;
    }
    Check(html.find(u'<') != std::u16string_view::npos || entries.empty());
}

void Attributes(std::u16string_view tag) {
    for (const auto& [name, value] : TagAttributes(tag)) {
        Check(!name.empty());
        for (const char16_t ch : name)
            Check(!(ch >= u'A' && ch <= u'Z') && ch != u' ' && ch != u'=');
        Check(value.size() <= tag.size());
    }
    // A character is never longer than its reference.
    const std::u16string resolved = ResolveCharacterReferences(tag);
    Check(resolved.size() <= tag.size());
    Check(tag.find(u'&') != std::u16string_view::npos || resolved == tag);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);
    switch (data[0]) {
    case 's':
        Sitemap(TextOf(input));
        break;
    case 'y': {
        const THelpSystemInfo info = ParseSystemInfo(input);
        Check(info.ContentsFile.size() <= input.size() && info.Title.size() <= input.size());
        Check(ContentsPath(info).starts_with(u'/'));
        break;
    }
    case 'r':
        if (const auto objects = ReadHelpStream(input)) {
            Check(objects->Count() <= input.size() / 5); // "1 0\n/" at least, per object
            Check(!ReadHelpStream(std::string(input) + '\n'));
        }
        break;
    case 'a':
        Attributes(TextOf(input));
        break;
    case 'p': {
        const THelpPage page = PageOfLocal(TextOf(input));
        Check(page.Path.starts_with(u'/'));
        break;
    }
    default:
        break;
    }
    return 0;
}
