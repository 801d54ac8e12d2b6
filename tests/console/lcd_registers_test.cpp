// The LCD group's register lists, picked as the operator picks them, on a simulated camera: what
// the camera received, which register it now holds, and what the operator saw.
#include <gtest/gtest.h>

#include <algorithm>

#include "console/main_dialog.h"
#include "console_rig.h"

namespace orvia::testing {
namespace {

using Strings = std::vector<std::string>;
using camsim::Display;

// A console on a camera of LCD class `lcdClass` whose LCD registers all read neutral.
camsim::Profile panel(int32_t lcdClass) {
    camsim::Profile p = profileFor("ZR510", lcdClass + 1);
    p.records[camsim::kCodeLcdInfo] = wordsRecord({16, 16, 16, 16, 16, 16, 16, 16});
    return p;
}

struct Picked {
    Strings traffic;
    int32_t selection = -1;  // the list's selection afterwards
};

// Runs the console, sets the EVF box, picks `item` in `list` and returns the traffic of the pick.
Picked pick(ConsoleRig& rig, int list, const std::string& item, bool evf = false,
            const std::function<void()>& before = {}) {
    Picked out;
    rig.op.modalScripts[kMainTemplate] = [&](DialogModel& d) {
        d.setChecked(idc::kEvf, evf);
        const auto& items = d.control(list).items;
        const auto at = std::find(items.begin(), items.end(), item);
        ASSERT_NE(at, items.end()) << item;
        d.setSelection(list, static_cast<int>(at - items.begin()));
        if (before) before();
        rig.recordStatus();
        const size_t from = rig.mark();
        d.command(list);
        out.traffic = rig.traffic(from);
        out.selection = d.control(list).selection;
    };
    EXPECT_EQ(rig.run(), 0);
    return out;
}

TEST(LcdRegisters, EachListShowsItsPatternAndWritesItsRegisterOnTheChosenDisplay) {
    struct Case {
        int32_t lcdClass;
        bool evf;
        int list;
        const char* item;
        int select;  // 28 the LCD, 29 the viewfinder
        int pattern;
        int32_t value;
        int diag;
    };
    const Case cases[] = {
        {0, false, idc::kRBright, "  0", 28, 6, 16, 13},
        {4, false, idc::kRBright, "  0", 28, 6, 16, 39},
        {4, true, idc::kBBright, " +16", 29, 6, 32, 40},
        {0, false, idc::kBBright, " - 1", 28, 6, 15, 14},
        {0, false, idc::kRgbOffset, " -16", 28, 6, 0, 9},
        {4, false, idc::kRgbOffset, "  0", 28, 6, 16, 41},
        {0, true, idc::kGain, " + 3", 29, 6, 19, 11},
        {4, false, idc::kGain, " + 3", 28, 6, 19, 42},
        {0, false, idc::kHAfc, " -30", 28, 6, -14, 10},
        {0, false, idc::kHAfc, "  0", 28, 6, 16, 10},
        {4, true, idc::kHAfc, " +30", 29, 6, 46, 10},
        {0, false, idc::kTint, " - 5", 28, 5, 11, 12},
        {1, false, idc::kTint, " + 5", 28, 3, 21, 12},
        {1, true, idc::kTint, "  0", 29, 5, 16, 12},
        {0, false, idc::kPhase, "  0", 28, 6, 16, 19},
        {1, true, idc::kPhase, " - 5", 28, 5, 11, 19},
        {4, true, idc::kPhase, " + 5", 28, 6, 21, 19},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.list) + " '" + c.item + "' class " +
                     std::to_string(c.lcdClass) + (c.evf ? " EVF" : ""));
        ConsoleRig rig(panel(c.lcdClass));
        const Picked picked = pick(rig, c.list, c.item, c.evf);
        EXPECT_EQ(
            picked.traffic,
            (Strings{"exec 6 " + std::to_string(c.select), "exec 12 " + std::to_string(c.pattern),
                     "set 32 = " + std::to_string(c.value), "exec 6 " + std::to_string(c.diag)}));
        const Display display = c.select == 29 ? Display::Viewfinder : Display::Lcd;
        EXPECT_EQ(rig.model.displayRegister(display, c.diag), c.value);
        EXPECT_EQ(picked.selection, rig.dialog().control(c.list).selection);
        EXPECT_TRUE(rig.op.messages().empty());
        EXPECT_TRUE(rig.statuses.empty());
        EXPECT_GE(rig.op.waitShown, 1);
        EXPECT_EQ(rig.op.waitDepth, 0);
    }
}

TEST(LcdRegisters, AWrittenLcdRegisterIsWhatTheNextStartReadsBack) {
    camsim::Profile after = panel(0);
    {
        ConsoleRig rig(panel(0));
        pick(rig, idc::kHAfc, " -30");
        after.records[camsim::kCodeLcdInfo] = rig.camera.profile().records[camsim::kCodeLcdInfo];
    }
    ConsoleRig next(after);
    ASSERT_EQ(next.run(), 0);
    EXPECT_EQ(next.dialog().hAfc, 0);  // " -30"
    EXPECT_EQ(next.dialog().rBright, 16);
}

TEST(LcdRegisters, PhaseOnPanelClass2OnlyShowsThatItIsNotSupported) {
    for (bool evf : {false, true}) {
        ConsoleRig rig(panel(2));
        const Picked picked = pick(rig, idc::kPhase, " + 2", evf);
        EXPECT_TRUE(picked.traffic.empty());
        EXPECT_EQ(rig.op.messages(), Strings{"This function is not supported!"});
        EXPECT_EQ(rig.op.waitShown, 0);
    }
}

TEST(LcdRegisters, ARefusedCallEndsWithTheErrorBoxAndTheListKeepsThePick) {
    struct Case {
        const char* what;
        int code;  // execute code refused
        int nth;   // from this execute of the code on
        Strings traffic;
        Strings messages;
    };
    const Strings all = {"exec 6 28", "exec 12 6", "set 32 = 20", "exec 6 13"};
    const Case cases[] = {
        {"pattern", 12, 1, {"exec 6 28", "exec 12 6"}, {"Error Write error"}},
        {"register", 6, 2, all, {"Error Write error"}},
        // The display selection reports its own failure; the write goes on.
        {"selection", 6, 1, all, {"Error Write error", "Error Write error"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ConsoleRig rig(panel(0));
        const Picked picked = pick(rig, idc::kRBright, " + 4", false, [&] {
            rig.camera.faults().add({.fault = camsim::Fault::Dc1,
                                     .op = camsim::kOpExecute,
                                     .code = c.code,
                                     .nth = c.nth,
                                     .times = 0});
        });
        EXPECT_EQ(picked.traffic, c.traffic);
        EXPECT_EQ(rig.op.messages(), c.messages);
        EXPECT_EQ(picked.selection, 20);
        EXPECT_EQ(rig.model.displayRegister(Display::Lcd, 13), 16);
        EXPECT_EQ(rig.op.waitDepth, 0);
    }
}

}  // namespace
}  // namespace orvia::testing
