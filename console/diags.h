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

// Adjustment dialogs: organic-EL levels and ACL, display patterns, Hall element, lens and PAF.
inline constexpr int32_t kOelBlackRed = 61;
inline constexpr int32_t kOelBlackGreen = 62;
inline constexpr int32_t kOelBlackBlue = 63;
inline constexpr int32_t kOelBlackWhite = 72;
inline constexpr int32_t kOelWhiteRed = 64;
inline constexpr int32_t kOelWhiteGreen = 65;
inline constexpr int32_t kOelWhiteBlue = 66;
inline constexpr int32_t kOelWhiteWhite = 73;
inline constexpr int32_t kOelAclBrightness = 67;
inline constexpr int32_t kOelAclSlant = 68;
inline constexpr int32_t kPatternWhiteLevel = 0;
inline constexpr int32_t kPatternBlackLevel = 2;
inline constexpr int32_t kPatternBlackCheck = 8;
inline constexpr int32_t kPatternWhitePixel = 9;
inline constexpr int32_t kPatternWhiteWork = 10;
inline constexpr int32_t kAperture = 55;
inline constexpr int32_t kHallGainRough = 56;
inline constexpr int32_t kHallGainFine = 57;
inline constexpr int32_t kHallOffsetRough = 58;
inline constexpr int32_t kHallOffsetFine = 59;
inline constexpr int32_t kLensInitialize = 70;
inline constexpr int32_t kPafUniformity = 46;
inline constexpr int32_t kPafDistance = 47;
inline constexpr int32_t kPafParallax = 48;
inline constexpr int32_t kPafTemp1 = 49;
inline constexpr int32_t kPafTemp2 = 50;
inline constexpr int32_t kPafUpDown = 54;
inline constexpr uint32_t kWaitAdjustment = 15;
inline constexpr uint32_t kWaitPafShort = 5;

// Readiness waits, in seconds.
inline constexpr uint32_t kWaitCalibration = 30;
inline constexpr uint32_t kWaitDisplaySelect = 15;

}  // namespace orvia::diag
