// Tests of the data file's cipher: known answers from tests/data/cipher.vec, the initial tables, the
// key schedule's quirks and the CBC properties.
#include "dictionary/Readdaten.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

using TBytes = std::vector<uint8_t>;

// One blank-line separated record of a vector file, with the section it stands in.
struct TVector {
    std::string Section;
    int Line = 0;
    std::map<std::string, std::string> Fields;
};

std::vector<TVector> ReadVectors(const std::string& path) {
    std::ifstream in(path);
    EXPECT_TRUE(in) << "cannot open " << path;
    std::vector<TVector> vectors;
    std::string section;
    TVector current;
    std::string line;
    int lineNo = 0;
    auto finish = [&] {
        if (!current.Fields.empty())
            vectors.push_back(current);
        current = TVector{};
    };
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line[0] == '#')
            continue;
        if (line.empty()) {
            finish();
        } else if (line[0] == '[') {
            finish();
            section = line.substr(1, line.find(']') - 1);
        } else {
            const auto eq = line.find(" = ");
            EXPECT_NE(eq, std::string::npos) << path << ":" << lineNo << ": " << line;
            if (eq == std::string::npos)
                continue;
            if (current.Fields.empty()) {
                current.Section = section;
                current.Line = lineNo;
            }
            current.Fields[line.substr(0, eq)] = line.substr(eq + 3);
        }
    }
    finish();
    return vectors;
}

TBytes FromHex(const std::string& hex) {
    TBytes bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes.push_back(static_cast<uint8_t>(std::stoul(hex.substr(i, 2), nullptr, 16)));
    return bytes;
}

// "01234567 89ABCDEF" as the halves L and R.
std::pair<uint32_t, uint32_t> Halves(const std::string& text) {
    const auto space = text.find(' ');
    return {static_cast<uint32_t>(std::stoul(text.substr(0, space), nullptr, 16)),
            static_cast<uint32_t>(std::stoul(text.substr(space + 1), nullptr, 16))};
}

TCipherContext Keyed(const TBytes& key) {
    TCipherContext ctx;
    InitKey(ctx, key.data(), static_cast<int16_t>(key.size()));
    return ctx;
}

bool SameContext(const TCipherContext& a, const TCipherContext& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

uint32_t Crc32(const TBytes& bytes) {
    uint32_t crc = 0xFFFFFFFF;
    for (uint8_t byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
    }
    return ~crc;
}

void AppendLE(TBytes& bytes, uint32_t word) {
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<uint8_t>(word >> shift));
}

// CBC decryption spelled out with DecryptBlock, to compare the fast path with.
TBytes ReferenceDecrypt(const TCipherContext& ctx, TBytes data, int32_t count) {
    uint32_t prevL = 0;
    uint32_t prevR = 0;
    for (int32_t k = 0; k < count; ++k) {
        uint8_t* b = data.data() + 8 * k;
        uint32_t halves[2];
        std::memcpy(halves, b, 8); // the test host is little-endian
        const uint32_t cl = halves[0];
        const uint32_t cr = halves[1];
        DecryptBlock(ctx, halves[0], halves[1]);
        halves[0] ^= prevL;
        halves[1] ^= prevR;
        std::memcpy(b, halves, 8);
        prevL = cl;
        prevR = cr;
    }
    return data;
}

TBytes RandomBytes(std::mt19937& rng, std::size_t n) {
    TBytes bytes(n);
    for (auto& b : bytes)
        b = static_cast<uint8_t>(rng());
    return bytes;
}

} // namespace

TEST(cipher_test, KnownAnswerVectors) {
    const auto vectors = ReadVectors(KAVRINTO_TEST_DATA_DIR "/cipher.vec");
    std::map<std::string, int> perSection;
    for (const TVector& v : vectors) {
        SCOPED_TRACE("cipher.vec:" + std::to_string(v.Line));
        ++perSection[v.Section];
        ASSERT_TRUE(v.Fields.count("Key"));
        const TCipherContext ctx = Keyed(FromHex(v.Fields.at("Key")));
        if (v.Section == "P-array") {
            for (const auto& [name, value] : v.Fields) {
                if (name == "Key")
                    continue;
                ASSERT_EQ(name[0], 'P');
                EXPECT_EQ(ctx.P[std::stoi(name.substr(1))], std::stoul(value, nullptr, 16)) << name;
            }
        } else if (v.Section == "Block") {
            const auto [inL, inR] = Halves(v.Fields.at("In"));
            const auto [outL, outR] = Halves(v.Fields.at("Out"));
            uint32_t L = inL;
            uint32_t R = inR;
            EncryptBlock(ctx, L, R);
            EXPECT_EQ(L, outL);
            EXPECT_EQ(R, outR);
            DecryptBlock(ctx, L, R);
            EXPECT_EQ(L, inL);
            EXPECT_EQ(R, inR);
        } else if (v.Section == "CBC") {
            const TBytes in = FromHex(v.Fields.at("In"));
            const TBytes out = FromHex(v.Fields.at("Out"));
            const auto count = static_cast<int32_t>(in.size() / 8);
            TBytes data = in;
            EncryptCBC(ctx, data.data(), count);
            EXPECT_EQ(data, out);
            DecryptCBC(ctx, data.data(), count);
            EXPECT_EQ(data, in);
        } else {
            ADD_FAILURE() << "unknown section " << v.Section;
        }
    }
    EXPECT_EQ(perSection["P-array"], 3);
    EXPECT_EQ(perSection["Block"], 4);
    EXPECT_EQ(perSection["CBC"], 1);
}

// The 1042 words P, S1, S2, S3, S4 as little-endian bytes, checked against the published tables
// (with the altered entries undone) and against this cipher's tables.
TEST(cipher_test, InitialTablesAreThePublishedOnesWithTheAlteredEntries) {
    auto variantS = InitialS();
    auto standardS = variantS;
    for (const TSBoxChange& c : SBoxChanges()) {
        EXPECT_EQ(variantS[c.Box - 1][c.Index], c.Value) << c.Box << " " << c.Index;
        standardS[c.Box - 1][c.Index] = c.StandardValue;
    }
    auto serialize = [](const std::array<std::array<uint32_t, 256>, 4>& s) {
        TBytes bytes;
        for (uint32_t w : InitialP())
            AppendLE(bytes, w);
        for (const auto& box : s)
            for (uint32_t w : box)
                AppendLE(bytes, w);
        return bytes;
    };
    EXPECT_EQ(InitialP()[0], 0x243F6A88u);
    EXPECT_EQ(Crc32(serialize(standardS)), 0x733ba84cu);
    EXPECT_EQ(Crc32(serialize(variantS)), 0xbcc9db48u);
}

TEST(cipher_test, InitKeyReplacesOnlyThePArray) {
    const TCipherContext ctx =
        Keyed(FromHex("5072fc667363686cfc7373656c2066fc722057f67274657262fc6368657221ff"));
    EXPECT_EQ(std::memcmp(ctx.S, InitialS().data(), sizeof ctx.S), 0);
    EXPECT_NE(std::memcmp(ctx.P, InitialP().data(), sizeof ctx.P), 0);
}

// Keys that feed the same 72 bytes into the P-array, and so give the same context.
TEST(cipher_test, KeysWithTheSameMixedWordsAreEquivalent) {
    const struct {
        const char* A;
        const char* B;
        const char* Why;
    } cases[] = {
        {"80", "ffffff80", "a byte of 0x80 or more overwrites the bytes before it in its word"},
        {"80", "00000080", "the same, with zero bytes before it"},
        {"616263", "616263616263", "the key position wraps around"},
        {"00", "", "zero bytes mix in nothing, like no key at all"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Why);
        EXPECT_TRUE(SameContext(Keyed(FromHex(c.A)), Keyed(FromHex(c.B))));
    }
    // A byte below 0x80 does not reach into the bits above its own.
    EXPECT_FALSE(SameContext(Keyed(FromHex("7f")), Keyed(FromHex("ffffff7f"))));

    // No key bytes, or a negative length, reads nothing.
    TCipherContext none;
    InitKey(none, nullptr, 0);
    EXPECT_TRUE(SameContext(none, Keyed({0})));
    const uint8_t byte = 0x41;
    InitKey(none, &byte, -3);
    EXPECT_TRUE(SameContext(none, Keyed({0})));
}

TEST(cipher_test, DecryptCbcInvertsEncryptCbcAndMatchesTheBlockwiseReference) {
    std::mt19937 rng(20240611);
    for (int32_t count = 1; count <= 20; ++count) {
        SCOPED_TRACE("blocks: " + std::to_string(count));
        const TBytes key = RandomBytes(rng, 1 + rng() % 56);
        const TCipherContext ctx = Keyed(key);
        const std::size_t tail = rng() % 8;
        const TBytes plain = RandomBytes(rng, 8 * count + tail);

        TBytes data = plain;
        EncryptCBC(ctx, data.data(), count);
        // The first block is not chained; the bytes after the last whole block stay plain.
        uint32_t L;
        uint32_t R;
        std::memcpy(&L, plain.data(), 4);
        std::memcpy(&R, plain.data() + 4, 4);
        EncryptBlock(ctx, L, R);
        EXPECT_EQ(std::memcmp(&L, data.data(), 4), 0);
        EXPECT_EQ(std::memcmp(&R, data.data() + 4, 4), 0);
        EXPECT_TRUE(std::equal(plain.end() - tail, plain.end(), data.end() - tail));

        const TBytes expected = ReferenceDecrypt(ctx, data, count);
        DecryptCBC(ctx, data.data(), count);
        EXPECT_EQ(data, expected);
        EXPECT_EQ(data, plain);
    }
}

TEST(cipher_test, AlteredCiphertextBlockGarblesOnlyItselfAndTheNext) {
    std::mt19937 rng(7);
    const TCipherContext ctx = Keyed(TBytes(DataFileKey.begin(), DataFileKey.end()));
    const int32_t count = 11;
    const TBytes plain = RandomBytes(rng, 8 * count);
    TBytes cipher = plain;
    EncryptCBC(ctx, cipher.data(), count);
    for (int32_t k = 0; k < count; ++k) {
        SCOPED_TRACE("altered block " + std::to_string(k));
        TBytes data = cipher;
        data[8 * k + 3] ^= 0x10;
        DecryptCBC(ctx, data.data(), count);
        for (int32_t block = 0; block < count; ++block) {
            const bool same = std::equal(plain.begin() + 8 * block, plain.begin() + 8 * block + 8,
                                         data.begin() + 8 * block);
            EXPECT_EQ(same, block != k && block != k + 1) << "block " << block;
        }
    }
}

TEST(cipher_test, CountOfZeroOrLessChangesNothing) {
    const TCipherContext ctx = Keyed({0x61});
    const TBytes original = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    for (int32_t count : {0, -1, -8, INT32_MIN}) {
        TBytes data = original;
        EncryptCBC(ctx, data.data(), count);
        EXPECT_EQ(data, original) << count;
        DecryptCBC(ctx, data.data(), count);
        EXPECT_EQ(data, original) << count;
    }
    EncryptCBC(ctx, nullptr, 0);
    DecryptCBC(ctx, nullptr, 0);
}
