// Fuzz target: the key data file as the stand-in key source reads it. Whatever the file holds,
// a lookup must end with one of its documented results and write no more than one record.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "keydata.h"

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

// A private folder for the data file, made once per process.
const std::string& Folder() {
    static const std::string folder = [] {
        char name[] = "/tmp/keydata_fuzz_XXXXXX";
        const char* made = mkdtemp(name);
        if (made == nullptr) std::abort();
        return std::string(made);
    }();
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = Folder() + "/" + orvia::keys::kKeyDataFile;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return 0;
    if (size > 0) std::fwrite(data, 1, size, f);
    std::fclose(f);
    constexpr uint8_t kGuard = 0xEE;
    std::vector<uint8_t> out(orvia::keys::kMaxRecord + 32, kGuard);
    for (const char* id : {"RSA2", "A", "KEY-0001"}) {
        const int r = orvia::keys::FindKeyRecord(Folder(), id, out.data());
        Check(r == orvia::keys::kKeyFound || r == orvia::keys::kKeyFileInvalid ||
              r == orvia::keys::kKeyNotFound || r == orvia::keys::kKeyFileMissing);
        for (size_t i = orvia::keys::kMaxRecord; i < out.size(); ++i)
            Check(out[i] == kGuard);
    }
    return 0;
}
