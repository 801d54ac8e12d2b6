// Frame layout of the link protocol: type, class or sequence byte, 16-bit payload length,
// payload, 16-bit wrap-around sum of the payload (0xFFFF when the sender does not sum). All
// multi-byte fields are little-endian. These helpers touch no connection state.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qorlink {

uint16_t PayloadSum(const uint8_t* payload, size_t n);

// Writes a frame of `type`, `second` (class or sequence) and payload into out, which must hold
// n + 6 bytes. Returns the frame length.
size_t BuildFrame(uint8_t* out, uint8_t type, uint8_t second, const uint8_t* payload, size_t n,
                  bool summed = true);

inline uint16_t ReadLe16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
inline uint32_t ReadLe32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
inline void WriteLe16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
inline void WriteLe32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(v >> (8 * i));
}

// Code byte of a command frame: codes 256-511 travel as code - 256.
inline uint8_t CodeByte(int code) {
    return static_cast<uint8_t>(code & 0xFF);
}

}  // namespace qorlink
