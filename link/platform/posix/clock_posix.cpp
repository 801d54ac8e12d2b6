#include "posix/clock_posix.h"

#include <cerrno>
#include <ctime>

namespace qorlink::posix {

uint64_t monotonicUs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<uint64_t>(ts.tv_sec) * 1000000u + static_cast<uint64_t>(ts.tv_nsec) / 1000u;
}

uint32_t monotonicMs() {
    return static_cast<uint32_t>(monotonicUs() / 1000u);
}

void sleepMs(uint32_t ms) {
    timespec left{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000L};
    while (nanosleep(&left, &left) != 0 && errno == EINTR) {
    }
}

void sleepUntilMs(uint32_t tick) {
    const uint64_t now = monotonicUs();
    const int32_t aheadMs = static_cast<int32_t>(tick - static_cast<uint32_t>(now / 1000u));
    if (aheadMs <= 0) return;
    const uint64_t target = (now / 1000u + static_cast<uint64_t>(aheadMs)) * 1000u;
    timespec at{static_cast<time_t>(target / 1000000u),
                static_cast<long>(target % 1000000u) * 1000L};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &at, nullptr) == EINTR) {
    }
}

}  // namespace qorlink::posix
