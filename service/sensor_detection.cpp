#include "service/sensor_detection.h"

#include <algorithm>
#include <cstdint>

#include "console/app_state.h"
#include "console/camera.h"
#include "console/clock.h"
#include "console/diag_run.h"
#include "console/diags.h"
#include "console/model_tables.h"
#include "console/operator.h"
#include "console/reporting.h"
#include "console/result_dialog.h"
#include "console/texts.h"

namespace orvia {

namespace {

Outcome runDetection(DialogContext& ctx, const char* question, int32_t program, uint32_t pauseMs,
                     const char* heading) {
    if (!confirm(ctx.op, question)) return answeredNo(question);
    WaitCursor busy(ctx.op);
    setStatus(ctx, text::kStatusWait);
    if (const int32_t r = ctx.camera.execute_diag(program); r != 0) return endWithError(ctx, r);
    // Slept in steps: the clock's sleep keeps the window painting between them.
    for (uint32_t slept = 0; slept < pauseMs;) {
        const uint32_t step = std::min(diag::kPauseStepMs, pauseMs - slept);
        ctx.clock.sleepMs(step);
        slept += step;
    }
    waitReady(ctx.camera, ctx.clock, diag::kWaitCalibration);
    setStatus(ctx, text::kStatusIdle);
    showResult(ctx.op, heading, readDiagText(ctx.camera));
    return Outcome::completed();
}

}  // namespace

Outcome runCcdDefectDetection(DialogContext& ctx) {
    return runDetection(ctx, text::kAskCcdDefect, diag::kCcdDefect, 0, text::kCcdResults);
}

Outcome runCcdBlackDetection(DialogContext& ctx) {
    const ModelEntry* pause = models::CcdBlackPauseModels.find(ctx.state.cameraType);
    return runDetection(ctx, text::kAskCcdBlack, diag::kCcdBlack, pause ? pause->delayMs : 0,
                        text::kCcdBlackResults);
}

}  // namespace orvia
