// Memory for key records in the console: pages of their own, left out of core dumps and wiped
// before they are given back, so a key never lingers in freed memory or in a dump written after
// a crash. One implementation per system (key_memory_posix.cpp, key_memory_win32.cpp).
#pragma once

#include <cstddef>
#include <cstdint>

namespace orvia {

class KeyMemory {
  public:
    // `size` zeroed bytes; data() is null when the system gave none.
    explicit KeyMemory(size_t size);
    ~KeyMemory();
    KeyMemory(const KeyMemory&) = delete;
    KeyMemory& operator=(const KeyMemory&) = delete;

    uint8_t* data() { return bytes_; }
    const uint8_t* data() const { return bytes_; }
    size_t size() const { return size_; }
    // True when the pages are kept out of core dumps.
    bool excludedFromDumps() const { return excluded_; }

  private:
    uint8_t* bytes_ = nullptr;
    size_t size_ = 0;
    size_t mapped_ = 0;
    bool excluded_ = false;
};

// Zeroes `n` bytes at `p` in a way the optimiser may not remove.
void wipeKeyBytes(void* p, size_t n);

}  // namespace orvia
