// The maintenance dialog on a simulated camera: the error history and counters read, edited and
// written back, and what its status line said.
#include <gtest/gtest.h>

#include <algorithm>

#include "camsim/adjustment_model.h"
#include "console/main_dialog.h"
#include "console_rig.h"
#include "dialogs/maintenance_dialog.h"
#include "dialogs/video_gain_dialog.h"
#include "operator_actions.h"

namespace orvia::testing {
namespace {

using Strings = std::vector<std::string>;
using namespace idc::maint;

constexpr int kLastStatus = 1094, kLastRelease = 1095, kReleaseCounter = 1100, kSw3 = 1105;

// A maintenance camera whose two records have sizes `size4` and `size5`.
camsim::Profile maintenanceProfile(int32_t size4 = 28, int32_t size5 = 28) {
    camsim::Profile p = profileFor("YMT30");
    auto record = [](int32_t size, std::vector<int32_t> words) {
        words.insert(words.begin(), size);
        std::vector<uint8_t> r = wordsRecord(words);
        r.resize(static_cast<size_t>(size));
        return r;
    };
    p.records[155] = record(size4, {0x1234ABCD, 100, 0x20, 200, 0x30, 300, 0, 0});
    p.values[155] = size4;
    p.records[156] = record(size5, {5000, 12, 340, 5, 6, 7, 0});
    p.values[156] = size5;
    return p;
}

// Presses "Maint&enance" and hands the dialog to `act`.
void withMaintenance(ConsoleRig& rig, const std::function<void(DialogModel&)>& act) {
    withButton(rig, idc::kMaintenance, kMaintenanceTemplate, act);
}

TEST(Maintenance, ShowsTheErrorHistoryAndCounters) {
    ConsoleRig rig(maintenanceProfile());
    withMaintenance(rig, [&](DialogModel& d) {
        EXPECT_EQ(d.control(kLastStatus).text, "0x1234ABCD");
        EXPECT_EQ(d.control(kLastRelease).text, "100");
        EXPECT_EQ(d.control(kReleaseCounter).text, "5000");
        EXPECT_EQ(d.control(kSw3).text, "7");
        EXPECT_EQ(d.control(kStatus).text, " Status : Initialize was completed!!");
        EXPECT_FALSE(d.control(kApply).enabled);
    });
}

TEST(Maintenance, TheErrorHistorySizeTestPasses35AndRefuses36) {
    struct Case {
        int32_t size;
        std::string shown;
    };
    for (const Case& c : {Case{35, "0x80000012"}, Case{36, ""}}) {
        SCOPED_TRACE(c.size);
        camsim::Profile p = camsim::errorHistoryProfile(c.size);
        p.typeText = "YMT30";
        ConsoleRig rig(p);
        withMaintenance(rig, [&](DialogModel& d) {
            EXPECT_EQ(d.control(kLastStatus).text, c.shown);
            // Information 4's outcome does not count.
            EXPECT_EQ(d.control(kStatus).text, " Status : Initialize was completed!!");
        });
    }
}

TEST(Maintenance, AFailedErrorHistoryReadStillEndsInitialisationWell) {
    ConsoleRig rig(maintenanceProfile());
    rig.camera.faults().add(
        {.fault = camsim::Fault::Dc1, .op = camsim::kOpGetData, .code = 155, .times = 0});
    withMaintenance(rig, [&](DialogModel& d) {
        EXPECT_EQ(d.control(kLastStatus).text, "");
        EXPECT_EQ(d.control(kReleaseCounter).text, "5000");
        EXPECT_EQ(d.control(kStatus).text, " Status : Initialize was completed!!");
        type(d, kLastRelease, "3");  // no record held: nothing to apply
        EXPECT_FALSE(d.control(kApply).enabled);
    });
}

TEST(Maintenance, ACounterEditedWithoutARecordChangesNothing) {
    ConsoleRig rig(maintenanceProfile());
    rig.camera.faults().add(
        {.fault = camsim::Fault::Dc1, .op = camsim::kOpGetData, .code = 156, .times = 0});
    withMaintenance(rig, [&](DialogModel& d) {
        EXPECT_EQ(d.control(kStatus).text, " Status : Get Diag Info5 communication error !");
        type(d, kSw3, "9");
        EXPECT_FALSE(d.control(kApply).enabled);
    });
}

TEST(Maintenance, ApplyWritesOnlyTheEditedRecord) {
    ConsoleRig rig(maintenanceProfile());
    withMaintenance(rig, [&](DialogModel& d) {
        type(d, kLastStatus, "0xFF");
        type(d, kLastRelease, "7");
        EXPECT_TRUE(d.control(kApply).enabled);
        const size_t from = rig.mark();
        d.command(kApply);
        EXPECT_EQ(rig.traffic(from), Strings{"send 155"});
        EXPECT_EQ(d.control(kStatus).text, " Status : Set Diag Info 4/5 was complete!!");
        EXPECT_FALSE(d.control(kApply).enabled);
    });
    const std::vector<uint8_t>& r = rig.camera.profile().records.at(155);
    EXPECT_EQ(std::vector<uint8_t>(r.begin(), r.begin() + 12), wordsRecord({28, 0xFF, 7}));
}

TEST(Maintenance, AFailedWriteKeepsApplyEnabled) {
    ConsoleRig rig(maintenanceProfile());
    withMaintenance(rig, [&](DialogModel& d) {
        type(d, kReleaseCounter, "1");
        rig.camera.faults().add({.fault = camsim::Fault::Dc1, .times = 0});
        d.command(kApply);
        EXPECT_EQ(d.control(kStatus).text, " Status : Set Diag info5 Communication error !");
        EXPECT_TRUE(d.control(kApply).enabled);
    });
}

// Apply tells, record by record, what became of each edited record: written, or refused with its
// two error texts; "4/5 was complete" only once both are written.
TEST(Maintenance, ApplyTellsWhatBecameOfEachRecord) {
    struct Case {
        const char* what;
        int field;
        int refusedCode;  // the record whose write the camera refuses, -1 none
        Strings statuses;
    };
    const Case cases[] = {
        {"info 4 written",
         kLastStatus,
         -1,
         {" Status : Set Diag Info4 was completed!!",
          " Status : Set Diag Info 4/5 was complete!!"}},
        {"info 4 refused",
         kLastStatus,
         155,
         {" Status : Set diag Info4 communication error !",
          " Status : Set Diag Info4 Commnunication error !"}},
        {"info 5 written",
         kSw3,
         -1,
         {" Status : Set Diag Info5 was completed!!",
          " Status : Set Diag Info 4/5 was complete!!"}},
        {"info 5 refused",
         kSw3,
         156,
         {" Status : Set diag Info5 communication error !",
          " Status : Set Diag info5 Communication error !"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ConsoleRig rig(maintenanceProfile());
        withMaintenance(rig, [&](DialogModel& d) {
            type(d, c.field, "9");
            if (c.refusedCode >= 0) {
                rig.camera.faults().add({.fault = camsim::Fault::Dc1,
                                         .op = camsim::kOpSendData,
                                         .code = c.refusedCode,
                                         .times = 0});
            }
            Strings statuses;
            d.setObserver([&](int id) {
                if (id == kStatus) statuses.push_back(d.control(kStatus).text);
            });
            d.command(kApply);
            d.setObserver(nullptr);
            // A text shown twice in a row is one text to the operator.
            statuses.erase(std::unique(statuses.begin(), statuses.end()), statuses.end());
            EXPECT_EQ(statuses, c.statuses);
            EXPECT_EQ(d.control(kApply).enabled, c.refusedCode >= 0);
        });
        EXPECT_TRUE(rig.op.messages().empty());
    }
}

TEST(Maintenance, ACameraRecordLargerOnReloadIsReadIntoABlockOfItsSize) {
    ConsoleRig rig(maintenanceProfile());
    withMaintenance(rig, [&](DialogModel& d) {
        rig.camera.profile().values[156] = 31;
        rig.camera.profile().records[156].resize(31);
        d.command(kReload);
        EXPECT_EQ(d.control(kStatus).text, " Status : Get Diag Info 4/5 was complete!!");
    });
}

// Reload and Apply end with their outcome: the values read, or the failure whose status text the
// line shows, with the refused call's result. The counters decide a reload, as they decide the
// dialog's own report.
TEST(Maintenance, ReloadAndApplyEndWithTheirOutcome) {
    constexpr int kNone = -1;
    struct Case {
        const char* what;
        int press;
        int faultOp, faultCode;
        Ending ending;
        std::string reason;
        bool historyRead;
    };
    const Case cases[] = {
        {"reload", kReload, kNone, kNone, Ending::Completed, "", true},
        {"reload without history", kReload, camsim::kOpGetData, 155, Ending::Completed, "", false},
        {"reload refused", kReload, camsim::kOpGetData, 156, Ending::Failed,
         " Status : Get Diag Info5 communication error !", true},
        {"apply", kApply, kNone, kNone, Ending::Completed, "", false},
        {"apply refused", kApply, camsim::kOpSendData, 156, Ending::Failed,
         " Status : Set diag Info5 communication error !", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ConsoleRig rig(maintenanceProfile());
        withMaintenance(rig, [&](DialogModel& d) {
            type(d, kReleaseCounter, "1");
            if (c.faultOp != kNone) {
                rig.camera.faults().add({.fault = camsim::Fault::Dc1,
                                         .op = c.faultOp,
                                         .code = c.faultCode,
                                         .times = 0});
            }
            d.command(c.press);
            ASSERT_TRUE(d.lastOutcome());
            const Outcome& outcome = *d.lastOutcome();
            EXPECT_EQ(outcome.ending, c.ending);
            EXPECT_EQ(outcome.reason, c.reason);
            EXPECT_EQ(outcome.linkResult != 0, c.ending == Ending::Failed);
            EXPECT_TRUE(outcome.messages.empty()) << "the status line reports, not a box";
            if (c.press == kReload && c.ending == Ending::Completed) {
                EXPECT_EQ(measured(outcome, "release_count"), 5000);
                EXPECT_EQ(measured(outcome, "sw3_count"), 7);
                EXPECT_EQ(outcome.value("error_status_1") != nullptr, c.historyRead);
                if (c.historyRead) {
                    EXPECT_EQ(measured(outcome, "error_status_1"), 0x1234ABCD);
                }
            }
        });
    }
}

// The button takes the first rule that applies: the video gain dialog for its model, the adjust
// status cleared at a repair site (even on a maintenance model), the maintenance dialog.
TEST(Maintenance, TheButtonTakesTheFirstRuleThatApplies) {
    struct Case {
        const char* type;
        bool repairSite;
        Strings traffic;
        std::vector<int> dialogs;
    };
    const Case cases[] = {
        {"YVG10", true, {}, {vg::kTemplate}},
        {"YMT30", true, {"set 131 = 0"}, {}},
        {"YMT30", false, {"get 155", "fetch 155", "get 156", "fetch 156"}, {kMaintenanceTemplate}},
        {"ZR510", false, {}, {}},
    };
    for (const Case& c : cases) {
        ConsoleRig rig(c.type == std::string("YMT30") ? maintenanceProfile() : profileFor(c.type));
        Strings traffic;
        rig.op.modalScripts[kMainTemplate] = [&](DialogModel& d) {
            rig.app.state().caps.repairSiteMode = c.repairSite ? 1 : 0;
            const size_t from = rig.mark();
            d.command(idc::kMaintenance);
            traffic = rig.traffic(from);
        };
        ASSERT_EQ(rig.run(), 0);
        std::vector<int> opened;
        for (const OperatorEvent* e : rig.op.dialogs()) {
            if (e->templateId != kMainTemplate) opened.push_back(e->templateId);
        }
        EXPECT_EQ(opened, c.dialogs) << c.type << " " << c.repairSite;
        if (c.dialogs.empty() || c.dialogs[0] != vg::kTemplate) {
            EXPECT_EQ(traffic, c.traffic) << c.type << " " << c.repairSite;
        }
    }
}

}  // namespace
}  // namespace orvia::testing
