// The bounded readiness wait used after every command the camera executes.
#pragma once

#include <cstdint>

namespace orvia {

class Camera;
class Clock;

// Polls Cam_ready() with no pause until it reports ready or `limitSeconds` whole seconds have
// passed (seconds counted on the clock's one-second boundaries). Running out of time is not a
// failure: the caller carries on as if the camera were ready. Returns true when the camera
// reported ready.
bool waitReady(Camera& camera, Clock& clock, uint32_t limitSeconds);

}  // namespace orvia
