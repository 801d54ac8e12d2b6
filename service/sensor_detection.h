// The two sensor detections the Test list starts: CCD defect detection and CCD black detection.
#pragma once

#include "console/outcome.h"

namespace orvia {

struct DialogContext;

// Asks first; runs the defect program, waits up to 30 s and shows the camera's text.
Outcome runCcdDefectDetection(DialogContext& ctx);
// The same with the black program; the types of the pause table first pause for their time
// (up to 110 s) before the wait, with the window kept painting.
Outcome runCcdBlackDetection(DialogContext& ctx);

}  // namespace orvia
