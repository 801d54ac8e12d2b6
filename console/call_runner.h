// How camera calls and waits are run.
//
// Every call the console makes into the link library goes through a CallRunner. Tests use the
// DirectRunner; the Qt program runs each call on a worker thread while the interface thread
// keeps painting, shows the wait cursor and takes no input.
#pragma once

#include <cstdint>
#include <functional>

namespace orvia {

class CallRunner {
  public:
    virtual ~CallRunner() = default;

    // Runs one blocking call and returns its result once it has finished.
    virtual int32_t run(const std::function<int32_t()>& call) = 0;
    // Runs `fn` on the thread that called run() (the interface thread) and returns when it has
    // finished. The library's progress callback reaches the dialogs this way.
    virtual void onCallerThread(const std::function<void()>& fn) = 0;
};

// Runs every call on the calling thread.
class DirectRunner final : public CallRunner {
  public:
    int32_t run(const std::function<int32_t()>& call) override { return call(); }
    void onCallerThread(const std::function<void()>& fn) override { fn(); }
};

}  // namespace orvia
