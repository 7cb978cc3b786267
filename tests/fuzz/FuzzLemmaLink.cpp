// Fuzz target: the lemma link's reader on an arbitrary file, once as it is and once with its checksum
// made to fit, so that the checks behind the checksum are reached too. A file it accepts must have
// consistent arrays and be written back byte for byte.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "lexicon/LemmaLink.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

void CheckAccepted(const TLemmaLink& link, const std::vector<uint8_t>& bytes) {
    Check(link.LoadError.empty());
    Check(link.FormCount >= 0 && link.Start.size() == static_cast<size_t>(link.FormCount) + 1);
    Check(link.Start[0] == 0 && link.Start.back() == link.Lemma.size());
    for (int32_t f = 0; f < link.FormCount; ++f) {
        const std::span<const uint32_t> lemmas = link.LemmasOf(f);
        Check(!lemmas.empty() && lemmas.size() <= MaxLemmasPerForm);
        for (size_t k = 0; k < lemmas.size(); ++k)
            Check(lemmas[k] < static_cast<uint32_t>(link.LemmaCount) &&
                  (k == 0 || lemmas[k - 1] < lemmas[k]));
    }
    Check(link.LemmasOf(-1).empty() && link.LemmasOf(link.FormCount).empty());
    Check(LemmaLinkBytes(link) == bytes);
}

void CheckRejected(const TLemmaLink& link) {
    Check(!link.LoadError.empty() && link.FormCount == 0 && link.Lemma.empty() && link.LemmasOf(0).empty());
}

void Parse(const std::vector<uint8_t>& bytes) {
    TLemmaLink link;
    if (link.Parse(bytes.data(), bytes.size(), "fuzz"))
        CheckAccepted(link, bytes);
    else
        CheckRejected(link);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> bytes(data, data + size);
    Parse(bytes);
    if (size >= 40) {
        const uint64_t sum = LemmaLinkChecksum(bytes.data() + 40, size - 40);
        for (int i = 0; i < 8; ++i)
            bytes[32 + i] = static_cast<uint8_t>(sum >> (8 * i));
        Parse(bytes);
    }
    static const std::string path = FuzzFilePath("lemmalink");
    WriteFuzzFile(path, data, size);
    TLemmaLink loaded;
    if (!loaded.Load(path))
        CheckRejected(loaded);
    return 0;
}
