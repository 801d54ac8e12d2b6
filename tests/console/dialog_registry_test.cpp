// Checks every dialog of the program passes, read from the dialog registry: a sound control
// table, and controls that either reach a procedure or do nothing at all.
#include <gtest/gtest.h>

#include <set>

#include "console/dialog_registry.h"
#include "console/main_dialog.h"
#include "console_rig.h"

namespace orvia::testing {
namespace {

TEST(DialogRegistry, EveryDialogHasASoundControlTable) {
    ConsoleRig rig;
    for (const DialogEntry& entry : dialogRegistry()) {
        SCOPED_TRACE(entry.name);
        std::unique_ptr<DialogModel> dialog = entry.make(rig.app.context());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(tableProblems(dialog->table()), std::vector<std::string>{});
    }
}

TEST(DialogRegistry, TheTableCheckFindsEachKindOfFault) {
    using namespace controls;
    const ControlDef box = groupBox(10, "Box").at(0, 0);
    struct Case {
        std::vector<ControlDef> table;
        std::string problem;
    };
    const Case cases[] = {
        {{button(1, "A").at(0, 0), button(1, "B").at(0, 1)}, "control 1 appears twice"},
        {{button(1, "A")}, "control 1 has no place"},
        {{button(1, "A").at(0, 0, 2), button(2, "B").at(0, 1)}, "control 2 overlaps control 1"},
        {{box, edit(1).in(10).at(0, 0), edit(2).in(10).at(0, 0)}, "control 2 overlaps control 1"},
        {{button(1, "A").in(5).at(0, 0)}, "control 1 is in 5, which is no group box"},
        {{label(1, "&A").naming(9).at(0, 0)}, "control 1 names a missing buddy 9"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(tableProblems(c.table), std::vector<std::string>{c.problem});
    }
    // The same cell in different parents is no overlap.
    EXPECT_TRUE(tableProblems({box, edit(1).at(1, 0), edit(2).in(10).at(1, 0)}).empty());
}

// Controls of the main dialog that start a procedure; every other button, list and check box
// sends nothing and shows nothing.
const std::set<int> kWithProcedures = {
    idc::kAwb, idc::kFocus, idc::kUvMatrix, idc::kFirmware, idc::kData, idc::kInitialize,
    idc::kRBright, idc::kBBright, idc::kRgbOffset, idc::kGain, idc::kHAfc, idc::kTint, idc::kPhase,
    idc::kHallCal, idc::kMaintenance, idc::kUsbGet, idc::kUsbSet, idc::kUsbVidSet, idc::kUsbPidSet,
    idc::kUsbRevSet, idc::kUsbSerialSet, idc::kSerialGet, idc::kRepairSite, idc::kSerialSet,
    idc::kMacGet, idc::kMacSet, idc::kLanguage, idc::kVideoMode, idc::kFactoryCode,
    idc::kLangNumber,
    // Service tests and controls.
    idc::kTest, idc::kCalModeOk, idc::kCalDataOk, idc::kVcomdc, idc::kVcompp, idc::kLcdType,
    idc::kEvf, idc::kVco, idc::kStepCom, idc::kBackrushGet, idc::kBackrushSet};

TEST(MainDialog, ControlsWithoutAProcedureSendNothingAndShowNothing) {
    ConsoleRig rig;
    rig.op.modalScripts[kMainTemplate] = [&](DialogModel& d) {
        for (const ControlDef& def : d.table()) {
            const bool operable = def.kind == ControlKind::Button ||
                                  def.kind == ControlKind::CheckBox ||
                                  def.kind == ControlKind::List;
            if (!operable || def.id == kIdOk || def.id == kIdCancel) continue;
            SCOPED_TRACE(def.id);
            const size_t from = rig.mark();
            const size_t seen = rig.op.events.size();
            const bool handled = d.command(def.id);
            EXPECT_EQ(handled, kWithProcedures.count(def.id) == 1);
            if (handled) continue;
            EXPECT_EQ(rig.traffic(from), std::vector<std::string>{});
            EXPECT_EQ(rig.op.events.size(), seen);
        }
    };
    ASSERT_EQ(rig.run(), 0);
}

}  // namespace
}  // namespace orvia::testing
