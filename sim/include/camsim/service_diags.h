// The software camera's service side, on top of the catalogue model:
// - the records and values the service tests read, unless the profile holds its own: the display
//   state (Off), the template check outcome (copy complete), the backrush pulse, the adjustment
//   data (code 49, 12 words) and the camera information (code 81, 8 words);
// - the display state (value code 34) follows the display commands (execute code 8): 1 Off,
//   2 Monitor, 3 Play and 6 PlayMulti9 become the state, the one-shot steps 7 and 8 leave it; a
//   camera without a display (state 0) stays at 0;
// - the service programs started with execute code 6 leave result texts of plausible shapes: the
//   CCD defect (0) and black (30) detections, the VCOM, VCO and calibration-data programs, Set
//   Apply, EIS, keystone, infinity, pixel map, AF LED, tracking, zoom and sensor WB (program 22
//   keeps the initialisation report of the catalogue model, and 69 the first shading text);
// - the version texts of selectors 3 (boot) and 4 (NAND); selector 0x10004 (NAND verify) answers
//   "0" unless set otherwise;
// - the long shading result: program 69 leaves a text longer than the 1024-byte buffer when
//   `longShadingBytes` is set.
#pragma once

#include <cstdint>
#include <string>

#include "camsim/camera.h"
#include "camsim/catalogue_profile.h"

namespace camsim {

inline constexpr int kCodeDisplayState = 34;
inline constexpr int kCodeDisplayCommand = 8;
inline constexpr int kCodeTemplateCheck = 189;
inline constexpr int kCodeBackrushPulse = 143;
inline constexpr int kCodeAdjustmentData = 49;
inline constexpr int kCodeCameraInfo = 81;
inline constexpr int kDiagShadingAdj = 69;

struct ServiceSettings {
    // Program 69 reports a result of this many bytes (0: the ordinary short text).
    size_t longShadingBytes = 0;
};

// A shading result of `bytes` characters: numbered lines of block values.
std::string longShadingText(size_t bytes);

void addServiceDiags(Camera& camera, CatalogueModel& model, const ServiceSettings& settings = {});

}  // namespace camsim
