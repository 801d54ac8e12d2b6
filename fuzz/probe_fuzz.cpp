// Fuzz target: the camera's answers while the library searches for it and opens the session:
// the probe byte's answer, the session command's handshake and the first readiness query.
// Every search and open must end with a documented result.
//
// Each unit the library writes takes its answer from the input: a length byte n (0-15), then n
// bytes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "qorlink.h"
#include "scripted_line.h"

using namespace qorlink;
using qorlink::test::Bytes;
using qorlink::test::ScriptedLine;

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    size_t pos = 0;
    ScriptedLine line([&](const Bytes&) {
        if (pos >= size) return Bytes{};
        const size_t asked = data[pos] % 16;
        ++pos;
        const size_t n = std::min(asked, size - pos);
        Bytes answer(data + pos, data + pos + n);
        pos += n;
        return answer;
    });
    installPlatform(&line);
    Cam_reset_dll();
    Cam_set_speed(size > 0 ? data[0] % 8 : 5);
    const int32_t port = Cam_set_port(0);
    Check(port == -1 || port == 1 || port == 2);
    if (port > 0) {
        const int32_t r = Cam_session_enabled(1);
        Check(r == 0 || r == 3 || r == 7 || r == 8 || r == 10 || r == 11 || r == 12 || r == 13 ||
              r == 14 || r == 15 || r == 20);
    }
    Cam_reset_dll();
    installPlatform(nullptr);
    return 0;
}
