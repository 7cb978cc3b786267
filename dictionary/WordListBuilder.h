// Making the data file from a plain word list: check, order, encode as UTF-16LE and encipher.
#pragma once

#include "dictionary/WordList.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class TListFormat {
    Plain,    // UTF-8, one entry per line
    Hunspell, // a hunspell .dic: the word count on the first line, "/FLAGS" after each word
};

// The entries of a word list as UTF-16 lines, or the German message that refuses the list.
struct TWordListEntries {
    std::vector<std::u16string> Lines;
    std::string Error;
};

// The enciphered data file, or the German message that refuses the list.
struct TDataFile {
    std::vector<uint8_t> Bytes;
    int32_t EntryCount = 0;
    std::string Error;
};

// Reads a UTF-8 list with LF or CR LF line breaks (a UTF-8 byte-order mark at the start is skipped).
// Empty lines are skipped. Refused, with the line number: invalid UTF-8, a lone CR, a character outside
// the Basic Multilingual Plane, a character whose code would be read as another character's sort key,
// and a list without entries.
TWordListEntries ReadWordList(std::string_view text, TListFormat format);

// True when line a comes before line b in the data file: by the word (up to its last letter key) read
// backwards, key by key, shorter before longer; the same word by the rest of the line, key by key.
bool EntryBefore(std::u16string_view a, std::u16string_view b);

// Orders the lines, drops exact duplicates and writes U+FEFF and the lines, each ended by CR LF, as
// UTF-16LE enciphered with DataFileKey (the last 0 to 7 bytes stay plain). Refuses lines whose file
// would be larger than maxFileSize bytes.
TDataFile MakeDataFile(std::vector<std::u16string> lines, int64_t maxFileSize = MaxDataFileSize);

// ReadWordList and MakeDataFile in one.
TDataFile BuildDataFile(std::string_view text, TListFormat format);
