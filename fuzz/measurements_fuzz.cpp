// Fuzz target: the values a station records from a result text (the AWB and AGC gains, the focus
// error, and any "<name> : <number>" line), read from the camera's result buffer. A reader never
// fails: it finds a finite number or nothing, each value at most once under its own name.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "console/diag_run.h"
#include "console/measurements.h"
#include "console/outcome.h"
#include "fuzz_console.h"

namespace {

using orvia::fuzz::Check;

// The measured value `name` of `outcome` matches what the line reader finds for `line`.
void CheckMeasured(const orvia::Outcome& outcome, std::string_view name, std::string_view text,
                   std::string_view line, std::string_view unit) {
    const std::optional<double> read = orvia::numberAfterName(text, line);
    const orvia::Measurement* m = outcome.value(name);
    Check(read.has_value() == (m != nullptr));
    if (m == nullptr) return;
    Check(m->number.has_value() && std::isfinite(*m->number) && *m->number == *read);
    Check(m->unit == unit);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A name to look for (up to 15 bytes), then the camera's result buffer.
    orvia::fuzz::Bytes bytes(data, size);
    const auto nameBytes = bytes.take(bytes.byte() % 16);
    const std::string name(nameBytes.begin(), nameBytes.end());
    orvia::fuzz::DiagTextCamera camera(bytes.rest());
    const std::string text = orvia::readDiagText(camera);

    const std::optional<double> found = orvia::numberAfterName(text, name);
    if (found) Check(std::isfinite(*found) && !name.empty());
    if (!name.empty()) {
        // A line of its own ahead of the text is the first line that names it.
        const std::optional<double> first = orvia::numberAfterName(name + " : 5\r\n" + text, name);
        Check(first.has_value() && *first == 5);
    }

    orvia::Outcome awb;
    orvia::addAwbGains(awb, text);
    Check(awb.values.size() <= 3);
    CheckMeasured(awb, "awb_r_gain", text, "R Gain", "");
    CheckMeasured(awb, "awb_b_gain", text, "B Gain", "");
    CheckMeasured(awb, "agc_gain", text, "AGC Gain", "");

    orvia::Outcome focus;
    orvia::addFocusError(focus, text);
    Check(focus.values.size() <= 1);
    CheckMeasured(focus, "af_diff", text, "AF_DIFF", "pulse");
    return 0;
}
