// The in-memory word list: the deciphered data file as sort keys, with three index arrays per line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

inline constexpr const char* DataFileName = "VokKavrinto.dat";

// Largest data file whose FileSize + 1 units still have 32-bit indices.
inline constexpr int32_t MaxDataFileSize = INT32_MAX - 1;

struct TWordList {
    std::vector<uint16_t> KeyText;     // FileSize + 1 units; from unit 1 on, sort keys
    std::vector<uint16_t> DisplayText; // FileSize + 1 units; scratch for the result display
    std::vector<int32_t> LineStart;    // LineCount + 10 entries
    std::vector<int32_t> WordEnd;      // LineCount + 10 entries
    std::vector<int32_t> LineEnd;      // LineCount + 10 entries
    int32_t FileSize = 0;
    int32_t BytesRead = 0;
    int32_t LineCount = 0;
    int32_t CharCount = 0; // BytesRead / 2

    // German text of the last load's failure, empty when the file was loaded.
    std::string LoadError;

    // Loads the working directory's VokKavrinto.dat. Always returns true: a file that is missing,
    // unreadable, shorter than 2 bytes or larger than MaxDataFileSize leaves an empty list (LineCount 0,
    // FileSize 0, one unit of text, 10 spare index entries) and a German message in LoadError.
    bool LoadWordList();
    bool LoadWordList(const std::string& path);

    bool ConvertToKeys();
    bool ComputeLineBounds();
    // DisplayText[k] := SortKeyToChar(KeyText[k]) for first <= k <= last; nothing when last < first.
    bool ConvertRangeToChars(int32_t first, int32_t last);
};
