// The Initialize button of the main dialog's Upload group: resets the camera's settings to their
// defaults.
#pragma once

#include "console/dialog_context.h"

namespace orvia {

// Initialize (button 1018), by the first rule that applies:
// - PAF models: the button opens the PAF calibration dialog, told whether the EVF box is checked.
// - Repair-site mode: the settings-only initialisation, plus adjust status 27 for the models of
//   AdjustStatusModels; the status line reports completion.
// - Otherwise: asks, runs the two resetting programs (their outcome is not examined) and the
//   report program, and shows the camera's report text in a box.
void initializeCamera(DialogContext& ctx, bool evf);

}  // namespace orvia
