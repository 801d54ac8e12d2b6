// One call at a time on the connection.
//
// Every export that reaches the connection object holds a CallGuard for its whole run. A call
// from another thread while one runs waits its turn, and then runs on the connection as the
// running call left it. A call from inside a running call on the same thread (the progress
// callback of a transfer) is refused at once with QORLINK_BUSY: waiting would never end, since
// the running call is the caller's own, and working alongside it would change or free what it
// still uses. A release of the connection objects asked for from inside the running call
// (Cam_reset_dll in the callback) is carried out as soon as that call ends.
#pragma once

#include <cstdint>

#include "qorlink.h"

namespace qorlink {

struct LinkConnection;

class CallGuard {
  public:
    // Waits while a call of another thread runs.
    CallGuard();
    ~CallGuard();
    CallGuard(const CallGuard&) = delete;
    CallGuard& operator=(const CallGuard&) = delete;

    // False for a call from inside a running call on the same thread.
    bool entered() const { return entered_; }
    // The current connection object; null when there is none or the call was refused.
    LinkConnection* connection() const;
    // What a command returns when connection() is null: no connection, or busy.
    int32_t refusal() const;

  private:
    bool entered_;
};

// Releases every connection object: at once, after waiting for a call of another thread to end,
// or, asked from inside a running call, when that call ends.
void RequestReset();

// How many calls are waiting for the running one to end (for tests of the waiting).
int32_t CallsWaiting();

}  // namespace qorlink
