#include "dialogs/lens_dialogs.h"

#include "console/app_state.h"
#include "console/camera.h"
#include "console/diag_run.h"
#include "console/diags.h"
#include "console/main_dialog.h"
#include "console/operator.h"
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
    setHandler(kOpen, [this] { run(open, kApertureOpen); });
    setHandler(kClose, [this] { run(close, kApertureClosed); });
    const std::pair<int, const Step*> combos[] = {{kGainRough, &gainRoughStep},
                                                  {kGainFine, &gainFineStep},
                                                  {kOffsetRough, &offsetRoughStep},
                                                  {kOffsetFine, &offsetFineStep}};
    for (auto [id, stepOf] : combos) {
        setHandler(id, [this, id, stepOf] {
            readControls();
            run(*stepOf, control(id).selection - kHallOffset);
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

void HallCalDialog::run(const Step& step, int32_t value) {
    status(step.start);
    int32_t r = ctx_.camera.set_diag_long(value);
    if (r == 0) r = ctx_.camera.execute_diag(step.diag);
    if (r != 0) return status(step.failed);
    waitReady(ctx_.camera, ctx_.clock, diag::kWaitAdjustment);
    status(step.done);
}

// ---- Lens data --------------------------------------------------------------------------------

LensDataDialog::LensDataDialog(DialogContext& ctx, int32_t mode)
    : DialogModel(kLensDataTemplate, text::kLensDataTitle, lensTable()), ctx_(ctx), mode_(mode) {
    setHandler(kIdOk, [this] { set(); });
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

void LensDataDialog::set() {
    if (mode_ == kLensPair) {
        readControlsOrPrompt(*this, ctx_.op);
        const std::array<uint32_t, 2> pair = {piSwitch, deltaSb};
        if (ctx_.camera.set_lens_data(pair.data()) != 0) ctx_.op.message(text::kSetLensDataFailed);
        return;
    }
    if (mode_ != kLensGroup2Offset && mode_ != kLensZoomAdjustment) return;
    const bool group2 = mode_ == kLensGroup2Offset;
    readControlsOrPrompt(*this, ctx_.op);
    // The lens initialises whether the camera took the value or not.
    if (ctx_.camera.set_lens_second_pulse(secondPulse) != 0)
        ctx_.op.message(group2 ? text::kSetSecondPulseFailed : text::kSetZoomAdjustFailed);
    if (ctx_.camera.execute_diag(diag::kLensInitialize) != 0)
        ctx_.op.message(group2 ? text::kLensInitFailed : text::kZoomInitFailed);
}

// ---- Keystone zoom ----------------------------------------------------------------------------

KeystoneDialog::KeystoneDialog(DialogContext& ctx)
    : DialogModel(kKeystoneTemplate, text::kKeystoneTitle, keystoneTable()), ctx_(ctx) {
    setHandler(idc::lens::kWide, [this] { zoom(kZoomWide); });
    setHandler(idc::lens::kTele, [this] { zoom(kZoomTele); });
    // Enter acts as the default button, "&Tele".
    setHandler(kIdOk, [this] { zoom(kZoomTele); });
}

void KeystoneDialog::zoom(int32_t step) {
    if (ctx_.camera.set_lens_step_zoom(step) == 0) return end(kIdOk);
    ctx_.op.message(text::kStepZoomFailed);
    end(kIdCancel);
}

// ---- Opening ----------------------------------------------------------------------------------

void openHallCalDialog(DialogContext& ctx) {
    HallCalDialog dialog(ctx);
    ctx.op.runModal(dialog);
}

void openLensDataDialog(DialogContext& ctx) {
    openLensDataDialog(ctx, ctx.state.caps.lensDataKind);
}

void openLensDataDialog(DialogContext& ctx, int32_t mode) {
    LensDataDialog dialog(ctx, mode);
    ctx.op.runModal(dialog);
}

bool keystoneZoomBeforeCalibration(DialogContext& ctx) {
    if (ctx.state.caps.keystoneVariant == 0) return true;
    KeystoneDialog dialog(ctx);
    return ctx.op.runModal(dialog) == kIdOk;
}

}  // namespace orvia
