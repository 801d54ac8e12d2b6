// The calibrations started from the main dialog's Calibration group.
#pragma once

#include "console/dialog_context.h"

namespace orvia {

// UV Matrix (button 1023): asks, runs diag 16 with a 30 s wait, and shows the camera's result
// text in the result window. A refused start ends with the error box.
void calibrateUvMatrix(DialogContext& ctx);

}  // namespace orvia
