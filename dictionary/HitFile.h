// Saving the hits of a search: every hit line as UTF-8, one entry per line, written whole or not at all.
#pragma once

#include <functional>
#include <string>

#include "dictionary/FoldedSearch.h"
#include "dictionary/WordList.h"

// Writes the hit lines, each whole line followed by LF, into a temporary file beside path and renames it
// to path. Only a missing path or a regular file is replaced; an existing file keeps its permissions, and a
// symbolic link stays while its target is written. On failure nothing is left behind and the German
// message is returned; on success the text is empty.
std::string SaveHits(const TWordList& list, const THits& hits, const std::string& path);

// A table instead: Header as the first line, then per hit its entry, a tab and Columns(entry) (both
// UTF-8), the columns themselves tab-separated.
using THitColumns = std::function<std::string(const std::string& Entry)>;
std::string SaveHits(const TWordList& list, const THits& hits, const std::string& path,
                     const std::string& Header, const THitColumns& Columns);
