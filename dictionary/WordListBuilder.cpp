// Making the data file from a plain word list: check, order, encode as UTF-16LE and encipher.
#include "dictionary/WordListBuilder.h"

#include "common/Utf8.h"
#include "dictionary/Readdaten.h"
#include "dictionary/Sortrus.h"

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <optional>
#include <utility>

namespace {

constexpr char16_t ByteOrderMark = 0xFEFF;
constexpr std::string_view Utf8ByteOrderMark = "\xEF\xBB\xBF";

// The start of a line longer than this, still without its LF, holds no acceptable entry: each of
// MaxEntryLength characters takes at most 3 bytes, then come a CR and, on the first line, the
// byte-order mark. Reading it as a whole line then finds its first fault.
constexpr size_t PendingLimit = 4096;
static_assert(PendingLimit > 3 * MaxEntryLength + 1 + Utf8ByteOrderMark.size());

// No hunspell dictionary counts its words with more digits than this.
constexpr size_t MaxWordCountLength = 20;

std::string LineMessage(int64_t line, const std::string& text) {
    return "Zeile " + std::to_string(line) + ": " + text;
}

std::string CharacterMessage(int64_t line, char32_t code, const char* text) {
    char name[16];
    std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(code));
    return "Zeile " + std::to_string(line) + ": Das Zeichen " + name + text;
}

std::string TooLargeMessage(int64_t maxFileSize) {
    return "Die Wortliste ist zu groß: Die Wörterbuchdatei wäre größer als " + std::to_string(maxFileSize) +
           " Byte.";
}

bool IsControl(char32_t code) {
    return code < 0x20 || (code >= 0x7F && code <= 0x9F);
}

bool IsBlank(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
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
        if (out.size() == MaxEntryLength)
            return LineMessage(line,
                               "Der Eintrag ist länger als " + std::to_string(MaxEntryLength) + " Zeichen.");
        const char32_t code = *decoded;
        if (code > 0xFFFF)
            return CharacterMessage(line, code, " liegt außerhalb der Basic Multilingual Plane.");
        if (code == '\r')
            return LineMessage(line, "Wagenrücklauf (CR) ohne folgenden Zeilenvorschub (LF).");
        if (IsControl(code) && code != '\t')
            return CharacterMessage(line, code, " ist ein Steuerzeichen und nicht erlaubt.");
        if (code == ByteOrderMark)
            return CharacterMessage(line, code, " (Byte-Order-Mark) ist im Text nicht erlaubt.");
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
// "\/" stands for a slash inside the word. Returns where the word ends: at its "/" or tab, or npos.
size_t HunspellWordEnd(std::string_view line) {
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\\' && i + 1 < line.size() && line[i + 1] == '/')
            ++i;
        else if (line[i] == '/' || line[i] == '\t')
            return i;
    }
    return std::string_view::npos;
}

std::string HunspellWord(std::string_view line) {
    line = line.substr(0, HunspellWordEnd(line));
    std::string word;
    word.reserve(line.size());
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\\' && i + 1 < line.size() && line[i + 1] == '/')
            ++i;
        word.push_back(line[i]);
    }
    return word;
}

bool IsWordCount(std::string_view line) {
    const size_t first = line.find_first_not_of(" \t");
    const size_t last = line.find_last_not_of(" \t");
    if (first == std::string_view::npos)
        return false;
    const std::string_view digits = line.substr(first, last - first + 1);
    return digits.size() <= MaxWordCountLength &&
           std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
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

TWordListReader::TWordListReader(TListFormat format, int64_t maxFileSize)
    : Format(format), MaxFileSize(maxFileSize) {}

bool TWordListReader::Read(std::string_view bytes) {
    while (Entries.Error.empty() && !bytes.empty()) {
        const size_t end = bytes.find('\n');
        if (end == std::string_view::npos) {
            if (!SkipToLineEnd) {
                Pending.append(bytes);
                if (Pending.size() > PendingLimit)
                    ReadPendingLine();
            }
            break;
        }
        const std::string_view head = bytes.substr(0, end);
        bytes.remove_prefix(end + 1);
        if (Pending.empty() && !SkipToLineEnd) {
            ReadLine(head);
            continue;
        }
        if (!SkipToLineEnd)
            Pending.append(head);
        SkipToLineEnd = false;
        ReadLine(Pending);
        Pending.clear();
    }
    return Entries.Error.empty();
}

void TWordListReader::ReadPendingLine() {
    // A hunspell word that has ended is all that is needed of its line.
    if (Format == TListFormat::Hunspell && LineNumber > 0) {
        const size_t end = HunspellWordEnd(Pending);
        if (end != std::string_view::npos) {
            Pending.resize(end + 1);
            SkipToLineEnd = true;
            return;
        }
    }
    ReadLine(Pending);
    if (Entries.Error.empty())
        Entries.Error = LineMessage(LineNumber, "Die Zeile ist zu lang.");
    Pending.clear();
}

void TWordListReader::ReadLine(std::string_view line) {
    ++LineNumber;
    if (LineNumber == 1 && line.substr(0, Utf8ByteOrderMark.size()) == Utf8ByteOrderMark)
        line.remove_prefix(Utf8ByteOrderMark.size());
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);

    std::string word;
    if (Format == TListFormat::Hunspell) {
        if (LineNumber == 1) {
            if (!IsWordCount(line))
                Entries.Error = LineMessage(1, "Ein Hunspell-Wörterbuch beginnt mit der Zahl seiner Wörter.");
            return;
        }
        word = HunspellWord(line);
        line = word;
    }
    if (IsBlank(line)) {
        ++Entries.BlankLines;
        return;
    }
    Entries.Error = DecodeLine(line, LineNumber, Decoded);
    if (!Entries.Error.empty())
        return;
    FileUnits += static_cast<int64_t>(Decoded.size()) + 2;
    if (2 * FileUnits > MaxFileSize) {
        Entries.Error = LineMessage(LineNumber, TooLargeMessage(MaxFileSize));
        return;
    }
    Entries.Lines.push_back(Decoded);
}

TWordListEntries TWordListReader::Finish() {
    if (Entries.Error.empty() && (SkipToLineEnd || !Pending.empty()))
        ReadLine(Pending);
    Pending.clear();
    SkipToLineEnd = false;
    if (Entries.Error.empty() && Entries.Lines.empty())
        Entries.Error = "Die Wortliste enthält keinen Eintrag.";
    if (!Entries.Error.empty())
        Entries.Lines.clear();
    return std::move(Entries);
}

TWordListEntries ReadWordList(std::string_view text, TListFormat format) {
    TWordListReader reader(format);
    reader.Read(text);
    return reader.Finish();
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
        result.Error = TooLargeMessage(maxFileSize);
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
    TDataFile result = MakeDataFile(std::move(entries.Lines));
    result.BlankLines = entries.BlankLines;
    return result;
}
