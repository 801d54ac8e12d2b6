#include "console/lcd_registers.h"

#include <limits>

#include "console/camera.h"
#include "console/diag_run.h"
#include "console/diags.h"
#include "console/main_dialog.h"
#include "console/operator.h"
#include "console/reporting.h"
#include "console/texts.h"

namespace orvia {

namespace {

using namespace diag;

constexpr int32_t kPanelClass1 = 1;
constexpr int32_t kPanelClass2 = 2;
constexpr int32_t kPanelClass4 = 4;

// A record word less its list's offset, as the list's position. A word so far out that the
// difference leaves 32 bits has no position in any list: no selection.
int32_t listPosition(int32_t word, int32_t offset) {
    const int64_t position = int64_t{word} - offset;
    if (position < std::numeric_limits<int32_t>::min() ||
        position > std::numeric_limits<int32_t>::max()) {
        return -1;
    }
    return static_cast<int32_t>(position);
}

const LcdRegisterList kLists[] = {
    {.list = idc::kRBright,
     .selection = &MainDialog::rBright,
     .offset = 0,
     .diag = kLcdRBright,
     .diagClass4 = kLcdRBrightClass4,
     .pattern = kLcdPatternRegister,
     .patternClass1 = kLcdPatternRegister},
    {.list = idc::kBBright,
     .selection = &MainDialog::bBright,
     .offset = 0,
     .diag = kLcdBBright,
     .diagClass4 = kLcdBBrightClass4,
     .pattern = kLcdPatternRegister,
     .patternClass1 = kLcdPatternRegister},
    {.list = idc::kRgbOffset,
     .selection = &MainDialog::rgbOffset,
     .offset = 0,
     .diag = kLcdRgbOffset,
     .diagClass4 = kLcdRgbOffsetClass4,
     .pattern = kLcdPatternRegister,
     .patternClass1 = kLcdPatternRegister},
    {.list = idc::kGain,
     .selection = &MainDialog::gain,
     .offset = 0,
     .diag = kLcdGain,
     .diagClass4 = kLcdGainClass4,
     .pattern = kLcdPatternRegister,
     .patternClass1 = kLcdPatternRegister},
    {.list = idc::kHAfc,
     .selection = &MainDialog::hAfc,
     .offset = kHAfcOffset,
     .diag = kLcdHAfc,
     .diagClass4 = kLcdHAfc,
     .pattern = kLcdPatternRegister,
     .patternClass1 = kLcdPatternRegister},
    {.list = idc::kTint,
     .selection = &MainDialog::tint,
     .offset = kTintPhaseOffset,
     .diag = kLcdTint,
     .diagClass4 = kLcdTint,
     .pattern = kLcdPatternTintPhase,
     .patternClass1 = kLcdPatternTintLcd,
     .patternViewfinder = kLcdPatternTintPhase},
    {.list = idc::kPhase,
     .selection = &MainDialog::phase,
     .offset = kTintPhaseOffset,
     .diag = kLcdPhase,
     .diagClass4 = kLcdPhase,
     .pattern = kLcdPatternRegister,
     .patternClass1 = kLcdPatternTintPhase,
     .lcdOnly = true,
     .unsupportedClass = kPanelClass2},
};

int32_t patternFor(const LcdRegisterList& list, int32_t panelClass, bool viewfinder) {
    if (viewfinder && list.patternViewfinder) return *list.patternViewfinder;
    return panelClass == kPanelClass1 ? list.patternClass1 : list.pattern;
}

}  // namespace

std::span<const LcdRegisterList> lcdRegisterLists() {
    return kLists;
}

Outcome writeLcdRegister(MainDialog& dialog, const LcdRegisterList& list) {
    DialogContext& ctx = dialog.context();
    if (list.unsupportedClass && dialog.lcdType == *list.unsupportedClass)
        return showFailure(ctx.op, text::kNotSupported);
    dialog.readControls();
    const int32_t selection = dialog.*list.selection;
    // The view reports changes to a real item only; without a selection there is no value.
    if (selection < 0) return Outcome::completed();
    WaitCursor busy(ctx.op);
    const bool viewfinder = dialog.evf != 0;
    // A refused selection is reported and the register still written, as before; the outcome
    // keeps the failure.
    const int32_t selected = selectDisplayDevice(ctx, viewfinder && !list.lcdOnly);
    const int32_t r = ctx.camera.diag_lcd_disp(patternFor(list, dialog.lcdType, viewfinder));
    if (r != 0) return showError(ctx, r);
    waitReady(ctx.camera, ctx.clock, kWaitLcdRegister);
    const DiagRun write{dialog.lcdType == kPanelClass4 ? list.diagClass4 : list.diag,
                        kWaitLcdRegister, selection + list.offset};
    if (const int32_t w = executeDiagAndWait(ctx, write, OnFailure::Silent); w != 0)
        return showError(ctx, w);
    dialog.writeBack();
    Outcome outcome;
    outcome.measure("register_value", selection + list.offset);
    return keepEarlierFailure(ctx, selected, std::move(outcome));
}

void assignPanelRegisters(MainDialog& d, const int32_t (&i)[8]) {
    d.rgbOffset = i[1];
    d.gain = i[3];
    d.tint = listPosition(i[4], diag::kTintPhaseOffset);
    d.rBright = i[5];
    d.bBright = i[6];
    d.hAfc = listPosition(i[2], diag::kHAfcOffset);
}

void assignLcdRegisters(MainDialog& d, const int32_t (&i)[8]) {
    const int32_t cls = d.lcdType;
    if (cls == 5) {
        d.vcompp = i[7];
        d.vcomdc = i[0];
        return;
    }
    assignPanelRegisters(d, i);
    if (cls == 2 || cls == 3) {
        d.vcompp = i[7];
        if (cls == 2) d.vcomdc = i[0];
    } else {
        d.phase = listPosition(i[7], diag::kTintPhaseOffset);
    }
}

}  // namespace orvia
