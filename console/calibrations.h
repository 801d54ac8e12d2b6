// The calibrations started from the main dialog's Calibration group.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "console/dialog_context.h"
#include "console/outcome.h"

namespace orvia {

// AWB and AGC gain (button 1013): asks, runs diag 3 (after the type's settle time) with a 30 s
// wait, reads the result text and the shade status, then shades as the status and the type
// say: diag 69 (status 1), diag 78 (status 2), the colour-shading sequence (status 3), or both
// programs for the double-shading type. A failed shading step is reported as a step error and
// leaves its text on the status line. The result window shows the text under "AWB Results :",
// with " OK" or " NG" for the types whose results the judgement library judges. The outcome
// holds the gains and the judgement; a failed shading step makes it a failure.
Outcome calibrateAwb(DialogContext& ctx);

// Focus (button 1014): puts the camera display on the monitor, asks, runs diag 1 (after the
// type's settle time) with a 5 s wait and shows the result text: a text that starts with the
// standard AF position goes to the result window with the position's halves, any other text
// to a message box (judged for the types whose results the judgement library judges). Every
// exit after the display was switched on turns it off again. The outcome holds AF_DIFF, the
// standard AF position and its halves where the text carries them, and the judgement.
Outcome calibrateFocus(DialogContext& ctx);

// UV Matrix (button 1023): asks, runs diag 16 with a 30 s wait, and shows the camera's result
// text in the result window. A refused start ends with the error box.
Outcome calibrateUvMatrix(DialogContext& ctx);

// One step of the colour-shading sequence: its name and its camera call, which returns the call's
// result and, after a started preset white balance or picture, waits up to 30 s for the camera.
struct ShadingStep {
    const char* name;
    std::function<int32_t()> call;
};

// The colour-shading sequence: a preset white balance and a picture at the wide end and at the
// tele end with colour shade mode on, then the mode off; the last step ("Complete All !") puts
// the lens back to the wide end and succeeds whatever the camera answers. The steps call the
// camera of `ctx` and live no longer than it.
std::vector<ShadingStep> colorShadingSteps(DialogContext& ctx);

// The standard AF position a focus text carries after "STD_AFPOS = ": the signed decimal
// number in the 12 characters after the marker (leading blanks skipped, read up to the first
// other character, held to the 32-bit range), and its upper and lower 16 bits both as signed
// numbers and in lower-case hexadecimal without leading zeros (of the unsigned halves).
struct StdAfPosition {
    int32_t value = 0;
    int32_t hi = 0;
    int32_t lo = 0;
    std::string hexHi;
    std::string hexLo;
};
// Nothing when the text does not start with the marker.
std::optional<StdAfPosition> readStdAfPosition(std::string_view focusText);

}  // namespace orvia
