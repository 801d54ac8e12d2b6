// The Initialize button on a simulated camera: what the camera received and what the operator
// saw, for the default initialisation, the repair-site initialisation and the PAF models.
#include <gtest/gtest.h>

#include "console/app_state.h"
#include "console/main_dialog.h"
#include "console_rig.h"
#include "dialogs/paf_cal_dialog.h"

namespace orvia::testing {
namespace {

using Strings = std::vector<std::string>;

const std::string kKey = "set 32 = " + std::to_string(0x0FEEDBEE);

// Runs the console and presses Initialize; `before` runs in the main dialog just before.
Strings pressInitialize(ConsoleRig& rig, const std::function<void(MainDialog&)>& before = {}) {
    Strings traffic;
    rig.op.modalScripts[kMainTemplate] = [&](DialogModel& d) {
        if (before) before(static_cast<MainDialog&>(d));
        rig.recordStatus();
        const size_t from = rig.mark();
        d.command(idc::kInitialize);
        traffic = rig.traffic(from);
    };
    EXPECT_EQ(rig.run(), 0);
    return traffic;
}

void refuse(ConsoleRig& rig, int op, int code, int nth = 1, int times = 0) {
    rig.camera.faults().add(
        {.fault = camsim::Fault::Dc1, .op = op, .code = code, .nth = nth, .times = times});
}

TEST(Initialize, ResetsToDefaultsAndShowsTheCameraReport) {
    camsim::Profile p = profileFor("ZR510", 1);
    p.records[camsim::kCodeLcdInfo] = wordsRecord({20, 3, 9, 30, 12, 1, 25, 14});
    ConsoleRig rig(p);
    rig.op.answers = {true};
    EXPECT_EQ(pressInitialize(rig), (Strings{kKey, "exec 6 6", kKey, "exec 6 5", "set 32 = 17",
                                             "exec 6 22", "fetch 31", "get 32"}));
    EXPECT_EQ(rig.op.questions(), Strings{"Initialize Camera to Default setting. Yes or No?"});
    EXPECT_EQ(rig.op.messages(), Strings{"Initialize Camera: Completed. \n\nResults\n  : \n\n"
                                         "Initialize Setting : OK\r\nInitialize Default : OK "});
    EXPECT_TRUE(rig.statuses.empty());
    EXPECT_EQ(rig.model.displayRegister(camsim::Display::Lcd, 13), 16);
    EXPECT_EQ(rig.op.waitDepth, 0);
}

TEST(Initialize, NoSendsNothing) {
    ConsoleRig rig;
    rig.op.answers = {false};
    EXPECT_TRUE(pressInitialize(rig).empty());
    EXPECT_EQ(rig.op.questions().size(), 1u);
    EXPECT_TRUE(rig.op.messages().empty());
    EXPECT_TRUE(rig.statuses.empty());
}

// A resetting program that could not be started (its key word or its start refused) reset
// nothing: the initialisation ends there with the error box and is not called completed. The
// report program refused ends the same way.
TEST(Initialize, AStepThatDidNotRunEndsWithTheErrorBoxNotCompleted) {
    struct Case {
        const char* name;
        int op, code, nth;
        Strings traffic;
    };
    const Case cases[] = {
        {"key word of diag 6 refused", camsim::kOpSetValue, 32, 1, {kKey}},
        {"diag 6 refused", camsim::kOpExecute, 6, 1, {kKey, "exec 6 6"}},
        {"key word of diag 5 refused", camsim::kOpSetValue, 32, 2, {kKey, "exec 6 6", kKey}},
        {"diag 5 refused", camsim::kOpExecute, 6, 2, {kKey, "exec 6 6", kKey, "exec 6 5"}},
        {"report refused",
         camsim::kOpExecute,
         6,
         3,
         {kKey, "exec 6 6", kKey, "exec 6 5", "set 32 = 17", "exec 6 22"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ConsoleRig rig;
        rig.op.answers = {true};
        std::optional<Outcome> outcome;
        rig.op.modalScripts[kMainTemplate] = [&](DialogModel& d) {
            refuse(rig, c.op, c.code, c.nth, 0);
            const size_t from = rig.mark();
            d.command(idc::kInitialize);
            EXPECT_EQ(rig.traffic(from), c.traffic);
            outcome = d.lastOutcome();
        };
        EXPECT_EQ(rig.run(), 0);
        ASSERT_EQ(rig.op.messages().size(), 1u);
        EXPECT_TRUE(rig.op.messages()[0].starts_with("Error ")) << rig.op.messages()[0];
        ASSERT_TRUE(outcome);
        EXPECT_EQ(outcome->ending, Ending::Failed);
        EXPECT_NE(outcome->linkResult, 0);
        EXPECT_EQ(rig.op.waitDepth, 0);
    }
}

TEST(Initialize, RepairSiteModeInitialisesTheSettingsOnly) {
    struct Case {
        const char* type;
        int refusedCode;  // 0: none
        Strings traffic;
        Strings statuses;
        Strings messages;
    };
    const Case cases[] = {
        {"ZR510",
         0,
         {"set 109 = 0"},
         {" Status: Wait!!", " Status: Initialize was completed!!"},
         {}},
        {"YFS15",
         0,
         {"set 109 = 0", "set 131 = 27"},
         {" Status: Wait!!", " Status: Initialize was completed!!"},
         {}},
        {"YFS15",
         109,
         {"set 109 = 0"},
         {" Status: Wait!!", " Status: "},
         {"Error Camera DC1 response"}},
        {"YFS25",
         131,
         {"set 109 = 0", "set 131 = 27"},
         {" Status: Wait!!", " Status: "},
         {"Error Camera DC1 response"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.type) + " refusing " + std::to_string(c.refusedCode));
        ConsoleRig rig(profileFor(c.type));
        const Strings traffic = pressInitialize(rig, [&](MainDialog& d) {
            d.context().state.caps.repairSiteMode = 1;
            if (c.refusedCode != 0) refuse(rig, camsim::kOpSetValue, c.refusedCode);
        });
        EXPECT_EQ(traffic, c.traffic);
        EXPECT_EQ(rig.statuses, c.statuses);
        EXPECT_EQ(rig.op.messages(), c.messages);
        EXPECT_TRUE(rig.op.questions().empty());
        EXPECT_EQ(rig.op.waitDepth, 0);
    }
}

TEST(Initialize, OnPafModelsTheButtonOpensThePafCalibrationInstead) {
    ConsoleRig rig(profileFor("YPA12"));
    rig.op.answers = {true};
    pressInitialize(rig, [&](MainDialog& d) {
        EXPECT_EQ(d.control(idc::kInitialize).text, "PAF Cal.");
        d.context().state.caps.repairSiteMode = 1;  // the PAF rule comes first
    });
    ASSERT_EQ(rig.op.dialogs().size(), 2u);
    EXPECT_EQ(rig.op.dialogs()[1]->templateId, kPafCalTemplate);
    EXPECT_TRUE(rig.op.questions().empty()) << "no initialisation was asked for";
    EXPECT_FALSE(rig.received(camsim::kOpSetValue, 109)) << "no settings reset";
}

}  // namespace
}  // namespace orvia::testing
