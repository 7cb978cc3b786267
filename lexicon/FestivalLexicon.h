// The word lexicon of festvox-ru (festival's compiled lexicon format): every word form with its word
// class and its stressed vowel.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct TFestivalEntry {
    std::string Word;      // UTF-8
    std::string WordClass; // festival's tag: "n", "v", "adj", "adv-v", "surname", …
    int32_t StressedVowel; // counted from the word's start, 1 = first; 0 = none
};

struct TFestivalLexicon {
    std::vector<TFestivalEntry> Entries;
    int32_t StressesBeyondWord = 0; // entries whose stressed vowel the word lacks; read without stress
    std::string Error;              // German, with the line; empty when the whole text was read
};

// Text: an optional first line "MNCL", then entries ("абажур" n (3)) separated by white space; further
// symbols after the stress list (fix_yo) are read over. A stress beyond the word's vowels is dropped
// (counted). A word that is no UTF-8 or anything else out of this form is an error: then Entries is empty.
TFestivalLexicon ParseFestivalLexicon(std::string_view Text);

// The number of vowels (а е ё и о у ы э ю я, either case) of a UTF-8 word.
int32_t CountVowels(std::string_view Word);

// The word with U+0301 after its stressed vowel; a word with ё, or one without a stress, unchanged.
std::string StressedSpelling(std::string_view Word, int32_t StressedVowel);
