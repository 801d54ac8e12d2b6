// Fuzz target: the standard AF position in a focus result text, read from the camera's result
// buffer as the focus calibration reads it. The number is the signed decimal in the 12 characters
// after the marker, held to 32 bits, and its halves and their hexadecimal forms agree with it.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>

#include "console/calibrations.h"
#include "console/diag_run.h"
#include "console/texts.h"
#include "fuzz_console.h"

using orvia::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    orvia::fuzz::DiagTextCamera camera({data, size});
    const std::string text = orvia::readDiagText(camera);
    Check(text.size() <= orvia::kDiagTextBytes && text.find('\0') == std::string::npos);

    const std::optional<orvia::StdAfPosition> pos = orvia::readStdAfPosition(text);
    const std::string_view marker = orvia::text::kStdAfPosMarker;
    Check(pos.has_value() == text.starts_with(marker));
    if (!pos) return 0;

    // The same number as the C library reads it from the 12 characters after the marker.
    const std::string window = text.substr(marker.size(), 12);
    const long long read = std::strtoll(window.c_str(), nullptr, 10);
    const long long held = std::clamp<long long>(read, std::numeric_limits<int32_t>::min(),
                                                 std::numeric_limits<int32_t>::max());
    Check(pos->value == held);

    const auto bits = static_cast<uint32_t>(pos->value);
    Check(static_cast<uint16_t>(pos->hi) == bits >> 16 && pos->hi >= -32768 && pos->hi <= 32767);
    Check(static_cast<uint16_t>(pos->lo) == (bits & 0xFFFF) && pos->lo >= -32768 &&
          pos->lo <= 32767);
    char hex[8];
    std::snprintf(hex, sizeof hex, "%x", static_cast<unsigned>(bits >> 16));
    Check(pos->hexHi == hex);
    std::snprintf(hex, sizeof hex, "%x", static_cast<unsigned>(bits & 0xFFFF));
    Check(pos->hexLo == hex);
    return 0;
}
