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
    return kOk;
}

QORLINK_API int32_t QORLINK_CALL Cam_set_speed(int32_t index) {
    LinkConnection* c = CurrentOrCreate();
    return c == nullptr ? kNoConnection : SetSpeed(*c, index);
}

QORLINK_API int32_t QORLINK_CALL Cam_set_port(int32_t port) {
    LinkConnection* c = CurrentOrCreate();
    return c == nullptr ? port : SelectPort(*c, port);
}

QORLINK_API int32_t QORLINK_CALL Cam_setup_callback(QorlinkProgressFn fn, int32_t user) {
    LinkConnection* c = currentConnection;
    if (c == nullptr) return kNoConnection;
    c->progressCallback = fn;
    c->progressUser = user;
    return kOk;
}

QORLINK_API int32_t QORLINK_CALL Cam_session_enabled(int32_t mode) {
    LinkConnection* c = currentConnection;
    return c == nullptr ? kNoConnection : SessionEnabled(*c, mode);
}

QORLINK_API int32_t QORLINK_CALL Cam_ready(void) {
    LinkConnection* c = currentConnection;
    return c == nullptr ? kNoConnection : IsReady(*c);
}

QORLINK_API int32_t QORLINK_CALL Cam_connection_state(void) {
    LinkConnection* c = currentConnection;
    return c == nullptr ? kNoConnection : QueryCommand(*c, kCodeConnectionState, false);
}

}  // extern "C"
