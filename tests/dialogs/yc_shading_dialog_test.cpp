// The Y/C shading dialog on a simulated camera: the display it switches, the sequence of steps
// and the log the operator reads.
#include <gtest/gtest.h>

#include "camsim/calibration_diags.h"
#include "dialog_session.h"
#include "dialogs/yc_shading_dialog.h"

namespace orvia::testing {
namespace {

using namespace yc;

const Strings kSequence = {"send 71",   "set 162 = 1", "exec 6 45",   "exec 2 0", "send 71",
                           "exec 6 45", "exec 2 0",    "set 162 = 0", "send 71"};

std::string completed(const char* step) {
    return std::string(step) + "\r\n\tComplete !\r\n";
}

Strings openYcShading(ConsoleRig& rig, const std::function<void(DialogModel&)>& act) {
    return openDialog(
        rig, kTemplate, [&] { openYcShadingDialog(rig.app.context()); }, act);
}

TEST(YcShading, RunsTheSequenceAndLogsEachStep) {
    ConsoleRig rig;
    Strings start;
    const Strings traffic = openYcShading(rig, [&](DialogModel& d) {
        EXPECT_EQ(d.control(kLog).text, "");
        start = trafficOf(rig, [&] { d.command(kStart); });
    });
    EXPECT_EQ(start, kSequence);
    // The display shows the monitor while the dialog is open, and goes off when it closes.
    ASSERT_GE(traffic.size(), 2u);
    EXPECT_EQ(traffic.front(), "exec 8 2");
    EXPECT_EQ(traffic.back(), "exec 8 1");
    EXPECT_EQ(rig.op.waitDepth, 0);
}

TEST(YcShading, TheLogNamesEveryStepAndEndsWithCompleteAll) {
    ConsoleRig rig;
    openYcShading(rig, [&](DialogModel& d) {
        d.command(kStart);
        EXPECT_EQ(
            d.control(kLog).text,
            completed("Set focal length to Wide end.") + completed("Set color shade mode to ON.") +
                completed("Execute preset WB calibration start.") + completed("Take picture.") +
                completed("Set focal length to Tele end.") +
                completed("Execute preset WB calibration start.") + completed("Take picture.") +
                completed("Set color shade mode to OFF.") + "\r\nComplete All !");
        // A second start begins a new log.
        d.command(kStart);
        EXPECT_EQ(d.control(kLog).text.rfind("Set focal length to Wide end.\r\n", 0), 0u);
    });
}

// The first refused call ends the sequence with "Function failure !" under its step.
TEST(YcShading, ARefusedStepEndsTheSequence) {
    ConsoleRig rig;
    rig.camera.faults().add({.fault = camsim::Fault::Dc1,
                             .op = camsim::kOpExecute,
                             .code = camsim::kCodeTakePicture,
                             .times = 0});
    openYcShading(rig, [&](DialogModel& d) {
        EXPECT_EQ(trafficOf(rig, [&] { d.command(kStart); }),
                  (Strings{"send 71", "set 162 = 1", "exec 6 45", "exec 2 0"}));
        EXPECT_EQ(d.control(kLog).text, completed("Set focal length to Wide end.") +
                                            completed("Set color shade mode to ON.") +
                                            completed("Execute preset WB calibration start.") +
                                            "Take picture.\r\n\r\nFunction failure !");
    });
    EXPECT_TRUE(rig.op.messages().empty());
}

// A camera that never reports ready holds each wait for its limit only (15 s for the display,
// 30 s for a preset white balance or a picture, each poll taking its own time), not for the
// ten minutes its program runs.
TEST(YcShading, ACameraThatNeverGetsReadyHoldsEachWaitForItsLimitOnly) {
    ConsoleRig rig;
    rig.camera.profile().executeUsByProgram[{8, 2}] = 600'000'000;
    uint32_t openedMs = 0;
    const uint32_t before = rig.clock.tickMs();
    openYcShading(rig, [&](DialogModel&) { openedMs = rig.clock.tickMs() - before; });
    EXPECT_GE(openedMs, 14'000u);
    EXPECT_LT(openedMs, 30'000u);

    ConsoleRig slow;
    slow.camera.profile().executeUsByProgram[{6, 45}] = 600'000'000;
    openYcShading(slow, [&](DialogModel& d) {
        const uint32_t start = slow.clock.tickMs();
        d.command(kStart);
        EXPECT_LT(slow.clock.tickMs() - start, 200'000u);
        EXPECT_FALSE(d.control(kLog).text.empty());
    });
}

TEST(YcShading, EscapeTurnsTheDisplayOffAsExitDoes) {
    for (int close : {kIdOk, kIdCancel}) {
        SCOPED_TRACE(close);
        ConsoleRig rig;
        openYcShading(rig, [&](DialogModel& d) {
            EXPECT_EQ(trafficOf(rig, [&] { d.command(close); }), Strings{"exec 8 1"});
            EXPECT_TRUE(d.ended());
            EXPECT_EQ(d.endCode(), kIdOk);
        });
    }
}

// The dialog's outcome is its last start's: completed, or the refused step with its result; the
// display going off as it closes does not replace it.
TEST(YcShading, TheOutcomeIsTheLastStartsEvenAfterExit) {
    for (bool refused : {false, true}) {
        SCOPED_TRACE(refused);
        ConsoleRig rig;
        if (refused) {
            rig.camera.faults().add({.fault = camsim::Fault::Dc1,
                                     .op = camsim::kOpExecute,
                                     .code = camsim::kCodeTakePicture,
                                     .times = 0});
        }
        Outcome outcome;
        openDialog(
            rig, kTemplate, [&] { outcome = openYcShadingDialog(rig.app.context()); },
            [&](DialogModel& d) {
                d.command(kStart);
                d.command(kIdOk);
            });
        EXPECT_EQ(outcome.ending, refused ? Ending::Failed : Ending::Completed);
        EXPECT_EQ(outcome.linkResult != 0, refused);
        EXPECT_TRUE(outcome.messages.empty()) << "the log reports, not a box";
    }
}

}  // namespace
}  // namespace orvia::testing
