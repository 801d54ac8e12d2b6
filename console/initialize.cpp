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

Outcome initializeSettingsOnly(DialogContext& ctx) {
    WaitCursor busy(ctx.op);
    setStatus(ctx, text::kStatusWait);
    int32_t r = ctx.camera.set_initialize_setting();
    if (r == 0 && models::AdjustStatusModels.matches(ctx.state.cameraType))
        r = ctx.camera.set_adjust_status(diag::kAdjustStatusInitialized);
    if (r != 0) return endWithError(ctx, r);
    setStatus(ctx, text::kStatusInitializeCompleted);
    return Outcome::completed();
}

Outcome initializeToDefaults(DialogContext& ctx) {
    if (!confirm(ctx.op, text::kAskInitialize)) return answeredNo(text::kAskInitialize);
    WaitCursor busy(ctx.op);
    // What the two resetting programs did is told by the report program below; but a program
    // that was never started (its key word or its start refused) did not reset anything, and
    // the camera must not be called initialised.
    for (const DiagRun& reset :
         {DiagRun{diag::kInitializeSettings, diag::kWaitInitializeSettings, diag::kInitializeKey},
          DiagRun{diag::kInitializeDefaults, diag::kWaitInitializeDefaults,
                  diag::kInitializeKey}}) {
        if (const int32_t r = executeDiagAndWait(ctx, reset, OnFailure::Silent); r != 0)
            return showError(ctx, r);
    }
    const DiagRun report{diag::kInitializeReport, diag::kWaitInitializeReport,
                         diag::kInitializeReportSelector};
    if (const int32_t r = executeDiagAndWait(ctx, report, OnFailure::Silent); r != 0)
        return showError(ctx, r);
    const std::string results = readDiagText(ctx.camera);
    ctx.camera.get_diag_long();  // the word is read after the text; only the text is shown
    ctx.op.message(format(text::kInitializeCompleted, results.c_str()));
    return Outcome::completed();
}

}  // namespace

Outcome initializeCamera(DialogContext& ctx, bool evf) {
    // On PAF models the button opens the PAF calibration dialog, which owns that work.
    if (ctx.state.caps.pafMode != 0) return openPafCalDialog(ctx, evf);
    if (ctx.state.caps.repairSiteMode != 0) return initializeSettingsOnly(ctx);
    return initializeToDefaults(ctx);
}

}  // namespace orvia
