// The installed platform: a test's virtual platform, or the host backend when none is installed.
#include "platform.h"

#include <atomic>

namespace qorlink {

namespace {
std::atomic<Platform*> installed{nullptr};
}  // namespace

Platform& currentPlatform() {
    Platform* p = installed.load(std::memory_order_acquire);
    return p != nullptr ? *p : hostPlatform();
}

void installPlatform(Platform* p) {
    installed.store(p, std::memory_order_release);
}

}  // namespace qorlink
