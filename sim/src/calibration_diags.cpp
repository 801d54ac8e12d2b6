#include "camsim/calibration_diags.h"

#include <cstdio>

namespace camsim {

std::string awbResultText(double redGain, double blueGain, double agcGain) {
    char text[128];
    std::snprintf(text, sizeof text,
                  "AWB & AGC Gain\r\nR Gain   : %.3f\r\nB Gain   : %.3f\r\nAGC Gain : %.3f\r\n",
                  redGain, blueGain, agcGain);
    return text;
}

std::string focusResultText(int32_t afDiff, std::optional<int32_t> stdAfPos) {
    char text[96];
    if (stdAfPos) {
        std::snprintf(text, sizeof text, "STD_AFPOS = %d\r\nAF Calibration\r\nAF_DIFF = %d\r\n",
                      *stdAfPos, afDiff);
    } else {
        std::snprintf(text, sizeof text, "AF Calibration\r\nAF_DIFF = %d\r\n", afDiff);
    }
    return text;
}

void addCalibrationDiags(Camera& camera, CatalogueModel& model,
                         const CalibrationSettings& settings) {
    model.setResult(kDiagFocus, focusResultText(settings.afDiff, settings.stdAfPos));
    model.setResult(kDiagAwb, awbResultText(settings.redGain, settings.blueGain, settings.agcGain));
    model.setResult(kDiagUvMatrix, "UV Matrix\r\nR-Y : 1.024\r\nB-Y : 0.987\r\n");
    model.setResult(kDiagPresetWb, "Preset WB : OK\r\n");
    model.setResult(kDiagShading1, "Shading 1 : OK\r\n");
    model.setResult(kDiagShading2, "Shading 2 : OK\r\n");
    camera.profile().values[kCodeShadeStatus] = settings.shadeStatus;
}

}  // namespace camsim
