// Wiping memory that held key material, in a way the optimiser may not remove.
#pragma once

#include <cstddef>

namespace qorlink {

inline void SecureWipe(void* p, size_t n) {
    volatile unsigned char* bytes = static_cast<volatile unsigned char*>(p);
    while (n--)
        *bytes++ = 0;
#if defined(__GNUC__) || defined(__clang__)
    __asm__ __volatile__("" : : "r"(p) : "memory");
#endif
}

}  // namespace qorlink
