// The camera's diagnostic programs that the console starts, by number, and the time each may
// take before the console carries on.
#pragma once

#include <cstdint>

namespace orvia::diag {

inline constexpr int32_t kUvMatrix = 16;
inline constexpr int32_t kSelectLcd = 28;
inline constexpr int32_t kSelectViewfinder = 29;

// AWB, shading and Focus calibrations.

// Camera initialisation and the LCD register lists.

// Readiness waits, in seconds.
inline constexpr uint32_t kWaitCalibration = 30;
inline constexpr uint32_t kWaitDisplaySelect = 15;

// ---- Identity and region settings ----------------------------------------------------------

// Identity records written from the diagnostic buffer.
inline constexpr int32_t kWriteSerial = 4;
inline constexpr int32_t kWriteVendor = 33;
inline constexpr int32_t kWriteProduct = 34;
inline constexpr int32_t kWriteRevision = 35;
// MAC address halves written from the diagnostic word.
inline constexpr int32_t kWriteMacHigh = 26;
inline constexpr int32_t kWriteMacLow = 27;
// Wait after each identity or region write, in seconds.
inline constexpr uint32_t kWaitSetting = 15;

}  // namespace orvia::diag
