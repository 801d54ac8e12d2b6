// The one-call-at-a-time guard and the release that waits for the running call.
#include "call_guard.h"

#include <atomic>

#include "connection.h"
#include "link_constants.h"

namespace qorlink {
namespace {

std::atomic<bool> callRunning{false};
std::atomic<bool> resetRequested{false};

bool TryEnter() {
    bool idle = false;
    return callRunning.compare_exchange_strong(idle, true, std::memory_order_acquire);
}

void Leave() {
    callRunning.store(false, std::memory_order_release);
}

// Carries out a requested release unless a call is running; that call does it when it ends.
void ResetWhenIdle() {
    while (resetRequested.load(std::memory_order_acquire)) {
        if (!TryEnter()) return;
        if (resetRequested.exchange(false, std::memory_order_acq_rel)) ResetConnections();
        Leave();
    }
}

}  // namespace

CallGuard::CallGuard() : entered_(TryEnter()) {}

CallGuard::~CallGuard() {
    if (!entered_) return;
    Leave();
    ResetWhenIdle();
}

LinkConnection* CallGuard::connection() const {
    return entered_ ? currentConnection : nullptr;
}

int32_t CallGuard::refusal() const {
    return entered_ ? QORLINK_NO_CONNECTION : QORLINK_BUSY;
}

void RequestReset() {
    resetRequested.store(true, std::memory_order_release);
    ResetWhenIdle();
}

}  // namespace qorlink
