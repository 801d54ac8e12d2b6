// Stand-in key source library. Exports
//
//   int RKA_GetKey(const char* source, const char* name, unsigned char* buffer);
//   int RKA2_GetKey(const char* source, const char* tag, unsigned char* buffer);
//
// Both look up an enciphered key record in the key data folder `source` (keydata.h): the key 1
// record under the identifier `name`, the key 2 record under `tag` ("RSA2"). `buffer` receives
// 1024 bytes: the record, zero-filled after it. Results: 0 found; -1 bad arguments or a
// malformed data file; -2 the identifier is not in the file; -3 the data file is missing.
#include "keydata.h"

#if defined(_WIN32)
#define RAVIK_EXPORT extern "C" __declspec(dllexport)
#define RAVIK_CALL __cdecl
#else
#define RAVIK_EXPORT extern "C" __attribute__((visibility("default")))
#define RAVIK_CALL
#endif

namespace {

int Lookup(const char* source, const char* identifier, unsigned char* buffer) {
    if (source == nullptr || identifier == nullptr || buffer == nullptr)
        return orvia::keys::kKeyFileInvalid;
    return orvia::keys::FindKeyRecord(source, identifier, buffer);
}

}  // namespace

RAVIK_EXPORT int RAVIK_CALL RKA_GetKey(const char* source, const char* name,
                                       unsigned char* buffer) {
    return Lookup(source, name, buffer);
}

RAVIK_EXPORT int RAVIK_CALL RKA2_GetKey(const char* source, const char* tag,
                                        unsigned char* buffer) {
    return Lookup(source, tag, buffer);
}
