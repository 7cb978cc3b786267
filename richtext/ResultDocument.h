// The result list's rich-text document for a run of hit lines.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "dictionary/EndingSearch.h"
#include "dictionary/WordList.h"
#include "richtext/Unitortf.h"

// clang-format off
inline constexpr std::string_view ResultHeader =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1031{\\fonttbl{\\f0\\fswiss\\fprq2\\fcharset0 Arial Unicode MS;}"
    "{\\f1\\fswiss\\fprq2\\fcharset204 Arial Unicode MS;}}\\viewkind4\\uc1\\pard\\qr\\f0\\fs20\\f1";
// clang-format on
inline constexpr std::string_view ResultFooter = "\\f0\\par}";

// At most this many lines are shown per search.
inline constexpr int32_t MaxShownLines = 4001;

// The header, then lines first..last (at most MaxShownLines of them, within the list), each line's
// fragments followed by CR LF "\par ", or for first > last one empty paragraph; then the footer.
// Every one of these strings is followed by CR LF. Writes the shown lines' characters into
// list.DisplayText, its scratch.
std::string BuildResultDocument(TWordList& list, int32_t first, int32_t last, const UniToRtf& encoder);

// The same for hits in several runs, in the order given: at most MaxShownLines lines in all.
std::string BuildResultDocument(TWordList& list, std::span<const THitRange> runs, const UniToRtf& encoder);
