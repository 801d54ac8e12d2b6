#include <sys/mman.h>
#include <unistd.h>

#include "console/key_memory.h"

namespace orvia {

void wipeKeyBytes(void* p, size_t n) {
    volatile unsigned char* bytes = static_cast<volatile unsigned char*>(p);
    while (n--)
        *bytes++ = 0;
    __asm__ __volatile__("" : : "r"(p) : "memory");
}

KeyMemory::KeyMemory(size_t size) : size_(size) {
    const auto page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    mapped_ = (size + page - 1) / page * page;
    if (mapped_ == 0) mapped_ = page;
    void* p = mmap(nullptr, mapped_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) {
        size_ = 0;
        mapped_ = 0;
        return;
    }
    bytes_ = static_cast<uint8_t*>(p);
#ifdef MADV_DONTDUMP
    excluded_ = madvise(p, mapped_, MADV_DONTDUMP) == 0;
#endif
    mlock(p, mapped_);  // kept out of swap where the limits allow; best effort
}

KeyMemory::~KeyMemory() {
    if (bytes_ == nullptr) return;
    wipeKeyBytes(bytes_, mapped_);
    munlock(bytes_, mapped_);
    munmap(bytes_, mapped_);
}

}  // namespace orvia
