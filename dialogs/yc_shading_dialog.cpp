#include "dialogs/yc_shading_dialog.h"

#include "console/calibrations.h"
#include "console/camera.h"
#include "console/diag_run.h"
#include "console/diags.h"
#include "console/operator.h"
#include "console/texts.h"

namespace orvia {

namespace {

constexpr int kCommandStatusLabel = -1;

std::vector<ControlDef> ycShadingTable() {
    using namespace controls;
    ControlDef logText = multiLineEdit(yc::kLog).at(1, 0, 3);
    logText.readOnly = true;
    return {
        label(kCommandStatusLabel, text::kCommandStatus).at(0, 0, 3),
        logText,
        button(yc::kStart, text::kStart).at(2, 1),
        defaultButton(kIdOk, text::kExit).at(2, 2),
    };
}

}  // namespace

YcShadingDialog::YcShadingDialog(DialogContext& ctx)
    : DialogModel(yc::kTemplate, text::kYcShadingTitle, ycShadingTable()), ctx_(ctx) {
    setProcedure(yc::kStart, ctx_.op, [this] { return start(); });
    // Whichever way the window closes, the display goes off again.
    setHandler(kIdOk, [this] { exit(); });
    setHandler(kIdCancel, [this] { exit(); });
}

void YcShadingDialog::exchange(DataExchange& dx) {
    dx.text(yc::kLog, log);
}

void YcShadingDialog::initialise() {
    ctx_.camera.control_lcd(diag::kDisplayMonitor, 0);  // the log tells whether the steps work
    waitReady(ctx_.camera, ctx_.clock, diag::kWaitYcDisplay);
    log.clear();
    writeBack();
}

void YcShadingDialog::append(const std::string& text) {
    log += text;
    writeBack();
    ctx_.op.refresh(*this);
}

Outcome YcShadingDialog::start() {
    WaitCursor busy(ctx_.op);
    readControls();
    log.clear();
    writeBack();
    const std::vector<ShadingStep> steps = colorShadingSteps(ctx_);
    for (size_t i = 0; i + 1 < steps.size(); ++i) {
        append(std::string(steps[i].name) + text::kLogLineEnd);
        if (const int32_t r = steps[i].call(); r != 0) {
            append(text::kLogFunctionFailure);
            // The log names the step and the failure; so does the outcome.
            return Outcome::failed(r, steps[i].name + std::string(text::kLogFunctionFailure));
        }
        append(text::kLogStepComplete);
    }
    // The last step puts the lens back to the wide end; its result does not count.
    append(std::string(text::kLogLineEnd) + steps.back().name);
    steps.back().call();
    return Outcome::completed();
}

void YcShadingDialog::exit() {
    ctx_.camera.control_lcd(diag::kDisplayOff, 0);
    waitReady(ctx_.camera, ctx_.clock, diag::kWaitYcDisplay);
    end(kIdOk);
}

Outcome openYcShadingDialog(DialogContext& ctx) {
    YcShadingDialog dialog(ctx);
    return runDialog(ctx.op, dialog);
}

}  // namespace orvia
