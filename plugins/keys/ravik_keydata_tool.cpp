// ravik-keydata: writes a key data folder for the stand-in key source.
//
//   ravik-keydata FOLDER IDENTIFIER=RECORD_FILE [IDENTIFIER=RECORD_FILE ...]
//
// Each RECORD_FILE holds a plain key record (724 bytes for key 1, 136 bytes for key 2, which
// goes under the identifier RSA2). The records are enciphered with the stand-in site cipher and
// written to FOLDER/keydata.rkd, replacing it.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "keydata.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s FOLDER IDENTIFIER=RECORD_FILE...\n", argv[0]);
        return 2;
    }
    std::vector<orvia::keys::KeyEntry> entries;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        const size_t eq = arg.find('=');
        if (eq == std::string::npos || eq == 0) {
            std::fprintf(stderr, "%s: expected IDENTIFIER=RECORD_FILE, got '%s'\n", argv[0],
                         argv[i]);
            return 2;
        }
        std::ifstream in(arg.substr(eq + 1), std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "%s: cannot read %s\n", argv[0], arg.substr(eq + 1).c_str());
            return 1;
        }
        const std::vector<uint8_t> plain{std::istreambuf_iterator<char>(in), {}};
        orvia::keys::KeyEntry entry;
        if (!orvia::keys::MakeKeyEntry(arg.substr(0, eq), plain, &entry)) {
            std::fprintf(stderr, "%s: cannot encipher the record for %s (1-1024 bytes)\n", argv[0],
                         arg.substr(0, eq).c_str());
            return 1;
        }
        entries.push_back(std::move(entry));
    }
    if (!orvia::keys::WriteKeyData(argv[1], entries)) {
        std::fprintf(stderr, "%s: cannot write %s/%s\n", argv[0], argv[1],
                     orvia::keys::kKeyDataFile);
        return 1;
    }
    return 0;
}
