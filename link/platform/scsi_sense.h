// SCSI sense data as the host backends judge it, and what they make of a short transfer.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace qorlink {

inline constexpr uint8_t kSenseKeyNoSense = 0x00;

// Sense key of fixed (0x70/0x71) or descriptor (0x72/0x73) format sense data; -1 when the
// bytes hold neither format.
inline int SenseKey(const uint8_t* sense, size_t length) {
    if (length == 0) return -1;
    const uint8_t response = sense[0] & 0x7F;
    if ((response == 0x70 || response == 0x71) && length > 2) return sense[2] & 0x0F;
    if ((response == 0x72 || response == 0x73) && length > 1) return sense[1] & 0x0F;
    return -1;
}

// True when the bytes are sense data whose key is other than NO SENSE.
inline bool SenseReportsError(const uint8_t* sense, size_t length) {
    const int key = SenseKey(sense, length);
    return key >= 0 && key != kSenseKeyNoSense;
}

// A short transfer leaves the end of the buffer as it was: it is cleared, so that nothing of an
// earlier command reads as the device's answer. `delivered` counts only up to the buffer's end.
inline void ClearUndelivered(uint8_t* data, size_t length, size_t delivered) {
    delivered = std::min(delivered, length);
    if (delivered < length) std::memset(data + delivered, 0, length - delivered);
}

}  // namespace qorlink
