// The stream of kavrinto-hilfeleser: writing its parts and reading it back strictly.
#include "platform/HelpStream.h"

#include <charconv>

namespace {

constexpr std::string_view StartLine = "KAVRINTO-HILFE 1\n";
constexpr std::string_view EndWord = "ENDE ";

std::string LowerAscii(std::string_view Text) {
    std::string Lower(Text);
    for (char& C : Lower)
        if (C >= 'A' && C <= 'Z')
            C = static_cast<char>(C - 'A' + 'a');
    return Lower;
}

// A decimal number of at most 10 digits without a leading zero at Stream[Pos], ending at Stop; moves
// Pos past the stop character.
std::optional<std::size_t> ReadNumber(std::string_view Stream, std::size_t& Pos, char Stop) {
    const std::size_t End = Stream.find(Stop, Pos);
    if (End == std::string_view::npos || End == Pos || End - Pos > 10 ||
        (Stream[Pos] == '0' && End - Pos > 1))
        return std::nullopt;
    std::size_t Value = 0;
    const auto [Next, Error] = std::from_chars(Stream.data() + Pos, Stream.data() + End, Value);
    if (Error != std::errc() || Next != Stream.data() + End)
        return std::nullopt;
    Pos = End + 1;
    return Value;
}

} // namespace

bool THelpObjects::Add(std::string_view Path, std::string Data) {
    return Objects.emplace(LowerAscii(Path), std::move(Data)).second;
}

const std::string* THelpObjects::Find(std::string_view Path) const {
    const auto It = Objects.find(LowerAscii(Path));
    return It == Objects.end() ? nullptr : &It->second;
}

std::string HelpStreamStart() {
    return std::string(StartLine);
}

std::string HelpObjectHead(std::string_view Path, std::size_t DataBytes) {
    return std::to_string(Path.size()) + ' ' + std::to_string(DataBytes) + '\n' + std::string(Path);
}

std::string HelpStreamEnd(std::size_t ObjectCount) {
    return std::string(EndWord) + std::to_string(ObjectCount) + '\n';
}

std::optional<THelpObjects> ReadHelpStream(std::string_view Stream) {
    if (Stream.size() > MaxHelpStreamBytes || !Stream.starts_with(StartLine))
        return std::nullopt;
    THelpObjects Objects;
    std::size_t Pos = StartLine.size();
    while (!Stream.substr(Pos).starts_with(EndWord)) {
        const std::optional<std::size_t> PathBytes = ReadNumber(Stream, Pos, ' ');
        if (!PathBytes || *PathBytes == 0 || *PathBytes > MaxHelpPathBytes)
            return std::nullopt;
        const std::optional<std::size_t> DataBytes = ReadNumber(Stream, Pos, '\n');
        if (!DataBytes || *DataBytes > MaxHelpObjectBytes || Stream.size() - Pos < *PathBytes + *DataBytes)
            return std::nullopt;
        const std::string_view Path = Stream.substr(Pos, *PathBytes);
        if (Path[0] != '/' || Path.find('\0') != std::string_view::npos)
            return std::nullopt;
        if (!Objects.Add(Path, std::string(Stream.substr(Pos + *PathBytes, *DataBytes))))
            return std::nullopt;
        Pos += *PathBytes + *DataBytes;
    }
    Pos += EndWord.size();
    const std::optional<std::size_t> Count = ReadNumber(Stream, Pos, '\n');
    if (!Count || *Count != Objects.Count() || Pos != Stream.size())
        return std::nullopt;
    return Objects;
}
