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

}  // namespace qorlink::posix
