#include "frame.h"

#include <cstring>

#include "link_constants.h"

namespace qorlink {

uint16_t PayloadSum(const uint8_t* payload, size_t n) {
    uint16_t sum = 0;
    for (size_t i = 0; i < n; ++i)
        sum = static_cast<uint16_t>(sum + payload[i]);
    return sum;
}

size_t BuildFrame(uint8_t* out, uint8_t type, uint8_t second, const uint8_t* payload, size_t n,
                  bool summed) {
    out[0] = type;
    out[1] = second;
    WriteLe16(out + 2, static_cast<uint16_t>(n));
    if (n > 0) std::memcpy(out + kFrameHeader, payload, n);
    WriteLe16(out + kFrameHeader + n, summed ? PayloadSum(payload, n) : kNoSum);
    return n + kFrameOverhead;
}

}  // namespace qorlink
