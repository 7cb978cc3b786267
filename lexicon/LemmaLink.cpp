// The lemma link's file: written at build time, read and checked whole before anything of it is used.
#include "lexicon/LemmaLink.h"

#include "common/FileHandle.h"
#include "common/SystemError.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char Magic[8] = {'K', 'A', 'V', 'L', 'E', 'M', 'M', 'A'};
constexpr uint32_t Version = 1;
constexpr size_t HeaderSize = 40;
// Far above the real link (about 6 MB); a larger file is no link of ours.
constexpr int64_t MaxFileSize = int64_t{1} << 30;

uint32_t Read32(const uint8_t* p) {
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

uint64_t Read64(const uint8_t* p) {
    return uint64_t{Read32(p)} | uint64_t{Read32(p + 4)} << 32;
}

void Put32(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<uint8_t>(value >> shift));
}

std::string FileMessage(const std::string& path, const std::string& what) {
    return "Die Grundformdatei " + path + " " + what;
}

std::string DamagedMessage(const std::string& path, const std::string& reason) {
    return FileMessage(path, "ist beschädigt: " + reason);
}

} // namespace

// Word-wise, so eight times fewer multiplications than byte-wise; a change within one word always shows.
uint64_t LemmaLinkChecksum(const uint8_t* bytes, size_t size) {
    constexpr uint64_t Prime = 0x100000001B3;
    uint64_t hash = 0xCBF29CE484222325 ^ size;
    size_t i = 0;
    for (; i + 8 <= size; i += 8)
        hash = (hash ^ Read64(bytes + i)) * Prime;
    for (; i < size; ++i)
        hash = (hash ^ bytes[i]) * Prime;
    return hash;
}

bool TLemmaLink::Load(const std::string& path) {
    const auto fail = [&](std::string message) {
        *this = TLemmaLink();
        LoadError = std::move(message);
        return false;
    };
    const TFileHandle file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.Get() < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return fail(FileMessage(path, "wurde nicht gefunden."));
        return fail(FileMessage(path, "konnte nicht gelesen werden: " + SystemErrorText(errno) + "."));
    }
    struct stat info {};
    if (::fstat(file.Get(), &info) != 0)
        return fail(FileMessage(path, "konnte nicht gelesen werden: " + SystemErrorText(errno) + "."));
    if (!S_ISREG(info.st_mode))
        return fail(FileMessage(path, "ist keine gewöhnliche Datei."));
    if (info.st_size > MaxFileSize)
        return fail(DamagedMessage(path, "Sie ist größer als " + std::to_string(MaxFileSize) + " Byte."));

    try {
        std::vector<uint8_t> bytes(static_cast<size_t>(info.st_size));
        size_t got = 0;
        while (got < bytes.size()) {
            const ssize_t n = ::read(file.Get(), bytes.data() + got, bytes.size() - got);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                return fail(
                    FileMessage(path, "konnte nicht gelesen werden: " + SystemErrorText(errno) + "."));
            if (n == 0)
                break;
            got += static_cast<size_t>(n);
        }
        return Parse(bytes.data(), got, path);
    } catch (const std::bad_alloc&) {
        return fail(FileMessage(path, "konnte nicht gelesen werden: Der Arbeitsspeicher reicht nicht."));
    }
}

bool TLemmaLink::Parse(const uint8_t* bytes, size_t size, const std::string& path) {
    *this = TLemmaLink();
    const auto damaged = [&](const std::string& reason) {
        *this = TLemmaLink();
        LoadError = DamagedMessage(path, reason);
        return false;
    };
    if (size < HeaderSize || std::memcmp(bytes, Magic, sizeof Magic) != 0)
        return damaged("Sie beginnt nicht mit der Kennung KAVLEMMA.");
    const uint32_t version = Read32(bytes + 8);
    if (version != Version)
        return damaged("Ihre Version " + std::to_string(version) + " wird nicht unterstützt.");
    const uint32_t forms = Read32(bytes + 12);
    const uint32_t lemmas = Read32(bytes + 16);
    const uint32_t formFileSize = Read32(bytes + 20);
    const uint32_t lemmaFileSize = Read32(bytes + 24);
    const uint32_t links = Read32(bytes + 28);
    constexpr uint32_t Largest = INT32_MAX;
    if (forms > Largest || lemmas > Largest || formFileSize > Largest || lemmaFileSize > Largest ||
        links > Largest)
        return damaged("Eine Zahl im Kopf ist zu groß.");
    if (uint64_t{HeaderSize} + forms + uint64_t{4} * links != size)
        return damaged("Ihre Länge passt nicht zu ihrem Kopf.");
    if (LemmaLinkChecksum(bytes + HeaderSize, size - HeaderSize) != Read64(bytes + 32))
        return damaged("Die Prüfsumme stimmt nicht.");

    try {
        Start.resize(size_t{forms} + 1);
        Lemma.resize(links);
    } catch (const std::bad_alloc&) {
        *this = TLemmaLink();
        LoadError = FileMessage(path, "konnte nicht gelesen werden: Der Arbeitsspeicher reicht nicht.");
        return false;
    }
    const uint8_t* counts = bytes + HeaderSize;
    const uint8_t* lemmaBytes = counts + forms;
    uint64_t next = 0;
    for (uint32_t f = 0; f < forms; ++f) {
        Start[f] = static_cast<uint32_t>(next);
        const uint32_t count = counts[f];
        if (count == 0)
            return damaged("Die Wortform in Zeile " + std::to_string(f + 1) + " hat keine Grundform.");
        if (next + count > links)
            return damaged("Die Zahl der Grundformen passt nicht zu ihrem Kopf.");
        for (uint32_t k = 0; k < count; ++k, ++next) {
            const uint32_t lemma = Read32(lemmaBytes + 4 * next);
            if (lemma >= lemmas)
                return damaged("Eine Grundform liegt außerhalb der Grundformliste.");
            if (k > 0 && lemma <= Lemma[next - 1])
                return damaged("Die Grundformen einer Wortform sind nicht aufsteigend geordnet.");
            Lemma[next] = lemma;
        }
    }
    if (next != links)
        return damaged("Die Zahl der Grundformen passt nicht zu ihrem Kopf.");
    Start[forms] = links;
    FormCount = static_cast<int32_t>(forms);
    LemmaCount = static_cast<int32_t>(lemmas);
    FormFileSize = static_cast<int32_t>(formFileSize);
    LemmaFileSize = static_cast<int32_t>(lemmaFileSize);
    return true;
}

std::span<const uint32_t> TLemmaLink::LemmasOf(int32_t formLine) const {
    if (formLine < 0 || formLine >= FormCount)
        return {};
    return std::span<const uint32_t>(Lemma).subspan(Start[formLine], Start[formLine + 1] - Start[formLine]);
}

std::string TLemmaLink::MismatchWith(const TWordList& forms, const TWordList& lemmas) const {
    if (forms.LineCount == FormCount && forms.FileSize == FormFileSize && lemmas.LineCount == LemmaCount &&
        lemmas.FileSize == LemmaFileSize)
        return {};
    const auto bytes = [](int32_t size) { return " (" + std::to_string(size) + " Byte)"; };
    return "Die Grundformdatei gehört nicht zu diesen Wörterbuchdateien: Sie wurde für " +
           std::to_string(FormCount) + " Wortformen" + bytes(FormFileSize) + " und " +
           std::to_string(LemmaCount) + " Grundformen" + bytes(LemmaFileSize) + " gemacht, geladen sind " +
           std::to_string(forms.LineCount) + bytes(forms.FileSize) + " und " +
           std::to_string(lemmas.LineCount) + bytes(lemmas.FileSize) + ".";
}

std::vector<uint8_t> LemmaLinkBytes(const TLemmaLink& link) {
    const auto forms = static_cast<uint32_t>(link.FormCount);
    std::vector<uint8_t> out(Magic, Magic + sizeof Magic);
    out.reserve(HeaderSize + forms + 4 * link.Lemma.size());
    Put32(out, Version);
    Put32(out, forms);
    Put32(out, static_cast<uint32_t>(link.LemmaCount));
    Put32(out, static_cast<uint32_t>(link.FormFileSize));
    Put32(out, static_cast<uint32_t>(link.LemmaFileSize));
    Put32(out, static_cast<uint32_t>(link.Lemma.size()));
    out.resize(HeaderSize); // the checksum comes last
    for (uint32_t f = 0; f < forms; ++f)
        out.push_back(static_cast<uint8_t>(link.Start[f + 1] - link.Start[f]));
    for (uint32_t lemma : link.Lemma)
        Put32(out, lemma);
    const uint64_t checksum = LemmaLinkChecksum(out.data() + HeaderSize, out.size() - HeaderSize);
    for (int i = 0; i < 8; ++i)
        out[32 + i] = static_cast<uint8_t>(checksum >> (8 * i));
    return out;
}
