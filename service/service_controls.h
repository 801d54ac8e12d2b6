// The main dialog's service controls: the Cal Mode and Cal Data entries, the VCOMDC and VCOMPP
// lists, the LCD Type list, the EVF, VCO and Step com boxes, and the backrush pulse.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "console/outcome.h"

namespace orvia {

class MainDialog;
struct DialogContext;

// Starts the calibration-mode program (22) or the calibration-data program (20, after panel
// pattern 6) with the entry's value and shows the camera's text.
Outcome startCalMode(MainDialog& dialog);
Outcome startCalData(MainDialog& dialog);

// Writes the VCOMDC (`dc` true) or VCOMPP register from its list, for the panel types that have
// it.
Outcome writeVcom(MainDialog& dialog, bool dc);

// The LCD Type list: takes the new type; nothing is sent.
void takeLcdType(MainDialog& dialog);

// The EVF box: points the LCD adjustments at the viewfinder (ticked) or the LCD (cleared) and
// re-reads the register lists; ticking may change the LCD type, clearing restores it.
Outcome switchEvf(MainDialog& dialog);

// The VCO box: switches the VCO on or off.
Outcome switchVco(MainDialog& dialog);

// The Step com box: its state is only held.
void takeStepCom(MainDialog& dialog);

// The Maintenance button's rule for a repair site: clears the camera's adjust status, with the
// wait and completion statuses. (The button's other rules open adjustment dialogs.)
Outcome clearAdjustStatus(DialogContext& ctx);

// The backrush pulse: Get shows the camera's value as "0x%08X"; Set sends the edit's value.
Outcome getBackrushPulse(MainDialog& dialog);
Outcome setBackrushPulse(MainDialog& dialog);

// The edit's backrush text as a value: "0x"/"0X" and hexadecimal digits, or a decimal number,
// read up to the first character that belongs to neither; nothing when no digit was read or the
// number does not fit in 32 bits.
std::optional<int32_t> parseBackrushPulse(const std::string& text);

}  // namespace orvia
