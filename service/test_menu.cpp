#include "service/test_menu.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <functional>
#include <iterator>
#include <optional>
#include <string_view>

#include "console/app_state.h"
#include "console/camera.h"
#include "console/clock.h"
#include "console/diag_run.h"
#include "console/diags.h"
#include "console/format.h"
#include "console/main_dialog.h"
#include "console/model_tables.h"
#include "console/operator.h"
#include "console/reporting.h"
#include "console/result_dialog.h"
#include "console/result_text.h"
#include "console/texts.h"
#include "dialogs/battery_dialogs.h"
#include "dialogs/lens_dialogs.h"
#include "dialogs/oel_dialogs.h"
#include "dialogs/yc_shading_dialog.h"
#include "service/sensor_detection.h"

namespace orvia {

namespace {

using Guard = bool (*)(const Capabilities& caps, int32_t lcdType);

// One check of the list's order: the entry at `position`, or the first entry beginning with
// `entry`, when the guard holds.
struct TestCheck {
    std::optional<int32_t> position;
    const char* entry;
    Guard guard;
    TestAction action;
};

constexpr int32_t kPosMonitor = 6, kPosOff = 7, kPosPlay = 8, kPosPlayMulti9 = 9;

// The full list's checks, in the order they are tried; an entry none claims is a pattern.
const TestCheck kFullChecks[] = {
    {kPosMonitor, nullptr, nullptr, TestAction::Monitor},
    {kPosOff, nullptr, nullptr, TestAction::Off},
    {kPosPlay, nullptr, nullptr, TestAction::Play},
    {kPosPlayMulti9, nullptr, nullptr, TestAction::PlayMulti9},
    {10, nullptr, nullptr, TestAction::PlayNext},
    {11, nullptr, nullptr, TestAction::PlayRev},
    {12, nullptr, nullptr, TestAction::AdjData},
    {13, text::kTestCamInfo, nullptr, TestAction::CamInfo},
    {14, nullptr, nullptr, TestAction::CcdDefect},
    {15, nullptr, nullptr, TestAction::CcdBlack},
    {16, nullptr, nullptr, TestAction::EisAdj},
    {17, nullptr, nullptr, TestAction::EisCheck},
    {18, nullptr, nullptr, TestAction::SetApply},
    {19, text::kTestSetDefault, nullptr, TestAction::SetDefault},
    {20, nullptr, nullptr, TestAction::AfLed},
    {std::nullopt, text::kTestAllVersion, nullptr, TestAction::AllVersion},
    {std::nullopt, text::kTestShadingAdj,
     [](const Capabilities& c, int32_t) { return c.hasShadingAdj == 1; }, TestAction::ShadingAdj},
    {std::nullopt, text::kTestYShadingAdj, nullptr, TestAction::YShadingAdj},
    {std::nullopt, text::kTestTrackingAdj, nullptr, TestAction::TrackingAdj},
    {std::nullopt, text::kTestPixelMap,
     [](const Capabilities& c, int32_t) { return c.hasPixelMap == 1; }, TestAction::PixelMap},
    {std::nullopt, text::kTestTemplateChk, nullptr, TestAction::TemplateChk},
    {std::nullopt, text::kTestYcShading, nullptr, TestAction::YcShading},
    {std::nullopt, text::kTestSensWbCal, nullptr, TestAction::SensWbCal},
    {std::nullopt, text::kTestShadingReset, nullptr, TestAction::ShadingReset},
    {std::nullopt, text::kTestInfinityCal,
     [](const Capabilities& c, int32_t) { return c.hasInfinityCal == 1; }, TestAction::InfinityCal},
    {std::nullopt, text::kTestKeystoneCal,
     [](const Capabilities& c, int32_t) { return c.hasKeystoneCal == 1; }, TestAction::KeystoneCal},
    {std::nullopt, text::kTestBatteryInfo,
     [](const Capabilities& c, int32_t) { return c.hasBatteryInfo == 1; }, TestAction::BatteryInfo},
    {std::nullopt, text::kTestBatteryType,
     [](const Capabilities& c, int32_t) { return c.hasBatteryType == 1; }, TestAction::BatteryType},
    {std::nullopt, text::kTestLensData,
     [](const Capabilities& c, int32_t) { return c.hasLensData == 1; }, TestAction::LensData},
    {std::nullopt, text::kTestZoomCal, nullptr, TestAction::ZoomCal},
    {std::nullopt, text::kTestOelAcl,
     [](const Capabilities&, int32_t lcd) { return lcd == 6 || lcd == 15; }, TestAction::OelAcl},
};

// The repair-service list: the two detections and the infinity calibration.
const TestCheck kReducedChecks[] = {
    {std::nullopt, text::kTestCcdDefect, nullptr, TestAction::CcdDefect},
    {std::nullopt, text::kTestCcdBlack, nullptr, TestAction::CcdBlack},
    {std::nullopt, text::kTestInfinityCal,
     [](const Capabilities& c, int32_t) { return c.hasInfinityCal == 1; }, TestAction::InfinityCal},
};

bool beginsNoCase(std::string_view s, std::string_view prefix) {
    if (s.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(s[i])) !=
            std::tolower(static_cast<unsigned char>(prefix[i])))
            return false;
    }
    return true;
}

// Position of the first entry that begins with `prefix`, or -1.
int32_t findEntry(const std::vector<std::string>& items, std::string_view prefix) {
    for (size_t i = 0; i < items.size(); ++i) {
        if (beginsNoCase(items[i], prefix)) return static_cast<int32_t>(i);
    }
    return -1;
}

bool claims(const TestCheck& c, const std::vector<std::string>& items, int32_t selection,
            const Capabilities& caps, int32_t lcdType) {
    if (c.guard != nullptr && !c.guard(caps, lcdType)) return false;
    if (c.position && *c.position == selection) return true;
    return c.entry != nullptr && findEntry(items, c.entry) == selection;
}

// ---- Display modes and patterns --------------------------------------------------------------

struct DisplayMode {
    TestAction action;
    int32_t code;
    bool selectDevice;  // point the adjustments at the EVF box's display first
    bool (*send)(int32_t state);
    bool stepBack;  // a one-shot step: the list goes back to the current mode afterwards
};

const DisplayMode kDisplayModes[] = {
    {TestAction::Monitor, diag::kDisplayMonitor, true,
     [](int32_t s) { return s != diag::kDisplayMonitor; }, false},
    {TestAction::Off, diag::kDisplayOff, true, [](int32_t) { return true; }, false},
    {TestAction::Play, diag::kDisplayPlay, false, [](int32_t s) { return s != diag::kDisplayPlay; },
     false},
    {TestAction::PlayMulti9, diag::kDisplayPlayMulti9, false,
     [](int32_t s) { return s != diag::kDisplayPlayMulti9; }, false},
    {TestAction::PlayNext, diag::kDisplayPlayNext, false,
     [](int32_t s) { return s == diag::kDisplayPlay || s == diag::kDisplayPlayMulti9; }, true},
    {TestAction::PlayRev, diag::kDisplayPlayRev, false,
     [](int32_t s) { return s == diag::kDisplayPlay || s == diag::kDisplayPlayMulti9; }, true},
};

// The list position that shows display state `state`, if any.
std::optional<int32_t> positionOfState(int32_t state) {
    switch (state) {
        case diag::kDisplayOff:
            return kPosOff;
        case diag::kDisplayMonitor:
            return kPosMonitor;
        case diag::kDisplayPlay:
            return kPosPlay;
        case diag::kDisplayPlayMulti9:
            return kPosPlayMulti9;
        default:
            return std::nullopt;
    }
}

Outcome runDisplayMode(MainDialog& d, const DisplayMode& mode, int32_t state) {
    DialogContext& ctx = d.context();
    int32_t selected = 0;
    if (mode.send(state)) {
        if (mode.selectDevice) selected = selectDisplayDevice(ctx, d.evf != 0);
        if (const int32_t r = ctx.camera.control_lcd(mode.code, 0); r != 0) {
            Outcome failure = showError(ctx, r);
            d.writeBack();
            return failure;
        }
        waitReady(ctx.camera, ctx.clock, diag::kWaitServiceStep);
    }
    if (mode.stepBack) {
        if (const auto at = positionOfState(state)) d.testSelection = *at;
    }
    d.writeBack();
    return keepEarlierFailure(ctx, selected, Outcome::completed());
}

Outcome runPattern(MainDialog& d, int32_t state) {
    DialogContext& ctx = d.context();
    int32_t selected = 0;
    if (state != diag::kDisplayPlay) {
        selected = selectDisplayDevice(ctx, d.evf != 0);
        if (const int32_t r = ctx.camera.control_lcd(diag::kDisplayPlay, 0); r != 0)
            return showError(ctx, r);
        waitReady(ctx.camera, ctx.clock, diag::kWaitServiceStep);
    }
    if (const int32_t r = ctx.camera.diag_lcd_disp(d.testSelection); r != 0)
        return showError(ctx, r);
    waitReady(ctx.camera, ctx.clock, diag::kWaitServiceStep);
    d.writeBack();
    return keepEarlierFailure(ctx, selected, Outcome::completed());
}

// ---- Records and texts -----------------------------------------------------------------------

// A record the camera would not give: nothing is shown, as the entry always did, but the outcome
// says the camera refused.
Outcome refusedRecord(DialogContext& ctx, int32_t r) {
    return Outcome::failed(r, ctx.texts.text(r));
}

Outcome showAdjData(DialogContext& ctx) {
    std::array<int32_t, 12> w{};
    if (const int32_t r = ctx.camera.get_diag_info(w.data()); r != 0) return refusedRecord(ctx, r);
    const bool extended = models::ExtendedAdjDataModels.matches(ctx.state.cameraType);
    if (extended) {
        ctx.op.message(format(text::kAdjDataExtended, w[0], w[10], w[1], w[2], w[3], w[4], w[5],
                              w[6], w[7], w[8], w[9]));
    } else {
        ctx.op.message(
            format(text::kAdjDataStandard, w[0], w[1], w[2], w[3], w[4], w[5], w[6], w[7], w[8]));
    }
    Outcome outcome;
    outcome.measure("focus", w[0]).measure("awb_r", w[1]).measure("awb_g", w[2]);
    outcome.measure("awb_b", w[3]).measure("agc_gain", w[4]);
    return outcome;
}

Outcome showCamInfo(DialogContext& ctx) {
    std::array<int32_t, 8> w{};
    if (const int32_t r = ctx.camera.get_diag_camera_info(w.data()); r != 0)
        return refusedRecord(ctx, r);
    showResult(ctx.op, text::kCamInfoResults,
               format(text::kCamInfoFormat, w[0], w[1], w[2], w[3], w[7]));
    return Outcome::completed();
}

Outcome setApply(DialogContext& ctx) {
    setStatus(ctx, text::kStatusWait);
    if (const int32_t r = ctx.camera.execute_diag(diag::kSetApply); r != 0)
        return endWithError(ctx, r);
    waitReady(ctx.camera, ctx.clock, diag::kWaitCalibration);
    setStatus(ctx, text::kStatusApplyCompleted);
    return Outcome::completed();
}

Outcome setDefault(DialogContext& ctx) {
    setStatus(ctx, text::kStatusWait);
    if (const int32_t r = ctx.camera.set_initialize_setting(); r != 0) return endWithError(ctx, r);
    if (models::FormatOnDefaultModels.matches(ctx.state.cameraType)) {
        if (const int32_t r = ctx.camera.format_memory_card(0); r != 0) return endWithError(ctx, r);
    }
    setStatus(ctx, text::kStatusInitializeCompleted);
    return Outcome::completed();
}

// The AF LED program is polled at a short pace until the camera is ready again; a camera that
// never gets there is given up after diag::kWaitAfLed seconds with a box saying so.
Outcome afLed(DialogContext& ctx) {
    setStatus(ctx, text::kStatusWaitShort);
    if (const int32_t r = ctx.camera.execute_diag(diag::kAfLed); r != 0)
        return endWithError(ctx, r);
    const uint32_t start = ctx.clock.tickMs();
    while (ctx.camera.ready() == 0) {
        if (ctx.clock.tickMs() - start >= diag::kWaitAfLed * 1000) {
            setStatus(ctx, text::kStatusIdle);
            return showFailure(ctx.op, format(text::kAfLedTimedOut, unsigned{diag::kWaitAfLed}));
        }
        ctx.clock.sleepMs(diag::kAfLedPollMs);
    }
    setStatus(ctx, text::kStatusAfLedCompleted);
    return Outcome::completed();
}

// The version text of `selector`, or nothing when the request failed.
std::optional<std::string> versionText(Camera& camera, int32_t selector,
                                       std::array<char, diag::kVersionTextBytes>& buffer) {
    buffer[0] = 0;
    if (camera.get_selsrc_version(buffer.data(), selector) != 0) return std::nullopt;
    return std::string(buffer.data(), strnlen(buffer.data(), buffer.size()));
}

Outcome allVersion(DialogContext& ctx) {
    setStatus(ctx, text::kStatusWait);
    Camera& camera = ctx.camera;
    std::array<char, diag::kVersionTextBytes> buffer{};
    Outcome outcome;
    if (const auto app = versionText(camera, diag::kVersionApp, buffer)) {
        outcome.note("version_app", *app);
        std::string t =
            std::string(text::kVersionHeading) + text::kVersionApp + *app + text::kLineEnd;
        const auto part = [&](int32_t selector) {
            return versionText(camera, selector, buffer).value_or("");
        };
        t += text::kVersionSub + part(diag::kVersionSub) + text::kLineEnd;
        t += text::kVersionBoot + part(diag::kVersionBoot) + text::kLineEnd;
        t += text::kVersionNand + part(diag::kVersionNand);
        if (const auto verify = versionText(camera, diag::kVersionNandVerify, buffer)) {
            t += text::kNandVerify;
            if (verify->empty() || *verify == "0") {
                t += text::kNandVerifyNotSupported;
            } else if (*verify == "-1") {
                t += text::kNandVerifyChecksumError;
            } else {
                t += *verify;
            }
        }
        ctx.op.message(MessageKind::Information, t);
    } else {
        outcome = showFailure(ctx.op, text::kVersionNotSupported, MessageKind::Warning);
    }
    setStatus(ctx, text::kStatusIdle);
    return outcome;
}

// The result text of the long shading result.
std::string readLongShadingText(Camera& camera) {
    std::vector<char> buffer(diag::kLongShadingBytes, 0);
    if (camera.get_diag_buffer_val(buffer.data(), static_cast<int32_t>(buffer.size())) != 0)
        return {};
    return std::string(buffer.data(), strnlen(buffer.data(), buffer.size()));
}

// Result window of a finished program: the idle status, then the text `read` fetches.
Outcome showProgramResult(DialogContext& ctx, const std::string& heading,
                          const std::function<std::string(Camera&)>& read) {
    setStatus(ctx, text::kStatusIdle);
    showResult(ctx.op, heading, read(ctx.camera));
    return Outcome::completed();
}

Outcome runTimedDiag(DialogContext& ctx, int32_t program, uint32_t limit,
                     const std::string& heading, const std::function<std::string(Camera&)>& read) {
    setStatus(ctx, text::kStatusWait);
    if (const int32_t r = executeDiagAndWait(ctx, DiagRun{program, limit}, OnFailure::Silent);
        r != 0)
        return endWithError(ctx, r);
    return showProgramResult(ctx, heading, read);
}

Outcome shadingAdj(DialogContext& ctx) {
    const bool longResult = models::LongShadingResultModel.matches(ctx.state.cameraType);
    return runTimedDiag(ctx, diag::kShadingAdj, diag::kWaitServiceShort, text::kShadingAdjResults,
                        longResult ? readLongShadingText : readDiagText);
}

// Tracking Adj: the tracking program, or on the panel variant the pattern, Cal Data and Cal Mode
// programs with fixed words. A refused call ends the test with the status line back to idle.
Outcome trackingAdj(DialogContext& ctx) {
    setStatus(ctx, text::kStatusWait);
    if (ctx.state.caps.testVariant == 1) {
        Camera& camera = ctx.camera;
        if (const int32_t r = camera.diag_lcd_disp(diag::kPanelPattern); r != 0)
            return endWithError(ctx, r);
        waitReady(camera, ctx.clock, diag::kWaitServiceStep);
        for (auto [word, program] : {std::pair{diag::kTrackingCalData, diag::kCalData},
                                     std::pair{diag::kTrackingCalMode, diag::kCalMode}}) {
            camera.set_diag_long(word);
            if (const int32_t r = camera.execute_diag(program); r != 0) return endWithError(ctx, r);
            waitReady(camera, ctx.clock, diag::kWaitServiceStep);
        }
    } else if (const int32_t r = executeDiagAndWait(
                   ctx, DiagRun{diag::kTrackingAdj, diag::kWaitServiceShort}, OnFailure::Silent);
               r != 0) {
        return endWithError(ctx, r);
    }
    return showProgramResult(ctx, text::kTrackingAdjResults, readDiagText);
}

// The check's answer is an outcome of the camera's own, not a link result: 0 is a template that
// matched, any other answer a template that did not.
Outcome templateChk(DialogContext& ctx) {
    setStatus(ctx, text::kStatusWait);
    const int32_t answer = ctx.camera.get_template_chk();
    setStatus(ctx, text::kStatusIdle);
    std::string box;
    if (answer >= 0 && answer < static_cast<int32_t>(std::size(text::kTemplateChkOutcomes))) {
        box = text::kTemplateChkOutcomes[answer];
    } else {
        box = format(text::kTemplateChkInvalid, answer);
    }
    ctx.op.message(MessageKind::Information, box);
    Outcome outcome;
    outcome.measure("template_chk", answer);
    return outcome.judged(answer == 0);
}

Outcome shadingReset(DialogContext& ctx) {
    setStatus(ctx, text::kStatusWait);
    if (const int32_t r = ctx.camera.set_shade_status(diag::kShadeReset); r != 0) {
        setStatus(ctx, text::kStatusErrorMark);
        return showError(ctx, r);
    }
    setStatus(ctx, text::kStatusShadingResetCompleted);
    return Outcome::completed();
}

// The keystone variant first sets the zoom step in its dialog; the calibration starts only when
// that dialog closed with OK.
Outcome keystoneCal(MainDialog& d) {
    DialogContext& ctx = d.context();
    if (std::optional<Outcome> refused = zoomBeforeKeystoneCalibration(ctx)) return *refused;
    return runTimedDiagTest(ctx, diag::kKeystoneCal, diag::kWaitServiceLong,
                            text::kKeystoneCalResults);
}

// Shows a dialog between the " Status: Wait!!" and " Status: " lines.
Outcome withWaitStatus(DialogContext& ctx, Outcome (*open)(DialogContext&)) {
    setStatus(ctx, text::kStatusWait);
    Outcome outcome = open(ctx);
    setStatus(ctx, text::kStatusIdle);
    return outcome;
}

Outcome runAction(MainDialog& d, TestAction action, int32_t state) {
    DialogContext& ctx = d.context();
    for (const DisplayMode& mode : kDisplayModes) {
        if (mode.action == action) return runDisplayMode(d, mode, state);
    }
    switch (action) {
        case TestAction::None:
            d.writeBack();
            return Outcome::completed();
        case TestAction::AdjData:
            return showAdjData(ctx);
        case TestAction::CamInfo:
            return showCamInfo(ctx);
        case TestAction::CcdDefect:
            return runCcdDefectDetection(ctx);
        case TestAction::CcdBlack:
            return runCcdBlackDetection(ctx);
        case TestAction::EisAdj:
            return runTimedDiagTest(ctx, diag::kEisAdj, diag::kWaitCalibration,
                                    text::kEisAdjResults);
        case TestAction::EisCheck:
            return runTimedDiagTest(ctx, diag::kEisCheck, diag::kWaitCalibration,
                                    text::kEisCheckResults);
        case TestAction::SetApply:
            return setApply(ctx);
        case TestAction::SetDefault:
            return setDefault(ctx);
        case TestAction::AfLed:
            return afLed(ctx);
        case TestAction::AllVersion:
            return allVersion(ctx);
        case TestAction::ShadingAdj:
            return shadingAdj(ctx);
        case TestAction::YShadingAdj:
            return runTimedDiagTest(ctx, diag::kYShadingAdj, diag::kWaitServiceShort,
                                    text::kYShadingAdjResults);
        case TestAction::TrackingAdj:
            return trackingAdj(ctx);
        case TestAction::PixelMap:
            return runTimedDiagTest(ctx, diag::kPixelMap, diag::kWaitServiceLong,
                                    text::kInfinityCalResults);
        case TestAction::TemplateChk:
            return templateChk(ctx);
        case TestAction::SensWbCal:
            return runTimedDiagTest(ctx, diag::kSensWbCal, diag::kWaitServiceLong,
                                    text::kSensWbResults);
        case TestAction::ShadingReset:
            return shadingReset(ctx);
        case TestAction::InfinityCal:
            return runTimedDiagTest(ctx, diag::kInfinityCal, diag::kWaitServiceLong,
                                    text::kInfinityCalResults);
        case TestAction::KeystoneCal:
            return keystoneCal(d);
        case TestAction::ZoomCal:
            return runTimedDiagTest(ctx, diag::kZoomCal, diag::kWaitServiceLong,
                                    text::kZoomCalResults);
        // Entries that open adjustment dialogs.
        case TestAction::YcShading:
            return openYcShadingDialog(ctx);
        case TestAction::BatteryInfo:
            return withWaitStatus(ctx, openBatteryInfoDialog);
        case TestAction::BatteryType:
            return withWaitStatus(ctx, openBatteryTypeDialog);
        case TestAction::LensData:
            return openLensDataDialog(ctx);
        case TestAction::OelAcl:
            return openOelAclDialog(d);
        case TestAction::Pattern:
            return runPattern(d, state);
        default:
            return Outcome::completed();
    }
}

}  // namespace

TestAction chooseTestAction(const std::vector<std::string>& items, int32_t selection,
                            const Capabilities& caps, int32_t lcdType) {
    if (caps.fullTestMenu == 1) {
        for (const TestCheck& c : kFullChecks) {
            if (claims(c, items, selection, caps, lcdType)) return c.action;
        }
        return TestAction::Pattern;
    }
    for (const TestCheck& c : kReducedChecks) {
        if (claims(c, items, selection, caps, lcdType)) return c.action;
    }
    return TestAction::None;
}

Outcome runTimedDiagTest(DialogContext& ctx, int32_t diag, uint32_t limitSeconds,
                         const std::string& heading) {
    return runTimedDiag(ctx, diag, limitSeconds, heading, readDiagText);
}

Outcome onTestSelChange(MainDialog& d) {
    DialogContext& ctx = d.context();
    d.readControls();
    WaitCursor busy(ctx.op);
    if (d.testSelection < 0) return Outcome::completed();  // no entry chosen
    const int32_t state = ctx.camera.get_lcd();
    if (state == diag::kDisplayNone) {
        Outcome failure = showFailure(ctx.op, text::kLcdNotAvailable);
        d.writeBack();
        return failure;
    }
    const TestAction action =
        chooseTestAction(d.control(idc::kTest).items, d.testSelection, ctx.state.caps, d.lcdType);
    return runAction(d, action, state);
}

}  // namespace orvia
