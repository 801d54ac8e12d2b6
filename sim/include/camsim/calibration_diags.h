// The software camera's calibration programs, on top of the catalogue model.
//
// The programs started with execute code 6 leave result texts of the shapes the console reads:
// - focus (1): "AF Calibration" and the focus error "AF_DIFF = n" in lens pulses; or, when the
//   camera is set to report it, a text that starts with "STD_AFPOS = v", the standard AF
//   position as a signed decimal number;
// - AWB and AGC gain (3): "AWB & AGC Gain" and one "<name> Gain : g.ggg" line per gain (red,
//   blue, AGC);
// - UV matrix (16), preset white balance (45) and the two shading programs (69, 78): a heading
//   and their outcome.
// The shade status (value code 199) tells the console which shading follows AWB: 1 and 2 the
// programs 69 and 78, 3 the colour-shading sequence, which sets the colour-shade mode (value code
// 162), moves the lens with the focal length record (code 71: position, 10) and takes pictures
// (execute code 2); those are plain values, records and execute commands of the camera. How long
// each program keeps the camera busy is the profile's execute time (executeUsByProgram).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "camsim/camera.h"
#include "camsim/catalogue_profile.h"

namespace camsim {

inline constexpr int kDiagFocus = 1;
inline constexpr int kDiagAwb = 3;
inline constexpr int kDiagUvMatrix = 16;
inline constexpr int kDiagPresetWb = 45;
inline constexpr int kDiagShading1 = 69;
inline constexpr int kDiagShading2 = 78;

inline constexpr int kCodeShadeStatus = 199;
inline constexpr int kCodeColorShade = 162;
inline constexpr int kCodeFocalLength = 71;
inline constexpr int kCodeTakePicture = 2;

struct CalibrationSettings {
    double redGain = 1.012;
    double blueGain = 0.991;
    double agcGain = 1.004;
    // Focus error in lens pulses.
    int32_t afDiff = -3;
    // When set, the focus text starts with "STD_AFPOS = " and this position instead.
    std::optional<int32_t> stdAfPos{};
    // Reported by value code 199.
    int32_t shadeStatus = 1;
};

std::string awbResultText(double redGain, double blueGain, double agcGain);
std::string focusResultText(int32_t afDiff, std::optional<int32_t> stdAfPos);

// Gives `model`'s calibration programs their result texts and `camera` its shade status.
void addCalibrationDiags(Camera& camera, CatalogueModel& model,
                         const CalibrationSettings& settings = {});

}  // namespace camsim
