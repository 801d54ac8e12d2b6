#include <windows.h>

#include "console/key_memory.h"

namespace orvia {

void wipeKeyBytes(void* p, size_t n) {
    SecureZeroMemory(p, n);
}

// Windows has no per-page exclusion from crash dumps; the pages are locked in memory and wiped.
KeyMemory::KeyMemory(size_t size) : size_(size) {
    mapped_ = size == 0 ? 1 : size;
    void* p = VirtualAlloc(nullptr, mapped_, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (p == nullptr) {
        size_ = 0;
        mapped_ = 0;
        return;
    }
    bytes_ = static_cast<uint8_t*>(p);
    VirtualLock(p, mapped_);
}

KeyMemory::~KeyMemory() {
    if (bytes_ == nullptr) return;
    wipeKeyBytes(bytes_, mapped_);
    VirtualUnlock(bytes_, mapped_);
    VirtualFree(bytes_, 0, MEM_RELEASE);
}

}  // namespace orvia
