// A file descriptor that is closed with its owner, on every way out.
#pragma once

#include <unistd.h>

class TFileHandle {
public:
    explicit TFileHandle(int Descriptor = -1) : Fd(Descriptor) {}
    ~TFileHandle() {
        if (Fd >= 0)
            ::close(Fd);
    }
    TFileHandle(const TFileHandle&) = delete;
    TFileHandle& operator=(const TFileHandle&) = delete;
    int Get() const { return Fd; }

private:
    int Fd;
};
