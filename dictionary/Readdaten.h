// The data file's cipher: a Blowfish variant (little-endian halves, sign-extended key bytes,
// only the P-array keyed, 26 altered S-box entries) in CBC mode with a zero initial vector.
#pragma once

#include <array>
#include <cstdint>

struct TCipherContext {
    std::array<uint32_t, 18> P;
    std::array<std::array<uint32_t, 256>, 4> S;

    bool operator==(const TCipherContext&) const = default;
};

// The initial tables: P and S1..S4 as the cipher uses them (with the 26 altered entries).
const std::array<uint32_t, 18>& InitialP();
const std::array<std::array<uint32_t, 256>, 4>& InitialS();

// One altered S-box entry: box 1..4, index, the value used here and the published value.
struct TSBoxChange {
    int Box;
    int Index;
    uint32_t Value;
    uint32_t StandardValue;
};
const std::array<TSBoxChange, 26>& SBoxChanges();

// The key of VokKavrinto.dat.
extern const std::array<uint8_t, 32> DataFileKey;

uint32_t RoundFunction(const TCipherContext& ctx, uint32_t x);
void EncryptBlock(const TCipherContext& ctx, uint32_t& L, uint32_t& R);
void DecryptBlock(const TCipherContext& ctx, uint32_t& L, uint32_t& R);
// length: number of key bytes; with 0 or less no key is mixed in and none is read.
void InitKey(TCipherContext& ctx, const uint8_t* key, int16_t length);
// count: number of whole 8-byte blocks; 0 or less does nothing.
void EncryptCBC(const TCipherContext& ctx, uint8_t* blocks, int32_t count);
void DecryptCBC(const TCipherContext& ctx, uint8_t* blocks, int32_t count);
