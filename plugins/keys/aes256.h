// AES-256 (the block cipher of FIPS-197 with a 256-bit key) and cipher block chaining without
// padding, in plain C++ with no outside library.
//
// Lookups index tables by secret bytes, so timing is not constant: enough for the stand-in
// libraries and their key data, not for protecting real secrets.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace orvia::keys {

inline constexpr size_t kAesBlock = 16;
inline constexpr size_t kAes256Key = 32;
inline constexpr int kAes256Rounds = 14;

class Aes256 {
  public:
    // `key` points at kAes256Key bytes.
    explicit Aes256(const uint8_t* key);

    // One kAesBlock-byte block from `in` to `out`; the two may be the same buffer.
    void EncryptBlock(const uint8_t* in, uint8_t* out) const;
    void DecryptBlock(const uint8_t* in, uint8_t* out) const;

  private:
    std::array<uint8_t, (kAes256Rounds + 1) * kAesBlock> roundKeys_;
};

// Cipher block chaining over `length` bytes (a positive multiple of kAesBlock) with the
// kAesBlock-byte `iv`. `in` and `out` may be the same buffer but must not overlap otherwise.
// False, with `out` untouched, when an argument is null or the length is not whole blocks.
bool CbcEncrypt(const Aes256& cipher, const uint8_t* iv, const uint8_t* in, uint8_t* out,
                size_t length);
bool CbcDecrypt(const Aes256& cipher, const uint8_t* iv, const uint8_t* in, uint8_t* out,
                size_t length);

}  // namespace orvia::keys
