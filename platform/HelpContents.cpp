// The contents of a help file as plain data: sitemap, tag attributes, character references, system
// information and page names.
#include "platform/HelpContents.h"

#include <algorithm>
#include <array>

#include "common/Utf8.h"

namespace {

struct TNamedCharacter {
    std::u16string_view Name;
    char16_t Character;
};

// The named references that help pages written by hand use: the markup characters, the German letters
// and the usual punctuation. Sorted by name.
// clang-format off
constexpr std::array<TNamedCharacter, 28> NamedCharacters{{
    {u"Auml", 0x00C4}, {u"Ouml", 0x00D6}, {u"Uuml", 0x00DC}, {u"amp", 0x0026},    /* A-a */
    {u"apos", 0x0027}, {u"auml", 0x00E4}, {u"bdquo", 0x201E}, {u"copy", 0x00A9},  /* a-c */
    {u"deg", 0x00B0}, {u"euro", 0x20AC}, {u"gt", 0x003E}, {u"hellip", 0x2026},    /* d-h */
    {u"laquo", 0x00AB}, {u"ldquo", 0x201C}, {u"lsquo", 0x2018}, {u"lt", 0x003C},  /* l */
    {u"mdash", 0x2014}, {u"nbsp", 0x00A0}, {u"ndash", 0x2013}, {u"ouml", 0x00F6}, /* m-o */
    {u"quot", 0x0022}, {u"raquo", 0x00BB}, {u"rdquo", 0x201D}, {u"reg", 0x00AE},  /* q-r */
    {u"rsquo", 0x2019}, {u"sbquo", 0x201A}, {u"szlig", 0x00DF}, {u"uuml", 0x00FC}, /* r-u */
}};
// clang-format on

constexpr bool SortedByName() {
    for (std::size_t I = 1; I < NamedCharacters.size(); ++I)
        if (!(NamedCharacters[I - 1].Name < NamedCharacters[I].Name))
            return false;
    return true;
}
static_assert(SortedByName(), "the named references must be sorted for the binary search");

// The longest reference read, between "&" and ";": "#x10FFFF" with some leading zeros.
constexpr std::size_t MaxReferenceLength = 16;

bool IsSpace(char16_t C) {
    return C == u' ' || C == u'\t' || C == u'\n' || C == u'\r' || C == u'\f';
}

bool IsAsciiLetterOrDigit(char16_t C) {
    return (C >= u'a' && C <= u'z') || (C >= u'A' && C <= u'Z') || (C >= u'0' && C <= u'9');
}

char16_t LowerAscii(char16_t C) {
    return C >= u'A' && C <= u'Z' ? static_cast<char16_t>(C - u'A' + u'a') : C;
}

std::u16string LowerAscii(std::u16string_view Text) {
    std::u16string Lower(Text);
    std::transform(Lower.begin(), Lower.end(), Lower.begin(), [](char16_t C) { return LowerAscii(C); });
    return Lower;
}

bool EqualsIgnoringAsciiCase(std::u16string_view A, std::u16string_view B) {
    return A.size() == B.size() && std::equal(A.begin(), A.end(), B.begin(), [](char16_t X, char16_t Y) {
               return LowerAscii(X) == LowerAscii(Y);
           });
}

std::u16string_view Trimmed(std::u16string_view Text) {
    while (!Text.empty() && IsSpace(Text.front()))
        Text.remove_prefix(1);
    while (!Text.empty() && IsSpace(Text.back()))
        Text.remove_suffix(1);
    return Text;
}

void AppendCodePoint(std::u16string& Out, char32_t CodePoint) {
    if (CodePoint >= 0x10000) {
        CodePoint -= 0x10000;
        Out += static_cast<char16_t>(0xD800 + (CodePoint >> 10));
        Out += static_cast<char16_t>(0xDC00 + (CodePoint & 0x3FF));
    } else {
        Out += static_cast<char16_t>(CodePoint);
    }
}

// The character of a numeric reference's digits ("228", "xE4"); nothing when they are no number.
std::optional<char32_t> NumericReference(std::u16string_view Digits) {
    unsigned Base = 10;
    if (!Digits.empty() && (Digits[0] == u'x' || Digits[0] == u'X')) {
        Base = 16;
        Digits.remove_prefix(1);
    }
    if (Digits.empty())
        return std::nullopt;
    char32_t Value = 0;
    for (const char16_t C : Digits) {
        unsigned Digit;
        if (C >= u'0' && C <= u'9')
            Digit = C - u'0';
        else if (Base == 16 && LowerAscii(C) >= u'a' && LowerAscii(C) <= u'f')
            Digit = LowerAscii(C) - u'a' + 10;
        else
            return std::nullopt;
        // Past the last code point the value only has to stay out of range.
        Value = std::min<char32_t>(Value * Base + Digit, 0x110000);
    }
    if (Value == 0 || Value >= 0x110000 || (Value >= 0xD800 && Value <= 0xDFFF))
        return 0xFFFD;
    return Value;
}

// System information values: UTF-8 where valid, Latin-1 otherwise.
std::u16string DecodeSystemText(std::string_view Bytes) {
    if (std::optional<std::u16string> Text = Utf8ToUtf16(Bytes))
        return *std::move(Text);
    std::u16string Text;
    for (const char Byte : Bytes)
        Text += static_cast<char16_t>(static_cast<unsigned char>(Byte));
    return Text;
}

// The position of the ">" that ends the tag opened at Html[Open], outside quotes; npos when none does.
std::size_t TagEnd(std::u16string_view Html, std::size_t Open) {
    char16_t Quote = 0;
    for (std::size_t I = Open + 1; I < Html.size(); ++I) {
        const char16_t C = Html[I];
        if (Quote != 0) {
            if (C == Quote)
                Quote = 0;
        } else if (C == u'"' || C == u'\'') {
            Quote = C;
        } else if (C == u'>') {
            return I;
        }
    }
    return std::u16string_view::npos;
}

} // namespace

std::u16string ResolveCharacterReferences(std::u16string_view Text) {
    std::u16string Out;
    Out.reserve(Text.size());
    std::size_t Pos = 0;
    while (Pos < Text.size()) {
        const std::size_t Amp = Text.find(u'&', Pos);
        if (Amp == std::u16string_view::npos) {
            Out += Text.substr(Pos);
            break;
        }
        Out += Text.substr(Pos, Amp - Pos);
        // Only a short run is searched for the ";", so that text full of "&" is read in linear time.
        const std::u16string_view After = Text.substr(Amp + 1, MaxReferenceLength + 1);
        const std::size_t Semicolon = After.find(u';');
        std::optional<char32_t> Character;
        if (Semicolon != std::u16string_view::npos) {
            const std::u16string_view Name = After.substr(0, Semicolon);
            if (!Name.empty() && Name[0] == u'#') {
                Character = NumericReference(Name.substr(1));
            } else {
                const auto It = std::lower_bound(
                    NamedCharacters.begin(), NamedCharacters.end(), Name,
                    [](const TNamedCharacter& Entry, std::u16string_view Key) { return Entry.Name < Key; });
                if (It != NamedCharacters.end() && It->Name == Name)
                    Character = It->Character;
            }
        }
        if (Character) {
            AppendCodePoint(Out, *Character);
            Pos = Amp + 1 + Semicolon + 1;
        } else {
            Out += u'&';
            Pos = Amp + 1;
        }
    }
    return Out;
}

THtmlAttributes TagAttributes(std::u16string_view Tag) {
    THtmlAttributes Attributes;
    std::size_t I = 0;
    const std::size_t N = Tag.size();
    while (I < N && !IsSpace(Tag[I]))
        ++I;
    while (I < N) {
        while (I < N && (IsSpace(Tag[I]) || Tag[I] == u'/'))
            ++I;
        const std::size_t NameStart = I;
        while (I < N && !IsSpace(Tag[I]) && Tag[I] != u'=' && Tag[I] != u'/')
            ++I;
        std::u16string Name = LowerAscii(Tag.substr(NameStart, I - NameStart));
        while (I < N && IsSpace(Tag[I]))
            ++I;
        std::u16string_view Value;
        if (I < N && Tag[I] == u'=') {
            ++I;
            while (I < N && IsSpace(Tag[I]))
                ++I;
            if (I < N && (Tag[I] == u'"' || Tag[I] == u'\'')) {
                const char16_t Quote = Tag[I++];
                const std::size_t ValueStart = I;
                while (I < N && Tag[I] != Quote)
                    ++I;
                Value = Tag.substr(ValueStart, I - ValueStart);
                if (I < N)
                    ++I;
            } else {
                const std::size_t ValueStart = I;
                while (I < N && !IsSpace(Tag[I]))
                    ++I;
                Value = Tag.substr(ValueStart, I - ValueStart);
            }
        }
        if (!Name.empty())
            Attributes.emplace_back(std::move(Name), ResolveCharacterReferences(Value));
    }
    return Attributes;
}

std::optional<std::u16string> AttributeValue(const THtmlAttributes& Attributes, std::u16string_view Name) {
    for (const auto& [Key, Value] : Attributes)
        if (Key == Name)
            return Value;
    return std::nullopt;
}

std::vector<THelpEntry> ParseSitemap(std::u16string_view Html) {
    std::vector<THelpEntry> Entries;
    // One per open <UL>: the entry whose children it holds, or -1 for the top level.
    std::vector<std::ptrdiff_t> Parents;
    std::ptrdiff_t Last = -1; // the last entry of the innermost open list
    bool InEntry = false;
    std::u16string Name, Local;

    std::size_t Pos = 0;
    while ((Pos = Html.find(u'<', Pos)) != std::u16string_view::npos) {
        if (Html.substr(Pos, 4) == u"<!--") {
            const std::size_t End = Html.find(u"-->", Pos + 4);
            if (End == std::u16string_view::npos)
                break;
            Pos = End + 3;
            continue;
        }
        const std::size_t End = TagEnd(Html, Pos);
        if (End == std::u16string_view::npos)
            break;
        const std::u16string_view Tag = Trimmed(Html.substr(Pos + 1, End - Pos - 1));
        Pos = End + 1;

        const bool Closing = !Tag.empty() && Tag[0] == u'/';
        const std::u16string_view Body = Closing ? Trimmed(Tag.substr(1)) : Tag;
        std::size_t NameEnd = 0;
        while (NameEnd < Body.size() && IsAsciiLetterOrDigit(Body[NameEnd]))
            ++NameEnd;
        const std::u16string TagName = LowerAscii(Body.substr(0, NameEnd));

        if (TagName == u"ul") {
            if (!Closing) {
                std::ptrdiff_t Parent = Parents.empty() ? -1 : Parents.back();
                if (Last >= 0 && Entries[Last].Level + 1 < MaxHelpLevels)
                    Parent = Last;
                Parents.push_back(Parent);
                Last = -1;
            } else if (!Parents.empty()) {
                Last = Parents.back();
                Parents.pop_back();
            }
        } else if (TagName == u"object") {
            if (!Closing) {
                InEntry = EqualsIgnoringAsciiCase(
                    AttributeValue(TagAttributes(Body), u"type").value_or(std::u16string()), u"text/sitemap");
                Name.clear();
                Local.clear();
            } else if (InEntry) {
                InEntry = false;
                if (!Name.empty()) {
                    const std::ptrdiff_t Parent = Parents.empty() ? -1 : Parents.back();
                    Entries.push_back({Name, Local, Parent < 0 ? 0 : Entries[Parent].Level + 1});
                    Last = static_cast<std::ptrdiff_t>(Entries.size()) - 1;
                }
            }
        } else if (TagName == u"param" && InEntry) {
            const THtmlAttributes Attributes = TagAttributes(Body);
            const std::u16string Param = LowerAscii(AttributeValue(Attributes, u"name").value_or(u""));
            const std::u16string Value(Trimmed(AttributeValue(Attributes, u"value").value_or(u"")));
            if (Param == u"name" && Name.empty())
                Name = Value;
            else if (Param == u"local" && Local.empty())
                Local = Value;
        }
    }
    return Entries;
}

THelpSystemInfo ParseSystemInfo(std::string_view Data) {
    THelpSystemInfo Info;
    const auto Byte = [&](std::size_t I) {
        return static_cast<unsigned>(static_cast<unsigned char>(Data[I]));
    };
    std::size_t Pos = 4;
    while (Pos + 4 <= Data.size()) {
        const unsigned Code = Byte(Pos) | Byte(Pos + 1) << 8;
        const std::size_t Length = Byte(Pos + 2) | Byte(Pos + 3) << 8;
        Pos += 4;
        if (Length > Data.size() - Pos)
            break;
        std::string_view Value = Data.substr(Pos, Length);
        Value = Value.substr(0, Value.find('\0'));
        if (Code == 0)
            Info.ContentsFile = DecodeSystemText(Value);
        else if (Code == 3)
            Info.Title = DecodeSystemText(Value);
        Pos += Length;
    }
    return Info;
}

std::u16string ContentsPath(const THelpSystemInfo& Info) {
    if (Info.ContentsFile.empty())
        return u"/toc.hhc";
    return Info.ContentsFile[0] == u'/' ? Info.ContentsFile : u'/' + Info.ContentsFile;
}

THelpPage PageOfLocal(std::u16string_view Local) {
    const std::size_t Separator = Local.find(u"::");
    if (Separator != std::u16string_view::npos)
        Local.remove_prefix(Separator + 2);
    THelpPage Page;
    const std::size_t Hash = Local.find(u'#');
    if (Hash != std::u16string_view::npos) {
        Page.Fragment = Local.substr(Hash + 1);
        Local = Local.substr(0, Hash);
    }
    Page.Path = Local;
    if (Page.Path.empty() || Page.Path[0] != u'/')
        Page.Path.insert(Page.Path.begin(), u'/');
    return Page;
}
