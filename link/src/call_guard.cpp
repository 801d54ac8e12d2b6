// The one-call-at-a-time guard and the release that waits for the running call.
#include "call_guard.h"

#include <atomic>
#include <mutex>

#include "connection.h"
#include "link_constants.h"

namespace qorlink {
namespace {

std::mutex callLock;
std::atomic<int32_t> waiting{0};
std::atomic<bool> resetRequested{false};
// True on the thread whose call holds callLock, for the whole of that call.
thread_local bool insideCall = false;

void Enter() {
    waiting.fetch_add(1, std::memory_order_relaxed);
    callLock.lock();
    waiting.fetch_sub(1, std::memory_order_relaxed);
    insideCall = true;
}

void Leave() {
    if (resetRequested.exchange(false, std::memory_order_acq_rel)) ResetConnections();
    insideCall = false;
    callLock.unlock();
}

}  // namespace

CallGuard::CallGuard() : entered_(!insideCall) {
    if (entered_) Enter();
}

CallGuard::~CallGuard() {
    if (entered_) Leave();
}

LinkConnection* CallGuard::connection() const {
    return entered_ ? currentConnection : nullptr;
}

int32_t CallGuard::refusal() const {
    return entered_ ? QORLINK_NO_CONNECTION : QORLINK_BUSY;
}

void RequestReset() {
    if (insideCall) {
        resetRequested.store(true, std::memory_order_release);
        return;
    }
    Enter();
    ResetConnections();
    Leave();
}

int32_t CallsWaiting() {
    return waiting.load(std::memory_order_relaxed);
}

}  // namespace qorlink
