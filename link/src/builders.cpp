// The generic command builders: session, busy marking, one exchange, reopen-and-retry after the
// camera ended the session, and the final result recorded on the connection.
#include "builders.h"

#include "connection.h"
#include "link_constants.h"
#include "protocol.h"
#include "transport.h"

namespace qorlink {
namespace {

// Runs `exchange` on a busy connection. After the camera ended the session the session is
// reopened and the exchange repeated, while `repeatable` allows it, reopening succeeds and the
// shared retry counter stays below its limit; a local bound keeps a camera that ends every
// session from holding the caller forever.
template <typename Exchange, typename Repeatable>
int RunExchange(LinkConnection& c, Exchange exchange, Repeatable repeatable) {
    c.state = LinkState::Busy;
    int r = exchange();
    for (int reopens = 0; r == QORLINK_SESSION_CLOSE && reopens < kReopenLimit && repeatable();
         ++reopens) {
        ++c.retryCount;
        if (ReopenSession(c) != QORLINK_OK || c.retryCount >= kReopenLimit) break;
        c.state = LinkState::Busy;
        r = exchange();
    }
    return r;
}

template <typename Exchange>
int RunExchange(LinkConnection& c, Exchange exchange) {
    return RunExchange(c, exchange, [] { return true; });
}

}  // namespace

int SetCommand(LinkConnection& c, int code, int32_t value) {
    if (const int e = EnsureSession(c); e != QORLINK_OK) return SetLastResult(c, e);
    const int r = RunExchange(c, [&] { return SetValue(c, ClassForCode(code), code, value); });
    return SetLastResult(c, r);
}

int32_t QueryCommand(LinkConnection& c, int code, bool abortable) {
    c.reopened = 0;
    if (const int e = EnsureSession(c); e != QORLINK_OK) {
        SetLastResult(c, e);
        return -1;
    }
    if (abortable && c.reopened) return -2;
    c.state = LinkState::Busy;
    int32_t value = -1;
    int r = GetValue(c, code, &value);
    for (int reopens = 0; r == QORLINK_SESSION_CLOSE && reopens < kReopenLimit; ++reopens) {
        ++c.retryCount;
        if (ReopenSession(c) != QORLINK_OK || c.retryCount >= kReopenLimit) break;
        // The session was reopened under this query: an abortable query stops here.
        if (abortable) return -2;
        c.state = LinkState::Busy;
        r = GetValue(c, code, &value);
    }
    SetLastResult(c, r);
    return r == QORLINK_OK ? value : -1;
}

int SendCommand(LinkConnection& c, int code, const uint8_t* data, size_t length) {
    if (const int e = EnsureSession(c); e != QORLINK_OK) return SetLastResult(c, e);
    // A send that has put a frame on the line is not sent again after the session ended: what
    // the camera kept of it is not known, and a repeat could leave the data doubled or cut
    // while reporting success. The caller sees 20 and sends again from the start.
    bool delivered = false;
    const int r = RunExchange(
        c, [&] { return SendData(c, data, length, code, ClassForCode(code), &delivered); },
        [&] { return !delivered; });
    return SetLastResult(c, r);
}

int FetchCommand(LinkConnection& c, int code, uint8_t* buffer, size_t capacity, size_t expected,
                 size_t* received) {
    if (const int e = EnsureSession(c); e != QORLINK_OK) return SetLastResult(c, e);
    size_t length = 0;
    const int r =
        RunExchange(c, [&] { return ReceiveOne(c, code, expected, buffer, capacity, &length); });
    if (received != nullptr) *received = r == QORLINK_OK ? length : 0;
    return SetLastResult(c, r);
}

int ExecuteCommand(LinkConnection& c, int code, int parameter, uint32_t timeoutMs) {
    if (const int e = EnsureSession(c); e != QORLINK_OK) return SetLastResult(c, e);
    const int r = RunExchange(c, [&] { return Execute(c, code, parameter); });
    SetLastResult(c, r);
    if (r == QORLINK_OK) {
        c.state = LinkState::Executing;
        c.executeDeadline = TickMs() + timeoutMs;
    }
    return r;
}

}  // namespace qorlink
