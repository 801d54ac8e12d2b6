#include "service/service_controls.h"

#include <cctype>
#include <charconv>
#include <cstdint>
#include <limits>
#include <optional>

#include "console/app_state.h"
#include "console/camera.h"
#include "console/clock.h"
#include "console/diag_run.h"
#include "console/diags.h"
#include "console/format.h"
#include "console/lcd_registers.h"
#include "console/main_dialog.h"
#include "console/model_tables.h"
#include "console/operator.h"
#include "console/reporting.h"
#include "console/result_dialog.h"
#include "console/result_text.h"
#include "console/texts.h"

namespace orvia {

namespace {

constexpr int32_t kEntryLow = 0;
constexpr int32_t kEntryHigh = 65535;

// Takes the dialog's controls; the failure after the range prompt when `entry` holds no number
// of its range, so nothing made of it reaches the camera.
std::optional<Outcome> readEntry(MainDialog& d, int entry) {
    if (d.readControls() || d.lastExchangeFailure() != entry) return std::nullopt;
    return showFailure(d.context().op, format(text::kRangePrompt, kEntryLow, kEntryHigh));
}

// Runs `program` with `word`, waits, and shows the camera's text under `heading`; the error box
// when the camera refuses the program.
Outcome runEntryProgram(DialogContext& ctx, int32_t word, int32_t program, const char* heading) {
    ctx.camera.set_diag_long(word);
    if (const int32_t r = ctx.camera.execute_diag(program); r != 0) return showError(ctx, r);
    waitReady(ctx.camera, ctx.clock, diag::kWaitServiceStep);
    const std::string text = readDiagText(ctx.camera);
    ctx.camera.get_diag_long();
    showResult(ctx.op, heading, text);
    return Outcome::completed();
}

// Panel pattern 6 and its wait; the failure after the error box.
std::optional<Outcome> showPanelPattern(DialogContext& ctx) {
    if (const int32_t r = ctx.camera.diag_lcd_disp(diag::kPanelPattern); r != 0)
        return showError(ctx, r);
    waitReady(ctx.camera, ctx.clock, diag::kWaitServiceStep);
    return std::nullopt;
}

}  // namespace

Outcome startCalMode(MainDialog& d) {
    DialogContext& ctx = d.context();
    if (auto refused = readEntry(d, idc::kCalMode)) return *refused;
    WaitCursor busy(ctx.op);
    waitReady(ctx.camera, ctx.clock, diag::kWaitServiceStep);
    return runEntryProgram(ctx, d.calMode, diag::kCalMode, text::kCalModeResults);
}

Outcome startCalData(MainDialog& d) {
    DialogContext& ctx = d.context();
    if (auto refused = readEntry(d, idc::kCalData)) return *refused;
    WaitCursor busy(ctx.op);
    if (auto failed = showPanelPattern(ctx)) return *failed;
    return runEntryProgram(ctx, d.calData, diag::kCalData, text::kCalDataResults);
}

Outcome writeVcom(MainDialog& d, bool dc) {
    DialogContext& ctx = d.context();
    const int32_t type = d.lcdType;
    const bool supported = dc ? (type == 2 || type == 4 || type == 5) : (type >= 1 && type <= 5);
    if (!supported) return showFailure(ctx.op, text::kNotSupported);
    d.readControls();
    WaitCursor busy(ctx.op);
    if (d.lcdType == 4 || d.lcdType == 5) {
        if (auto failed = showPanelPattern(ctx)) return *failed;
    }
    ctx.camera.set_diag_long(dc ? d.vcomdc : d.vcompp);
    const int32_t program = d.lcdType == 4 ? (dc ? diag::kVcomdcClass4 : diag::kVcomppClass4)
                                           : (dc ? diag::kVcomdc : diag::kVcompp);
    if (const int32_t r = ctx.camera.execute_diag(program); r != 0) return showError(ctx, r);
    waitReady(ctx.camera, ctx.clock, diag::kWaitServiceStep);
    d.writeBack();
    return Outcome::completed();
}

void takeLcdType(MainDialog& d) {
    d.readControls();
}

Outcome switchEvf(MainDialog& d) {
    DialogContext& ctx = d.context();
    d.readControls();
    for (int32_t MainDialog::*reg :
         {&MainDialog::rBright, &MainDialog::bBright, &MainDialog::rgbOffset, &MainDialog::gain,
          &MainDialog::tint, &MainDialog::phase, &MainDialog::hAfc, &MainDialog::vcomdc,
          &MainDialog::vcompp}) {
        d.*reg = -1;
    }
    d.writeBack();
    WaitCursor busy(ctx.op);
    const bool viewfinder = d.evf != 0;
    if (selectDisplayDevice(ctx, viewfinder) != 0) {
        d.writeBack();
        return Outcome::failed(0, text::kDisplaySelectFailed);
    }
    if (viewfinder) {
        d.savedLcdType = d.lcdType;
    } else {
        d.lcdType = d.savedLcdType;
    }
    int32_t i[8] = {};
    if (const int32_t r = ctx.camera.get_diag_lcd_info(i); r != 0) {
        d.writeBack();
        return Outcome::failed(r, ctx.texts.text(r));
    }
    if (!viewfinder) {
        assignLcdRegisters(d, i);
    } else {
        if (models::EvfPanelModels.matches(ctx.state.cameraType) || ctx.state.lcdSubType == 1) {
            d.lcdType = 1;
            d.vcompp = i[7];
        } else {
            d.lcdType = 0;
            d.vcompp = -1;
        }
        assignPanelRegisters(d, i);
        d.vcomdc = -1;
        d.phase = -1;
    }
    d.writeBack();
    return Outcome::completed();
}

Outcome switchVco(MainDialog& d) {
    DialogContext& ctx = d.context();
    d.readControls();
    WaitCursor busy(ctx.op);
    if (const int32_t r = ctx.camera.execute_diag(d.vco != 0 ? diag::kVcoOn : diag::kVcoOff);
        r != 0)
        return showError(ctx, r);
    waitReady(ctx.camera, ctx.clock, diag::kWaitServiceStep);
    return Outcome::completed();
}

void takeStepCom(MainDialog& d) {
    d.readControls();
}

Outcome clearAdjustStatus(DialogContext& ctx) {
    WaitCursor busy(ctx.op);
    setStatus(ctx, text::kStatusWait);
    if (const int32_t r = ctx.camera.set_adjust_status(diag::kAdjustStatusClear); r != 0)
        return showError(ctx, r);
    setStatus(ctx, text::kStatusClearCompleted);
    return Outcome::completed();
}

Outcome getBackrushPulse(MainDialog& d) {
    DialogContext& ctx = d.context();
    if (ctx.state.caps.hasBackrushPulse != 1) return Outcome::completed();
    WaitCursor busy(ctx.op);
    const int32_t value = ctx.camera.get_backrush_pulse();
    d.backrush = format(text::kBackrushFormat, static_cast<unsigned>(value));
    d.writeBack();
    Outcome outcome;
    return outcome.measure("backrush_pulse", value);
}

Outcome setBackrushPulse(MainDialog& d) {
    DialogContext& ctx = d.context();
    if (ctx.state.caps.hasBackrushPulse != 1) return Outcome::completed();
    d.readControls();
    const std::optional<int32_t> value = parseBackrushPulse(d.backrush);
    if (!value) return showFailure(ctx.op, text::kBackrushInvalid);
    WaitCursor busy(ctx.op);
    if (const int32_t r = ctx.camera.set_backrush_pulse(*value); r != 0) return showError(ctx, r);
    d.writeBack();
    return Outcome::completed();
}

std::optional<int32_t> parseBackrushPulse(const std::string& text) {
    size_t at = 0;
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at])))
        ++at;
    const char* first = text.data() + at;
    const char* last = text.data() + text.size();
    int base = 10;
    if (last - first >= 2 && first[0] == '0' && (first[1] == 'x' || first[1] == 'X')) {
        first += 2;
        base = 16;
    }
    int64_t value = 0;
    const auto [end, ec] = std::from_chars(first, last, value, base);
    if (ec != std::errc() || end == first) return std::nullopt;
    // Hexadecimal words fill all 32 bits; decimal numbers may be signed.
    const int64_t low = base == 16 ? 0 : std::numeric_limits<int32_t>::min();
    const int64_t high = std::numeric_limits<uint32_t>::max();
    if (value < low || value > high) return std::nullopt;
    return static_cast<int32_t>(static_cast<uint32_t>(value));
}

}  // namespace orvia
