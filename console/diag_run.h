// The diagnostic run: the pattern most procedures share. A camera-side program is started by
// number (optionally with a parameter word), the console waits a bounded time for the camera to
// be ready again, and then reads the outcome as a word or a text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "console/dialog_context.h"

namespace orvia {

class Camera;
class Clock;

// Polls Cam_ready() until it reports ready or `limitSeconds` whole seconds have passed (seconds
// counted on the clock's one-second boundaries). Each poll is one exchange with the camera; a
// poll that comes back sooner than kMinPollMs (a call failing at once) is followed by a pause
// for the rest, so a wait never spins the processor. Running out of time is not a failure: the
// caller carries on as if the camera were ready. Returns true when the camera reported ready.
bool waitReady(Camera& camera, Clock& clock, uint32_t limitSeconds);
inline constexpr uint32_t kMinPollMs = 10;

// One run of a diagnostic program.
struct DiagRun {
    DiagRun(int32_t diag, uint32_t waitSeconds, std::optional<int32_t> parameter = std::nullopt)
        : diag(diag), waitSeconds(waitSeconds), parameter(parameter) {}

    int32_t diag;
    uint32_t waitSeconds;
    // Written to the diagnostic word before the program starts, when given.
    std::optional<int32_t> parameter;
};

// How a run that the camera refused is reported.
enum class OnFailure {
    ErrorBox,      // the error box
    EndWithError,  // the status line back to " Status: ", then the error box
    Silent,        // not at all: the caller reports
};

// Writes the parameter word when the run has one, starts the program and waits for the camera.
// Returns 0 when the program ran (the wait is over); otherwise the result code of the call that
// failed, reported as `onFailure` says, with nothing waited for. A parameter the camera did not
// take stops the run before the program starts: it would run with a stale parameter.
int32_t executeDiagAndWait(DialogContext& ctx, const DiagRun& run,
                           OnFailure onFailure = OnFailure::ErrorBox);

// Points the LCD adjustments at the viewfinder (diag 29) or at the LCD (diag 28) and waits up to
// 15 s. Does nothing in the boot and upload start modes. Returns 0, or the link result of the
// refused call after the error box.
int32_t selectDisplayDevice(DialogContext& ctx, bool viewfinder);

// Size of the diagnostic text buffer.
inline constexpr size_t kDiagTextBytes = 1024;

// The camera's diagnostic text (the fetch of the diagnostic buffer), up to its first zero byte;
// empty when the fetch failed.
std::string readDiagText(Camera& camera);

}  // namespace orvia
