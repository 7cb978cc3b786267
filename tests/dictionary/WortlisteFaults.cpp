// Preloaded into kavrinto-wortliste by its tests: faults on demand that a real system gives rarely.
// KAVRINTO_FAULT_NO_TMPFILE: the file system cannot make unnamed files (O_TMPFILE), as on some network
// and FAT file systems. KAVRINTO_FAULT_SIGNAL=N: signal N arrives during the first write to a file.
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdarg>
#include <cstdlib>

extern "C" int openat(int folder, const char* path, int flags, ...) {
    mode_t mode = 0;
    if ((flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE) {
        va_list arguments;
        va_start(arguments, flags);
        mode = va_arg(arguments, mode_t);
        va_end(arguments);
    }
    if ((flags & O_TMPFILE) == O_TMPFILE && std::getenv("KAVRINTO_FAULT_NO_TMPFILE") != nullptr) {
        errno = EOPNOTSUPP;
        return -1;
    }
    using TOpenAt = int (*)(int, const char*, int, ...);
    static const auto next = reinterpret_cast<TOpenAt>(dlsym(RTLD_NEXT, "openat"));
    return next(folder, path, flags, mode);
}

extern "C" ssize_t write(int fd, const void* data, size_t size) {
    using TWrite = ssize_t (*)(int, const void*, size_t);
    static const auto next = reinterpret_cast<TWrite>(dlsym(RTLD_NEXT, "write"));
    static bool raised = false;
    if (const char* number = std::getenv("KAVRINTO_FAULT_SIGNAL"); number != nullptr && fd > 2 && !raised) {
        raised = true;
        std::raise(std::atoi(number));
    }
    return next(fd, data, size);
}
