// The command line of kavrinto-suche: one table of its options, from which the parser, the usage text and
// the checks of the spellings all read.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

struct TSucheOptions {
    bool Help = false;
    bool Version = false;
    bool Keys = false;
    bool Count = false;
    bool IgnoreCase = false;
    bool YoAsYe = false;
    bool Breakdown = false; // ENDING came with --breakdown
    std::optional<int32_t> Limit = {};
    std::optional<std::string> File = {};
    bool Forms = false;
    bool Stdin = false;
    // --info WORT: what the lexicon knows about the word, instead of a search.
    std::optional<std::string> Info = {};
    // Missing only beside an option that needs none.
    std::optional<std::string> Ending = {};

    bool operator==(const TSucheOptions&) const = default;
};

// Spellings that messages outside the table cite.
inline constexpr std::string_view HelpOption = "--help";
inline constexpr std::string_view KeysOption = "--keys";
inline constexpr std::string_view BreakdownOption = "--breakdown";
inline constexpr std::string_view StdinOption = "--stdin";
inline constexpr std::string_view InfoOption = "--info";

// A wrong call, in German; main adds where the help is.
struct TUsageError {
    std::string Message;
};

struct TOptionRow {
    std::string_view Short;     // "-h", or empty
    std::string_view Long;      // "--help"
    std::string_view ValueName; // "N" in "--limit N"; empty for an option without a value
    bool WithoutEnding;         // a task of its own (--help): the call needs no ENDUNG
    std::string_view Help;      // its lines in the usage text, '\n' between them
    // Stores the option (and its value) in Options. A bad value gives the rest of a sentence that begins
    // with the option's spelling: "erwartet eine ganze Zahl ab 0, nicht „x“".
    std::optional<std::string> (*Apply)(TSucheOptions& Options, std::string_view Value);
};

std::span<const TOptionRow> SucheOptionTable();

// The arguments after the program's name. An option with a value takes it as "--name=value" or as the
// next argument; "--" ends the options; the last of a repeated option counts. --breakdown's value is the
// ENDUNG. Throws TUsageError.
TSucheOptions ParseSucheArguments(std::span<const std::string_view> Arguments);

// What --help shows.
std::string SucheUsageText();
