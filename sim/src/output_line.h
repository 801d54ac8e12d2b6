// The camera's transmit line: bytes queue up with the time each has fully arrived at the host.
#pragma once

#include <cstdint>
#include <deque>
#include <limits>
#include <vector>

namespace camsim {

inline constexpr uint64_t kNever = std::numeric_limits<uint64_t>::max();

struct LineByte {
    uint8_t value;
    uint64_t atUs;  // fully arrived
    int baud;       // speed it was sent at
};

class OutputLine {
  public:
    // Sends the bytes one after another, starting at `atUs` or when the line is free.
    void send(const std::vector<uint8_t>& bytes, uint64_t atUs, int baud);
    bool empty() const { return queue_.empty(); }
    uint64_t frontUs() const { return queue_.empty() ? kNever : queue_.front().atUs; }
    LineByte pop();
    // Drops the bytes that have arrived by `untilUs`.
    void discard(uint64_t untilUs);

  private:
    std::deque<LineByte> queue_;
    uint64_t freeNs_ = 0;  // when the line has finished its last byte
};

}  // namespace camsim
