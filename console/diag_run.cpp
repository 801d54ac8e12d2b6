#include "console/diag_run.h"

#include <array>
#include <cstring>

#include "console/app_state.h"
#include "console/camera.h"
#include "console/clock.h"
#include "console/diags.h"
#include "console/reporting.h"

namespace orvia {

bool waitReady(Camera& camera, Clock& clock, uint32_t limitSeconds) {
    const uint32_t start = clock.tickMs() / 1000;
    for (;;) {
        if (clock.tickMs() / 1000 - start >= limitSeconds) return false;
        const uint32_t pollStart = clock.tickMs();
        if (camera.ready() != 0) return true;
        const uint32_t took = clock.tickMs() - pollStart;
        if (took < kMinPollMs) clock.sleepMs(kMinPollMs - took);
    }
}

int32_t executeDiagAndWait(DialogContext& ctx, const DiagRun& run, OnFailure onFailure) {
    int32_t r = 0;
    if (run.parameter) r = ctx.camera.set_diag_long(*run.parameter);
    if (r == 0) r = ctx.camera.execute_diag(run.diag);
    if (r != 0) {
        if (onFailure == OnFailure::ErrorBox) showError(ctx, r);
        if (onFailure == OnFailure::EndWithError) endWithError(ctx, r);
        return r;
    }
    waitReady(ctx.camera, ctx.clock, run.waitSeconds);
    return 0;
}

int32_t selectDisplayDevice(DialogContext& ctx, bool viewfinder) {
    if (ctx.state.startMode != kStartNormal) return 0;
    const DiagRun run{viewfinder ? diag::kSelectViewfinder : diag::kSelectLcd,
                      diag::kWaitDisplaySelect};
    return executeDiagAndWait(ctx, run);
}

std::string readDiagText(Camera& camera) {
    std::array<char, kDiagTextBytes> buffer{};
    if (camera.get_diag_buffer(buffer.data()) != 0) return {};
    return std::string(buffer.data(), strnlen(buffer.data(), buffer.size()));
}

}  // namespace orvia
