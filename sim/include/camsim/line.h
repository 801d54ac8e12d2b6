// The camera's serial line: speeds, handshake bytes and the time a byte takes on the wire.
#pragma once

#include <cstddef>
#include <cstdint>

namespace camsim {

// Line speed by the speed index of the session command; index 0 is the idle speed.
inline constexpr int kSpeedTable[] = {19200, 9600, 19200, 38400, 57600, 115200, 230400};
inline constexpr int kIdleBaud = 19200;
inline constexpr int kMaxSpeedIndex = 6;

// Handshake bytes, sent unframed.
inline constexpr uint8_t kProbe = 0x00;
inline constexpr uint8_t kEnq = 0x05;
inline constexpr uint8_t kAck = 0x06;
inline constexpr uint8_t kDc1 = 0x11;
inline constexpr uint8_t kNak = 0x15;
inline constexpr uint8_t kCan = 0x18;
inline constexpr uint8_t kSessionEnd = 0xFF;

// What a byte sent at one speed looks like to a receiver listening at another.
inline constexpr uint8_t kGarbled = 0xFE;

// Nanoseconds one byte (start bit, 8 data bits, stop bit) takes at `baud`.
inline constexpr uint64_t byteTimeNs(int baud) {
    return 10'000'000'000ull / static_cast<uint64_t>(baud);
}

// Microseconds, rounded up, that n bytes take at `baud`.
inline constexpr uint64_t lineTimeUs(size_t n, int baud) {
    return (static_cast<uint64_t>(n) * 10'000'000ull + static_cast<uint64_t>(baud) - 1) /
           static_cast<uint64_t>(baud);
}

}  // namespace camsim
