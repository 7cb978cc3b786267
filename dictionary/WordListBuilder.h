// Making the data file from a plain word list: check, order, encode as UTF-16LE and encipher.
#pragma once

#include "dictionary/WordList.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class TListFormat {
    Plain,    // UTF-8, one entry per line
    Hunspell, // a hunspell .dic: the word count on the first line, "/FLAGS" after each word
};

// Longer entries would make the result list of a search unusably slow to lay out.
inline constexpr std::size_t MaxEntryLength = 1000;

// The entries of a word list as UTF-16 lines, or the German message that refuses the list.
struct TWordListEntries {
    std::vector<std::u16string> Lines;
    int64_t BlankLines = 0; // skipped: empty or only spaces and tabs
    std::string Error;
};

// The enciphered data file, or the German message that refuses the list.
struct TDataFile {
    std::vector<uint8_t> Bytes;
    int32_t EntryCount = 0;
    int64_t BlankLines = 0;
    std::string Error;
};

// Reads a UTF-8 list with LF or CR LF line breaks piece by piece, as it comes from a file or a pipe, and
// checks each line as soon as it is complete, so that reading stops at the first fault. A UTF-8
// byte-order mark at the start is skipped; blank lines are skipped and counted. Refused, with the line
// number: invalid UTF-8, a lone CR, a control character other than tab, U+FEFF, a character outside the
// Basic Multilingual Plane, a character whose code would be read as another character's sort key, an
// entry longer than MaxEntryLength characters, entries that together (duplicates counted) would make a
// file larger than maxFileSize bytes; and a list without entries.
class TWordListReader {
public:
    explicit TWordListReader(TListFormat format, int64_t maxFileSize = MaxDataFileSize);

    // The next bytes of the list; false from the first fault on (the message is then in Error()).
    bool Read(std::string_view bytes);
    const std::string& Error() const { return Entries.Error; }

    // The end of the list, whose last line may lack its LF: the entries, or the message that refuses it.
    TWordListEntries Finish();

private:
    void ReadLine(std::string_view line);
    void ReadPendingLine();

    TListFormat Format;
    int64_t MaxFileSize;
    TWordListEntries Entries;
    int64_t LineNumber = 0;
    int64_t FileUnits = 1; // the byte-order mark, then every entry with CR LF
    std::string Pending;   // the start of a line whose LF has not come yet
    bool SkipToLineEnd = false;
    std::u16string Decoded;
};

// The whole list at once.
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
