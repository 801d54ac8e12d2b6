// The millisecond clock and sleeping on Windows.
#pragma once

#include <cstdint>

namespace qorlink::win32 {

// Milliseconds from the performance counter (finer than the 15.6 ms system tick); wraps at 2^32.
uint32_t tickMs();
// Sleeps at least `ms` milliseconds, with the system timer at its 1 ms resolution.
void sleepMs(uint32_t ms);
// Sleeps until tickMs() has reached `tick`, waking within the tick's first moment.
void sleepUntilTick(uint32_t tick);

}  // namespace qorlink::win32
