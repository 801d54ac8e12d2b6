#include "console/initialize.h"

#include "console/app_state.h"
#include "console/camera.h"
#include "console/diag_run.h"
#include "console/diags.h"
#include "console/format.h"
#include "console/model_tables.h"
#include "console/operator.h"
#include "console/reporting.h"
#include "console/texts.h"
#include "dialogs/paf_cal_dialog.h"

namespace orvia {

namespace {

void initializeSettingsOnly(DialogContext& ctx) {
    WaitCursor busy(ctx.op);
    setStatus(ctx, text::kStatusWait);
    int32_t r = ctx.camera.set_initialize_setting();
    if (r == 0 && models::AdjustStatusModels.matches(ctx.state.cameraType))
        r = ctx.camera.set_adjust_status(diag::kAdjustStatusInitialized);
    if (r != 0) {
        endWithError(ctx, r);
        return;
    }
    setStatus(ctx, text::kStatusInitializeCompleted);
}

void initializeToDefaults(DialogContext& ctx) {
    if (!confirm(ctx.op, text::kAskInitialize)) return;
    WaitCursor busy(ctx.op);
    // The two resetting programs report nothing of use; the report program below tells.
    executeDiagAndWait(
        ctx, {diag::kInitializeSettings, diag::kWaitInitializeSettings, diag::kInitializeKey},
        OnFailure::Silent);
    executeDiagAndWait(
        ctx, {diag::kInitializeDefaults, diag::kWaitInitializeDefaults, diag::kInitializeKey},
        OnFailure::Silent);
    const DiagRun report{diag::kInitializeReport, diag::kWaitInitializeReport,
                         diag::kInitializeReportSelector};
    if (executeDiagAndWait(ctx, report) != 0) return;
    const std::string results = readDiagText(ctx.camera);
    ctx.camera.get_diag_long();  // the word is read after the text; only the text is shown
    ctx.op.message(format(text::kInitializeCompleted, results.c_str()));
}

}  // namespace

void initializeCamera(DialogContext& ctx, bool evf) {
    // On PAF models the button opens the PAF calibration dialog, which owns that work.
    if (ctx.state.caps.pafMode != 0) {
        openPafCalDialog(ctx, evf);
        return;
    }
    if (ctx.state.caps.repairSiteMode != 0) {
        initializeSettingsOnly(ctx);
        return;
    }
    initializeToDefaults(ctx);
}

}  // namespace orvia
