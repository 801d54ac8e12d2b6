// The calibrations of the main dialog's Calibration group, pressed as the operator presses them,
// on a simulated camera: what the camera received and what the operator saw.
#include <gtest/gtest.h>

#include <cstring>
#include <optional>

#include "console/calibrations.h"
#include "console/main_dialog.h"
#include "console/result_dialog.h"
#include "console_rig.h"

namespace orvia::testing {
namespace {

using Strings = std::vector<std::string>;

// Runs the console, presses `button` in the main dialog and hands the camera traffic of the
// press to `check`.
void press(ConsoleRig& rig, int button, const std::function<void(const Strings&)>& check) {
    rig.op.modalScripts[kMainTemplate] = [&](DialogModel& d) {
        rig.recordStatus();
        const size_t from = rig.mark();
        d.command(button);
        check(rig.traffic(from));
    };
    ASSERT_EQ(rig.run(), 0);
}

// Runs the console, presses `button` and returns how long the press took on the virtual clock,
// with the camera traffic of the press.
uint32_t timedPress(ConsoleRig& rig, int button, Strings* traffic = nullptr) {
    uint32_t tookMs = 0;
    rig.op.modalScripts[kMainTemplate] = [&](DialogModel& d) {
        const uint32_t start = rig.clock.tickMs();
        const size_t from = rig.mark();
        d.command(button);
        tookMs = rig.clock.tickMs() - start;
        if (traffic != nullptr) *traffic = rig.traffic(from);
    };
    EXPECT_EQ(rig.run(), 0);
    return tookMs;
}

TEST(UvMatrix, RunsDiag16AndShowsTheCameraTextInTheResultWindow) {
    ConsoleRig rig;
    rig.model.setResult(16, "UV Matrix\r\nR-Y 1.024\r\nB-Y 0.987");
    rig.op.answers = {true};
    press(rig, idc::kUvMatrix, [&](const Strings& traffic) {
        EXPECT_EQ(traffic, (Strings{"exec 6 16", "get 32", "fetch 31"}));
    });
    EXPECT_EQ(rig.op.questions(), Strings{"Execute UV Matrix Calibration. Yes or No?"});
    EXPECT_EQ(rig.statuses,
              (Strings{" Status: Wait!!  Executing UV Matrix Calibration.", " Status: "}));
    ASSERT_EQ(rig.op.dialogs().size(), 2u);  // the main dialog, then the result window
    const OperatorEvent& result = *rig.op.dialogs()[1];
    EXPECT_EQ(result.templateId, kResultTemplate);
    EXPECT_EQ(result.controls.at(kResultHeading), "UV Matrix Results :");
    EXPECT_EQ(result.controls.at(kResultText), "UV Matrix\r\nR-Y 1.024\r\nB-Y 0.987");
    EXPECT_TRUE(rig.op.messages().empty());
    EXPECT_EQ(rig.op.waitDepth, 0);
}

TEST(UvMatrix, NoSendsNothingButShowsTheWaitCursor) {
    ConsoleRig rig;
    rig.op.answers = {false};
    press(rig, idc::kUvMatrix, [](const Strings& traffic) { EXPECT_TRUE(traffic.empty()); });
    EXPECT_TRUE(rig.statuses.empty());
    EXPECT_EQ(rig.op.dialogs().size(), 1u);
    EXPECT_GE(rig.op.waitShown, 1);
    EXPECT_EQ(rig.op.waitDepth, 0);
}

// The camera refuses to start the program: the status line goes back, the error box, nothing
// more; Focus turns the display off again first.
TEST(Calibrations, ARefusedStartEndsWithTheErrorBoxAndNoResultWindow) {
    struct Case {
        int button;
        Strings traffic;
        const char* waitStatus;
    };
    const Case cases[] = {
        {idc::kUvMatrix, {"exec 6 16"}, " Status: Wait!!  Executing UV Matrix Calibration."},
        {idc::kAwb, {"exec 6 3"}, " Status: Wait!!  Executing AWB Calibration."},
        {idc::kFocus,
         {"exec 8 2", "exec 6 1", "exec 8 1"},
         " Status: Wait!!  Executing Focus Calibration."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        ConsoleRig rig;
        rig.camera.faults().add(
            {.fault = camsim::Fault::Dc1, .op = camsim::kOpExecute, .code = 6, .times = 0});
        rig.op.answers = {true};
        press(rig, c.button, [&](const Strings& traffic) { EXPECT_EQ(traffic, c.traffic); });
        EXPECT_EQ(rig.op.messages(), Strings{"Error Write error"});
        EXPECT_EQ(rig.statuses, (Strings{c.waitStatus, " Status: "}));
        EXPECT_EQ(rig.op.dialogs().size(), 1u);
        EXPECT_EQ(rig.op.waitDepth, 0);
    }
}

TEST(UvMatrix, ACameraThatNeverFinishesHoldsTheProcedureNoLongerThanTheExecuteDeadline) {
    ConsoleRig rig;
    rig.camera.profile().executeUsByProgram[{6, 16}] = 600'000'000;  // ten minutes
    rig.op.answers = {true};
    const uint32_t tookMs = timedPress(rig, idc::kUvMatrix);
    EXPECT_GE(tookMs, 30'000u);
    EXPECT_LT(tookMs, 190'000u);
    EXPECT_EQ(rig.op.dialogs().size(), 2u);
    EXPECT_EQ(rig.op.messages(), std::vector<std::string>{});
}

// ---- AWB and AGC gain ---------------------------------------------------------------------

const std::string kAwbText = camsim::awbResultText(1.012, 0.991, 1.004);
const Strings kAwbStart = {"exec 6 3", "fetch 31", "get 32", "get 199"};
const Strings kColorShading = {"send 71",   "set 162 = 1", "exec 6 45",   "exec 2 0", "send 71",
                               "exec 6 45", "exec 2 0",    "set 162 = 0", "send 71"};

Strings concat(Strings a, const Strings& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// The focal length records the camera received, as {position, scale} pairs.
std::vector<std::vector<int32_t>> focalRecords(const ConsoleRig& rig) {
    std::vector<std::vector<int32_t>> out;
    for (const camsim::LogEntry& e : rig.commands()) {
        if (e.code != camsim::kCodeFocalLength || e.payload.size() != 8) continue;
        int32_t w[2];
        std::memcpy(w, e.payload.data(), sizeof w);
        out.push_back({w[0], w[1]});
    }
    return out;
}

const OperatorEvent& resultWindow(const ConsoleRig& rig) {
    const auto dialogs = rig.op.dialogs();
    EXPECT_EQ(dialogs.size(), 2u);  // the main dialog, then the result window
    EXPECT_EQ(dialogs.back()->templateId, kResultTemplate);
    return *dialogs.back();
}

TEST(Awb, ShadesAsTheShadeStatusAndTheTypeSay) {
    const std::string statusAwb = " Status: Wait!!  Executing AWB Calibration.";
    const std::string statusShading = " Status: Wait!!  Executing Shading Calibration.";
    struct Case {
        const char* type;
        int32_t shadeStatus;
        Strings shading;  // traffic after the shade status
        bool shadingStatus;
    };
    const Case cases[] = {
        {"ZR510", 0, {}, false},
        {"ZR510", -1, {}, false},
        {"ZR510", 1, {"exec 6 69"}, true},
        {"ZR510", 2, {"exec 6 78"}, true},
        {"ZR510", 3, kColorShading, true},
        {"YSF10", 0, {"exec 6 69"}, true},  // forced to 1
        {"YSF10", 7, {"exec 6 69"}, true},
        {"YSF10", 2, {"exec 6 78"}, true},  // a status of its own stands
        {"YDS10", 0, {"exec 6 69", "exec 6 78"}, false},
        {"YDS10", 3, {"exec 6 69", "exec 6 78"}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.type) + " status " + std::to_string(c.shadeStatus));
        ConsoleRig rig(profileFor(c.type));
        rig.camera.profile().values[camsim::kCodeShadeStatus] = c.shadeStatus;
        rig.op.answers = {true};
        press(rig, idc::kAwb,
              [&](const Strings& traffic) { EXPECT_EQ(traffic, concat(kAwbStart, c.shading)); });
        EXPECT_EQ(rig.op.questions(), Strings{"Execute AWB & AGC Gain Calibration. Yes or No?"});
        Strings statuses = {statusAwb};
        if (c.shadingStatus) statuses.push_back(statusShading);
        statuses.push_back(" Status: ");
        EXPECT_EQ(rig.statuses, statuses);
        // Types outside the judged list are shown without loading the judgement library.
        const OperatorEvent& result = resultWindow(rig);
        EXPECT_EQ(result.controls.at(kResultHeading), "AWB Results :");
        EXPECT_EQ(result.controls.at(kResultText), "1 : \r\n" + kAwbText);
        EXPECT_TRUE(rig.op.messages().empty());
        EXPECT_EQ(rig.host.judgement.loads, 0);
        EXPECT_EQ(rig.op.waitDepth, 0);
        if (c.shading == kColorShading) {
            const std::vector<std::vector<int32_t>> wideTeleWide = {{10, 10}, {-16, 10}, {10, 10}};
            EXPECT_EQ(focalRecords(rig), wideTeleWide);
            EXPECT_EQ(rig.camera.profile().values[camsim::kCodeColorShade], 0);
        }
    }
}

TEST(Awb, JudgedTypesAreJudgedByTheJudgementLibraryLoadedForTheCall) {
    const std::string filled(1024, 'X');  // a library that fills the buffer without an end
    struct Case {
        bool present;
        bool hasEntry;
        int32_t result;
        std::optional<std::string> rewrite;
        const char* heading;
        std::string body;
    };
    const Case cases[] = {
        {true, true, 1, std::nullopt, "AWB Results : OK", kAwbText},
        {true, true, 0, std::nullopt, "AWB Results : NG", kAwbText},
        {true, true, 2, std::nullopt, "AWB Results : NG", kAwbText},  // only 1 passes
        {true, false, 1, std::nullopt, "AWB Results : NG", kAwbText},
        {false, true, 1, std::nullopt, "AWB Results : NG", kAwbText},
        {true, true, 1, "R Gain : 1.500 out of range", "AWB Results : OK",
         "R Gain : 1.500 out of range"},
        {true, true, 0, filled, "AWB Results : NG", filled},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body.substr(0, 20) + " " + std::to_string(c.result));
        ConsoleRig rig(profileFor("YJA15"));
        rig.camera.profile().values[camsim::kCodeShadeStatus] = 0;
        rig.host.judgement = {
            .present = c.present, .hasEntry = c.hasEntry, .result = c.result, .rewrite = c.rewrite};
        rig.op.answers = {true};
        press(rig, idc::kAwb, [](const Strings&) {});
        const OperatorEvent& result = resultWindow(rig);
        EXPECT_EQ(result.controls.at(kResultHeading), c.heading);
        EXPECT_EQ(result.controls.at(kResultText), "1 : \r\n" + c.body);
        EXPECT_EQ(rig.host.judgement.loads, c.present ? 1 : 0);
        EXPECT_EQ(rig.host.judgement.unloads, rig.host.judgement.loads);
        if (c.present && c.hasEntry) {
            ASSERT_EQ(rig.host.judgement.calls.size(), 1u);
            EXPECT_EQ(rig.host.judgement.calls[0].cameraType, "YJA15");
            EXPECT_EQ(rig.host.judgement.calls[0].kind, 2);
            EXPECT_EQ(rig.host.judgement.calls[0].text, kAwbText);
        }
    }
}

TEST(Awb, NoSendsNothing) {
    ConsoleRig rig;
    rig.op.answers = {false};
    press(rig, idc::kAwb, [](const Strings& traffic) { EXPECT_TRUE(traffic.empty()); });
    EXPECT_TRUE(rig.statuses.empty());
    EXPECT_EQ(rig.op.dialogs().size(), 1u);
}

// A failed shading step: the step error cut to 50 characters stays on the status line, the whole
// text is boxed, the sequence stops there, and the AWB result is still shown.
TEST(Awb, AFailedShadingStepIsReportedByNameAndTheResultIsStillShown) {
    struct Case {
        const char* type;
        int32_t shadeStatus;
        camsim::FaultRule fault;
        Strings shading;
        std::string stepError;
        int32_t colorShadeAfter;
    };
    const camsim::FaultRule failTakePicture{
        .fault = camsim::Fault::Dc1, .op = camsim::kOpExecute, .code = 2, .times = 0};
    // The second diagnostic program started: the first preset white balance.
    const camsim::FaultRule failSecondDiag{
        .fault = camsim::Fault::Dc1, .op = camsim::kOpExecute, .code = 6, .nth = 2, .times = 0};
    const camsim::FaultRule failColorShadeOn{
        .fault = camsim::Fault::Dc1, .op = camsim::kOpSetValue, .code = 162, .times = 0};
    const Case cases[] = {
        // Colour shade mode stays on: the sequence ends before it is turned off.
        {"ZR510",
         3,
         failTakePicture,
         {"send 71", "set 162 = 1", "exec 6 45", "exec 2 0"},
         " Status: Take picture. Write error",
         1},
        {"ZR510",
         3,
         failSecondDiag,
         {"send 71", "set 162 = 1", "exec 6 45"},
         " Status: Execute preset WB calibration start. Write error",
         1},
        {"ZR510",
         3,
         failColorShadeOn,
         {"send 71", "set 162 = 1"},
         " Status: Set color shade mode to ON. Camera DC1 response",
         0},
        {"ZR510", 1, failSecondDiag, {"exec 6 69"}, " Status: Shading Calibration. Write error", 0},
        // Both programs run even when the first fails.
        {"YDS10",
         0,
         failSecondDiag,
         {"exec 6 69", "exec 6 78"},
         " Status: Shading Calibration. Write error",
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stepError);
        ConsoleRig rig(profileFor(c.type));
        rig.camera.profile().values[camsim::kCodeShadeStatus] = c.shadeStatus;
        rig.camera.faults().add(c.fault);
        rig.op.answers = {true};
        press(rig, idc::kAwb,
              [&](const Strings& traffic) { EXPECT_EQ(traffic, concat(kAwbStart, c.shading)); });
        const size_t boxes = c.type == std::string("YDS10") ? 2 : 1;  // one per failed program
        EXPECT_EQ(rig.op.messages(), Strings(boxes, c.stepError));
        ASSERT_FALSE(rig.statuses.empty());
        EXPECT_EQ(rig.statuses.back(), c.stepError.substr(0, 50));
        EXPECT_EQ(rig.camera.profile().values[camsim::kCodeColorShade], c.colorShadeAfter);
        EXPECT_EQ(resultWindow(rig).controls.at(kResultHeading), "AWB Results :");
        EXPECT_EQ(rig.op.waitDepth, 0);
    }
}

// ---- Focus ---------------------------------------------------------------------------------

const std::string kFocusText = camsim::focusResultText(-3, std::nullopt);

TEST(Focus, ShowsATextWithoutTheMarkerInAMessageBoxAndTurnsTheDisplayOff) {
    ConsoleRig rig;
    rig.op.answers = {true};
    press(rig, idc::kFocus, [](const Strings& traffic) {
        EXPECT_EQ(traffic, (Strings{"exec 8 2", "exec 6 1", "get 32", "fetch 31", "exec 8 1"}));
    });
    EXPECT_EQ(rig.op.questions(), Strings{"Execute Focus Calibration. Yes or No?"});
    EXPECT_EQ(rig.statuses,
              (Strings{" Status: Wait!!  Executing Focus Calibration.", " Status: "}));
    EXPECT_EQ(rig.op.messages(), Strings{"Focus Result\n\n" + kFocusText});
    EXPECT_EQ(rig.op.dialogs().size(), 1u);  // never the result window
    EXPECT_EQ(rig.host.judgement.loads, 0);
    EXPECT_GE(rig.op.waitShown, 1);
    EXPECT_EQ(rig.op.waitDepth, 0);
}

TEST(Focus, ShowsTheStandardAfPositionHalvesInTheResultWindow) {
    struct Case {
        int32_t position;
        const char* halves;
    };
    const Case cases[] = {
        {-65536, "-1  0\r\n\r\n 0xffff  0x0 "},
        {65535, "0  -1\r\n\r\n 0x0  0xffff "},
        {0x12345678, "4660  22136\r\n\r\n 0x1234  0x5678 "},
    };
    for (const Case& c : cases) {
        ConsoleRig rig;
        const std::string text = camsim::focusResultText(-3, c.position);
        rig.model.setResult(camsim::kDiagFocus, text);
        rig.op.answers = {true};
        press(rig, idc::kFocus,
              [](const Strings& traffic) { EXPECT_EQ(traffic.back(), "exec 8 1"); });
        const OperatorEvent& result = resultWindow(rig);
        EXPECT_EQ(result.controls.at(kResultHeading), "Focus Results :");
        EXPECT_EQ(result.controls.at(kResultText), std::string(c.halves) + "\r\n\r\n" + text);
        EXPECT_TRUE(rig.op.messages().empty());
    }
}

TEST(Focus, ReadsThePositionFromTheTwelveCharactersAfterTheMarker) {
    struct Case {
        const char* text;
        std::optional<int32_t> value;
    };
    const Case cases[] = {
        {"STD_AFPOS = -65536\r\n", -65536},
        {"STD_AFPOS =    +42abc", 42},
        {"STD_AFPOS = 000000000001234", 1},  // only twelve characters count
        {"STD_AFPOS = 99999999999", INT32_MAX},
        {"STD_AFPOS = -99999999999", INT32_MIN},
        {"STD_AFPOS = ", 0},
        {"STD_AFPOS = x1", 0},
        {"std_afpos = 5", std::nullopt},  // the marker is case-sensitive
        {" STD_AFPOS = 5", std::nullopt},
        {"STD_AFPOS =5", std::nullopt},
    };
    for (const Case& c : cases) {
        const std::optional<StdAfPosition> pos = readStdAfPosition(c.text);
        ASSERT_EQ(pos.has_value(), c.value.has_value()) << c.text;
        if (pos) {
            EXPECT_EQ(pos->value, *c.value) << c.text;
        }
    }
    const StdAfPosition min = *readStdAfPosition("STD_AFPOS = -2147483648");
    EXPECT_EQ(min.hi, -32768);
    EXPECT_EQ(min.lo, 0);
    EXPECT_EQ(min.hexHi, "8000");
    EXPECT_EQ(min.hexLo, "0");
}

TEST(Focus, JudgedTypesSayPassOrFailInTheBox) {
    struct Case {
        bool present;
        int32_t result;
        std::string message;
    };
    const Case cases[] = {
        {true, 1, "FocusResult" + kFocusText},
        {true, 0, "Focus Result\n\n" + kFocusText},
        {false, 1, "Focus Result\n\n" + kFocusText},
    };
    for (const Case& c : cases) {
        ConsoleRig rig(profileFor("YJF12"));
        rig.host.judgement = {.present = c.present, .result = c.result};
        rig.op.answers = {true};
        press(rig, idc::kFocus, [](const Strings&) {});
        EXPECT_EQ(rig.op.messages(), Strings{c.message});
        EXPECT_EQ(rig.host.judgement.loads, c.present ? 1 : 0);
        EXPECT_EQ(rig.host.judgement.unloads, rig.host.judgement.loads);
        if (c.present) {
            ASSERT_EQ(rig.host.judgement.calls.size(), 1u);
            EXPECT_EQ(rig.host.judgement.calls[0].kind, 1);
            EXPECT_EQ(rig.host.judgement.calls[0].text, kFocusText);
        }
    }
}

TEST(Focus, NoStillTurnsTheDisplayOffAgain) {
    ConsoleRig rig;
    rig.op.answers = {false};
    press(rig, idc::kFocus, [](const Strings& traffic) {
        EXPECT_EQ(traffic, (Strings{"exec 8 2", "exec 8 1"}));
    });
    EXPECT_TRUE(rig.statuses.empty());
    EXPECT_TRUE(rig.op.messages().empty());
    EXPECT_EQ(rig.op.waitDepth, 0);
}

// The slow types hold the calibration for their settle time before the readiness wait.
TEST(Calibrations, SettleForTheTypesDelayBeforeWaitingForTheCamera) {
    struct Case {
        int button;
        const char* type;
        uint32_t settleMs;
    };
    const Case cases[] = {
        {idc::kAwb, "ZR510", 0},   {idc::kAwb, "YAS11", 30'000},   {idc::kAwb, "YAS22", 60'000},
        {idc::kFocus, "ZR510", 0}, {idc::kFocus, "YFO11", 30'000},
    };
    for (const Case& c : cases) {
        ConsoleRig rig(profileFor(c.type));
        rig.op.answers = {true};
        const uint32_t tookMs = timedPress(rig, c.button);
        EXPECT_GE(tookMs, c.settleMs) << c.type;
        EXPECT_LT(tookMs, c.settleMs + 5'000) << c.type;
    }
}

// A camera whose program never finishes holds a calibration for the readiness wait and the
// library's own limits only; the operator still gets the result.
TEST(Calibrations, ACameraThatNeverFinishesHoldsThemNoLongerThanTheExecuteDeadline) {
    for (const int button : {idc::kAwb, idc::kFocus}) {
        ConsoleRig rig;
        const int program = button == idc::kAwb ? camsim::kDiagAwb : camsim::kDiagFocus;
        rig.camera.profile().executeUsByProgram[{6, program}] = 600'000'000;  // ten minutes
        rig.op.answers = {true};
        Strings traffic;
        const uint32_t tookMs = timedPress(rig, button, &traffic);
        EXPECT_LT(tookMs, 190'000u) << button;  // the library's execute deadline and a margin
        // The procedure ends as usual: the AWB result window, the Focus box and display off.
        EXPECT_EQ(rig.op.dialogs().size(), button == idc::kAwb ? 2u : 1u) << button;
        EXPECT_EQ(rig.op.messages().size(), button == idc::kAwb ? 0u : 1u) << button;
        ASSERT_FALSE(traffic.empty());
        EXPECT_EQ(traffic.back(), button == idc::kAwb ? "exec 6 69" : "exec 8 1");
    }
}

}  // namespace
}  // namespace orvia::testing
