// One call at a time on the connection.
//
// Every export that reaches the connection object holds a CallGuard for its whole run. A call
// that arrives while another runs (from the progress callback, or from a second thread) is
// refused at once with QORLINK_BUSY: waiting would never end when the running call is the
// caller's own transfer, and working alongside it would change or free what it still uses. A
// release of the connection objects asked for meanwhile (Cam_reset_dll) is carried out as soon
// as the running call ends.
#pragma once

#include <cstdint>

#include "qorlink.h"

namespace qorlink {

struct LinkConnection;

class CallGuard {
  public:
    CallGuard();
    ~CallGuard();
    CallGuard(const CallGuard&) = delete;
    CallGuard& operator=(const CallGuard&) = delete;

    // False when another call is running.
    bool entered() const { return entered_; }
    // The current connection object; null when there is none or the call was refused.
    LinkConnection* connection() const;
    // What a command returns when connection() is null: no connection, or busy.
    int32_t refusal() const;

  private:
    bool entered_;
};

// Releases every connection object now, or when the running call ends.
void RequestReset();

}  // namespace qorlink
