// Reading the key data file (the key source library needs only this part).
#include <cstdio>
#include <cstring>
#include <memory>

#include "keydata.h"

namespace orvia::keys {
namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

bool ReadExact(std::FILE* f, uint8_t* out, size_t n) {
    return std::fread(out, 1, n, f) == n;
}

// 0 at a clean end of file, 1 with a value, -1 on a truncated field.
int ReadLength(std::FILE* f, size_t* n) {
    uint8_t b[2];
    const size_t got = std::fread(b, 1, 2, f);
    if (got == 0) return 0;
    if (got != 2) return -1;
    *n = static_cast<size_t>(b[0] | b[1] << 8);
    return 1;
}

}  // namespace

int FindKeyRecord(const std::string& folder, const std::string& identifier, uint8_t* out) {
    if (out == nullptr) return kKeyFileInvalid;
    const std::string path = folder.empty() ? kKeyDataFile : folder + "/" + kKeyDataFile;
    std::unique_ptr<std::FILE, FileCloser> f(std::fopen(path.c_str(), "rb"));
    if (!f) return kKeyFileMissing;

    uint8_t magic[4];
    if (!ReadExact(f.get(), magic, 4) || std::memcmp(magic, "RKD1", 4) != 0) return kKeyFileInvalid;
    uint8_t name[255];
    uint8_t record[kMaxRecord];
    for (;;) {
        size_t n = 0, m = 0;
        const int more = ReadLength(f.get(), &n);
        if (more == 0) return kKeyNotFound;
        if (more < 0 || n == 0 || n > sizeof name || !ReadExact(f.get(), name, n))
            return kKeyFileInvalid;
        if (ReadLength(f.get(), &m) != 1 || m == 0 || m > kMaxRecord ||
            !ReadExact(f.get(), record, m))
            return kKeyFileInvalid;
        if (identifier.size() == n && std::memcmp(identifier.data(), name, n) == 0) {
            std::memset(out, 0, kMaxRecord);
            std::memcpy(out, record, m);
            return kKeyFound;
        }
    }
}

}  // namespace orvia::keys
