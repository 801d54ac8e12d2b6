// What both Windows storage backends ask of a command before it goes out, and how long it may
// take.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "platform.h"
#include "win32/storage_constants_win32.h"

namespace qorlink::win32 {

// The bytes a command moves: none without a direction, whatever the length says.
inline size_t DataLength(ScsiDirection direction, size_t length) {
    return direction == ScsiDirection::None ? 0 : length;
}

// A CDB of 1-16 bytes, a length the request's 32-bit field can carry, and a buffer when there is
// data to move.
inline bool CommandFits(size_t cdbLength, const uint8_t* data, size_t dataLength) {
    if (cdbLength == 0 || cdbLength > kMaxCdbLength) return false;
    if (dataLength > UINT32_MAX) return false;
    return dataLength == 0 || data != nullptr;
}

// A zero time-out would mean "the driver's default": every command gets at least one second.
inline uint32_t TimeoutSeconds(uint32_t seconds) {
    return std::max<uint32_t>(seconds, 1);
}

inline DWORD TimeoutMs(uint32_t seconds) {
    const uint32_t s = TimeoutSeconds(seconds);
    // INFINITE is one above the largest bound.
    return s >= (INFINITE - 1) / kMsPerSecond ? INFINITE - 1 : s * kMsPerSecond;
}

}  // namespace qorlink::win32
