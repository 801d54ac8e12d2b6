// Wiping memory that held key material, in a way the optimiser may not remove, and buffers that
// are wiped before they are released.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>

namespace qorlink {

inline void SecureWipe(void* p, size_t n) {
    volatile unsigned char* bytes = static_cast<volatile unsigned char*>(p);
    while (n--)
        *bytes++ = 0;
#if defined(__GNUC__) || defined(__clang__)
    __asm__ __volatile__("" : : "r"(p) : "memory");
#endif
}

// Frees a byte buffer of `size` bytes after wiping it.
struct WipeOnRelease {
    size_t size = 0;
    void operator()(uint8_t* p) const {
        SecureWipe(p, size);
        delete[] p;
    }
};

// A buffer for bytes that may be key material: whatever passes through it is gone once the
// buffer is. Any command's bytes may be a key record, so every protocol buffer is one of these.
using WipedBuffer = std::unique_ptr<uint8_t[], WipeOnRelease>;

// n uninitialised bytes; null when memory is short.
inline WipedBuffer AllocateWiped(size_t n) {
    return WipedBuffer(new (std::nothrow) uint8_t[n], WipeOnRelease{n});
}

// A standard allocator that wipes what it releases, for containers of such bytes.
template <typename T>
struct WipingAllocator {
    using value_type = T;
    WipingAllocator() = default;
    template <typename U>
    WipingAllocator(const WipingAllocator<U>&) noexcept {}
    T* allocate(size_t n) { return std::allocator<T>().allocate(n); }
    void deallocate(T* p, size_t n) noexcept {
        SecureWipe(p, n * sizeof(T));
        std::allocator<T>().deallocate(p, n);
    }
    template <typename U>
    bool operator==(const WipingAllocator<U>&) const noexcept {
        return true;
    }
};

}  // namespace qorlink
