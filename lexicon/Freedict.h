// FreeDict's German-Russian dictionary in the dictd format, turned round: the German headwords of every
// Russian word that stands as a translation.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// One line of a dictd index: the headword and where its entry lies in the uncompressed .dict file.
struct TDictdIndexEntry {
    std::string Headword;
    uint64_t Offset;
    uint64_t Length;
};

struct TDictdIndex {
    std::vector<TDictdIndexEntry> Entries;
    std::string Error; // German, with the line; empty when the whole index was read
};

// Lines "headword<TAB>offset<TAB>length", the numbers in dictd's base 64 (A–Z a–z 0–9 + /).
TDictdIndex ParseDictdIndex(std::string_view Text);

// What one entry says: its German headword and the single Russian words among its translations.
struct TFreedictEntry {
    std::string Headword;
    std::vector<std::string> Words; // each once, in their order, accents removed
};

// An entry: the headword line ("Heimatland /ˈhaɪ̯maːtˌlant/ <n, neut>"), a line of translations
// separated by commas, German explanations; further senses start a line with their number ("2. запад").
// Sense numbers at either end of a translation line go; translations of several words or with other
// characters than Cyrillic letters and inner hyphens are left out.
TFreedictEntry ParseFreedictEntry(std::string_view Entry);

struct TGloss {
    std::string Word;   // Russian
    std::string German; // the headword
};

struct TFreedictGlosses {
    std::vector<TGloss> Glosses; // in the order of the index, each pair once
    std::string Error;           // German; then Glosses is empty
};

// Every entry of the index read from Dict; the database's own entries ("00database…") are passed over.
// An entry outside Dict or one that is no UTF-8 is an error.
TFreedictGlosses InvertFreedict(const TDictdIndex& Index, std::string_view Dict);
