// Time as the console sees it: a millisecond tick for bounded waits, sleeps, and the local wall
// clock. The program uses SystemClock; tests use a virtual clock so that 60-second sleeps and
// 30-second waits cost nothing.
#pragma once

#include <cstdint>
#include <ctime>

namespace orvia {

class CallRunner;

class Clock {
  public:
    virtual ~Clock() = default;

    // Milliseconds since an arbitrary start; wraps at 2^32.
    virtual uint32_t tickMs() = 0;
    virtual void sleepMs(uint32_t ms) = 0;
    // Seconds since the epoch, as time() gives them.
    virtual std::time_t wallTime() = 0;
    // Milliseconds since the epoch (the wall clock to the millisecond where the clock has it).
    virtual int64_t wallTimeMs() { return static_cast<int64_t>(wallTime()) * 1000; }
};

// The host's clocks. Sleeps run through the call runner so the window keeps painting.
class SystemClock final : public Clock {
  public:
    explicit SystemClock(CallRunner& runner) : runner_(runner) {}
    uint32_t tickMs() override;
    void sleepMs(uint32_t ms) override;
    std::time_t wallTime() override;
    int64_t wallTimeMs() override;

  private:
    CallRunner& runner_;
};

}  // namespace orvia
