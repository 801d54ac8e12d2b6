#include "dialogs/lens_dialogs.h"

#include "console/app_state.h"
#include "console/camera.h"
#include "console/diag_run.h"
#include "console/diags.h"
#include "console/main_dialog.h"
#include "console/operator.h"
#include "console/reporting.h"
#include "console/texts.h"
#include "dialogs/adjust_support.h"

namespace orvia {

namespace {

constexpr int kApertureGroup = -50, kGainGroup = -51, kOffsetGroup = -52;
constexpr int kKeystoneLabel = -53;
constexpr int kStatusChars = 50;
constexpr int32_t kApertureOpen = 2;
constexpr int32_t kApertureClosed = 1;
constexpr int32_t kZoomWide = 1;
constexpr int32_t kZoomTele = 2;

std::vector<ControlDef> hallTable() {
    using namespace controls;
    using namespace idc::lens;
    return {
        groupBox(kApertureGroup, "&APERTURE").at(0, 0, 2),
        radio(kOpen, "Open").in(kApertureGroup).at(0, 0),
        radio(kClose, "Close").in(kApertureGroup).at(0, 1),
        groupBox(kGainGroup, "&GAIN").at(1, 0),
        list(kGainRough, hallItems()).labelled("ROUGH :").in(kGainGroup).at(0, 0),
        list(kGainFine, hallItems()).labelled("FINE :").in(kGainGroup).at(1, 0),
        groupBox(kOffsetGroup, "&OFFSET").at(1, 1),
        list(kOffsetRough, hallItems()).labelled("ROUGH :").in(kOffsetGroup).at(0, 0),
        list(kOffsetFine, hallItems()).labelled("FINE :").in(kOffsetGroup).at(1, 0),
        label(kStatus, " Status:").statusLine(kStatusChars).at(2, 0, 2),
        defaultButton(kIdOk, text::kOk).at(3, 1),
    };
}

std::vector<ControlDef> lensTable() {
    using namespace controls;
    using namespace idc::lens;
    return {
        label(kFirstLabel, text::kPiSwitch).at(0, 0),
        edit(kPiSwitch).at(0, 1),
        numberEdit(kSecondPulse, INT32_MIN, INT32_MAX).at(0, 2),
        label(kSecondLabel, text::kDeltaSb).at(1, 0),
        edit(kDeltaSb).at(1, 1),
        defaultButton(kIdOk, "&Set").at(2, 1),
        button(kIdCancel, "E&xit").at(2, 2),
    };
}

std::vector<ControlDef> keystoneTable() {
    using namespace controls;
    using namespace idc::lens;
    return {
        label(kKeystoneLabel, text::kKeystoneText).at(0, 0, 2),
        button(kWide, "&Wide").at(1, 0),
        defaultButton(kTele, "&Tele").at(1, 1),
    };
}

}  // namespace

const std::vector<std::string>& hallItems() {
    static const std::vector<std::string> items = {"-10", "- 9", "- 8", "- 7", "- 6", "- 5", "- 4",
                                                   "- 3", "- 2", "- 1", "  0", "+ 1", "+ 2", "+ 3",
                                                   "+ 4", "+ 5", "+ 6", "+ 7", "+ 8", "+ 9", "+10"};
    return items;
}

// ---- Hall element -----------------------------------------------------------------------------

// One Hall element step: its diagnostic and its three status texts.
struct HallCalDialog::Step {
    int32_t diag;
    const char* start;
    const char* done;
    const char* failed;
};

HallCalDialog::HallCalDialog(DialogContext& ctx)
    : DialogModel(kHallCalTemplate, text::kHallCalTitle, hallTable()), ctx_(ctx) {
    using namespace idc::lens;
    static const Step open{diag::kAperture, text::kApertureOpenStart, text::kApertureOpenDone,
                           text::kApertureOpenFailed};
    static const Step close{diag::kAperture, text::kApertureCloseStart, text::kApertureCloseDone,
                            text::kApertureCloseFailed};
    static const Step gainRoughStep{diag::kHallGainRough, text::kGainRoughStart,
                                    text::kGainRoughDone, text::kGainRoughFailed};
    static const Step gainFineStep{diag::kHallGainFine, text::kGainFineStart, text::kGainFineDone,
                                   text::kGainFineFailed};
    static const Step offsetRoughStep{diag::kHallOffsetRough, text::kOffsetRoughStart,
                                      text::kOffsetRoughDone, text::kOffsetRoughFailed};
    static const Step offsetFineStep{diag::kHallOffsetFine, text::kOffsetFineStart,
                                     text::kOffsetFineDone, text::kOffsetFineFailed};
    setProcedure(kOpen, ctx_.op, [this] { return run(open, kApertureOpen); });
    setProcedure(kClose, ctx_.op, [this] { return run(close, kApertureClosed); });
    const std::pair<int, const Step*> combos[] = {{kGainRough, &gainRoughStep},
                                                  {kGainFine, &gainFineStep},
                                                  {kOffsetRough, &offsetRoughStep},
                                                  {kOffsetFine, &offsetFineStep}};
    for (const auto& combo : combos) {
        const int id = combo.first;
        const Step* stepOf = combo.second;
        setProcedure(id, ctx_.op, [this, id, stepOf] {
            readControls();
            return run(*stepOf, control(id).selection - kHallOffset);
        });
    }
}

void HallCalDialog::exchange(DataExchange& dx) {
    using namespace idc::lens;
    dx.selection(kGainRough, gainRough);
    dx.selection(kGainFine, gainFine);
    dx.selection(kOffsetRough, offsetRough);
    dx.selection(kOffsetFine, offsetFine);
}

void HallCalDialog::status(const char* text) {
    setText(idc::lens::kStatus, text);
    ctx_.op.refresh(*this);
}

void HallCalDialog::initialise() {
    status(text::kHallReading);
    std::array<int32_t, 6> info{};
    const int32_t r = ctx_.camera.get_diag_hall_info(info.data());
    const bool known = info[1] == kApertureOpen || info[1] == kApertureClosed;
    if (r == 0) {
        gainRough = info[2] + kHallOffset;
        gainFine = info[3] + kHallOffset;
        offsetRough = info[4] + kHallOffset;
        offsetFine = info[5] + kHallOffset;
        writeBack();
        if (known) checkRadio(info[1] == kApertureOpen ? idc::lens::kOpen : idc::lens::kClose);
    }
    status(r == 0 && known ? text::kHallReadDone : text::kHallReadUnsupported);
}

Outcome HallCalDialog::run(const Step& step, int32_t value) {
    status(step.start);
    int32_t r = ctx_.camera.set_diag_long(value);
    if (r == 0) r = ctx_.camera.execute_diag(step.diag);
    if (r != 0) {
        status(step.failed);
        return Outcome::failed(r, step.failed);
    }
    waitReady(ctx_.camera, ctx_.clock, diag::kWaitAdjustment);
    status(step.done);
    return Outcome::completed();
}

// ---- Lens data --------------------------------------------------------------------------------

LensDataDialog::LensDataDialog(DialogContext& ctx, int32_t mode)
    : DialogModel(kLensDataTemplate, text::kLensDataTitle, lensTable()), ctx_(ctx), mode_(mode) {
    setProcedure(kIdOk, ctx_.op, [this] { return set(); });
}

void LensDataDialog::exchange(DataExchange& dx) {
    using namespace idc::lens;
    if (mode_ == kLensPair) {
        dx.number(kPiSwitch, piSwitch);
        dx.number(kDeltaSb, deltaSb);
    } else {
        dx.number(kSecondPulse, secondPulse, INT32_MIN, INT32_MAX);
    }
}

void LensDataDialog::initialise() {
    using namespace idc::lens;
    if (mode_ == kLensPair) {
        setVisible(kSecondPulse, false);
        std::array<uint32_t, 2> pair{};
        if (ctx_.camera.get_lens_data(pair.data()) == 0) {
            piSwitch = pair[0];
            deltaSb = pair[1];
        } else {
            piSwitch = deltaSb = 0;
        }
    } else if (mode_ == kLensGroup2Offset || mode_ == kLensZoomAdjustment) {
        setVisible(kPiSwitch, false);
        setVisible(kDeltaSb, false);
        setText(kFirstLabel,
                mode_ == kLensGroup2Offset ? text::kGroup2Offset : text::kZoomAdjustmentData);
        setText(kSecondLabel, {});
        secondPulse = ctx_.camera.get_lens_second_pulse();
    }
    writeBack();
}

Outcome LensDataDialog::set() {
    if (mode_ == kLensPair) {
        readControlsOrPrompt(*this, ctx_.op);
        const std::array<uint32_t, 2> pair = {piSwitch, deltaSb};
        if (const int32_t r = ctx_.camera.set_lens_data(pair.data()); r != 0)
            return showFailure(ctx_.op, text::kSetLensDataFailed, MessageKind::Error, r);
        Outcome outcome;
        outcome.measure("pi_switch", piSwitch).measure("delta_sb", deltaSb);
        return outcome;
    }
    if (mode_ != kLensGroup2Offset && mode_ != kLensZoomAdjustment) return Outcome::completed();
    const bool group2 = mode_ == kLensGroup2Offset;
    readControlsOrPrompt(*this, ctx_.op);
    // The lens initialises whether the camera took the value or not; the first refusal is the
    // outcome.
    std::optional<Outcome> failure;
    if (const int32_t r = ctx_.camera.set_lens_second_pulse(secondPulse); r != 0) {
        failure =
            showFailure(ctx_.op, group2 ? text::kSetSecondPulseFailed : text::kSetZoomAdjustFailed,
                        MessageKind::Error, r);
    }
    if (const int32_t r = ctx_.camera.execute_diag(diag::kLensInitialize); r != 0) {
        Outcome initFailure = showFailure(
            ctx_.op, group2 ? text::kLensInitFailed : text::kZoomInitFailed, MessageKind::Error, r);
        if (!failure) failure = std::move(initFailure);
    }
    if (failure) return *failure;
    Outcome outcome;
    outcome.measure("lens_second_pulse", secondPulse);
    return outcome;
}

// ---- Keystone zoom ----------------------------------------------------------------------------

KeystoneDialog::KeystoneDialog(DialogContext& ctx)
    : DialogModel(kKeystoneTemplate, text::kKeystoneTitle, keystoneTable()), ctx_(ctx) {
    setProcedure(idc::lens::kWide, ctx_.op, [this] { return zoom(kZoomWide); });
    setProcedure(idc::lens::kTele, ctx_.op, [this] { return zoom(kZoomTele); });
    // Enter acts as the default button, "&Tele".
    setProcedure(kIdOk, ctx_.op, [this] { return zoom(kZoomTele); });
}

Outcome KeystoneDialog::zoom(int32_t step) {
    const int32_t r = ctx_.camera.set_lens_step_zoom(step);
    if (r == 0) {
        end(kIdOk);
        return Outcome::completed();
    }
    Outcome failure = showFailure(ctx_.op, text::kStepZoomFailed, MessageKind::Error, r);
    end(kIdCancel);
    return failure;
}

// ---- Opening ----------------------------------------------------------------------------------

Outcome openHallCalDialog(DialogContext& ctx) {
    HallCalDialog dialog(ctx);
    return runDialog(ctx.op, dialog);
}

Outcome openLensDataDialog(DialogContext& ctx) {
    return openLensDataDialog(ctx, ctx.state.caps.lensDataKind);
}

Outcome openLensDataDialog(DialogContext& ctx, int32_t mode) {
    LensDataDialog dialog(ctx, mode);
    return runDialog(ctx.op, dialog);
}

std::optional<Outcome> zoomBeforeKeystoneCalibration(DialogContext& ctx) {
    if (ctx.state.caps.keystoneVariant == 0) return std::nullopt;
    KeystoneDialog dialog(ctx);
    Outcome outcome = runDialog(ctx.op, dialog);
    if (outcome.ending != Ending::Completed) return outcome;
    if (dialog.ended() && dialog.endCode() == kIdOk) return std::nullopt;
    // Closed without a zoom step: the calibration is not started.
    return Outcome::declined(text::kKeystoneText);
}

}  // namespace orvia
