// Reading festvox-ru's lexicon.
#include "lexicon/FestivalLexicon.h"

#include "common/Utf8.h"

#include <cstddef>

namespace {

constexpr std::string_view Header = "MNCL";
constexpr std::string_view Acute = "\u0301";
constexpr int32_t MaxStressedVowel = 99;

bool IsVowel(char32_t c) {
    switch (c) {
    case U'а':
    case U'е':
    case U'ё':
    case U'и':
    case U'о':
    case U'у':
    case U'ы':
    case U'э':
    case U'ю':
    case U'я':
    case U'А':
    case U'Е':
    case U'Ё':
    case U'И':
    case U'О':
    case U'У':
    case U'Ы':
    case U'Э':
    case U'Ю':
    case U'Я':
        return true;
    default:
        return false;
    }
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Symbols end at white space, a bracket or a quotation mark.
bool IsSymbolChar(char c) {
    return !IsSpace(c) && c != '(' && c != ')' && c != '"' && c != '\0';
}

class TReader {
public:
    explicit TReader(std::string_view text) : Text(text) {}

    TFestivalLexicon Read() {
        TFestivalLexicon result;
        if (Text.starts_with(Header) && (Text.size() == Header.size() || IsSpace(Text[Header.size()])))
            Pos = Header.size();
        for (SkipSpace(); Pos < Text.size(); SkipSpace()) {
            TFestivalEntry entry;
            if (!ReadEntry(entry)) {
                result.Entries.clear();
                result.Error = "Zeile " + std::to_string(Line) + ": " + Error;
                return result;
            }
            result.Entries.push_back(std::move(entry));
        }
        result.StressesBeyondWord = Unusable;
        return result;
    }

private:
    bool Fail(std::string message) {
        Error = std::move(message);
        return false;
    }

    void SkipSpace() {
        while (Pos < Text.size() && IsSpace(Text[Pos]))
            Line += Text[Pos++] == '\n' ? 1 : 0;
    }

    bool Expect(char c, const char* what) {
        SkipSpace();
        if (Pos >= Text.size() || Text[Pos] != c)
            return Fail(std::string("erwartet ") + what + ".");
        ++Pos;
        return true;
    }

    std::string_view Symbol() {
        SkipSpace();
        const std::size_t start = Pos;
        while (Pos < Text.size() && IsSymbolChar(Text[Pos]))
            ++Pos;
        return Text.substr(start, Pos - start);
    }

    bool ReadEntry(TFestivalEntry& entry) {
        if (!Expect('(', "„(“ am Anfang eines Eintrags") || !Expect('"', "das Wort in Anführungszeichen"))
            return false;
        const std::size_t end = Text.find('"', Pos);
        if (end == std::string_view::npos)
            return Fail("das Wort endet nicht.");
        const std::string_view word = Text.substr(Pos, end - Pos);
        Pos = end + 1;
        if (word.empty() || word.find('\n') != std::string_view::npos)
            return Fail("ein Wort ist leer oder geht über das Zeilenende.");
        if (!Utf8ToUtf16(word))
            return Fail("ein Wort ist kein gültiger UTF-8-Text.");
        entry.Word = word;
        entry.WordClass = Symbol();
        if (entry.WordClass.empty())
            return Fail("die Wortart von „" + entry.Word + "“ fehlt.");
        if (!Expect('(', "die Betonung in Klammern"))
            return false;
        const std::string_view number = Symbol();
        if (number.empty() || number.size() > 2 ||
            number.find_first_not_of("0123456789") != std::string_view::npos)
            return Fail("die Betonung von „" + entry.Word + "“ ist keine Zahl bis " +
                        std::to_string(MaxStressedVowel) + ".");
        entry.StressedVowel = std::stoi(std::string(number));
        // The lexicon has a few (корнил, фронт): the word class holds, the stress is lost.
        if (entry.StressedVowel > CountVowels(entry.Word)) {
            entry.StressedVowel = 0;
            ++Unusable;
        }
        if (!Expect(')', "„)“ nach der Betonung"))
            return false;
        while (!Symbol().empty()) {
        }
        return Expect(')', "„)“ am Ende des Eintrags");
    }

    std::string_view Text;
    std::size_t Pos = 0;
    int32_t Line = 1;
    int32_t Unusable = 0;
    std::string Error;
};

} // namespace

TFestivalLexicon ParseFestivalLexicon(std::string_view Text) {
    return TReader(Text).Read();
}

int32_t CountVowels(std::string_view Word) {
    int32_t count = 0;
    for (std::size_t pos = 0; pos < Word.size();) {
        const std::optional<char32_t> c = DecodeUtf8(Word, pos);
        if (!c)
            break;
        count += IsVowel(*c) ? 1 : 0;
    }
    return count;
}

std::string StressedSpelling(std::string_view Word, int32_t StressedVowel) {
    std::string out(Word);
    if (StressedVowel <= 0 || Word.find("ё") != std::string_view::npos ||
        Word.find("Ё") != std::string_view::npos)
        return out;
    int32_t vowel = 0;
    for (std::size_t pos = 0; pos < Word.size();) {
        const std::optional<char32_t> c = DecodeUtf8(Word, pos);
        if (!c)
            break;
        if (IsVowel(*c) && ++vowel == StressedVowel) {
            out.insert(pos, Acute);
            break;
        }
    }
    return out;
}
