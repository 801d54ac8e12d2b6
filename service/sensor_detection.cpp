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

void runDetection(DialogContext& ctx, const char* question, int32_t program, uint32_t pauseMs,
                  const char* heading) {
    if (!confirm(ctx.op, question)) return;
    WaitCursor busy(ctx.op);
    setStatus(ctx, text::kStatusWait);
    if (const int32_t r = ctx.camera.execute_diag(program); r != 0) {
        endWithError(ctx, r);
        return;
    }
    // Slept in steps: the clock's sleep keeps the window painting between them.
    for (uint32_t slept = 0; slept < pauseMs;) {
        const uint32_t step = std::min(diag::kPauseStepMs, pauseMs - slept);
        ctx.clock.sleepMs(step);
        slept += step;
    }
    waitReady(ctx.camera, ctx.clock, diag::kWaitCalibration);
    setStatus(ctx, text::kStatusIdle);
    showResult(ctx.op, heading, readDiagText(ctx.camera));
}

}  // namespace

void runCcdDefectDetection(DialogContext& ctx) {
    runDetection(ctx, text::kAskCcdDefect, diag::kCcdDefect, 0, text::kCcdResults);
}

void runCcdBlackDetection(DialogContext& ctx) {
    const ModelEntry* pause = models::CcdBlackPauseModels.find(ctx.state.cameraType);
    runDetection(ctx, text::kAskCcdBlack, diag::kCcdBlack, pause ? pause->delayMs : 0,
                 text::kCcdBlackResults);
}

}  // namespace orvia
