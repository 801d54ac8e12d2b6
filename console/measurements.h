// The values a procedure reads out of a camera's result text, for its outcome. The camera writes
// its results as lines of "<name> : <number>" or "<name> = <number>"; these readers take the
// numbers a station judges and never fail: a value the text does not carry is simply absent.
#pragma once

#include <optional>
#include <string_view>

namespace orvia {

struct Outcome;

// The number after the first "<name>" followed by blanks and ':' or '=' in `text` (a line's own
// name only: "R Gain" does not match inside "AGC Gain"); nothing when absent or not a number.
std::optional<double> numberAfterName(std::string_view text, std::string_view name);

// The gains of an AWB and AGC result text: "awb_r_gain", "awb_b_gain" and "agc_gain".
void addAwbGains(Outcome& outcome, std::string_view awbText);

// The focus error of a focus result text, "af_diff" in lens pulses.
void addFocusError(Outcome& outcome, std::string_view focusText);

}  // namespace orvia
