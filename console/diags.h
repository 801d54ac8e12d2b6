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

}  // namespace orvia::diag
