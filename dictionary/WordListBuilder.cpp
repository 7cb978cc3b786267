// Making the data file from a plain word list: check, order, encode as UTF-16LE and encipher.
#include "dictionary/WordListBuilder.h"

#include "common/Utf8.h"
#include "dictionary/Readdaten.h"
#include "dictionary/Sortrus.h"

#include <algorithm>
#include <cstdio>
#include <numeric>

namespace {

constexpr char16_t ByteOrderMark = 0xFEFF;

std::string LineMessage(int64_t line, const char* text) {
    return "Zeile " + std::to_string(line) + ": " + text;
}

std::string CharacterMessage(int64_t line, char32_t code, const char* text) {
    char name[16];
    std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(code));
    return "Zeile " + std::to_string(line) + ": Das Zeichen " + name + text;
}

// Decodes one line of UTF-8 into UTF-16 and checks every character; returns the message of the first
// fault, or an empty text.
std::string DecodeLine(std::string_view bytes, int64_t line, std::u16string& out) {
    const SortRus keys;
    out.clear();
    for (size_t i = 0; i < bytes.size();) {
        const std::optional<char32_t> decoded = DecodeUtf8(bytes, i);
        if (!decoded)
            return LineMessage(line, "Die Zeile ist kein gültiges UTF-8.");
        const char32_t code = *decoded;
        if (code > 0xFFFF)
            return CharacterMessage(line, code, " liegt außerhalb der Basic Multilingual Plane.");
        if (code == '\r')
            return LineMessage(line, "Wagenrücklauf (CR) ohne folgenden Zeilenvorschub (LF).");
        // A character outside the key table whose code equals a key would come back as that key's character.
        const auto unit = static_cast<uint16_t>(code);
        if (keys.SortKeyToChar(keys.CharToSortKey(unit)) != unit)
            return CharacterMessage(line, code,
                                    " ist nicht erlaubt: Sein Code ist der Sortierschlüssel eines "
                                    "anderen Zeichens.");
        out.push_back(static_cast<char16_t>(unit));
    }
    return {};
}

// A hunspell line holds the word, then optionally "/FLAGS" and, after a tab, morphological fields.
// "\/" stands for a slash inside the word.
std::string HunspellWord(std::string_view line) {
    std::string word;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\\' && i + 1 < line.size() && line[i + 1] == '/') {
            word.push_back('/');
            ++i;
        } else if (line[i] == '/' || line[i] == '\t') {
            break;
        } else {
            word.push_back(line[i]);
        }
    }
    return word;
}

bool IsWordCount(std::string_view line) {
    const size_t first = line.find_first_not_of(" \t");
    const size_t last = line.find_last_not_of(" \t");
    if (first == std::string_view::npos)
        return false;
    const std::string_view digits = line.substr(first, last - first + 1);
    return std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A line in key form with the length of its word, the part up to and including its last letter key.
struct TKeyedLine {
    std::u16string Keys;
    size_t WordLength = 0;
};

TKeyedLine ToKeys(std::u16string_view line) {
    const SortRus keys;
    TKeyedLine keyed;
    keyed.Keys.resize(line.size());
    for (size_t i = 0; i < line.size(); ++i) {
        keyed.Keys[i] = static_cast<char16_t>(keys.CharToSortKey(line[i]));
        if (IsLetterKey(keyed.Keys[i]))
            keyed.WordLength = i + 1;
    }
    return keyed;
}

// < 0, 0 or > 0 as a stands before, with or after b.
int CompareKeyed(const TKeyedLine& a, const TKeyedLine& b) {
    const size_t common = std::min(a.WordLength, b.WordLength);
    for (size_t j = 1; j <= common; ++j) {
        const char16_t ka = a.Keys[a.WordLength - j];
        const char16_t kb = b.Keys[b.WordLength - j];
        if (ka != kb)
            return ka < kb ? -1 : 1;
    }
    if (a.WordLength != b.WordLength)
        return a.WordLength < b.WordLength ? -1 : 1;
    return std::u16string_view(a.Keys)
        .substr(a.WordLength)
        .compare(std::u16string_view(b.Keys).substr(b.WordLength));
}

} // namespace

TWordListEntries ReadWordList(std::string_view text, TListFormat format) {
    TWordListEntries result;
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);

    std::u16string decoded;
    int64_t lineNumber = 0;
    size_t position = 0;
    while (position < text.size()) {
        size_t end = text.find('\n', position);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(position, end - position);
        position = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);

        std::string word;
        if (format == TListFormat::Hunspell) {
            if (lineNumber == 1) {
                if (!IsWordCount(line)) {
                    result.Error =
                        LineMessage(1, "Ein Hunspell-Wörterbuch beginnt mit der Zahl seiner Wörter.");
                    return result;
                }
                continue;
            }
            word = HunspellWord(line);
            line = word;
        }
        if (line.empty())
            continue;
        result.Error = DecodeLine(line, lineNumber, decoded);
        if (!result.Error.empty()) {
            result.Lines.clear();
            return result;
        }
        result.Lines.push_back(decoded);
    }
    if (result.Lines.empty())
        result.Error = "Die Wortliste enthält keinen Eintrag.";
    return result;
}

bool EntryBefore(std::u16string_view a, std::u16string_view b) {
    return CompareKeyed(ToKeys(a), ToKeys(b)) < 0;
}

TDataFile MakeDataFile(std::vector<std::u16string> lines, int64_t maxFileSize) {
    TDataFile result;
    if (lines.empty()) {
        result.Error = "Die Wortliste enthält keinen Eintrag.";
        return result;
    }

    std::vector<TKeyedLine> keyed;
    keyed.reserve(lines.size());
    for (const std::u16string& line : lines)
        keyed.push_back(ToKeys(line));
    std::vector<size_t> order(lines.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        const int c = CompareKeyed(keyed[a], keyed[b]);
        return c != 0 ? c < 0 : lines[a] < lines[b];
    });
    order.erase(
        std::unique(order.begin(), order.end(), [&](size_t a, size_t b) { return lines[a] == lines[b]; }),
        order.end());

    // The byte-order mark, then every line with CR LF.
    int64_t units = 1;
    for (size_t index : order)
        units += static_cast<int64_t>(lines[index].size()) + 2;
    if (2 * units > maxFileSize) {
        result.Error = "Die Wortliste ist zu groß: Die Wörterbuchdatei wäre größer als " +
                       std::to_string(maxFileSize) + " Byte.";
        return result;
    }

    std::vector<uint8_t>& bytes = result.Bytes;
    bytes.resize(static_cast<size_t>(2 * units));
    size_t at = 0;
    const auto put = [&](char16_t unit) {
        bytes[at++] = static_cast<uint8_t>(unit & 0xFF);
        bytes[at++] = static_cast<uint8_t>(unit >> 8);
    };
    put(ByteOrderMark);
    for (size_t index : order) {
        for (char16_t unit : lines[index])
            put(unit);
        put(u'\r');
        put(u'\n');
    }

    TCipherContext context;
    InitKey(context, DataFileKey.data(), static_cast<int16_t>(DataFileKey.size()));
    EncryptCBC(context, bytes.data(), static_cast<int32_t>(bytes.size() / 8));
    result.EntryCount = static_cast<int32_t>(order.size());
    return result;
}

TDataFile BuildDataFile(std::string_view text, TListFormat format) {
    TWordListEntries entries = ReadWordList(text, format);
    if (!entries.Error.empty()) {
        TDataFile result;
        result.Error = std::move(entries.Error);
        return result;
    }
    return MakeDataFile(std::move(entries.Lines));
}
