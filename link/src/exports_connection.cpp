// The connection exports: create, configure, open, close and reset the one connection object.
#include "builders.h"
#include "call_guard.h"
#include "connection.h"
#include "link_constants.h"
#include "qorlink.h"

using namespace qorlink;

namespace {

// The current object, created on demand for the exports that may create it.
LinkConnection* CurrentOrCreate() {
    if (currentConnection == nullptr) currentConnection = CreateConnection();
    return currentConnection;
}

}  // namespace

extern "C" {

QORLINK_API int32_t QORLINK_CALL Cam_reset_dll(void) {
    RequestReset();
    return QORLINK_OK;
}

QORLINK_API int32_t QORLINK_CALL Cam_set_speed(int32_t index) {
    CallGuard call;
    if (!call.entered()) return QORLINK_BUSY;
    LinkConnection* c = CurrentOrCreate();
    return c == nullptr ? QORLINK_NO_CONNECTION : SetSpeed(*c, index);
}

QORLINK_API int32_t QORLINK_CALL Cam_set_port(int32_t port) {
    CallGuard call;
    if (!call.entered()) return QORLINK_BUSY;
    LinkConnection* c = CurrentOrCreate();
    return c == nullptr ? port : SelectPort(*c, port);
}

QORLINK_API int32_t QORLINK_CALL Cam_setup_callback(QorlinkProgressFn fn, int32_t user) {
    CallGuard call;
    LinkConnection* c = call.connection();
    if (c == nullptr) return call.refusal();
    c->progressCallback = fn;
    c->progressUser = user;
    return QORLINK_OK;
}

QORLINK_API int32_t QORLINK_CALL Cam_session_enabled(int32_t mode) {
    CallGuard call;
    LinkConnection* c = call.connection();
    return c == nullptr ? call.refusal() : SessionEnabled(*c, mode);
}

QORLINK_API int32_t QORLINK_CALL Cam_ready(void) {
    CallGuard call;
    LinkConnection* c = call.connection();
    return c == nullptr ? 0 : IsReady(*c);
}

QORLINK_API int32_t QORLINK_CALL Cam_connection_state(void) {
    CallGuard call;
    LinkConnection* c = call.connection();
    if (c == nullptr) return call.entered() ? QORLINK_NO_CONNECTION : -1;
    return QueryCommand(*c, kCodeConnectionState, false);
}

}  // extern "C"
