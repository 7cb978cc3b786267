// Speed of the data file's cipher: CBC decryption of a buffer the size of the dictionary, and the key
// schedule.
#include "dictionary/Readdaten.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <vector>

namespace {

constexpr int32_t DictionaryBytes = 3'600'000;

TCipherContext DataFileContext() {
    TCipherContext ctx;
    InitKey(ctx, DataFileKey.data(), static_cast<int16_t>(DataFileKey.size()));
    return ctx;
}

std::vector<uint8_t> RandomBuffer(std::size_t n) {
    std::mt19937 rng(1);
    std::vector<uint8_t> buffer(n);
    for (auto& b : buffer)
        b = static_cast<uint8_t>(rng());
    return buffer;
}

// Deciphering in place again and again: the content does not change the cost.
void BM_DecryptCBC(benchmark::State& state) {
    const TCipherContext ctx = DataFileContext();
    std::vector<uint8_t> buffer = RandomBuffer(DictionaryBytes);
    for (auto _ : state) {
        DecryptCBC(ctx, buffer.data(), DictionaryBytes / 8);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * int64_t{DictionaryBytes / 8 * 8});
}
BENCHMARK(BM_DecryptCBC)->Unit(benchmark::kMillisecond);

// The same work one block at a time through DecryptBlock, for comparison.
void BM_DecryptCBCBlockwise(benchmark::State& state) {
    const TCipherContext ctx = DataFileContext();
    std::vector<uint8_t> buffer = RandomBuffer(DictionaryBytes);
    for (auto _ : state) {
        uint32_t prev[2] = {0, 0};
        for (int32_t k = 0; k < DictionaryBytes / 8; ++k) {
            uint32_t halves[2];
            std::memcpy(halves, buffer.data() + 8 * k, 8);
            const uint32_t cipher[2] = {halves[0], halves[1]};
            DecryptBlock(ctx, halves[0], halves[1]);
            halves[0] ^= prev[0];
            halves[1] ^= prev[1];
            std::memcpy(buffer.data() + 8 * k, halves, 8);
            prev[0] = cipher[0];
            prev[1] = cipher[1];
        }
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * int64_t{DictionaryBytes / 8 * 8});
}
BENCHMARK(BM_DecryptCBCBlockwise)->Unit(benchmark::kMillisecond);

void BM_InitKey(benchmark::State& state) {
    TCipherContext ctx;
    for (auto _ : state) {
        InitKey(ctx, DataFileKey.data(), static_cast<int16_t>(DataFileKey.size()));
        benchmark::DoNotOptimize(ctx);
    }
}
BENCHMARK(BM_InitKey);

} // namespace
