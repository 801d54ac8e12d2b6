#include "console/calibrations.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <functional>
#include <limits>

#include "console/app_state.h"
#include "console/camera.h"
#include "console/clock.h"
#include "console/diag_run.h"
#include "console/diags.h"
#include "console/format.h"
#include "console/judgement.h"
#include "console/measurements.h"
#include "console/model_tables.h"
#include "console/operator.h"
#include "console/reporting.h"
#include "console/result_dialog.h"
#include "console/texts.h"

namespace orvia {

namespace {

// Characters after the focus marker that hold the position.
constexpr size_t kStdAfPosChars = 12;

// One shading program: a refused start is a step error; the camera gets its 30 s either way.
// Nothing when the program started, else the failure.
std::optional<Outcome> runShadingProgram(DialogContext& ctx, int32_t program) {
    std::optional<Outcome> failure;
    if (const int32_t r = ctx.camera.execute_diag(program); r != 0)
        failure = showStepError(ctx, text::kStepShading, r);
    waitReady(ctx.camera, ctx.clock, diag::kWaitCalibration);
    return failure;
}

// Colour shading: the first refused call ends the sequence with a step error naming its step;
// the camera is left as that step found it. Nothing when every step went through.
std::optional<Outcome> runColorShading(DialogContext& ctx) {
    for (const ShadingStep& step : colorShadingSteps(ctx)) {
        if (const int32_t r = step.call(); r != 0) return showStepError(ctx, step.name, r);
    }
    return std::nullopt;
}

// The shading that follows AWB, chosen by the type and the shade status. Nothing unless a step
// failed; then the first failure.
std::optional<Outcome> runShading(DialogContext& ctx, int32_t shadeStatus) {
    if (models::DoubleShadingModel.matches(ctx.state.cameraType)) {
        std::optional<Outcome> first = runShadingProgram(ctx, diag::kShading1);
        std::optional<Outcome> second = runShadingProgram(ctx, diag::kShading2);
        return first ? first : second;
    }
    switch (shadeStatus) {
        case 1:
            return runShadingProgram(ctx, diag::kShading1);
        case 2:
            return runShadingProgram(ctx, diag::kShading2);
        case diag::kShadeStatusColor:
            return runColorShading(ctx);
        default:
            return std::nullopt;
    }
}

bool isShadeStatus(int32_t s) {
    return s >= 1 && s <= diag::kShadeStatusColor;
}

}  // namespace

std::vector<ShadingStep> colorShadingSteps(DialogContext& ctx) {
    Camera& camera = ctx.camera;
    Clock& clock = ctx.clock;
    static constexpr int32_t wide[2] = {diag::kFocalWide, diag::kFocalScale};
    static constexpr int32_t tele[2] = {diag::kFocalTele, diag::kFocalScale};
    const auto presetWb = [&camera, &clock] {
        const int32_t r = camera.execute_diag(diag::kPresetWb);
        if (r == 0) waitReady(camera, clock, diag::kWaitCalibration);
        return r;
    };
    const auto takePicture = [&camera, &clock] {
        const int32_t r = camera.take_pic();
        if (r == 0) waitReady(camera, clock, diag::kWaitCalibration);
        return r;
    };
    return {
        {text::kStepWideEnd, [&camera] { return camera.set_focal_length(wide); }},
        {text::kStepColorShadeOn,
         [&camera] { return camera.set_color_shade(diag::kColorShadeOn); }},
        {text::kStepPresetWb, presetWb},
        {text::kStepTakePicture, takePicture},
        {text::kStepTeleEnd, [&camera] { return camera.set_focal_length(tele); }},
        {text::kStepPresetWb, presetWb},
        {text::kStepTakePicture, takePicture},
        {text::kStepColorShadeOff,
         [&camera] { return camera.set_color_shade(diag::kColorShadeOff); }},
        // The calibration is complete: the lens goes back to the wide end, and the sequence has
        // succeeded whatever the camera answers to that.
        {text::kStepCompleteAll,
         [&camera] {
             camera.set_focal_length(wide);
             return 0;
         }},
    };
}

Outcome calibrateAwb(DialogContext& ctx) {
    if (!confirm(ctx.op, text::kAskAwb)) return answeredNo(text::kAskAwb);
    setStatus(ctx, text::kStatusWaitAwb);
    WaitCursor busy(ctx.op);
    const std::string& type = ctx.state.cameraType;
    if (const int32_t r = ctx.camera.execute_diag(diag::kAwb); r != 0) return endWithError(ctx, r);
    if (const ModelEntry* settle = models::AwbSettleModels.find(type)) {
        ctx.clock.sleepMs(settle->delayMs);
    }
    waitReady(ctx.camera, ctx.clock, diag::kWaitCalibration);
    std::string result = readDiagText(ctx.camera);
    ctx.camera.get_diag_long();  // read after the text; only the text is shown
    int32_t shadeStatus = ctx.camera.get_shade_status();
    if (!isShadeStatus(shadeStatus) && models::ShadeForcedModel.matches(type)) shadeStatus = 1;
    if (isShadeStatus(shadeStatus)) setStatus(ctx, text::kStatusWaitShading);
    // After a failed step its error text stays on the status line.
    std::optional<Outcome> shadingFailure = runShading(ctx, shadeStatus);
    if (!shadingFailure) setStatus(ctx, text::kStatusIdle);

    Outcome outcome = shadingFailure ? std::move(*shadingFailure) : Outcome::completed();
    addAwbGains(outcome, result);
    const char* heading = text::kAwbResults;
    if (models::JudgedAwbModels.matches(type)) {
        const bool pass = judge(ctx.host, type, JudgedKind::Awb, result);
        heading = pass ? text::kAwbResultsOk : text::kAwbResultsNg;
        outcome.judged(pass);
    }
    showResult(ctx.op, heading, format(text::kAwbResultBody, result.c_str()));
    return outcome;
}

Outcome calibrateFocus(DialogContext& ctx) {
    WaitCursor busy(ctx.op);
    Camera& camera = ctx.camera;
    const std::string& type = ctx.state.cameraType;
    camera.control_lcd(diag::kDisplayMonitor, 0);
    waitReady(camera, ctx.clock, diag::kWaitFocusDisplay);
    if (!confirm(ctx.op, text::kAskFocus)) {
        camera.control_lcd(diag::kDisplayOff, 0);
        return answeredNo(text::kAskFocus);
    }
    setStatus(ctx, text::kStatusWaitFocus);
    if (const int32_t r = camera.execute_diag(diag::kFocus); r != 0) {
        camera.control_lcd(diag::kDisplayOff, 0);
        return endWithError(ctx, r);
    }
    if (models::FocusSettleModels.matches(type)) ctx.clock.sleepMs(diag::kFocusSettleMs);
    waitReady(camera, ctx.clock, diag::kWaitFocus);
    setStatus(ctx, text::kStatusIdle);
    camera.get_diag_long();  // read before the text; only the text is shown
    std::string result = readDiagText(camera);

    Outcome outcome;
    addFocusError(outcome, result);
    if (const std::optional<StdAfPosition> pos = readStdAfPosition(result)) {
        outcome.measure("std_afpos", pos->value, "pulse")
            .measure("std_afpos_hi", pos->hi)
            .measure("std_afpos_lo", pos->lo);
        showResult(ctx.op, text::kFocusResults,
                   format(text::kFocusResultBody, pos->hi, pos->lo, pos->hexHi.c_str(),
                          pos->hexLo.c_str(), result.c_str()));
    } else {
        const bool judged = models::JudgedFocusModels.matches(type);
        const bool passed = judged && judge(ctx.host, type, JudgedKind::Focus, result);
        if (judged) outcome.judged(passed);
        ctx.op.message(format(passed ? text::kFocusPassed : text::kFocusResult, result.c_str()));
    }
    camera.control_lcd(diag::kDisplayOff, 0);
    return outcome;
}

Outcome calibrateUvMatrix(DialogContext& ctx) {
    WaitCursor busy(ctx.op);
    if (!confirm(ctx.op, text::kAskUvMatrix)) return answeredNo(text::kAskUvMatrix);
    setStatus(ctx, text::kStatusWaitUvMatrix);
    const DiagRun run{diag::kUvMatrix, diag::kWaitCalibration};
    if (const int32_t r = executeDiagAndWait(ctx, run, OnFailure::Silent); r != 0)
        return endWithError(ctx, r);
    setStatus(ctx, text::kStatusIdle);
    ctx.camera.get_diag_long();  // the word is read before the text; only the text is shown
    showResult(ctx.op, text::kUvMatrixResults, readDiagText(ctx.camera));
    return Outcome::completed();
}

std::optional<StdAfPosition> readStdAfPosition(std::string_view focusText) {
    const std::string_view marker = text::kStdAfPosMarker;
    if (!focusText.starts_with(marker)) return std::nullopt;
    const std::string_view digits = focusText.substr(marker.size(), kStdAfPosChars);

    // A signed decimal number: blanks first, then a sign, then digits up to the first other
    // character. A number beyond the 32-bit range is held at its nearer end.
    size_t i = 0;
    while (i < digits.size() && std::isspace(static_cast<unsigned char>(digits[i])))
        ++i;
    bool negative = false;
    if (i < digits.size() && (digits[i] == '+' || digits[i] == '-')) negative = digits[i++] == '-';
    int64_t magnitude = 0;
    for (; i < digits.size() && std::isdigit(static_cast<unsigned char>(digits[i])); ++i)
        magnitude = magnitude * 10 + (digits[i] - '0');  // 12 digits at most: no overflow
    int64_t value = negative ? -magnitude : magnitude;
    value = std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                std::numeric_limits<int32_t>::max());

    StdAfPosition pos;
    pos.value = static_cast<int32_t>(value);
    const auto bits = static_cast<uint32_t>(pos.value);
    const uint32_t hi = bits >> 16;
    const uint32_t lo = bits & 0xFFFF;
    pos.hexHi = format("%x", hi);
    pos.hexLo = format("%x", lo);
    pos.hi = static_cast<int32_t>(static_cast<int16_t>(hi));
    pos.lo = static_cast<int32_t>(static_cast<int16_t>(lo));
    return pos;
}

}  // namespace orvia
