// Stand-in decipher library. Exports
//
//   int AES_Dec(const unsigned char* input, unsigned char* output, int length);
//
// which deciphers `length` bytes (a positive multiple of 16) with the stand-in site cipher
// (site_cipher.h) and returns 0, or -1 on any failure. `input` and `output` must not overlap.
#include "site_cipher.h"

#if defined(_WIN32)
#define CIFREL_EXPORT extern "C" __declspec(dllexport)
#define CIFREL_CALL __cdecl
#else
#define CIFREL_EXPORT extern "C" __attribute__((visibility("default")))
#define CIFREL_CALL
#endif

CIFREL_EXPORT int CIFREL_CALL AES_Dec(const unsigned char* input, unsigned char* output,
                                      int length) {
    if (length <= 0) return -1;
    return orvia::keys::SiteDecipher(input, output, static_cast<size_t>(length)) ? 0 : -1;
}
