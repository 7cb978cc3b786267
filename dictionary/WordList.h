// The in-memory word list: the deciphered data file as sort keys, with three index arrays per line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <new>
#include <string>
#include <utility>
#include <vector>

inline constexpr const char* DataFileName = "VokKavrinto.dat";

// Largest data file whose FileSize + 1 units still have 32-bit indices.
inline constexpr int32_t MaxDataFileSize = INT32_MAX - 1;

// Memory of the word list's arrays. It comes zeroed from the system and is not written when a buffer is
// created or grown, so a page is first touched when data goes into it; large buffers lie on 2 MB
// boundaries and ask for huge pages. Both spare the start-up thousands of page faults.
void* AllocateListBuffer(size_t bytes);
void ReleaseListBuffer(void* memory, size_t bytes) noexcept;

// Caution: growing a buffer within its capacity keeps what the new elements held before; the loader
// therefore always makes fresh buffers.
template <class T> struct TListAllocator {
    using value_type = T;
    TListAllocator() = default;
    template <class U> TListAllocator(const TListAllocator<U>&) noexcept {}
    T* allocate(size_t n) {
        if (n > std::numeric_limits<size_t>::max() / sizeof(T))
            throw std::bad_array_new_length();
        return static_cast<T*>(AllocateListBuffer(n * sizeof(T)));
    }
    void deallocate(T* memory, size_t n) noexcept { ReleaseListBuffer(memory, n * sizeof(T)); }
    // Without a value the element keeps the zero the memory came with.
    template <class U> void construct(U* at) noexcept { ::new (static_cast<void*>(at)) U; }
    template <class U, class... A> void construct(U* at, A&&... args) {
        ::new (static_cast<void*>(at)) U(std::forward<A>(args)...);
    }
    friend bool operator==(const TListAllocator&, const TListAllocator&) { return true; }
};

using TUnitArray = std::vector<uint16_t, TListAllocator<uint16_t>>;
using TIndexArray = std::vector<int32_t, TListAllocator<int32_t>>;

// How the last load ended. LoadError says it in German for every status but Loaded.
enum class TLoadStatus {
    Loaded,
    Missing,       // no file of that name
    Unreadable,    // no permission, not a regular file (folder, FIFO, device, …), a read error
    NotDictionary, // shorter than 2 bytes, or deciphered it does not begin with U+FEFF
    TooLarge,      // larger than MaxDataFileSize
    OutOfMemory,
};

// Test seam: of the list buffers allocated from now on, the one after the next count fails once, as if
// memory had run out; a negative count lets every allocation through.
void FailListBufferAfter(int count);

struct TWordList {
    TUnitArray KeyText;     // FileSize + 1 units; from unit 1 on, sort keys
    TUnitArray DisplayText; // FileSize + 1 units; scratch for the result display
    TIndexArray LineStart;  // LineCount + 10 entries
    TIndexArray WordEnd;    // LineCount + 10 entries
    TIndexArray LineEnd;    // LineCount + 10 entries
    int32_t FileSize = 0;
    int32_t BytesRead = 0;
    int32_t LineCount = 0;
    int32_t CharCount = 0; // BytesRead / 2

    TLoadStatus LoadStatus = TLoadStatus::Loaded; // also before the first load
    // German text of the last load's failure, empty when the file was loaded.
    std::string LoadError;

    // Loads the working directory's VokKavrinto.dat. Always returns true: a file that cannot be loaded
    // (see TLoadStatus) leaves an empty list (LineCount 0, FileSize 0, one unit of text, 10 spare index
    // entries), its status and a German message. Either the whole new list or the empty one: running out
    // of memory midway gives the empty one too. Throws std::bad_alloc only when not even the empty list
    // fits, and leaves this list as it was.
    bool LoadWordList();
    bool LoadWordList(const std::string& path);

    bool ConvertToKeys();
    bool ComputeLineBounds();
    // DisplayText[k] := SortKeyToChar(KeyText[k]) for first <= k <= last; nothing when last < first.
    bool ConvertRangeToChars(int32_t first, int32_t last);

private:
    // Fills this list from the file; otherwise returns why not, with the German text in message.
    TLoadStatus ReadDataFile(const std::string& path, std::string& message);
};
