// Loading the data file: read whole, decipher in place, turn every character into its sort key, index the
// lines.
#include "dictionary/WordList.h"

#include "common/FileHandle.h"
#include "common/SystemError.h"
#include "dictionary/Readdaten.h"
#include "dictionary/Sortrus.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <string_view>
#include <system_error>
#include <thread>
#include <type_traits>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#if defined(__SANITIZE_ADDRESS__)
#define KAVRINTO_PLAIN_BUFFERS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KAVRINTO_PLAIN_BUFFERS 1
#endif
#endif

namespace {

constexpr size_t HugePage = size_t{2} << 20;
// Smaller buffers take the C library's zeroed memory: a huge page would stay mostly unused. The index
// arrays of the real list, about 0.6 MB each, lie above.
[[maybe_unused]] constexpr size_t HugeBufferMinimum = size_t{1} << 19;

size_t RoundToHugePages(size_t bytes) {
    return (bytes + HugePage - 1) / HugePage * HugePage;
}

bool UsesHugePages(size_t bytes) {
#ifdef KAVRINTO_PLAIN_BUFFERS
    // The address sanitizer checks the bounds of heap blocks only.
    (void)bytes;
    return false;
#else
    return bytes >= HugeBufferMinimum;
#endif
}

constexpr uint16_t CR = 13;
constexpr uint16_t LF = 10;
constexpr uint16_t ByteOrderMark = 0xFEFF;

// Sets text to the parts; within the room reserved for it this takes no memory.
void Compose(std::string& text, std::initializer_list<std::string_view> parts) {
    text.clear();
    for (const std::string_view part : parts)
        text.append(part);
}

// Room for any message beside the path, reserved before the load.
constexpr size_t MessageRoom = 160;

TLoadStatus Missing(std::string& message, const std::string& path) {
    Compose(message, {"Die Wörterbuchdatei ", path, " wurde nicht gefunden."});
    return TLoadStatus::Missing;
}

TLoadStatus Unreadable(std::string& message, const std::string& path, const std::string& cause) {
    Compose(message, {"Die Wörterbuchdatei ", path, " konnte nicht gelesen werden: ", cause, "."});
    return TLoadStatus::Unreadable;
}

TLoadStatus NotDictionary(std::string& message, const std::string& path) {
    Compose(message, {"Die Datei ", path,
                      " ist keine Wörterbuchdatei von Kavrinto (falscher Schlüssel oder beschädigt)."});
    return TLoadStatus::NotDictionary;
}

TLoadStatus OpenFailure(std::string& message, const std::string& path, int error) {
    return error == ENOENT || error == ENOTDIR ? Missing(message, path)
                                               : Unreadable(message, path, SystemErrorText(error));
}

// What a file that is not a regular one is, as the end of a German sentence about it.
std::string KindOfFile(mode_t mode) {
    if (S_ISDIR(mode))
        return SystemErrorText(EISDIR);
    if (S_ISFIFO(mode))
        return "ist eine benannte Pipe (FIFO)";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "ist ein Gerät";
    if (S_ISSOCK(mode))
        return "ist ein Socket";
    return "ist keine gewöhnliche Datei";
}

// Reads from offset until size bytes have arrived or the file ends; -1 on a read error, with errno.
int64_t ReadAt(int fd, uint8_t* buffer, int64_t size, int64_t offset) {
    int64_t got = 0;
    while (got < size) {
        const ssize_t n = ::pread(fd, buffer + got, static_cast<size_t>(size - got), offset + got);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return -1;
        }
        if (n == 0)
            break;
        got += n;
    }
    return got;
}

// An empty list whose arrays still have their spare entries, so that readers stay inside them.
void MakeEmpty(TWordList& list) {
    list.KeyText = TUnitArray(1, 0);
    list.DisplayText = TUnitArray(1, 0);
    list.LineStart = TIndexArray(10, 0);
    list.WordEnd = TIndexArray(10, 0);
    list.LineEnd = TIndexArray(10, 0);
    list.FileSize = 0;
    list.BytesRead = 0;
    list.LineCount = 0;
    list.CharCount = 0;
}

int BuffersBeforeFailure = -1;

} // namespace

void FailListBufferAfter(int count) {
    BuffersBeforeFailure = count;
}

void* AllocateListBuffer(size_t bytes) {
    if (BuffersBeforeFailure >= 0 && BuffersBeforeFailure-- == 0)
        throw std::bad_alloc();
    if (!UsesHugePages(bytes)) {
        void* memory = std::calloc(1, std::max<size_t>(bytes, 1));
        if (memory == nullptr)
            throw std::bad_alloc();
        return memory;
    }
    // Map one huge page more than needed, then cut the mapping to a 2 MB boundary.
    const size_t size = RoundToHugePages(bytes);
    void* mapped =
        ::mmap(nullptr, size + HugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED)
        throw std::bad_alloc();
    const auto start = reinterpret_cast<uintptr_t>(mapped);
    const uintptr_t aligned = (start + HugePage - 1) / HugePage * HugePage;
    if (aligned > start)
        ::munmap(mapped, aligned - start);
    ::munmap(reinterpret_cast<void*>(aligned + size), start + HugePage - aligned);
    ::madvise(reinterpret_cast<void*>(aligned), size, MADV_HUGEPAGE);
    return reinterpret_cast<void*>(aligned);
}

void ReleaseListBuffer(void* memory, size_t bytes) noexcept {
    if (!UsesHugePages(bytes))
        std::free(memory);
    else
        ::munmap(memory, RoundToHugePages(bytes));
}

bool TWordList::LoadWordList() {
    std::error_code error;
    const std::filesystem::path directory = std::filesystem::current_path(error);
    // Without a working directory the bare name is tried, and fails to open.
    return LoadWordList((directory / DataFileName).string());
}

static_assert(std::is_nothrow_move_assignable_v<TWordList>, "a list is replaced without taking memory");

bool TWordList::LoadWordList(const std::string& path) {
    // The empty list and the room for its message are made first: a load that runs out of memory later can
    // still end in a whole list.
    TWordList empty;
    MakeEmpty(empty);
    empty.LoadError.reserve(path.size() + MessageRoom);
    *this = TWordList(); // the old list's memory is free for the new one
    try {
        empty.LoadStatus = ReadDataFile(path, empty.LoadError);
    } catch (const std::bad_alloc&) {
        empty.LoadStatus = TLoadStatus::OutOfMemory;
        Compose(empty.LoadError,
                {"Die Wörterbuchdatei ", path, " ist zu groß für den freien Arbeitsspeicher."});
    }
    if (empty.LoadStatus != TLoadStatus::Loaded)
        *this = std::move(empty);
    return true;
}

TLoadStatus TWordList::ReadDataFile(const std::string& path, std::string& message) {
    // Looked at before it is opened: opening a device or a FIFO can block or do something of its own.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return OpenFailure(message, path, errno);
    if (!S_ISREG(info.st_mode))
        return Unreadable(message, path, KindOfFile(info.st_mode));
    // Without blocking, should another file have taken the name in the meantime.
    const TFileHandle file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (file.Get() < 0)
        return OpenFailure(message, path, errno);
    if (::fstat(file.Get(), &info) != 0)
        return Unreadable(message, path, SystemErrorText(errno));
    if (!S_ISREG(info.st_mode))
        return Unreadable(message, path, KindOfFile(info.st_mode));
    const int64_t size = info.st_size;
    if (size < 2)
        return NotDictionary(message, path);
    if (size > MaxDataFileSize) {
        Compose(message, {"Die Wörterbuchdatei ", path, " ist zu groß (mehr als ",
                          std::to_string(MaxDataFileSize), " Byte)."});
        return TLoadStatus::TooLarge;
    }

    TCipherContext context;
    InitKey(context, DataFileKey.data(), static_cast<int16_t>(DataFileKey.size()));
    // Every data file begins with U+FEFF: the first block tells another file before memory is taken for it.
    std::array<uint8_t, 8> head{};
    const int64_t headSize = std::min<int64_t>(size, std::ssize(head));
    const int64_t headGot = ReadAt(file.Get(), head.data(), headSize, 0);
    if (headGot < 0)
        return Unreadable(message, path, SystemErrorText(errno));
    if (headSize == std::ssize(head))
        DecryptCBC(context, head.data(), 1);
    if (headGot < 2 || (head[0] | head[1] << 8) != ByteOrderMark)
        return NotDictionary(message, path);

    // FileSize + 1 units hold FileSize bytes and every whole cipher block in them.
    const auto fileSize = static_cast<int32_t>(size);
    KeyText = TUnitArray(static_cast<size_t>(fileSize) + 1);
    auto* bytes = reinterpret_cast<uint8_t*>(KeyText.data());
    const int64_t got = ReadAt(file.Get(), bytes, fileSize, 0);
    if (got < 0)
        return Unreadable(message, path, SystemErrorText(errno));
    DecryptCBC(context, bytes, fileSize / 8);
    // The file may have changed since its first block was read.
    if (got < 2 || KeyText[0] != ByteOrderMark)
        return NotDictionary(message, path);
    DisplayText = TUnitArray(static_cast<size_t>(fileSize) + 1);
    FileSize = fileSize;
    BytesRead = static_cast<int32_t>(got);
    CharCount = BytesRead / 2;

    // Unit 0 belongs to no line, so an LF there is no line break: counted, it would repeat line 0.
    const uint16_t* text = KeyText.data();
    int32_t lineBreaks = 0; // a 32-bit sum vectorises more widely than std::count's
    for (int32_t p = 1; p < CharCount; ++p)
        lineBreaks += text[p] == LF ? 1 : 0;
    LineCount = lineBreaks + 1 - (CharCount > 1 && text[CharCount - 1] == LF ? 1 : 0);

    LineStart = TIndexArray(static_cast<size_t>(LineCount) + 10, -1);
    WordEnd = TIndexArray(static_cast<size_t>(LineCount) + 10, -1);
    LineEnd = TIndexArray(static_cast<size_t>(LineCount) + 10, -1);

    // Without a branch: every unit writes the next start, and only an LF moves on to the entry after it.
    // At most LineCount breaks are counted, so the writes stay within the spare entries; the one written
    // past the last break is set back afterwards.
    int32_t* starts = LineStart.data();
    const int32_t count = CharCount;
    starts[0] = 1;
    int32_t n = 0;
    for (int32_t p = 1; p < count; ++p) {
        starts[n + 1] = p + 1;
        n += text[p] == LF ? 1 : 0;
    }
    starts[n + 1] = -1;

    ConvertToKeys();
    ComputeLineBounds();
    return TLoadStatus::Loaded;
}

namespace {

// Lists of at least so many units or lines are converted and indexed on two threads; below, a thread
// costs more than it saves.
constexpr int32_t TwoThreadMinimum = 1 << 16;

// work(from, to) over [0, count), in two halves on two threads where that pays. The halves write
// disjoint elements, so the result is the one of a single pass; without a second thread it is one pass.
template <class TWork> void OnTwoCores(int32_t count, TWork work) {
    if (count < TwoThreadMinimum) {
        work(0, count);
        return;
    }
    const int32_t half = count / 2;
    std::thread other;
    try {
        other = std::thread(work, half, count);
    } catch (const std::system_error&) {
        work(0, count);
        return;
    }
    work(0, half);
    other.join();
}

// The first p in [from, count) with text[p] CR or LF, else count.
int32_t FindLineBreak(const uint16_t* text, int32_t from, int32_t count) {
    int32_t p = from;
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi16(static_cast<short>(CR));
    const __m128i lf = _mm_set1_epi16(static_cast<short>(LF));
    for (; p + 8 <= count; p += 8) {
        const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + p));
        const __m128i breaks = _mm_or_si128(_mm_cmpeq_epi16(units, cr), _mm_cmpeq_epi16(units, lf));
        const int mask = _mm_movemask_epi8(breaks); // two bits per unit
        if (mask != 0)
            return p + __builtin_ctz(static_cast<unsigned>(mask)) / 2;
    }
#endif
    while (p < count && text[p] != CR && text[p] != LF)
        ++p;
    return p;
}

} // namespace

bool TWordList::ConvertToKeys() {
    const auto count = static_cast<int32_t>(std::min<int64_t>(CharCount, std::ssize(KeyText)));
    uint16_t* text = KeyText.data();
    OnTwoCores(count, [text](int32_t from, int32_t to) {
        const SortRus keys;
        for (int32_t k = std::max(from, 1); k < to; ++k)
            text[k] = keys.CharToSortKey(text[k]);
    });
    return true;
}

bool TWordList::ComputeLineBounds() {
    // Bounded by the arrays as well, so that a list set up by hand cannot lead outside them.
    const auto count = static_cast<int32_t>(std::min<int64_t>(CharCount, std::ssize(KeyText)));
    const auto lines = static_cast<int32_t>(std::min(
        {static_cast<int64_t>(LineCount), std::ssize(LineStart), std::ssize(WordEnd), std::ssize(LineEnd)}));
    const uint16_t* text = KeyText.data();
    int32_t* lineStart = LineStart.data();
    int32_t* wordEnd = WordEnd.data();
    int32_t* lineEnd = LineEnd.data();
    OnTwoCores(lines, [=](int32_t from, int32_t to) {
        for (int32_t i = from; i < to; ++i) {
            const int32_t start = lineStart[i];
            const int32_t first = std::max(start, 0);
            const int32_t p = FindLineBreak(text, first, count);
            lineEnd[i] = p - 1;

            int32_t k = p - 1;
            while (k >= first && !IsLetterKey(text[k]))
                --k;
            wordEnd[i] = k >= first ? k : start - 1;
        }
    });
    return true;
}

bool TWordList::ConvertRangeToChars(int32_t first, int32_t last) {
    const SortRus keys;
    const int64_t size = std::min(std::ssize(KeyText), std::ssize(DisplayText));
    const int64_t from = std::max<int64_t>(first, 0);
    const int64_t to = std::min<int64_t>(last, size - 1);
    for (int64_t k = from; k <= to; ++k)
        DisplayText[k] = keys.SortKeyToChar(KeyText[k]);
    return true;
}
