#include "output_line.h"

#include <algorithm>

#include "camsim/line.h"

namespace camsim {

void OutputLine::send(const std::vector<uint8_t>& bytes, uint64_t atUs, int baud) {
    uint64_t ns = std::max(atUs * 1000, freeNs_);
    for (uint8_t b : bytes) {
        ns += byteTimeNs(baud);
        queue_.push_back({b, (ns + 999) / 1000, baud});
    }
    freeNs_ = ns;
}

LineByte OutputLine::pop() {
    LineByte b = queue_.front();
    queue_.pop_front();
    return b;
}

void OutputLine::discard(uint64_t untilUs) {
    while (!queue_.empty() && queue_.front().atUs <= untilUs)
        queue_.pop_front();
}

}  // namespace camsim
