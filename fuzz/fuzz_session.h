// What the serial fuzz targets share: a session opened on a scripted line whose camera answers
// the opening as an idle camera would, after which the line serves the fuzzer's bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform.h"
#include "qorlink.h"
#include "scripted_line.h"

namespace qorlink::fuzz {

// Stops the run when a property the library promises does not hold.
inline void Check(bool ok) {
    if (!ok) std::abort();
}

// Installs `line`, opens a session and, when it opened, hands the line `bytes` as everything the
// camera sends from now on. False when the session did not open.
inline bool OpenSessionServing(test::ScriptedLine& line, const uint8_t* bytes, size_t size) {
    installPlatform(&line);
    Cam_reset_dll();
    Cam_set_speed(5);
    Cam_set_port(1);
    if (Cam_session_enabled(1) != 0) return false;
    line.setHandler(nullptr);
    line.push(test::Bytes(bytes, bytes + size));
    return true;
}

}  // namespace qorlink::fuzz
