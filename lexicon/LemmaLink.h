// The lemma link: for every line of the forms list, the lines of the lemma list it was expanded from.
#pragma once

#include "dictionary/WordList.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

inline constexpr const char* FormsFileName = "VokKavrintoFormen.dat";
inline constexpr const char* LemmaLinkFileName = "VokKavrintoLemmata.bin";

// Most lemmas one form may have in the file.
inline constexpr uint32_t MaxLemmasPerForm = 255;

// The file, all numbers little-endian:
//   bytes  0-7   "KAVLEMMA"
//          8-11  version (1)
//         12-15  FormCount     lines of the forms list it was made for
//         16-19  LemmaCount    lines of the lemma list
//         20-23  FormFileSize  size in bytes of the forms list's data file
//         24-27  LemmaFileSize size in bytes of the lemma list's data file
//         28-31  LinkCount     sum of the counts below
//         32-39  checksum of everything from byte 40 on
//   FormCount bytes: each form's number of lemmas, 1 to MaxLemmasPerForm
//   LinkCount 32-bit lemma lines, each form's in ascending order, the forms in their order.
struct TLemmaLink {
    int32_t FormCount = 0;
    int32_t LemmaCount = 0;
    int32_t FormFileSize = 0;
    int32_t LemmaFileSize = 0;
    // FormCount + 1 entries: form i's lemmas are Lemma[Start[i]] to Lemma[Start[i + 1] - 1].
    std::vector<uint32_t> Start;
    std::vector<uint32_t> Lemma;

    // German text of the last load's failure, empty when the link was loaded.
    std::string LoadError;

    // Both leave an empty link (no form) and a German message in LoadError when the file is missing,
    // unreadable or damaged; false then.
    bool Load(const std::string& path);
    bool Parse(const uint8_t* bytes, size_t size, const std::string& path);

    // Lines of the lemma list; empty for a line outside the forms list.
    std::span<const uint32_t> LemmasOf(int32_t formLine) const;

    // Empty when the link was made for these two loaded lists, else the German message.
    std::string MismatchWith(const TWordList& forms, const TWordList& lemmas) const;
};

// The checksum of bytes 40 on: 64-bit FNV-1a over little-endian 8-byte words, then the last bytes one by one.
uint64_t LemmaLinkChecksum(const uint8_t* bytes, size_t size);

// The file of a link whose Start and Lemma hold what the reader checks (counts 1 to MaxLemmasPerForm,
// each form's lemmas ascending and below LemmaCount).
std::vector<uint8_t> LemmaLinkBytes(const TLemmaLink& link);
