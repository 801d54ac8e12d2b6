// The host's monotonic clock and an interruption-safe sleep.
#pragma once

#include <cstdint>

namespace qorlink::posix {

// Microseconds on the monotonic clock.
uint64_t monotonicUs();
// Milliseconds on the monotonic clock, wrapping at 2^32.
uint32_t monotonicMs();
// Sleeps the full time even when signals interrupt it.
void sleepMs(uint32_t ms);
// Sleeps until monotonicMs() reaches `tick`, waking at the start of that millisecond.
void sleepUntilMs(uint32_t tick);

}  // namespace qorlink::posix
