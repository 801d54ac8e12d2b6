#include "console/clock.h"

#include <chrono>
#include <thread>

#include "console/call_runner.h"

namespace orvia {

uint32_t SystemClock::tickMs() {
    using namespace std::chrono;
    return static_cast<uint32_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void SystemClock::sleepMs(uint32_t ms) {
    runner_.run([ms] {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        return 0;
    });
}

std::time_t SystemClock::wallTime() {
    return std::time(nullptr);
}

int64_t SystemClock::wallTimeMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

}  // namespace orvia
