// Tests of the data file's cipher: known answers from tests/data/cipher.vec, the initial tables, the
// key schedule's quirks and the CBC properties.
#include "dictionary/Readdaten.h"

#include "richtext/RtfEscape.h"

#include <gtest/gtest.h>

#include <climits>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {

using TBytes = std::vector<uint8_t>;

// One blank-line separated record of a vector file, with the section it stands in.
struct TVector {
    std::string Section;
    int Line = 0;
    std::map<std::string, std::string> Fields;
};

// The keys each section's records carry: all of Required, any of Optional, nothing else.
struct TSectionKeys {
    std::set<std::string> Required;
    std::set<std::string> Optional;
};

const std::map<std::string, TSectionKeys>& SectionKeys() {
    static const std::map<std::string, TSectionKeys> keys = [] {
        std::map<std::string, TSectionKeys> k;
        k["P-array"].Required = {"Key"};
        for (int i = 0; i < 18; ++i)
            k["P-array"].Optional.insert("P" + std::to_string(i));
        k["Block"].Required = {"Key", "In", "Out"};
        k["CBC"].Required = {"Key", "In", "Out"};
        return k;
    }();
    return keys;
}

[[noreturn]] void Malformed(const std::string& where, int line, const std::string& what) {
    throw std::invalid_argument(where + ":" + std::to_string(line) + ": " + what);
}

// Reads "[section]" headers, "Name = value" lines and blank lines between records; "#" starts a
// comment line. Throws std::invalid_argument naming the line for anything else, an unknown section,
// and a record with an unknown, repeated or missing key.
std::vector<TVector> ParseVectors(std::istream& in, const std::string& where) {
    std::vector<TVector> vectors;
    const TSectionKeys* keys = nullptr;
    std::string section;
    TVector current;
    std::string line;
    int lineNo = 0;
    auto finish = [&] {
        if (current.Fields.empty())
            return;
        for (const std::string& key : keys->Required)
            if (!current.Fields.count(key))
                Malformed(where, current.Line, "missing key " + key);
        if (current.Fields.size() == keys->Required.size() && !keys->Optional.empty())
            Malformed(where, current.Line, "no value to check");
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
            if (line.back() != ']')
                Malformed(where, lineNo, "bad section line: " + line);
            section = line.substr(1, line.size() - 2);
            const auto it = SectionKeys().find(section);
            if (it == SectionKeys().end())
                Malformed(where, lineNo, "unknown section " + section);
            keys = &it->second;
        } else {
            const auto eq = line.find(" = ");
            if (eq == std::string::npos)
                Malformed(where, lineNo, "not a key line: " + line);
            if (keys == nullptr)
                Malformed(where, lineNo, "key before the first section");
            const std::string key = line.substr(0, eq);
            if (!keys->Required.count(key) && !keys->Optional.count(key))
                Malformed(where, lineNo, "unknown key " + key + " in [" + section + "]");
            if (current.Fields.empty()) {
                current.Section = section;
                current.Line = lineNo;
            }
            if (!current.Fields.emplace(key, line.substr(eq + 3)).second)
                Malformed(where, lineNo, "repeated key " + key);
        }
    }
    finish();
    return vectors;
}

std::vector<TVector> ReadVectors(const std::string& path) {
    std::ifstream in(path);
    if (!in)
        throw std::invalid_argument("cannot open " + path);
    return ParseVectors(in, path);
}

// An even number of hexadecimal digits of either case, nothing else; throws std::invalid_argument.
TBytes FromHex(std::string_view hex) {
    if (hex.size() % 2 != 0)
        throw std::invalid_argument("odd number of hexadecimal digits: " + std::string(hex));
    TBytes bytes;
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const int high = HexDigitValue(hex[i]);
        const int low = HexDigitValue(hex[i + 1]);
        if (high < 0 || low < 0)
            throw std::invalid_argument("not hexadecimal: " + std::string(hex));
        bytes.push_back(static_cast<uint8_t>(high * 16 + low));
    }
    return bytes;
}

// Eight hexadecimal digits as a 32-bit number.
uint32_t Word32(std::string_view hex) {
    const TBytes bytes = FromHex(hex);
    if (bytes.size() != 4)
        throw std::invalid_argument("not eight hexadecimal digits: " + std::string(hex));
    return uint32_t{bytes[0]} << 24 | uint32_t{bytes[1]} << 16 | uint32_t{bytes[2]} << 8 | bytes[3];
}

// "01234567 89ABCDEF" as the halves L and R.
std::pair<uint32_t, uint32_t> Halves(const std::string& text) {
    if (text.size() != 17 || text[8] != ' ')
        throw std::invalid_argument("not two halves: " + text);
    return {Word32(std::string_view(text).substr(0, 8)), Word32(std::string_view(text).substr(9))};
}

TCipherContext Keyed(const TBytes& key) {
    TCipherContext ctx;
    InitKey(ctx, key.data(), static_cast<int16_t>(key.size()));
    return ctx;
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

uint32_t LoadLE(const uint8_t* p) {
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

void StoreLE(uint8_t* p, uint32_t word) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(word >> 8 * i);
}

// CBC decryption spelled out with DecryptBlock, to compare the fast path with.
TBytes ReferenceDecrypt(const TCipherContext& ctx, TBytes data, int32_t count) {
    uint32_t prevL = 0;
    uint32_t prevR = 0;
    for (int32_t k = 0; k < count; ++k) {
        uint8_t* b = data.data() + 8 * k;
        const uint32_t cl = LoadLE(b);
        const uint32_t cr = LoadLE(b + 4);
        uint32_t L = cl;
        uint32_t R = cr;
        DecryptBlock(ctx, L, R);
        StoreLE(b, L ^ prevL);
        StoreLE(b + 4, R ^ prevR);
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

TEST(cipher_test, known_answer_vectors_both_ways) {
    const auto vectors = ReadVectors(KAVRINTO_TEST_DATA_DIR "/cipher.vec");
    std::map<std::string, int> perSection;
    for (const TVector& v : vectors) {
        SCOPED_TRACE("cipher.vec:" + std::to_string(v.Line));
        ++perSection[v.Section];
        const TCipherContext ctx = Keyed(FromHex(v.Fields.at("Key")));
        if (v.Section == "P-array") {
            for (const auto& [name, value] : v.Fields) {
                if (name != "Key") {
                    EXPECT_EQ(ctx.P[std::stoi(name.substr(1))], Word32(value)) << name;
                }
            }
        } else if (v.Section == "Block") {
            const auto [inL, inR] = Halves(v.Fields.at("In"));
            const auto [outL, outR] = Halves(v.Fields.at("Out"));
            uint32_t L = inL;
            uint32_t R = inR;
            EncryptBlock(ctx, L, R);
            EXPECT_EQ(L, outL);
            EXPECT_EQ(R, outR);
            L = outL;
            R = outR;
            DecryptBlock(ctx, L, R);
            EXPECT_EQ(L, inL);
            EXPECT_EQ(R, inR);
        } else {
            const TBytes in = FromHex(v.Fields.at("In"));
            const TBytes out = FromHex(v.Fields.at("Out"));
            ASSERT_EQ(in.size(), out.size());
            const auto count = static_cast<int32_t>(in.size() / 8);
            TBytes data = in;
            EncryptCBC(ctx, data.data(), count);
            EXPECT_EQ(data, out);
            data = out;
            DecryptCBC(ctx, data.data(), count);
            EXPECT_EQ(data, in);
        }
    }
    EXPECT_EQ(perSection["P-array"], 3);
    EXPECT_EQ(perSection["Block"], 4);
    EXPECT_EQ(perSection["CBC"], 2);
}

TEST(cipher_test, vector_reader_and_hex_are_strict) {
    const struct {
        const char* Text;
        const char* Message;
    } cases[] = {
        {"[Block]\nKey = 00\nIn = 00000000 00000000\n", "v:2: missing key Out"},
        {"[Block]\nKey = 00\nIn = 0 0\nOut = 0 0\nIV = 00\n", "v:5: unknown key IV in [Block]"},
        {"[CBC]\nKey = 00\nKey = 01\n", "v:3: repeated key Key"},
        {"[P-array]\nKey = 00\n\n", "v:2: no value to check"},
        {"[P-array]\nKey = 00\nP18 = 00000000\n", "v:3: unknown key P18 in [P-array]"},
        {"[ECB]\n", "v:1: unknown section ECB"},
        {"[CBC\n", "v:1: bad section line: [CBC"},
        {"Key = 00\n", "v:1: key before the first section"},
        {"[CBC]\nKey=00\n", "v:2: not a key line: Key=00"},
    };
    for (const auto& c : cases) {
        std::istringstream in(c.Text);
        try {
            ParseVectors(in, "v");
            ADD_FAILURE() << "accepted: " << c.Text;
        } catch (const std::invalid_argument& e) {
            EXPECT_STREQ(e.what(), c.Message);
        }
    }
    std::istringstream good("# comment\n[CBC]\r\nKey = 00\r\nIn = \r\nOut = \r\n\n[Block]\n");
    EXPECT_EQ(ParseVectors(good, "v").size(), 1u);

    EXPECT_EQ(FromHex("00fFa9"), (TBytes{0x00, 0xFF, 0xA9}));
    EXPECT_EQ(FromHex(""), TBytes{});
    for (const char* bad : {"0", "abc", "0g", "g0", " 0", "0x00", "-1"})
        EXPECT_THROW(FromHex(bad), std::invalid_argument) << bad;
    EXPECT_EQ(Halves("01234567 89ABCDEF"), std::make_pair(0x01234567u, 0x89ABCDEFu));
    for (const char* bad : {"01234567  89ABCDEF", "1234567 89ABCDEF", "01234567 89ABCDEF0"})
        EXPECT_THROW(Halves(bad), std::invalid_argument) << bad;
}

// The 1042 words P, S1, S2, S3, S4 as little-endian bytes, checked against the published tables
// (with the altered entries undone) and against this cipher's tables.
TEST(cipher_test, initial_tables_are_the_published_ones_with_the_altered_entries) {
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

TEST(cipher_test, init_key_replaces_only_the_p_array) {
    const TCipherContext ctx =
        Keyed(FromHex("5072fc667363686cfc7373656c2066fc722057f67274657262fc6368657221ff"));
    EXPECT_EQ(ctx.S, InitialS());
    EXPECT_NE(ctx.P, InitialP());
}

// Keys that feed the same 72 bytes into the P-array, and so give the same context.
TEST(cipher_test, keys_with_the_same_mixed_words_are_equivalent) {
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
        EXPECT_TRUE(Keyed(FromHex(c.A)) == Keyed(FromHex(c.B)));
    }
    // A byte below 0x80 does not reach into the bits above its own.
    EXPECT_NE(Keyed(FromHex("7f")), Keyed(FromHex("ffffff7f")));

    // No key bytes, or a negative length, reads nothing.
    TCipherContext none;
    InitKey(none, nullptr, 0);
    EXPECT_EQ(none, Keyed({0}));
    const uint8_t byte = 0x41;
    InitKey(none, &byte, -3);
    EXPECT_EQ(none, Keyed({0}));
}

TEST(cipher_test, decrypt_cbc_inverts_encrypt_cbc_and_matches_the_blockwise_reference) {
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
        uint32_t L = LoadLE(plain.data());
        uint32_t R = LoadLE(plain.data() + 4);
        EncryptBlock(ctx, L, R);
        EXPECT_EQ(L, LoadLE(data.data()));
        EXPECT_EQ(R, LoadLE(data.data() + 4));
        EXPECT_TRUE(std::equal(plain.end() - tail, plain.end(), data.end() - tail));

        const TBytes expected = ReferenceDecrypt(ctx, data, count);
        DecryptCBC(ctx, data.data(), count);
        EXPECT_EQ(data, expected);
        EXPECT_EQ(data, plain);
    }
}

TEST(cipher_test, altered_ciphertext_block_garbles_only_itself_and_the_next) {
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

TEST(cipher_test, count_of_zero_or_less_changes_nothing) {
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
