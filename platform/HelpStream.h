// The stream in which kavrinto-hilfeleser hands every object of a help file to the viewer, and the
// objects as the viewer keeps them. Plain C++: the reader program, the viewer, the tests and the fuzzer
// share it.
//
// The stream: the line "KAVRINTO-HILFE 1", then per object a line "<path bytes> <data bytes>" followed
// by the path and the data, then the line "ENDE <number of objects>". Numbers are decimal; every line
// ends with "\n"; nothing follows the last line.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>

// Limits far above any help file of ours; a larger value means a damaged file or a reader gone wrong.
inline constexpr std::size_t MaxHelpPathBytes = 512;
inline constexpr std::size_t MaxHelpObjectBytes = 16 * 1024 * 1024;
inline constexpr std::size_t MaxHelpStreamBytes = 64 * 1024 * 1024;

// The objects of one help file by path ("/seite.html"). Paths compare without regard to the case of
// ASCII letters, as the help file's own directory does.
class THelpObjects {
public:
    // False, and nothing added, when the path is already there.
    bool Add(std::string_view Path, std::string Data);
    // The object at Path, or nullptr.
    const std::string* Find(std::string_view Path) const;
    std::size_t Count() const { return Objects.size(); }

private:
    std::map<std::string, std::string, std::less<>> Objects; // by the path in lower case
};

// The writing side.
std::string HelpStreamStart();
std::string HelpObjectHead(std::string_view Path, std::size_t DataBytes); // the head line and the path
std::string HelpStreamEnd(std::size_t ObjectCount);

// The whole stream; nothing when it is not exactly as written above: a wrong or missing start or end, a
// number out of place or beyond the limits, a path that does not begin with "/" or holds a zero byte,
// a path twice, a count that does not match, bytes after the end.
std::optional<THelpObjects> ReadHelpStream(std::string_view Stream);
