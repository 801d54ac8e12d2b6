// The calibrations of the main dialog's Calibration group, pressed as the operator presses them,
// on a simulated camera: what the camera received and what the operator saw.
#include <gtest/gtest.h>

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

TEST(UvMatrix, ARefusedStartEndsWithTheErrorBoxAndNoResultWindow) {
    ConsoleRig rig;
    rig.camera.faults().add(
        {.fault = camsim::Fault::Dc1, .op = camsim::kOpExecute, .code = 6, .times = 0});
    rig.op.answers = {true};
    press(rig, idc::kUvMatrix,
          [](const Strings& traffic) { EXPECT_EQ(traffic, Strings{"exec 6 16"}); });
    EXPECT_EQ(rig.op.messages(), Strings{"Error Write error"});
    EXPECT_EQ(rig.statuses,
              (Strings{" Status: Wait!!  Executing UV Matrix Calibration.", " Status: "}));
    EXPECT_EQ(rig.op.dialogs().size(), 1u);
    EXPECT_EQ(rig.op.waitDepth, 0);
}

TEST(UvMatrix, ACameraThatNeverFinishesHoldsTheProcedureNoLongerThanTheExecuteDeadline) {
    ConsoleRig rig;
    rig.camera.profile().executeUsByProgram[{6, 16}] = 600'000'000;  // ten minutes
    rig.op.answers = {true};
    uint32_t tookMs = 0;
    rig.op.modalScripts[kMainTemplate] = [&](DialogModel& d) {
        const uint32_t start = rig.clock.tickMs();
        d.command(idc::kUvMatrix);
        tookMs = rig.clock.tickMs() - start;
    };
    ASSERT_EQ(rig.run(), 0);
    EXPECT_GE(tookMs, 30'000u);
    EXPECT_LT(tookMs, 190'000u);
    EXPECT_EQ(rig.op.dialogs().size(), 2u);
    EXPECT_EQ(rig.op.messages(), std::vector<std::string>{});
}

}  // namespace
}  // namespace orvia::testing
