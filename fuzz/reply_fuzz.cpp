// Fuzz target: whatever bytes a camera sends, the link library's reply handling must end,
// never write past the caller's buffer and never report more data than it stored.
//
// The first input byte chooses the exchange; the rest is what the camera sends, all of it
// waiting on the line before the exchange starts.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "connection.h"
#include "fuzz_session.h"
#include "protocol.h"
#include "qorlink.h"
#include "scripted_line.h"

using namespace qorlink;
using qorlink::fuzz::Check;
using qorlink::test::IdleCamera;
using qorlink::test::ScriptedLine;

namespace {

constexpr size_t kCapacity = 64;
constexpr uint8_t kGuard = 0xEE;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    ScriptedLine line(IdleCamera);
    if (fuzz::OpenSessionServing(line, data + 1, size - 1)) {
        LinkConnection& c = *currentConnection;
        uint8_t out[kCapacity + 16];
        std::memset(out, kGuard, sizeof out);
        size_t length = 0;
        bool more = false;
        int32_t value = 0;
        switch (data[0] % 4) {
            case 0:
                GetValue(c, 34, &value);
                break;
            case 1:
                if (ReceiveOne(c, 31, kCapacity, out, kCapacity, &length) == 0)
                    Check(length <= kCapacity);
                break;
            case 2:
                if (ReceiveData(c, true, 31, 4, kCapacity, out, kCapacity, &length, &more) == 0)
                    Check(length <= kCapacity);
                break;
            case 3:
                Cam_get_diag_buffer_val(out, kCapacity);
                break;
        }
        for (size_t i = kCapacity; i < sizeof out; ++i)
            Check(out[i] == kGuard);
    }
    Cam_reset_dll();
    installPlatform(nullptr);
    return 0;
}
