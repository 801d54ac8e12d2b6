#include "win32/clock_win32.h"

#include <windows.h>

namespace qorlink::win32 {

namespace {

int64_t counterFrequency() {
    static const int64_t frequency = [] {
        LARGE_INTEGER f{};
        QueryPerformanceFrequency(&f);
        return f.QuadPart > 0 ? f.QuadPart : int64_t{1000};
    }();
    return frequency;
}

int64_t counterNow() {
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

// Microseconds since an arbitrary start.
uint64_t monotonicUs() {
    const int64_t f = counterFrequency();
    const int64_t c = counterNow();
    return static_cast<uint64_t>(c / f) * 1000000u + static_cast<uint64_t>((c % f) * 1000000 / f);
}

// Asks once for the system timer's finest period, so that Sleep(1) sleeps about 1 ms.
void ensureFineTimer() {
    static const bool asked = [] {
        TIMECAPS caps{};
        if (timeGetDevCaps(&caps, sizeof caps) == MMSYSERR_NOERROR)
            timeBeginPeriod(caps.wPeriodMin > 1 ? caps.wPeriodMin : 1);
        return true;
    }();
    (void)asked;
}

}  // namespace

uint32_t tickMs() {
    return static_cast<uint32_t>(monotonicUs() / 1000u);
}

void sleepMs(uint32_t ms) {
    ensureFineTimer();
    Sleep(ms);
}

void sleepUntilTick(uint32_t tick) {
    ensureFineTimer();
    for (;;) {
        const uint64_t now = monotonicUs();
        const int32_t aheadMs = static_cast<int32_t>(tick - static_cast<uint32_t>(now / 1000u));
        if (aheadMs <= 0) return;
        // Sleep short of the boundary, then give the processor away until it is passed.
        if (aheadMs > 1)
            Sleep(static_cast<DWORD>(aheadMs - 1));
        else
            SwitchToThread();
    }
}

}  // namespace qorlink::win32
