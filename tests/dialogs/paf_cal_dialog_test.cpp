// The PAF calibration dialog on a simulated camera: calibrations, stored results and the PAF
// display mode, with what the camera received and what the operator saw.
#include <gtest/gtest.h>

#include <algorithm>

#include "camsim/adjustment_model.h"
#include "console/main_dialog.h"
#include "console/result_dialog.h"
#include "console_rig.h"
#include "dialogs/paf_cal_dialog.h"
#include "operator_actions.h"
#include "qorlink.h"

namespace orvia::testing {
namespace {

using Strings = std::vector<std::string>;
using namespace idc::paf;

// Opens the dialog from the main dialog and hands it to `act`.
void withPaf(ConsoleRig& rig, const std::function<void(DialogModel&)>& act) {
    withDialog(
        rig, kPafCalTemplate, [&](DialogModel&) { openPafCalDialog(rig.app.context(), false); },
        act);
}

// The heading and text of the result windows shown, in order.
Strings results(const ConsoleRig& rig) {
    Strings out;
    for (const OperatorEvent* e : rig.op.dialogs()) {
        if (e->templateId == kResultTemplate)
            out.push_back(e->controls.at(kResultHeading) + "|" + e->controls.at(kResultText));
    }
    return out;
}

TEST(PafCal, InitialisationShowsTheDisplayModeAndAppendsTheUpDownResult) {
    for (int32_t mode : {1, 2, 0}) {
        SCOPED_TRACE(mode);
        ConsoleRig rig;
        rig.camera.profile().values[154] = mode;
        withPaf(rig, [&](DialogModel& d) {
            EXPECT_EQ(d.control(kDispOff).checked, mode == 1);
            EXPECT_EQ(d.control(kDispOn).checked, mode == 2);
            EXPECT_EQ(d.control(kStatus).text,
                      mode == 0 ? " Status: PAF Disp is not supported !" : "");
            EXPECT_TRUE(d.control(kDispGroup).visible);
            EXPECT_TRUE(d.control(kUpDown).visible);
            EXPECT_EQ(d.control(kResults).items.size(), 5u);
            EXPECT_EQ(d.control(kDistance).text, "400");
        });
    }
}

TEST(PafCal, DistanceCalibrationSendsTheDistanceRunsAndShowsTheResult) {
    ConsoleRig rig;
    rig.model.setResult(47, "Distance OK");
    rig.op.answers = {true};
    withPaf(rig, [&](DialogModel& d) {
        step(d, kDistanceStep, +1);
        const size_t from = rig.mark();
        d.command(kDistanceCal);
        EXPECT_EQ(rig.traffic(from), (Strings{"set 32 = 401", "exec 6 47", "get 32", "fetch 31"}));
        EXPECT_EQ(d.control(kStatus).text, " Status: ");
    });
    EXPECT_EQ(rig.op.questions(), Strings{"Execute Distance Calibration. Yes or No ?"});
    EXPECT_EQ(results(rig), Strings{"Distance Results :|Distance OK"});
}

// Every calibration button: its question, the wait text in the status line, the diagnostic it
// starts, that it waits out a camera busy for a second less than its limit, and the heading of
// the result window.
TEST(PafCal, EachCalibrationRunsItsProgramWaitsItsLimitAndShowsItsResult) {
    struct Case {
        int button;
        const char* question;
        const char* waitText;
        int32_t program;
        uint32_t waitSeconds;
        const char* heading;
    };
    const Case cases[] = {
        {kUniformity, "Execute Uniformity Calibration. Yes or No ?",
         " Status: Wait!! Execute Uniformity Calibration.", 46, 30, "Uniformity Results :"},
        {kDistanceCal, "Execute Distance Calibration. Yes or No ?",
         " Status: Wait!! Execute Distance Calibration.", 47, 5, "Distance Results :"},
        {kParallax, "Execute Parallax Calibration. Yes or No ?",
         " Status: Wait!! Execute Parallax Calibration.", 48, 5, "Parallax Results :"},
        {kTemp1, "Execute Temparature 1 Calibration. Yes or No ?",
         " Status: Wait!! Execute Tamparature 1 Calibration.", 49, 5, "Temparature 1 Results :"},
        {kTemp2, "Execute Temparature 2 Calibration. Yes or No ?",
         " Status: Wait!! Execute Tamparature 2 Calibration.", 50, 5, "Temparature 2 Results :"},
        {kUpDown, "Execute Up/Dwon Calibration. Yes or No ?",
         " Status: Wait!! Execute Up/Down Calibration.", 54, 15, "Up/Down Cal. Results :"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.program);
        ConsoleRig rig;
        rig.camera.profile().executeUsByProgram[{camsim::kCodeExecuteDiag, c.program}] =
            (uint64_t{c.waitSeconds} - 1) * 1'000'000;
        rig.model.setResult(c.program, "PAF result");
        rig.op.answers = {true};
        Strings statuses;
        std::vector<uint32_t> at;
        Strings traffic;
        withPaf(rig, [&](DialogModel& d) {
            d.setObserver([&](int id) {
                if (id != kStatus) return;
                statuses.push_back(d.control(kStatus).text);
                at.push_back(rig.clock.tickMs());
            });
            const size_t from = rig.mark();
            d.command(c.button);
            traffic = rig.traffic(from);
            d.setObserver(nullptr);
        });
        EXPECT_EQ(rig.op.questions(), Strings{c.question});
        ASSERT_EQ(statuses, (Strings{c.waitText, " Status: "}));
        EXPECT_GE(at[1] - at[0], (c.waitSeconds - 1) * 1000);
        EXPECT_LT(at[1] - at[0], c.waitSeconds * 1000 + 1000);
        EXPECT_NE(std::find(traffic.begin(), traffic.end(), "exec 6 " + std::to_string(c.program)),
                  traffic.end());
        const Strings shown = results(rig);
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].substr(0, shown[0].find('|')), c.heading);
        EXPECT_TRUE(rig.op.messages().empty());
    }
}

TEST(PafCal, NoSendsNothing) {
    ConsoleRig rig;
    withPaf(rig, [&](DialogModel& d) {
        const size_t from = rig.mark();
        d.command(kParallax);
        EXPECT_TRUE(rig.traffic(from).empty());
    });
    EXPECT_EQ(rig.op.questions(), Strings{"Execute Parallax Calibration. Yes or No ?"});
}

TEST(PafCal, UniformityReadsItsFourPartsWithTheirSelectors) {
    ConsoleRig rig;
    camsim::AdjustmentModel paf(rig.camera);
    paf.setPafResult(0x0CBFADE2, "third ");
    rig.op.answers = {true};
    withPaf(rig, [&](DialogModel& d) {
        const size_t from = rig.mark();
        d.command(kUniformity);
        const Strings traffic = rig.traffic(from);
        const Strings expected = {
            "exec 6 46",          "get 32",   "set 32 = 213888480", "fetch 31",
            "set 32 = 213888481", "fetch 31", "set 32 = 213888482", "fetch 31",
            "set 32 = 213888483", "fetch 31"};
        EXPECT_EQ(traffic, expected);
    });
    EXPECT_EQ(results(rig), Strings{"Uniformity Results :|Uniformity 1/4 : OK\r\nUniformity 2/4 : "
                                    "OK\r\nthird Uniformity 4/4 : OK\r\n"});
}

TEST(PafCal, GetFetchesTheSelectedStoredResult) {
    struct Case {
        int index;
        Strings traffic;
        std::string shown;
    };
    const Case cases[] = {
        {1, {"set 32 = 400", "set 32 = 213777131", "fetch 31"}, "Distance Results :|Distance : OK"},
        {2, {"set 32 = 213835691", "fetch 31"}, "Temparature Results :|Temperature : OK"},
        {3, {"set 32 = 213573611", "fetch 31"}, "Parallax Results :|Parallax : OK"},
        {4, {"set 32 = 213707738", "fetch 31"}, "Up/Down Cal. Results :|Up/Down : OK"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        ConsoleRig rig;
        camsim::AdjustmentModel paf(rig.camera);
        withPaf(rig, [&](DialogModel& d) {
            d.viewState(kResults).selection = c.index;
            const size_t from = rig.mark();
            d.command(kGet);
            EXPECT_EQ(rig.traffic(from), c.traffic);
        });
        EXPECT_EQ(results(rig), Strings{c.shown});
    }
}

TEST(PafCal, ADistanceOutOfRangeIsRefusedAndTheValueLastHeldIsSent) {
    ConsoleRig rig;
    rig.op.answers = {true};
    withPaf(rig, [&](DialogModel& d) {
        d.viewState(kDistance).text = "70000";
        const size_t from = rig.mark();
        d.command(kDistanceCal);
        EXPECT_EQ(rig.traffic(from).at(0), "set 32 = 400");
        EXPECT_EQ(d.control(kDistance).text, "400");
    });
    EXPECT_EQ(rig.op.messages(), Strings{"Please enter an integer between 0 and 65535."});
    EXPECT_EQ(rig.op.questions().size(), 1u);
}

TEST(PafCal, DisplayModeSwitchesThroughTheMonitorState) {
    ConsoleRig rig;
    withPaf(rig, [&](DialogModel& d) {
        const size_t from = rig.mark();
        choose(d, kDispOn);
        EXPECT_EQ(rig.traffic(from), (Strings{"exec 6 28", "exec 8 2", "set 154 = 2"}));
        EXPECT_EQ(d.control(kStatus).text, " Status: Switch PAF display mode ON was completed!!");
    });
    EXPECT_EQ(rig.camera.profile().values.at(154), 2);
}

TEST(PafCal, ARefusedStartShowsTheErrorAndNoResult) {
    ConsoleRig rig;
    rig.op.answers = {true};
    withPaf(rig, [&](DialogModel& d) {
        rig.camera.faults().add(
            {.fault = camsim::Fault::Dc1, .op = camsim::kOpExecute, .code = 6, .times = 0});
        d.command(kTemp1);
        EXPECT_EQ(d.control(kStatus).text, " Status: ");
    });
    EXPECT_EQ(rig.op.messages(), Strings{"Error Write error"});
    EXPECT_TRUE(results(rig).empty());
}

// Each action ends with its outcome, and the dialog's is the last one's: a calibration answered
// No sends nothing and is declined; a refused start shows the error box (error icon) and fails
// with the call's result; a result shown, or a display switched, completes.
TEST(PafCal, EachActionEndsWithItsOutcome) {
    struct Case {
        const char* what;
        int press;
        bool answer;
        int refusedProgram;  // the execute command refused, 0 for none
        Ending ending;
        Strings boxes;
        size_t results;  // result windows
    };
    const Case cases[] = {
        {"calibrated", kParallax, true, 0, Ending::Completed, {}, 1},
        {"No", kParallax, false, 0, Ending::Declined, {}, 0},
        {"refused", kParallax, true, 6, Ending::Failed, {"error: Error Write error"}, 0},
        {"stored result", kGet, false, 0, Ending::Completed, {}, 1},
        {"display on", kDispOn, false, 0, Ending::Completed, {}, 0},
        {"display refused", kDispOn, false, 8, Ending::Failed, {"error: Error Write error"}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ConsoleRig rig;
        camsim::AdjustmentModel paf(rig.camera);
        rig.op.answers = {c.answer};
        Outcome outcome;
        Strings traffic;
        withDialog(
            rig, kPafCalTemplate,
            [&](DialogModel&) { outcome = openPafCalDialog(rig.app.context(), false); },
            [&](DialogModel& d) {
                if (c.refusedProgram != 0) {
                    rig.camera.faults().add({.fault = camsim::Fault::Dc1,
                                             .op = camsim::kOpExecute,
                                             .code = c.refusedProgram,
                                             .times = 0});
                }
                const size_t from = rig.mark();
                if (c.press == kDispOn) {
                    choose(d, kDispOn);
                } else {
                    d.command(c.press);
                }
                traffic = rig.traffic(from);
            });
        EXPECT_EQ(outcome.ending, c.ending);
        EXPECT_EQ(outcome.linkResult, c.refusedProgram != 0 ? QORLINK_WRITE_ERROR : 0);
        EXPECT_EQ(boxesOf(outcome), c.boxes);
        if (c.ending == Ending::Declined) {
            EXPECT_EQ(outcome.reason, "Execute Parallax Calibration. Yes or No ?");
            EXPECT_TRUE(traffic.empty());
        }
        EXPECT_EQ(outcome.results.size(), c.results);
    }
}

}  // namespace
}  // namespace orvia::testing
