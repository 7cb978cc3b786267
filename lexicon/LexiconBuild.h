// Making the lexicon database KavrintoLexikon.sqlite from its sources.
#pragma once

#include "lexicon/FestivalLexicon.h"
#include "lexicon/Freedict.h"

#include <string>
#include <vector>

struct TLexiconSource {
    std::string Name;
    std::string Version;
    std::string Licence;
};

struct TFormLemma {
    std::string Form;
    std::string Lemma;
};

struct TLexiconSources {
    TLexiconSource LemmaSource; // where the forms and their lemmas come from
    std::vector<TFormLemma> FormLemmas;
    TLexiconSource GlossSource;
    std::vector<TGloss> Glosses;
    TLexiconSource StressSource; // stress and word class
    std::vector<TFestivalEntry> Festival;
};

// Writes the database into a temporary file beside Path in one transaction and renames it to Path;
// an existing Path is replaced only when it is a regular file. Empty on success, else the German
// message (and no file left behind).
std::string BuildLexiconDatabase(const TLexiconSources& Sources, const std::string& Path);

struct TFormLemmas {
    std::vector<TFormLemma> Rows;
    std::string Error; // German; then Rows is empty
};

// Every line of the forms list with each of its lemmas, as the lemma link says: the data files of the
// forms list and of the lemma list, and the link made for these two.
TFormLemmas FormLemmasOfLink(const std::string& FormsPath, const std::string& LemmasPath,
                             const std::string& LinkPath);
