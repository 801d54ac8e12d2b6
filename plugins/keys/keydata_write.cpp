// Creating key data files (for the key data tool and tests).
#include <cstdio>
#include <memory>

#include "keydata.h"
#include "site_cipher.h"

namespace orvia::keys {

bool MakeKeyEntry(const std::string& identifier, const std::vector<uint8_t>& plain,
                  KeyEntry* entry) {
    if (identifier.empty() || identifier.size() > 255 || plain.empty()) return false;
    std::vector<uint8_t> padded(plain);
    padded.resize((plain.size() + kCipherBlock - 1) / kCipherBlock * kCipherBlock, 0);
    if (padded.size() > kMaxRecord) return false;
    entry->identifier = identifier;
    entry->enciphered.assign(padded.size(), 0);
    return SiteEncipher(padded.data(), entry->enciphered.data(), padded.size());
}

bool WriteKeyData(const std::string& folder, const std::vector<KeyEntry>& entries) {
    const std::string path = folder.empty() ? kKeyDataFile : folder + "/" + kKeyDataFile;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return false;
    auto putLength = [&](size_t n) {
        const uint8_t b[2] = {static_cast<uint8_t>(n), static_cast<uint8_t>(n >> 8)};
        return std::fwrite(b, 1, 2, f) == 2;
    };
    bool ok = std::fwrite("RKD1", 1, 4, f) == 4;
    for (const KeyEntry& e : entries) {
        ok = ok && !e.identifier.empty() && e.identifier.size() <= 255 && !e.enciphered.empty() &&
             e.enciphered.size() <= kMaxRecord;
        ok = ok && putLength(e.identifier.size()) &&
             std::fwrite(e.identifier.data(), 1, e.identifier.size(), f) == e.identifier.size();
        ok = ok && putLength(e.enciphered.size()) &&
             std::fwrite(e.enciphered.data(), 1, e.enciphered.size(), f) == e.enciphered.size();
    }
    return std::fclose(f) == 0 && ok;
}

}  // namespace orvia::keys
