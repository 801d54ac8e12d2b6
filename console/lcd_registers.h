// The LCD group's register lists: picking a value writes one LCD register of the panel or of the
// electronic viewfinder.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

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
void writeLcdRegister(MainDialog& dialog, const LcdRegisterList& list);

}  // namespace orvia
