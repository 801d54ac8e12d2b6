#include "console/wait_ready.h"

#include "console/camera.h"
#include "console/clock.h"

namespace orvia {

bool waitReady(Camera& camera, Clock& clock, uint32_t limitSeconds) {
    const uint32_t start = clock.tickMs() / 1000;
    for (;;) {
        if (clock.tickMs() / 1000 - start >= limitSeconds) return false;
        if (camera.ready() != 0) return true;
    }
}

}  // namespace orvia
