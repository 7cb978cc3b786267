// Making the lemma link from unmunch's expansion, one group of forms per dictionary entry.
#pragma once

#include "dictionary/WordList.h"
#include "lexicon/LemmaLink.h"

#include <string>
#include <string_view>

struct TLemmaLinkBuild {
    TLemmaLink Link;
    std::string Error; // German; empty when the link was made
};

// groups: UTF-8, one form per line (LF or CR LF), the groups separated by empty lines; each group's
// first line is its lemma (unmunch prints a dictionary with an empty line after every entry so). Every
// lemma must be a line of the lemma list, every form a line of the forms list, and every line of the
// forms list must come from some group. A form that several groups hold gets each of their lemmas once.
TLemmaLinkBuild LinkFormGroups(std::string_view groups, const TWordList& forms, const TWordList& lemmas);
