// The connection exports: create, configure, open, close and reset the one connection object.
#include "builders.h"
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
    ResetConnections();
    return QORLINK_OK;
}

QORLINK_API int32_t QORLINK_CALL Cam_set_speed(int32_t index) {
    LinkConnection* c = CurrentOrCreate();
    return c == nullptr ? QORLINK_NO_CONNECTION : SetSpeed(*c, index);
}

QORLINK_API int32_t QORLINK_CALL Cam_set_port(int32_t port) {
    LinkConnection* c = CurrentOrCreate();
    return c == nullptr ? port : SelectPort(*c, port);
}

QORLINK_API int32_t QORLINK_CALL Cam_setup_callback(QorlinkProgressFn fn, int32_t user) {
    LinkConnection* c = currentConnection;
    if (c == nullptr) return QORLINK_NO_CONNECTION;
    c->progressCallback = fn;
    c->progressUser = user;
    return QORLINK_OK;
}

QORLINK_API int32_t QORLINK_CALL Cam_session_enabled(int32_t mode) {
    LinkConnection* c = currentConnection;
    return c == nullptr ? QORLINK_NO_CONNECTION : SessionEnabled(*c, mode);
}

QORLINK_API int32_t QORLINK_CALL Cam_ready(void) {
    LinkConnection* c = currentConnection;
    return c == nullptr ? QORLINK_NO_CONNECTION : IsReady(*c);
}

QORLINK_API int32_t QORLINK_CALL Cam_connection_state(void) {
    LinkConnection* c = currentConnection;
    return c == nullptr ? QORLINK_NO_CONNECTION : QueryCommand(*c, kCodeConnectionState, false);
}

}  // extern "C"
