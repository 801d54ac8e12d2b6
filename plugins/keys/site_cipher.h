// The stand-in site cipher shared by the key source's data files and the decipher library:
// AES-256 in CBC mode without padding, with one fixed key and initialisation vector.
//
//   key: the 32 ASCII bytes "ORVIA-CIFREL-STANDIN-SITEKEY-V01"
//   iv:  the 16 ASCII bytes "ORVIA-CIFREL-IV1"
//
// A site that provisions real cameras replaces both stand-ins with its own libraries; these
// values protect nothing and exist so that the whole path (key data file, key source, decipher,
// camera) can be exercised with real AES.
#pragma once

#include <cstddef>
#include <cstdint>

#include "aes256.h"

namespace orvia::keys {

inline constexpr size_t kCipherBlock = kAesBlock;

// Enciphers or deciphers `length` bytes (a positive multiple of 16) from `in` to `out`.
// False on any failure; `out` then holds nothing useful.
bool SiteEncipher(const uint8_t* in, uint8_t* out, size_t length);
bool SiteDecipher(const uint8_t* in, uint8_t* out, size_t length);

}  // namespace orvia::keys
