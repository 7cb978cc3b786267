// The two word lists the window searches: the lemma list and the list of every word form.
#pragma once

#include <string>

#include "dictionary/WordList.h"

enum class TListKind { Lemmas, Forms };

// The list's data file, read from the working directory.
const char* ListFileName(TListKind Kind);
// The list's name in the status bar.
const char* ListName(TListKind Kind);

// Loads the working directory's file of Kind in place of List: returns an empty string when List holds the
// new list, else the loader's message (out of memory included), List as it was. Both lists are in memory
// while the new one loads.
std::string ReplaceWordList(TWordList& List, TListKind Kind);
