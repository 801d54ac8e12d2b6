// Helpers shared by the adjustment dialogs: hexadecimal level texts, reading controls with the
// prompt for a number that does not parse, and the diagnostic step with its own failure texts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "console/dialog_context.h"
#include "console/dialog_model.h"
#include "console/outcome.h"

namespace orvia {

// The whole text as a hexadecimal number (at most 8 digits, no prefix, no spaces); nothing for
// an empty text or one holding anything else.
std::optional<int32_t> parseHex(const std::string& text);

// A level as upper-case hexadecimal without leading zeros, from its low 8 bits ("0", "7F", "FF").
std::string levelText(int32_t value);

// Reads the controls; a numeric edit that holds no number within its range is refused with the
// prompt ("Please enter an integer between <low> and <high>."), its value last held is shown
// again and the controls are read once more. Returns false when a prompt was shown.
bool readControlsOrPrompt(DialogModel& dialog, Operator& op);

// One level step: the value into the diagnostic word, the program started, then the wait for the
// camera (15 s, a time-out is silent). A refused call shows "Set diag long failed." or "Execute
// diag failed." and returns the failure, with the refused call's result.
Outcome runLevelStep(DialogContext& ctx, int32_t value, int32_t diag);

}  // namespace orvia
