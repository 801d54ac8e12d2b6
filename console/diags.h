// The camera's diagnostic programs that the console starts, by number, and the time each may
// take before the console carries on.
#pragma once

#include <cstdint>

namespace orvia::diag {

inline constexpr int32_t kUvMatrix = 16;
inline constexpr int32_t kSelectLcd = 28;
inline constexpr int32_t kSelectViewfinder = 29;

// AWB, shading and Focus calibrations.
inline constexpr int32_t kFocus = 1;
inline constexpr int32_t kAwb = 3;
inline constexpr int32_t kPresetWb = 45;
inline constexpr int32_t kShading1 = 69;         // shade status 1
inline constexpr int32_t kShading2 = 78;         // shade status 2
inline constexpr int32_t kShadeStatusColor = 3;  // the colour-shading sequence
// Focal positions of the focal length record {position, kFocalScale}.
inline constexpr int32_t kFocalWide = 10;
inline constexpr int32_t kFocalTele = -16;
inline constexpr int32_t kFocalScale = 10;
inline constexpr int32_t kColorShadeOn = 1;
inline constexpr int32_t kColorShadeOff = 0;
// Display states the Focus calibration sets: the monitor while it runs, off after.
inline constexpr int32_t kDisplayMonitor = 2;
inline constexpr int32_t kDisplayOff = 1;
inline constexpr uint32_t kWaitFocusDisplay = 10;
inline constexpr uint32_t kWaitFocus = 5;
inline constexpr uint32_t kFocusSettleMs = 30'000;

// Camera initialisation and the LCD register lists.

// Readiness waits, in seconds.
inline constexpr uint32_t kWaitCalibration = 30;
inline constexpr uint32_t kWaitDisplaySelect = 15;

}  // namespace orvia::diag
