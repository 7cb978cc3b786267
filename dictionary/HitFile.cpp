// Saving the hits: a temporary file in the target's folder, filled in pieces, synced, then renamed.
#include "dictionary/HitFile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <new>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "common/SystemError.h"
#include "common/Utf8.h"
#include "dictionary/Sortrus.h"

namespace {

constexpr size_t ChunkSize = size_t{1} << 20;

struct TFailure {
    int ErrorNumber;
};

void WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            throw TFailure{n < 0 ? errno : EIO};
        done += static_cast<size_t>(n);
    }
}

void WriteHits(int fd, const TWordList& list, const THits& hits, const std::string& header,
               const THitColumns& columns) {
    const SortRus sort;
    std::string chunk = header;
    chunk.reserve(ChunkSize + 4096);
    std::u16string line;
    std::string entry;
    hits.ForEachLine([&](int32_t i) {
        line.clear();
        for (int32_t p = list.LineStart[i]; p <= list.LineEnd[i]; ++p)
            line.push_back(static_cast<char16_t>(sort.SortKeyToChar(list.KeyText[p])));
        if (columns) {
            entry.clear();
            AppendUtf16AsUtf8(entry, line.data(), line.size());
            chunk += entry;
            chunk += '\t';
            chunk += columns(entry);
        } else {
            AppendUtf16AsUtf8(chunk, line.data(), line.size());
        }
        chunk += '\n';
        if (chunk.size() >= ChunkSize) {
            WriteAll(fd, chunk);
            chunk.clear();
        }
    });
    WriteAll(fd, chunk);
}

// The temporary file: hidden, in the target's folder, so that the rename stays on one file system.
std::string TemporaryName(const std::string& target) {
    const size_t slash = target.find_last_of('/');
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    std::string name = target.substr(0, nameStart);
    name += '.';
    name.append(target, nameStart);
    name += ".XXXXXX";
    return name;
}

} // namespace

std::string SaveHits(const TWordList& list, const THits& hits, const std::string& path) {
    return SaveHits(list, hits, path, {}, {});
}

std::string SaveHits(const TWordList& list, const THits& hits, const std::string& path,
                     const std::string& Header, const THitColumns& Columns) {
    const auto message = [&](const std::string& cause) {
        return "Die Treffer konnten nicht in " + path + " gespeichert werden: " + cause + ".";
    };
    if (path.empty() || path.back() == '/')
        return message("kein Dateiname angegeben");

    // A symbolic link stays and its target is written.
    std::string target = path;
    struct stat existing {};
    if (::lstat(path.c_str(), &existing) == 0 && S_ISLNK(existing.st_mode)) {
        char* resolved = ::realpath(path.c_str(), nullptr);
        if (resolved == nullptr)
            return message("ist ein Verweis, dessen Ziel sich nicht finden lässt (" + SystemErrorText(errno) +
                           ")");
        target = resolved;
        std::free(resolved);
    }
    const bool replaces = ::lstat(target.c_str(), &existing) == 0;
    if (!replaces && errno != ENOENT)
        return message(SystemErrorText(errno));
    if (replaces && S_ISDIR(existing.st_mode))
        return message(SystemErrorText(EISDIR));
    if (replaces && !S_ISREG(existing.st_mode))
        return message("ist keine gewöhnliche Datei");

    std::string temporary;
    int fd = -1;
    bool created = false;
    // Whatever fails, the temporary file goes again and the target stays as it was.
    const auto cleanUp = [&] {
        if (fd >= 0)
            ::close(fd);
        if (created)
            ::unlink(temporary.c_str());
    };
    try {
        temporary = TemporaryName(target);
        fd = ::mkostemp(temporary.data(), O_CLOEXEC);
        if (fd < 0)
            throw TFailure{errno};
        created = true;
        mode_t mode = 0;
        if (replaces) {
            mode = existing.st_mode & 07777;
        } else {
            const mode_t mask = ::umask(0);
            ::umask(mask);
            mode = 0666 & ~mask;
        }
        if (::fchmod(fd, mode) != 0)
            throw TFailure{errno};
        WriteHits(fd, list, hits, Header.empty() ? Header : Header + '\n', Columns);
        if (::fsync(fd) != 0)
            throw TFailure{errno};
        const int closed = ::close(fd);
        fd = -1;
        if (closed != 0)
            throw TFailure{errno};
        if (std::rename(temporary.c_str(), target.c_str()) != 0)
            throw TFailure{errno};
        return {};
    } catch (const TFailure& failure) {
        cleanUp();
        return message(SystemErrorText(failure.ErrorNumber));
    } catch (const std::bad_alloc&) {
        cleanUp();
        return message(SystemErrorText(ENOMEM));
    }
}
