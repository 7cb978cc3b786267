// Rich text in and out of the text fields, without a toolkit.
#include "platform/RichText.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

#include "richtext/Codepage.h"
#include "richtext/LetterTable.h"
#include "richtext/RtfEscape.h"

namespace {

constexpr int MaxFontNumber = 1023;      // fonts with larger numbers are read as unknown
constexpr int MaxGroupDepth = 256;       // deeper groups share the deepest state
constexpr std::size_t MaxFontName = 255; // longer font names are cut
constexpr int CyrillicCharset = 204;
constexpr int MaxFallbackBytes = 16; // larger \ucN count as this

enum class TDestination { Text, FontTable, Skip };

struct TGroupState {
    TDestination Destination = TDestination::Text;
    int Font = -1; // -1: the document's default font
    int HalfPoints = 24;
    TParaAlign Align = TParaAlign::Left;
    int FallbackBytes = 1; // \ucN: the characters after a \uN that stand in for it
};

struct TFontEntry {
    int Charset = 0;
    std::string Name;
};

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Destinations whose text is not part of the document.
bool IsSkippedDestination(std::string_view word) {
    static constexpr std::array<std::string_view, 20> Skipped = {
        "colortbl", "stylesheet", "info",       "pict",    "object",    "header",
        "headerl",  "headerr",    "headerf",    "footer",  "footerl",   "footerr",
        "footerf",  "footnote",   "annotation", "fldinst", "listtable", "listoverridetable",
        "revtbl",   "generator"};
    return std::find(Skipped.begin(), Skipped.end(), word) != Skipped.end();
}

class TReader {
public:
    TReader(std::string_view rtf, TRawBytes rawBytes) : Rtf(rtf), RawBytes(rawBytes) {
        Stack.reserve(16);
        Stack.emplace_back();
    }

    TRichDocument Read() {
        std::size_t i = 0;
        const std::size_t n = Rtf.size();
        while (i < n) {
            const char c = Rtf[i];
            if (c == '{') {
                PendingFallback = 0;
                if (Stack.size() < MaxGroupDepth)
                    Stack.push_back(Stack.back());
                else
                    ++Overflow;
                ++i;
            } else if (c == '}') {
                PendingFallback = 0;
                CloseGroup(i);
                ++i;
            } else if (c == '\\') {
                i = ReadControl(i);
            } else if (c == '\r' || c == '\n') {
                ++i;
            } else {
                Byte(static_cast<uint8_t>(c), i);
                ++i;
            }
        }
        if (Started || !Current.Text.empty())
            Doc.Paragraphs.push_back(std::move(Current));
        Doc.Header = std::string(Rtf.substr(0, HeaderEnd.value_or(OuterClose.value_or(Rtf.size()))));
        return std::move(Doc);
    }

private:
    std::string_view Rtf;
    TRawBytes RawBytes;
    std::vector<TGroupState> Stack;
    int Overflow = 0;
    int DefaultFont = 0;
    std::array<TFontEntry, MaxFontNumber + 1> Fonts{};
    int TableFont = -1; // the font table entry being read
    TRichDocument Doc;
    TRichParagraph Current;
    bool Started = false;    // Current has its font and size
    int PendingFallback = 0; // characters still to drop after a \uN
    std::optional<std::size_t> HeaderEnd;
    std::optional<std::size_t> OuterClose;

    TGroupState& State() { return Stack.back(); }

    void CloseGroup(std::size_t at) {
        if (Overflow > 0) {
            --Overflow;
            return;
        }
        if (Stack.size() > 1) {
            Stack.pop_back();
            if (Stack.size() == 1 && !OuterClose)
                OuterClose = at;
        }
    }

    const TFontEntry* FontOf(int font) const {
        const int f = font < 0 ? DefaultFont : font;
        return f >= 0 && f <= MaxFontNumber ? &Fonts[f] : nullptr;
    }

    char16_t Decode(uint8_t byte, bool escaped) {
        if (byte < 0x80)
            return byte;
        if (!escaped && RawBytes == TRawBytes::AnsiCodePage)
            return Cp1252ToUnicode(byte);
        const TFontEntry* font = FontOf(State().Font);
        return font && font->Charset == CyrillicCharset ? Cp1251ToUnicode(byte) : Cp1252ToUnicode(byte);
    }

    void Byte(uint8_t byte, std::size_t at) {
        switch (State().Destination) {
        case TDestination::Skip:
            return;
        case TDestination::FontTable:
            if (TableFont >= 0) {
                TFontEntry& font = Fonts[TableFont];
                if (byte == ';')
                    TableFont = -1;
                else if (font.Name.size() < MaxFontName && !(font.Name.empty() && byte == ' '))
                    font.Name += static_cast<char>(byte);
            }
            return;
        case TDestination::Text:
            if (!DropFallback())
                Char(byte == '\t' ? u'\t' : Decode(byte, false), at);
            return;
        }
    }

    // Whether this character of the text stands in for the \uN before it and is dropped.
    bool DropFallback() {
        if (PendingFallback == 0)
            return false;
        --PendingFallback;
        return true;
    }

    void Char(char16_t ch, std::size_t at) {
        if (EnterText(at))
            Current.Text += ch;
    }

    // False outside the document's text (font table, skipped destinations). Otherwise the header ends
    // here, if it has not yet, and a paragraph is open.
    bool EnterText(std::size_t at) {
        if (State().Destination != TDestination::Text)
            return false;
        if (!HeaderEnd)
            HeaderEnd = at;
        if (!Started)
            StartParagraph();
        return true;
    }

    void StartParagraph() {
        Started = true;
        Current.HalfPoints = State().HalfPoints;
        const TFontEntry* font = FontOf(State().Font);
        Current.FontName = font ? font->Name : std::string();
    }

    void Paragraph(std::size_t at) {
        if (!EnterText(at))
            return;
        Current.Align = State().Align;
        Doc.Paragraphs.push_back(std::move(Current));
        Current = TRichParagraph();
        Started = false;
    }

    // Reads the control word or symbol at Rtf[at] == '\' and returns the index after it.
    std::size_t ReadControl(std::size_t at) {
        const std::size_t n = Rtf.size();
        std::size_t i = at + 1;
        if (i >= n)
            return n;
        const char c = Rtf[i];
        if (!IsLetter(c))
            return ReadSymbol(at, i);

        const std::size_t wordStart = i;
        while (i < n && IsLetter(Rtf[i]))
            ++i;
        const std::string_view word = Rtf.substr(wordStart, i - wordStart);
        bool hasParam = false;
        bool negative = false;
        int64_t param = 0;
        if (i < n && Rtf[i] == '-' && i + 1 < n && IsDigit(Rtf[i + 1])) {
            negative = true;
            ++i;
        }
        while (i < n && IsDigit(Rtf[i])) {
            hasParam = true;
            param = std::min<int64_t>(param * 10 + (Rtf[i] - '0'), 1'000'000'000);
            ++i;
        }
        if (i < n && Rtf[i] == ' ')
            ++i;
        Word(word, hasParam, static_cast<int>(negative ? -param : param), at);
        return i;
    }

    std::size_t ReadSymbol(std::size_t at, std::size_t i) {
        const std::size_t n = Rtf.size();
        const char c = Rtf[i];
        switch (c) {
        case '\\':
        case '{':
        case '}':
            Byte(static_cast<uint8_t>(c), at);
            return i + 1;
        case '\'': {
            const int high = i + 1 < n ? HexDigitValue(Rtf[i + 1]) : -1;
            const int low = i + 2 < n ? HexDigitValue(Rtf[i + 2]) : -1;
            if (high < 0)
                return i + 1;
            if (low < 0)
                return i + 2;
            const auto byte = static_cast<uint8_t>(high * 16 + low);
            if (State().Destination == TDestination::FontTable)
                Byte(byte, at);
            else if (!DropFallback())
                Char(Decode(byte, true), at);
            return i + 3;
        }
        case '~':
            if (!DropFallback())
                Char(u'\u00A0', at);
            return i + 1;
        case '_':
            if (!DropFallback())
                Char(u'\u2011', at);
            return i + 1;
        case '*':
            State().Destination = TDestination::Skip;
            return i + 1;
        case '\r':
        case '\n':
            Paragraph(at);
            return i + 1;
        default: // \- and the other symbols show nothing
            return i + 1;
        }
    }

    void Word(std::string_view word, bool hasParam, int param, std::size_t at) {
        TGroupState& state = State();
        if (state.Destination == TDestination::Skip)
            return;
        if (word == "fonttbl") {
            state.Destination = TDestination::FontTable;
            TableFont = -1;
        } else if (IsSkippedDestination(word)) {
            state.Destination = TDestination::Skip;
        } else if (state.Destination == TDestination::FontTable) {
            if (word == "f")
                TableFont = hasParam && param >= 0 && param <= MaxFontNumber ? param : -1;
            if (TableFont >= 0) {
                if (word == "f")
                    Fonts[TableFont] = TFontEntry();
                else if (word == "fcharset")
                    Fonts[TableFont].Charset = param;
            }
        } else if (word == "par") {
            Paragraph(at);
        } else if (word == "pard") {
            state.Align = TParaAlign::Left;
        } else if (word == "ql" || word == "qj") {
            state.Align = TParaAlign::Left;
        } else if (word == "qr") {
            state.Align = TParaAlign::Right;
        } else if (word == "qc") {
            state.Align = TParaAlign::Centre;
        } else if (word == "f") {
            state.Font = hasParam ? param : -1;
        } else if (word == "deff") {
            DefaultFont = param;
        } else if (word == "fs") {
            if (hasParam && param > 0)
                state.HalfPoints = std::min(param, 3276);
        } else if (word == "plain") {
            state.Font = -1;
            state.HalfPoints = 24;
        } else if (word == "tab") {
            Char(u'\t', at);
        } else if (word == "u") {
            // A signed 16-bit unit; beyond that range its fallback shows instead.
            if (hasParam && param >= -32768 && param <= 65535 && EnterText(at)) {
                Current.Text += static_cast<char16_t>(param < 0 ? param + 65536 : param);
                PendingFallback = state.FallbackBytes;
            }
        } else if (word == "uc") {
            if (hasParam && param >= 0)
                state.FallbackBytes = std::min(param, MaxFallbackBytes);
        }
    }
};

// Whether text written right after the header would run into a control word that it ends with.
bool EndsInControlWord(std::string_view header) {
    bool inWord = false;
    for (std::size_t i = 0; i < header.size(); ++i) {
        const char c = header[i];
        if (inWord) {
            if (IsLetter(c) || IsDigit(c) || (c == '-' && i + 1 < header.size() && IsDigit(header[i + 1])))
                continue;
            inWord = false;
            if (c == ' ')
                continue;
        }
        if (c == '\\' && i + 1 < header.size()) {
            if (IsLetter(header[i + 1])) {
                inWord = true;
                ++i;
            } else {
                i += header[i + 1] == '\'' ? 3 : 1;
            }
        }
    }
    return inWord;
}

} // namespace

TRichDocument ReadRichText(std::string_view rtf, TRawBytes rawBytes) {
    return TReader(rtf, rawBytes).Read();
}

std::string WriteRichText(std::string_view header, std::u16string_view text) {
    std::string out;
    out.reserve(header.size() + 4 * text.size() + 8);
    out += header;
    if (EndsInControlWord(header))
        out += ' ';
    for (const char16_t ch : text) {
        if (const int letter = ByteOfLetter(ch); letter >= 0) {
            AppendByteEscape(out, static_cast<uint8_t>(letter));
        } else if (ch == u'\\' || ch == u'{' || ch == u'}') {
            out += '\\';
            out += static_cast<char>(ch);
        } else if (ch == u'\n' || ch == u'\u2029') {
            out += "\\par ";
        } else if (ch < 0x80) {
            out += static_cast<char>(ch);
        } else {
            const int byte = UnicodeToCp1252(ch);
            out += byte >= 0 ? static_cast<char>(byte) : '?';
        }
    }
    out += "\\par }";
    return out;
}
