// The camera's diagnostic programs that the console starts, by number, and the time each may
// take before the console carries on.
#pragma once

#include <cstdint>

namespace orvia::diag {

inline constexpr int32_t kUvMatrix = 16;
inline constexpr int32_t kSelectLcd = 28;
inline constexpr int32_t kSelectViewfinder = 29;

// AWB, shading and Focus calibrations.

// Firmware and data upload: the load selectors written before the data, which tell the camera
// what the data is.
inline constexpr int32_t kSelectorFirmware = 0x0FEDBEBE;
inline constexpr int32_t kSelectorFontData = 0x0FEAECDB;
inline constexpr int32_t kSelectorNandData = 0x0FEACDEB;
// A ".BIN" data file is font data when this text lies within its first kFontProbeBytes bytes;
// a font upload reads that many bytes before it starts.
inline constexpr char kFontMarker[] = "FONT_VERSION";
inline constexpr uint32_t kFontProbeBytes = 112;
// Largest files accepted: an image is held in memory and sent as a picture (the link library
// takes at most 10 MiB); firmware, font and NAND data are read whole by the link library.
inline constexpr uint32_t kMaxImageBytes = 0xA00000;
inline constexpr uint32_t kMaxLoadFileBytes = 0x4000000;
// Restart after a firmware write, in seconds: models that restart quickly, all others, and the
// further wait of the model that restarts slowly; then up to kVersionTries reads of the version
// with kVersionRetryMs after each failed one.
inline constexpr uint32_t kWaitQuickRestart = 20;
inline constexpr uint32_t kWaitRestart = 60;
inline constexpr uint32_t kWaitSlowRestartMore = 70;
inline constexpr int kVersionTries = 3;
inline constexpr uint32_t kVersionRetryMs = 2000;
// The restart waits sleep in steps this long, so the window keeps painting and the progress bar
// can show how much of the wait has passed.
inline constexpr uint32_t kRestartStepMs = 250;
// Readiness after committing an image and after committing font or NAND data.
inline constexpr uint32_t kWaitImageWrite = 40;
inline constexpr uint32_t kWaitDataWrite = 5;

// Camera initialisation and the LCD register lists.

// Readiness waits, in seconds.
inline constexpr uint32_t kWaitCalibration = 30;
inline constexpr uint32_t kWaitDisplaySelect = 15;

}  // namespace orvia::diag
