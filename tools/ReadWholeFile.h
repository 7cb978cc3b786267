// Reading a source file whole, for the build-time tools.
#pragma once

#include <cstdio>
#include <string>

// Appends the file's bytes to text; false when it cannot be opened or read.
inline bool ReadWholeFile(const std::string& path, std::string& text) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return false;
    char chunk[1 << 16];
    size_t n = 0;
    while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        text.append(chunk, n);
    const bool ok = std::ferror(file) == 0;
    std::fclose(file);
    return ok;
}
