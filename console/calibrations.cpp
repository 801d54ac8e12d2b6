#include "console/calibrations.h"

#include "console/camera.h"
#include "console/diag_run.h"
#include "console/diags.h"
#include "console/operator.h"
#include "console/reporting.h"
#include "console/result_dialog.h"
#include "console/texts.h"

namespace orvia {

void calibrateUvMatrix(DialogContext& ctx) {
    WaitCursor busy(ctx.op);
    if (!confirm(ctx.op, text::kAskUvMatrix)) return;
    setStatus(ctx, text::kStatusWaitUvMatrix);
    const DiagRun run{diag::kUvMatrix, diag::kWaitCalibration};
    if (executeDiagAndWait(ctx, run, OnFailure::EndWithError) != 0) return;
    setStatus(ctx, text::kStatusIdle);
    ctx.camera.get_diag_long();  // the word is read before the text; only the text is shown
    showResult(ctx.op, text::kUvMatrixResults, readDiagText(ctx.camera));
}

}  // namespace orvia
