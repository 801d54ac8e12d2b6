// The Initialize button of the main dialog's Upload group: resets the camera's settings to their
// defaults.
#pragma once

#include "console/dialog_context.h"
#include "console/outcome.h"

namespace orvia {

// Initialize (button 1018), by the first rule that applies:
// - PAF models: the button opens the PAF calibration dialog, told whether the EVF box is checked.
// - Repair-site mode: the settings-only initialisation, plus adjust status 27 for the models of
//   AdjustStatusModels; the status line reports completion.
// - Otherwise: asks, runs the two resetting programs and the report program, and shows the
//   camera's report text in a box. What the resetting programs did is the report's to tell, but
//   one that could not be started ends the procedure with the error box.
Outcome initializeCamera(DialogContext& ctx, bool evf);

}  // namespace orvia
