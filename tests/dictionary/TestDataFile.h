// Test helper: writes data files enciphered like VokKavrinto.dat into a temporary folder.
#pragma once

#include "dictionary/Readdaten.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// The UTF-16LE bytes of text; the caller writes the byte-order mark u"\uFEFF" where it wants one.
inline std::vector<uint8_t> Utf16LeBytes(std::u16string_view text) {
    std::vector<uint8_t> bytes;
    for (char16_t unit : text) {
        bytes.push_back(static_cast<uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<uint8_t>(unit >> 8));
    }
    return bytes;
}

// Enciphers the whole 8-byte blocks with DataFileKey in CBC mode; the last 0 to 7 bytes stay plain.
inline std::vector<uint8_t> EncipherDataBytes(std::vector<uint8_t> bytes) {
    TCipherContext context;
    InitKey(context, DataFileKey.data(), static_cast<int16_t>(DataFileKey.size()));
    EncryptCBC(context, bytes.data(), static_cast<int32_t>(bytes.size() / 8));
    return bytes;
}

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TTestDir {
public:
    TTestDir() {
        std::string name = (std::filesystem::temp_directory_path() / "kavrinto-test-XXXXXX").string();
        if (::mkdtemp(name.data()) == nullptr)
            throw std::runtime_error("mkdtemp failed");
        Dir = name;
    }
    ~TTestDir() {
        std::error_code ignored;
        std::filesystem::remove_all(Dir, ignored);
    }
    TTestDir(const TTestDir&) = delete;
    TTestDir& operator=(const TTestDir&) = delete;

    std::string Path(const std::string& name) const { return (Dir / name).string(); }

    // Writes the bytes as they are; returns the file's path.
    std::string WriteBytes(const std::string& name, const std::vector<uint8_t>& bytes) const {
        std::ofstream out(Path(name), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out)
            throw std::runtime_error("cannot write " + Path(name));
        return Path(name);
    }

    // Writes text (with its byte-order mark, if any) as an enciphered data file; returns the file's path.
    std::string WriteDataFile(const std::string& name, std::u16string_view text) const {
        return WriteBytes(name, EncipherDataBytes(Utf16LeBytes(text)));
    }

    const std::filesystem::path& Folder() const { return Dir; }

private:
    std::filesystem::path Dir;
};
