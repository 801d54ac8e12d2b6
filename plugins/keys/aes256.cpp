#include "aes256.h"

#include <cstring>

namespace orvia::keys {
namespace {

using Block = std::array<uint8_t, kAesBlock>;
using Table = std::array<uint8_t, 256>;

constexpr size_t kKeyWords = kAes256Key / 4;
constexpr size_t kRoundKeyWords = (kAes256Rounds + 1) * kAesBlock / 4;
constexpr uint8_t kReduction = 0x1B;  // x^8 = x^4 + x^3 + x + 1 in the AES field
constexpr uint8_t kAffineConstant = 0x63;

// Multiplication by x in GF(2^8).
constexpr uint8_t Times2(uint8_t a) {
    return static_cast<uint8_t>((a << 1) ^ ((a & 0x80) != 0 ? kReduction : 0));
}

constexpr uint8_t Multiply(uint8_t a, uint8_t b) {
    uint8_t product = 0;
    for (; b != 0; b >>= 1, a = Times2(a))
        if ((b & 1) != 0) product ^= a;
    return product;
}

// The multiplicative inverse a^254 (every nonzero a has a^255 = 1), which maps 0 to 0.
constexpr uint8_t Inverse(uint8_t a) {
    uint8_t result = 1;
    for (unsigned exponent = 254; exponent != 0; exponent >>= 1, a = Multiply(a, a))
        if ((exponent & 1) != 0) result = Multiply(result, a);
    return result;
}

constexpr uint8_t RotateLeft(uint8_t b, int n) {
    return static_cast<uint8_t>((b << n) | (b >> (8 - n)));
}

constexpr Table MakeSbox() {
    Table sbox{};
    for (int i = 0; i < 256; ++i) {
        const uint8_t b = Inverse(static_cast<uint8_t>(i));
        sbox[i] = b ^ RotateLeft(b, 1) ^ RotateLeft(b, 2) ^ RotateLeft(b, 3) ^ RotateLeft(b, 4) ^
                  kAffineConstant;
    }
    return sbox;
}

constexpr Table kSbox = MakeSbox();

constexpr Table MakeInverseSbox() {
    Table inverse{};
    for (int i = 0; i < 256; ++i)
        inverse[kSbox[i]] = static_cast<uint8_t>(i);
    return inverse;
}

constexpr Table kInverseSbox = MakeInverseSbox();
static_assert(kSbox[0x00] == 0x63 && kSbox[0x53] == 0xED && kInverseSbox[0x63] == 0x00);

// The state is kept in input order: byte 4 * column + row.
constexpr size_t At(size_t column, size_t row) {
    return 4 * column + row;
}

void AddRoundKey(Block& state, const uint8_t* roundKey) {
    for (size_t i = 0; i < kAesBlock; ++i)
        state[i] ^= roundKey[i];
}

void Substitute(Block& state, const Table& table) {
    for (uint8_t& b : state)
        b = table[b];
}

// Row r moves r columns to the left (or, undoing it, to the right).
void ShiftRows(Block& state, bool inverse) {
    const Block before = state;
    for (size_t c = 0; c < 4; ++c)
        for (size_t r = 1; r < 4; ++r) {
            const size_t shifted = (c + r) % 4;
            if (inverse)
                state[At(shifted, r)] = before[At(c, r)];
            else
                state[At(c, r)] = before[At(shifted, r)];
        }
}

// Multiplies each column by the circulant matrix whose first row is `row`.
void MixColumns(Block& state, const std::array<uint8_t, 4>& row) {
    for (size_t c = 0; c < 4; ++c) {
        const uint8_t a[4] = {state[At(c, 0)], state[At(c, 1)], state[At(c, 2)], state[At(c, 3)]};
        for (size_t r = 0; r < 4; ++r) {
            uint8_t sum = 0;
            for (size_t k = 0; k < 4; ++k)
                sum ^= Multiply(a[k], row[(k + 4 - r) % 4]);
            state[At(c, r)] = sum;
        }
    }
}

constexpr std::array<uint8_t, 4> kMixRow = {2, 3, 1, 1};
constexpr std::array<uint8_t, 4> kInverseMixRow = {14, 11, 13, 9};

Block Load(const uint8_t* in) {
    Block block;
    std::memcpy(block.data(), in, kAesBlock);
    return block;
}

void XorInto(Block& block, const uint8_t* other) {
    for (size_t i = 0; i < kAesBlock; ++i)
        block[i] ^= other[i];
}

bool CbcArgumentsValid(const uint8_t* iv, const uint8_t* in, const uint8_t* out, size_t length) {
    return iv != nullptr && in != nullptr && out != nullptr && length != 0 &&
           length % kAesBlock == 0;
}

}  // namespace

Aes256::Aes256(const uint8_t* key) {
    std::memcpy(roundKeys_.data(), key, kAes256Key);
    uint8_t roundConstant = 1;
    for (size_t word = kKeyWords; word < kRoundKeyWords; ++word) {
        uint8_t t[4];
        std::memcpy(t, &roundKeys_[4 * (word - 1)], 4);
        if (word % kKeyWords == 0) {
            const uint8_t first = t[0];
            t[0] = static_cast<uint8_t>(kSbox[t[1]] ^ roundConstant);
            t[1] = kSbox[t[2]];
            t[2] = kSbox[t[3]];
            t[3] = kSbox[first];
            roundConstant = Times2(roundConstant);
        } else if (word % kKeyWords == 4) {
            for (uint8_t& b : t)
                b = kSbox[b];
        }
        for (size_t i = 0; i < 4; ++i)
            roundKeys_[4 * word + i] = roundKeys_[4 * (word - kKeyWords) + i] ^ t[i];
    }
}

void Aes256::EncryptBlock(const uint8_t* in, uint8_t* out) const {
    Block state = Load(in);
    AddRoundKey(state, &roundKeys_[0]);
    for (int round = 1; round <= kAes256Rounds; ++round) {
        Substitute(state, kSbox);
        ShiftRows(state, false);
        if (round != kAes256Rounds) MixColumns(state, kMixRow);
        AddRoundKey(state, &roundKeys_[round * kAesBlock]);
    }
    std::memcpy(out, state.data(), kAesBlock);
}

void Aes256::DecryptBlock(const uint8_t* in, uint8_t* out) const {
    Block state = Load(in);
    AddRoundKey(state, &roundKeys_[kAes256Rounds * kAesBlock]);
    for (int round = kAes256Rounds - 1; round >= 0; --round) {
        ShiftRows(state, true);
        Substitute(state, kInverseSbox);
        AddRoundKey(state, &roundKeys_[round * kAesBlock]);
        if (round != 0) MixColumns(state, kInverseMixRow);
    }
    std::memcpy(out, state.data(), kAesBlock);
}

bool CbcEncrypt(const Aes256& cipher, const uint8_t* iv, const uint8_t* in, uint8_t* out,
                size_t length) {
    if (!CbcArgumentsValid(iv, in, out, length)) return false;
    Block chain = Load(iv);
    for (size_t at = 0; at < length; at += kAesBlock) {
        XorInto(chain, in + at);
        cipher.EncryptBlock(chain.data(), chain.data());
        std::memcpy(out + at, chain.data(), kAesBlock);
    }
    return true;
}

bool CbcDecrypt(const Aes256& cipher, const uint8_t* iv, const uint8_t* in, uint8_t* out,
                size_t length) {
    if (!CbcArgumentsValid(iv, in, out, length)) return false;
    Block chain = Load(iv);
    for (size_t at = 0; at < length; at += kAesBlock) {
        const Block enciphered = Load(in + at);
        Block plain;
        cipher.DecryptBlock(enciphered.data(), plain.data());
        XorInto(plain, chain.data());
        std::memcpy(out + at, plain.data(), kAesBlock);
        chain = enciphered;
    }
    return true;
}

}  // namespace orvia::keys
