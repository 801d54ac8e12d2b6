// The stand-in key source's data file: enciphered key records by key identifier.
//
// A key data folder holds one file, "keydata.rkd":
//
//   offset 0  4 bytes   magic "RKD1"
//   then, until the end of the file, entries of
//             2 bytes   identifier length n (little-endian, 1-255)
//             n bytes   identifier (no terminating zero), matched exactly
//             2 bytes   record length m (little-endian, 1-1024)
//             m bytes   the enciphered record
//
// Records are enciphered with the site cipher (site_cipher.h) after zero padding to a multiple
// of 16 bytes: a 724-byte key 1 record becomes 736 bytes, a 136-byte key 2 record 144 bytes.
// Key 2 is stored under the identifier "RSA2".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvia::keys {

inline constexpr const char* kKeyDataFile = "keydata.rkd";
inline constexpr size_t kMaxRecord = 1024;

// Results of a lookup, as the key source returns them.
inline constexpr int kKeyFound = 0;
inline constexpr int kKeyFileInvalid = -1;
inline constexpr int kKeyNotFound = -2;
inline constexpr int kKeyFileMissing = -3;

struct KeyEntry {
    std::string identifier;
    std::vector<uint8_t> enciphered;
};

// Finds `identifier` in the data file of `folder` and copies its record into `out` (kMaxRecord
// bytes, zero-filled past the record). One of the results above.
int FindKeyRecord(const std::string& folder, const std::string& identifier, uint8_t* out);

// Enciphers `plain` (zero-padded to a multiple of 16) for storage under `identifier`.
// False when the record is empty, too long or the cipher fails.
bool MakeKeyEntry(const std::string& identifier, const std::vector<uint8_t>& plain,
                  KeyEntry* entry);

// Writes the data file of `folder` holding `entries`. False on any failure.
bool WriteKeyData(const std::string& folder, const std::vector<KeyEntry>& entries);

}  // namespace orvia::keys
