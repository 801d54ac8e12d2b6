// The main dialog's service controls and the sensor detections, used as the operator uses them
// on a simulated camera: what the camera received and what the operator saw.
#include <gtest/gtest.h>

#include "camsim/service_diags.h"
#include "console/app_state.h"
#include "service/service_controls.h"
#include "service_rig.h"

namespace orvia::testing {
namespace {

// Picks LCD type `type` in its list.
void pickLcdType(MainDialog& d, int type) {
    d.setSelection(idc::kLcdType, type);
    d.command(idc::kLcdType);
}

TEST(CalEntries, CalModeAndCalDataRunTheirProgramWithTheEntryAndShowTheText) {
    struct Case {
        int edit, button;
        const char* value;
        Strings traffic;
        const char* heading;
    };
    const Case cases[] = {
        {idc::kCalMode,
         idc::kCalModeOk,
         "300",
         {"set 32 = 300", "exec 6 22", "fetch 31", "get 32"},
         "Cal Mode Results :"},
        {idc::kCalData,
         idc::kCalDataOk,
         "65535",
         {"exec 12 6", "set 32 = 65535", "exec 6 20", "fetch 31", "get 32"},
         "Cal Data Results :"},
    };
    for (const Case& c : cases) {
        ConsoleRig rig;
        rig.model.setResult(c.button == idc::kCalModeOk ? 22 : 20, "mode text");
        const Outcome out = runInDialog(rig, [&](MainDialog& d) {
            d.setText(c.edit, c.value);
            d.command(c.button);
        });
        EXPECT_EQ(out.traffic, c.traffic);
        EXPECT_EQ(resultWindows(rig), (std::vector<ResultShown>{{c.heading, "mode text"}}));
    }
}

TEST(CalEntries, TextOutsideTheRangeIsRefusedAndNothingIsSent) {
    for (const char* value : {"65536", "-1", "abc", ""}) {
        ConsoleRig rig;
        const Outcome out = runInDialog(rig, [&](MainDialog& d) {
            d.setText(idc::kCalMode, value);
            d.command(idc::kCalModeOk);
        });
        EXPECT_EQ(out.traffic, Strings{}) << value;
        EXPECT_EQ(rig.op.messages(), Strings{"Please enter an integer between 0 and 65535."});
    }
}

TEST(VcomLists, PanelTypeRules) {
    struct Case {
        int type;
        int list;
        int position;
        Strings traffic;  // empty: refused as not supported
    };
    const Case cases[] = {
        {3, idc::kVcomdc, 20, {}},
        {3, idc::kVcompp, 20, {"set 32 = 20", "exec 6 19"}},
        {4, idc::kVcompp, 16, {"exec 12 6", "set 32 = 16", "exec 6 44"}},
        {4, idc::kVcomdc, 3, {"exec 12 6", "set 32 = 3", "exec 6 43"}},
        {5, idc::kVcomdc, 30, {"exec 12 6", "set 32 = 30", "exec 6 8"}},
        {2, idc::kVcomdc, 10, {"set 32 = 10", "exec 6 8"}},
        {1, idc::kVcompp, 0, {"set 32 = 0", "exec 6 19"}},
        {1, idc::kVcomdc, 0, {}},
        {0, idc::kVcompp, 5, {}},
        {6, idc::kVcompp, 5, {}},
    };
    for (const Case& c : cases) {
        ConsoleRig rig;
        const Outcome out = runInDialog(
            rig,
            [&](MainDialog& d) {
                d.setSelection(c.list, c.position);
                d.command(c.list);
            },
            [&](MainDialog& d) { pickLcdType(d, c.type); });
        EXPECT_EQ(out.traffic, c.traffic) << c.type << " " << c.list;
        EXPECT_EQ(rig.op.messages(),
                  c.traffic.empty() ? Strings{"This function is not supported!"} : Strings{})
            << c.type << " " << c.list;
    }
}

// The nine register selections as a list, in the order R Bright, B Bright, RGB Offset, Gain,
// Tint, Phase, H_AFC, VCOMDC, VCOMPP.
std::vector<int> registers(const MainDialog& d) {
    std::vector<int> out;
    for (int id : {idc::kRBright, idc::kBBright, idc::kRgbOffset, idc::kGain, idc::kTint,
                   idc::kPhase, idc::kHAfc, idc::kVcomdc, idc::kVcompp}) {
        out.push_back(d.control(id).selection);
    }
    return out;
}

TEST(EvfBox, TickingOnAViewfinderPanelModelMakesTheTypeOneAndClearingRestoresIt) {
    struct Case {
        const char* type;
        int viewfinderLcdType;
        int vcomppOnViewfinder;
    };
    for (const Case& c : {Case{"YEP10", 1, 23}, Case{"ZR510", 0, -1}}) {
        ConsoleRig rig(profileFor(c.type));
        rig.camera.profile().records[camsim::kCodeLcdInfo] =
            wordsRecord({16, 17, 18, 19, 20, 21, 22, 23});
        Strings tick, clear;
        std::vector<int> onViewfinder, onLcd;
        int typeOnViewfinder = -2, typeAfter = -2;
        runInDialog(
            rig,
            [&](MainDialog& d) {
                size_t from = rig.mark();
                d.setChecked(idc::kEvf, true);
                d.command(idc::kEvf);
                tick = rig.traffic(from);
                onViewfinder = registers(d);
                typeOnViewfinder = d.control(idc::kLcdType).selection;
                from = rig.mark();
                d.setChecked(idc::kEvf, false);
                d.command(idc::kEvf);
                clear = rig.traffic(from);
                onLcd = registers(d);
                typeAfter = d.control(idc::kLcdType).selection;
            },
            [](MainDialog& d) { pickLcdType(d, 3); });
        EXPECT_EQ(tick, (Strings{"exec 6 29", "fetch 80"})) << c.type;
        EXPECT_EQ(clear, (Strings{"exec 6 28", "fetch 80"})) << c.type;
        EXPECT_EQ(typeOnViewfinder, c.viewfinderLcdType) << c.type;
        EXPECT_EQ(onViewfinder,
                  (std::vector<int>{21, 22, 17, 19, 9, -1, 32, -1, c.vcomppOnViewfinder}))
            << c.type;
        EXPECT_EQ(typeAfter, 3) << c.type;
        // Class 3 reads all registers with VCOMPP; VCOMDC and Phase stay without selection.
        EXPECT_EQ(onLcd, (std::vector<int>{21, 22, 17, 19, 9, -1, 32, -1, 23})) << c.type;
    }
}

TEST(EvfBox, AFailedDisplaySelectionLeavesTheRegistersWithoutSelection) {
    ConsoleRig rig;
    rig.camera.faults().add(refuse(camsim::kOpExecute, 6));
    std::vector<int> after;
    runInDialog(rig, [&](MainDialog& d) {
        d.setChecked(idc::kEvf, true);
        d.command(idc::kEvf);
        after = registers(d);
    });
    EXPECT_EQ(after, std::vector<int>(9, -1));
    EXPECT_EQ(rig.op.messages().size(), 1u);
}

TEST(VcoBox, TickingAndClearingRunTheirPrograms) {
    ConsoleRig rig;
    Strings on, off;
    runInDialog(rig, [&](MainDialog& d) {
        size_t from = rig.mark();
        d.setChecked(idc::kVco, true);
        d.command(idc::kVco);
        on = rig.traffic(from);
        from = rig.mark();
        d.setChecked(idc::kVco, false);
        d.command(idc::kVco);
        off = rig.traffic(from);
    });
    EXPECT_EQ(on, Strings{"exec 6 37"});
    EXPECT_EQ(off, Strings{"exec 6 38"});
}

TEST(BackrushPulse, TextForms) {
    const std::pair<const char*, std::optional<int32_t>> cases[] = {
        {"0x10", 16},
        {"0X1f", 31},
        {"10", 10},
        {" 42", 42},
        {"12abc", 12},
        {"0xFFFFFFFF", -1},
        {"-5", -5},
        {"4294967295", -1},
        {"abc", std::nullopt},
        {"", std::nullopt},
        {"0x", std::nullopt},
        {"0x100000000", std::nullopt},
        {"4294967296", std::nullopt},
        {"0x-5", std::nullopt},
    };
    for (const auto& [text, want] : cases)
        EXPECT_EQ(parseBackrushPulse(text), want) << text;
}

TEST(BackrushPulse, GetShowsTheValueAndSetSendsTheParsedText) {
    struct Case {
        bool getFails;
        const char* shown;
    };
    for (const Case& c : {Case{false, "0x00001234"}, Case{true, "0xFFFFFFFF"}}) {
        ConsoleRig rig;
        rig.camera.profile().values[camsim::kCodeBackrushPulse] = 0x1234;
        if (c.getFails) {
            rig.camera.faults().add(refuse(camsim::kOpGetValue, camsim::kCodeBackrushPulse));
        }
        std::string shown;
        const Outcome out = runInDialog(rig, [&](MainDialog& d) {
            d.command(idc::kBackrushGet);
            shown = d.control(idc::kBackrush).text;
        });
        EXPECT_EQ(out.traffic, Strings{"get 143"});
        EXPECT_EQ(shown, c.shown);
    }
    for (const auto& [text, traffic] : {std::pair<const char*, Strings>{"0x10", {"set 143 = 16"}},
                                        {"10", {"set 143 = 10"}},
                                        {"abc", {}}}) {
        ConsoleRig rig;
        const Outcome out = runInDialog(rig, [&](MainDialog& d) {
            d.setText(idc::kBackrush, text);
            d.command(idc::kBackrushSet);
        });
        EXPECT_EQ(out.traffic, traffic) << text;
        EXPECT_EQ(rig.op.messages().size(), traffic.empty() ? 1u : 0u) << text;
    }
}

TEST(Maintenance, ARepairSiteClearsTheAdjustStatus) {
    for (bool refused : {false, true}) {
        ConsoleRig rig;
        if (refused) rig.camera.faults().add(refuse(camsim::kOpSetValue, 131));
        const Outcome out = runInDialog(rig, [](MainDialog& d) { clearAdjustStatus(d.context()); });
        EXPECT_EQ(out.traffic, Strings{"set 131 = 0"});
        const Strings done = {" Status: Wait!!", " Status: Status Clear was completed!!"};
        EXPECT_EQ(rig.statuses, refused ? Strings{" Status: Wait!!"} : done);
        EXPECT_EQ(rig.op.messages().size(), refused ? 1u : 0u);
    }
}

TEST(CcdDetections, NoSendsNothingAndLeavesTheStatusLine) {
    for (const char* entry : {"CCD Defect", "CCD Black"}) {
        ConsoleRig rig;
        rig.op.answers = {false};
        const Outcome out = chooseTest(rig, entry);
        EXPECT_EQ(out.traffic, Strings{"get 34"});
        EXPECT_TRUE(rig.statuses.empty());
        EXPECT_TRUE(resultWindows(rig).empty());
    }
}

TEST(CcdDetections, RunTheirProgramAndThePauseModelsPauseFirst) {
    struct Case {
        const char* type;
        const char* entry;
        const char* question;
        int diag;
        const char* heading;
        uint32_t pauseMs;
    };
    const Case cases[] = {
        {"ZR510", "CCD Defect", "CCD Defect Detection. Yes or No?", 0, "CCD Results :", 0},
        {"ZR510", "CCD Black", "CCD Black Detection. Yes or No?", 30, "CCD Black Results :", 0},
        {"YCB14", "CCD Black", "CCD Black Detection. Yes or No?", 30,
         "CCD Black Results :", 110'000},
        {"YCB10", "CCD Black", "CCD Black Detection. Yes or No?", 30,
         "CCD Black Results :", 25'000},
    };
    for (const Case& c : cases) {
        ConsoleRig rig(profileFor(c.type));
        rig.op.answers = {true};
        rig.model.setResult(c.diag, "sensor text");
        const Outcome out = chooseTest(rig, c.entry);
        EXPECT_EQ(out.traffic, (Strings{"get 34", "exec 6 " + std::to_string(c.diag), "fetch 31"}))
            << c.type;
        EXPECT_EQ(rig.op.questions(), Strings{c.question});
        EXPECT_GE(out.tookMs, c.pauseMs) << c.type;
        EXPECT_LT(out.tookMs, c.pauseMs + 5'000) << c.type;
        EXPECT_EQ(rig.statuses, (Strings{" Status: Wait!!", " Status: "}));
        EXPECT_EQ(resultWindows(rig), (std::vector<ResultShown>{{c.heading, "sensor text"}}));
    }
}

}  // namespace
}  // namespace orvia::testing
