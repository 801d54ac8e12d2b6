// The LCD group's register lists: picking a value writes one LCD register of the panel or of the
// electronic viewfinder.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "console/outcome.h"

namespace orvia {

class MainDialog;

// How one register list writes its register. The register value is the list's selection plus
// `offset`.
struct LcdRegisterList {
    int list;                        // the list control
    int32_t MainDialog::*selection;  // the dialog member bound to it
    int32_t offset;
    int32_t diag;           // the program that writes the register
    int32_t diagClass4;     // the same for panel class 4
    int32_t pattern;        // the test pattern shown while adjusting
    int32_t patternClass1;  // the pattern on panel class 1
    // The pattern when the EVF box is checked, when it differs by target.
    std::optional<int32_t> patternViewfinder = std::nullopt;
    // Always writes to the LCD, whatever the EVF box says.
    bool lcdOnly = false;
    // The panel class this register does not exist on.
    std::optional<int32_t> unsupportedClass = std::nullopt;
};

// The seven lists: R Bright, B Bright, RGB Offset, Gain, H_AFC, Tint and Phase.
std::span<const LcdRegisterList> lcdRegisterLists();

// Runs when the list's selection changes: points the adjustment at the viewfinder or the LCD,
// shows the list's test pattern and writes the register, waiting up to 15 s after each step. A
// refused call ends with the error box, and the list keeps the picked value; on success the
// dialog's members are written back to the controls.
Outcome writeLcdRegister(MainDialog& dialog, const LcdRegisterList& list);

// Sets the register lists' selections from the LCD information record (words i0-i7) as the
// dialog's panel class reads it: class 5 VCOMPP and VCOMDC only; 2 all with VCOMPP and VCOMDC; 3
// all with VCOMPP; any other all with Phase. Panel classes 4, 6 and 15 do not read this record.
void assignLcdRegisters(MainDialog& dialog, const int32_t (&i)[8]);
// The part every panel class but 5 shares: RGB Offset i1, Gain i3, Tint i4, R Bright i5,
// B Bright i6 and H_AFC i2, as list positions.
void assignPanelRegisters(MainDialog& dialog, const int32_t (&i)[8]);

}  // namespace orvia
