// Helpers shared by the fuzz targets.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

// An invariant that does not hold ends the run as a crash, so libFuzzer keeps the input.
inline void Check(bool condition) {
    if (!condition)
        std::abort();
}

// A file of this process, memory-backed where the system has /dev/shm: it is rewritten for every input.
inline std::string FuzzFilePath(const std::string& name) {
    const std::string dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    return dir + "/kavrinto-fuzz-" + name + "-" + std::to_string(getpid()) + ".dat";
}

inline void WriteFuzzFile(const std::string& path, const uint8_t* data, size_t size) {
    FILE* f = std::fopen(path.c_str(), "wb");
    Check(f != nullptr);
    Check(std::fwrite(data, 1, size, f) == size);
    std::fclose(f);
}
