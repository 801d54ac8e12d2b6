// The Test list: which check claims an entry, and each entry's conversation with a simulated
// camera and what the operator saw.
#include <gtest/gtest.h>

#include "camsim/service_diags.h"
#include "console/app_state.h"
#include "console/result_dialog.h"
#include "dialogs/battery_dialogs.h"
#include "dialogs/lens_dialogs.h"
#include "dialogs/yc_shading_dialog.h"
#include "service/test_menu.h"
#include "service_rig.h"

namespace orvia::testing {
namespace {

constexpr int kDisplayState = camsim::kCodeDisplayState;

// The list of a camera with every appended entry.
std::vector<std::string> fullList() {
    std::vector<std::string> items = fixedTestItems();
    for (const char* e : {"OEL ACL", "Infinity Cal.", "Keystone Cal.", "Pixel Map.",
                          "Battery Info.", "Battery Type", "Lens Data", "Shading Adj",
                          "Template Chk", "Y/C Shading", "Sens. WB Cal."}) {
        items.emplace_back(e);
    }
    return items;
}

Capabilities everyFeature() {
    Capabilities c;
    c.hasShadingAdj = c.hasPixelMap = c.hasInfinityCal = c.hasKeystoneCal = 1;
    c.hasBatteryInfo = c.hasBatteryType = c.hasLensData = 1;
    return c;
}

// The display state the camera reports; -1: the query fails.
void setDisplayState(ConsoleRig& rig, int32_t state) {
    rig.camera.profile().values[kDisplayState] = state;
    if (state == -1) rig.camera.faults().add(refuse(camsim::kOpGetValue, kDisplayState));
}

TEST(TestChain, EachEntryOfTheFullListReachesItsAction) {
    const auto items = fullList();
    const TestAction want[] = {
        TestAction::Pattern,     TestAction::Pattern,      TestAction::Pattern,
        TestAction::Pattern,     TestAction::Pattern,      TestAction::Pattern,
        TestAction::Monitor,     TestAction::Off,          TestAction::Play,
        TestAction::PlayMulti9,  TestAction::PlayNext,     TestAction::PlayRev,
        TestAction::AdjData,     TestAction::CamInfo,      TestAction::CcdDefect,
        TestAction::CcdBlack,    TestAction::EisAdj,       TestAction::EisCheck,
        TestAction::SetApply,    TestAction::SetDefault,   TestAction::AfLed,
        TestAction::AllVersion,  TestAction::TrackingAdj,  TestAction::YShadingAdj,
        TestAction::ZoomCal,     TestAction::ShadingReset, TestAction::OelAcl,
        TestAction::InfinityCal, TestAction::KeystoneCal,  TestAction::PixelMap,
        TestAction::BatteryInfo, TestAction::BatteryType,  TestAction::LensData,
        TestAction::ShadingAdj,  TestAction::TemplateChk,  TestAction::YcShading,
        TestAction::SensWbCal,
    };
    ASSERT_EQ(std::size(want), items.size());
    for (size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(chooseTestAction(items, static_cast<int32_t>(i), everyFeature(), 6), want[i])
            << items[i];
    }
}

// Guards, the first-entry rule, shorter lists and the reduced chain.
TEST(TestChain, GuardsPrefixesAndReducedLists) {
    const auto items = fullList();
    const auto at = [&](const char* e) {
        return static_cast<int32_t>(std::find(items.begin(), items.end(), e) - items.begin());
    };
    Capabilities none;
    Capabilities reduced = everyFeature();
    reduced.fullTestMenu = 0;
    struct Case {
        std::vector<std::string> list;
        int32_t selection;
        Capabilities caps;
        int32_t lcdType;
        TestAction want;
    };
    const Case cases[] = {
        // An entry whose guard fails is a pattern numbered by its position.
        {items, at("OEL ACL"), everyFeature(), 3, TestAction::Pattern},
        {items, at("Shading Adj"), none, 6, TestAction::Pattern},
        {items, at("Lens Data"), none, 6, TestAction::Pattern},
        {items, at("OEL ACL"), none, 15, TestAction::OelAcl},
        // "Shading Adj" is found as the first entry beginning with it, ignoring case: on a list
        // where a longer entry comes first the check does not claim the later one.
        {{"White", "shading adjust", "Shading Adj"}, 2, everyFeature(), 1, TestAction::Pattern},
        {{"White", "shading adjust", "Shading Adj"}, 1, everyFeature(), 1, TestAction::ShadingAdj},
        // The locked list reaches its two tests through their texts.
        {{"Cam Info", "Set Default"}, 0, none, 1, TestAction::CamInfo},
        {{"Cam Info", "Set Default"}, 1, none, 1, TestAction::SetDefault},
        // The repair-service list: three entries by text, everything else a refresh.
        {{"CCD Defect", "CCD Black", "Infinity Cal."}, 0, reduced, 1, TestAction::CcdDefect},
        {{"CCD Defect", "CCD Black", "Infinity Cal."}, 1, reduced, 1, TestAction::CcdBlack},
        {{"CCD Defect", "CCD Black", "Infinity Cal."}, 2, reduced, 1, TestAction::InfinityCal},
        {items, 6, reduced, 1, TestAction::None},
        {items, 0, reduced, 1, TestAction::None},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(chooseTestAction(c.list, c.selection, c.caps, c.lcdType), c.want)
            << c.list[static_cast<size_t>(c.selection)];
    }
}

TEST(TestMenu, WithoutADisplayEveryEntryShowsLcdNotAvailableAndSendsNothingElse) {
    ConsoleRig rig;
    rig.camera.profile().values[kDisplayState] = 0;
    size_t entries = 0;
    runInDialog(rig, [&](MainDialog& d) {
        entries = d.control(idc::kTest).items.size();
        for (size_t i = 0; i < entries; ++i) {
            const size_t from = rig.mark();
            selectTest(d, static_cast<int>(i));
            EXPECT_EQ(rig.traffic(from), Strings{"get 34"}) << i;
        }
    });
    EXPECT_EQ(rig.op.messages(), Strings(entries, "LCD_NOT_AVAILABLE"));
    EXPECT_TRUE(rig.statuses.empty());
}

// The display modes: sent only from the states listed, the one-shot steps moving the selection
// back to the current mode.
TEST(TestMenu, DisplayModesFollowTheState) {
    struct Case {
        const char* entry;
        int32_t state;  // -1: the query fails
        Strings traffic;
        int32_t selection;
    };
    const Case cases[] = {
        {"Monitor", 2, {"get 34"}, 6},
        {"Monitor", 1, {"get 34", "exec 6 28", "exec 8 2"}, 6},
        {"Off", 1, {"get 34", "exec 6 28", "exec 8 1"}, 7},
        {"Play", 3, {"get 34"}, 8},
        {"Play", 2, {"get 34", "set 40 = 0", "exec 8 3"}, 8},
        {"PlayMulti9", 3, {"get 34", "set 40 = 0", "exec 8 6"}, 9},
        {"PlayNext", 2, {"get 34"}, 6},
        {"PlayNext", 3, {"get 34", "exec 8 7"}, 8},
        {"PlayRev", 6, {"get 34", "exec 8 8"}, 9},
        {"PlayRev", 1, {"get 34"}, 7},
        // A failed query refuses nothing: Monitor and Play are sent, PlayNext is not, and the
        // selection stays.
        {"Monitor", -1, {"get 34", "exec 6 28", "exec 8 2"}, 6},
        {"Play", -1, {"get 34", "set 40 = 0", "exec 8 3"}, 8},
        {"PlayNext", -1, {"get 34"}, 10},
    };
    for (const Case& c : cases) {
        ConsoleRig rig;
        setDisplayState(rig, c.state);
        const Outcome out = chooseTest(rig, c.entry);
        EXPECT_EQ(out.traffic, c.traffic) << c.entry << " " << c.state;
        EXPECT_EQ(out.selection, c.selection) << c.entry << " " << c.state;
        EXPECT_TRUE(rig.op.messages().empty()) << c.entry;
    }
}

TEST(TestMenu, ADisplayCommandTheCameraRefusesEndsWithTheErrorBox) {
    ConsoleRig rig;
    rig.camera.faults().add(refuse(camsim::kOpExecute, camsim::kCodeDisplayCommand));
    const Outcome out = chooseTest(rig, "PlayMulti9");
    EXPECT_EQ(out.traffic, (Strings{"get 34", "set 40 = 0", "exec 8 6"}));
    ASSERT_EQ(rig.op.messages().size(), 1u);
    EXPECT_EQ(rig.op.messages()[0].rfind("Error ", 0), 0u);
    EXPECT_EQ(out.selection, 9);
}

// Patterns: the display goes to Play first unless it is there; the position is the pattern.
TEST(TestMenu, PatternsSwitchToPlayWhenNeeded) {
    struct Case {
        const char* entry;
        int32_t state;
        Strings traffic;
    };
    const Case cases[] = {
        {"Red", 3, {"get 34", "exec 12 3"}},
        {"Red", 1, {"get 34", "exec 6 28", "set 40 = 0", "exec 8 3", "exec 12 3"}},
        {"White", -1, {"get 34", "exec 6 28", "set 40 = 0", "exec 8 3", "exec 12 0"}},
    };
    for (const Case& c : cases) {
        ConsoleRig rig;
        setDisplayState(rig, c.state);
        const Outcome out = chooseTest(rig, c.entry);
        EXPECT_EQ(out.traffic, c.traffic) << c.entry << " " << c.state;
    }
}

TEST(TestMenu, AnEntryNoCheckClaimsIsAPatternNumberedByItsPosition) {
    ConsoleRig rig;
    rig.camera.profile().values[kDisplayState] = 3;
    Outcome out = runInDialog(rig, [&](MainDialog& d) {
        d.appendTest("Sharpness");
        selectTest(d, positionOf(d, "Sharpness"));
    });
    const int position = static_cast<int>(rig.testItems().size()) - 1;
    EXPECT_EQ(out.traffic, (Strings{"get 34", "exec 12 " + std::to_string(position)}));
    EXPECT_EQ(rig.model.displayPattern(), position);
}

// The locked build's two-entry list reaches its tests by their texts; the reduced list runs only
// its three tests; the entries whose dialogs are not connected send and show nothing.
TEST(TestMenu, ReplacedListsAndDialogEntries) {
    struct Case {
        std::vector<std::string> list;
        int full;
        int keystoneVariant;
        std::string entry;
        Strings traffic;
        size_t results = 0;  // result windows shown
        int dialog = 0;      // the adjustment dialog opened, by template
        Strings boxes = {};
    };
    const std::vector<std::string> locked = {"Cam Info", "Set Default"};
    const std::vector<std::string> everything = fullList();
    const Case cases[] = {
        {locked, 1, 0, "Cam Info", {"get 34", "fetch 81"}, 1},
        {locked, 1, 0, "Set Default", {"get 34", "set 109 = 0"}},
        {everything, 0, 0, "Monitor", {"get 34"}},
        {everything, 0, 0, "Cam Info", {"get 34"}},
        {everything, 0, 0, "Infinity Cal.", {"get 34", "exec 6 52", "fetch 31"}, 1},
        // The keystone zoom dialog closed without OK: no calibration.
        {everything, 1, 1, "Keystone Cal.", {"get 34"}, 0, kKeystoneTemplate},
        {everything, 1, 0, "Y/C Shading", {"get 34", "exec 8 2", "exec 8 1"}, 0, yc::kTemplate},
        {everything, 1, 0, "Battery Info.", {"get 34"}, 0, battery::kInfoTemplate},
        // This camera keeps no battery type.
        {everything,
         1,
         0,
         "Battery Type",
         {"get 34", "get 168"},
         0,
         battery::kTypeTemplate,
         {"Get Battery Type not supported!!"}},
        {everything, 1, 0, "Lens Data", {"get 34", "fetch 169"}, 0, kLensDataTemplate},
    };
    for (const Case& c : cases) {
        ConsoleRig rig;
        const Outcome out = chooseTest(rig, c.entry, [&](MainDialog& d) {
            d.setItems(idc::kTest, c.list);
            Capabilities& caps = d.context().state.caps;
            caps.fullTestMenu = c.full;
            caps.keystoneVariant = c.keystoneVariant;
            caps.hasBatteryInfo = caps.hasBatteryType = caps.hasLensData = 1;
        });
        EXPECT_EQ(out.traffic, c.traffic) << c.entry << " " << c.full;
        EXPECT_EQ(resultWindows(rig).size(), c.results) << c.entry;
        EXPECT_EQ(rig.op.messages(), c.boxes) << c.entry;
        std::vector<int> opened;
        for (const OperatorEvent* e : rig.op.dialogs()) {
            if (e->templateId != kMainTemplate && e->templateId != kResultTemplate)
                opened.push_back(e->templateId);
        }
        EXPECT_EQ(opened, c.dialog == 0 ? std::vector<int>{} : std::vector<int>{c.dialog})
            << c.entry;
    }
}

TEST(TestMenu, CamInfoShowsTheRecordInTheResultWindow) {
    ConsoleRig rig;
    rig.camera.profile().records[81] = wordsRecord({1520, 311, 7, 20261203, 0, 0, 0, 1});
    const Outcome out = chooseTest(rig, "Cam Info");
    EXPECT_EQ(out.traffic, (Strings{"get 34", "fetch 81"}));
    EXPECT_EQ(resultWindows(rig),
              (std::vector<ResultShown>{
                  {"Camera Info :",
                   "Image : 1520\r\nFlash : 311\r\nLast Error : 7\r\nError Date : 20261203\r\n"
                   "Adapter test : 1"}}));
}

TEST(TestMenu, AdjDataInBothLayoutsAndNothingWhenTheReadFails) {
    const std::vector<int32_t> words = {100, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    {
        ConsoleRig rig;
        rig.camera.profile().records[49] = wordsRecord(words);
        EXPECT_EQ(chooseTest(rig, "Adj. Data").traffic, (Strings{"get 34", "fetch 49"}));
        EXPECT_EQ(rig.op.messages(),
                  Strings{"Adj. Data\n\n  Focus: 100\n\n  AWB_R: 1\n  AWB_G: 2\n  AWB_B: 3\n\n"
                          "  AGC Gain: 4\n\n  UVMAT0: 5\n  UVMAT1: 6\n  UVMAT2: 7\n  UVMAT3: 8"});
    }
    {
        ConsoleRig rig(profileFor("YAD11"));
        rig.camera.profile().records[49] = wordsRecord(words);
        chooseTest(rig, "Adj. Data");
        EXPECT_EQ(rig.op.messages(),
                  Strings{"Adj. Data\n\n  Focus:\t100\n  Zoom:\t10\n\n  AWB_R:\t1\n  AWB_G:\t2\n"
                          "  AWB_B:\t3\n\n  AGC Gain:\t4\n  AGC Gain2:\t5\n  AGC Gain3:\t6\n\n"
                          "  PLNG:\t7\n  PLNG2:\t8\n  PLNG3:\t9"});
    }
    {
        ConsoleRig rig;
        rig.camera.faults().add(refuse(camsim::kOpGetData, 49));
        chooseTest(rig, "Adj. Data");
        EXPECT_TRUE(rig.op.messages().empty());
    }
}

// The timed diagnostic tests: program, wait limit and heading.
TEST(TestMenu, TimedTestsRunTheirProgramWithinTheirLimitAndShowTheText) {
    struct Case {
        const char* type;
        const char* entry;
        int diag;
        uint32_t limitS;
        const char* heading;
    };
    const Case cases[] = {
        {"ZR510", "EIS Adj", 31, 30, "EIS Adj. Results :"},
        {"ZR510", "EIS Check", 32, 30, "EIS Chaek. Results :"},
        {"ZR510", "Y Shading Adj", 78, 20, "Y Level Shading Adj Results :"},
        {"ZR510", "Zoom Cal.", 80, 45, "Zoom calibration :"},
        {"ZR510", "Infinity Cal.", 52, 45, "Infinity calibration :"},
        {"ZR510", "Keystone Cal.", 51, 45, "Keystone calibration :"},
        {"ZR510", "Tracking Adj", 71, 20, "Tracking Adj Results :"},
        {"YPX10", "Pixel Map.", 53, 45, "Infinity calibration :"},
        {"YSW12", "Sens. WB Cal.", 84, 45, "Sens. WB Cal. Results :"},
    };
    for (const Case& c : cases) {
        ConsoleRig rig(profileFor(c.type));
        rig.model.setResult(c.diag, "result of " + std::to_string(c.diag));
        // The camera is busy for a second less than the limit: the test waits it out.
        rig.camera.profile().executeUsByProgram[{6, c.diag}] = (c.limitS - 1) * 1'000'000ull;
        const Outcome out = chooseTest(rig, c.entry);
        EXPECT_EQ(out.traffic, (Strings{"get 34", "exec 6 " + std::to_string(c.diag), "fetch 31"}))
            << c.entry;
        EXPECT_GE(out.tookMs, (c.limitS - 1) * 1000) << c.entry;
        EXPECT_LT(out.tookMs, (c.limitS + 1) * 1000) << c.entry;
        EXPECT_EQ(rig.statuses, (Strings{" Status: Wait!!", " Status: "})) << c.entry;
        ASSERT_EQ(resultWindows(rig).size(), 1u) << c.entry;
        EXPECT_EQ(resultWindows(rig)[0].heading, c.heading);
        EXPECT_TRUE(rig.op.messages().empty()) << c.entry;
    }
}

TEST(TestMenu, ARefusedTimedTestEndsWithTheErrorBoxAndNoResultWindow) {
    ConsoleRig rig;
    rig.camera.faults().add(refuse(camsim::kOpExecute, 6));
    const Outcome out = chooseTest(rig, "EIS Adj");
    EXPECT_EQ(out.traffic, (Strings{"get 34", "exec 6 31"}));
    EXPECT_EQ(rig.statuses, (Strings{" Status: Wait!!", " Status: "}));
    EXPECT_EQ(rig.op.messages().size(), 1u);
    EXPECT_TRUE(resultWindows(rig).empty());
}

TEST(TestMenu, TrackingAdjOnThePanelVariantRunsThePanelSequence) {
    ConsoleRig rig(profileFor("ZR510"));
    const Outcome out = chooseTest(rig, "Tracking Adj",
                                   [](MainDialog& d) { d.context().state.caps.testVariant = 1; });
    EXPECT_EQ(out.traffic, (Strings{"get 34", "exec 12 6", "set 32 = 0", "exec 6 20",
                                    "set 32 = 143", "exec 6 22", "fetch 31"}));
    ASSERT_EQ(resultWindows(rig).size(), 1u);
    EXPECT_EQ(resultWindows(rig)[0].heading, "Tracking Adj Results :");
}

TEST(TestMenu, ShadingAdjReadsTheLongResultOnItsModel) {
    ConsoleRig rig(profileFor("YLS10"));
    rig.model.setResult(69, camsim::longShadingText(20000));
    chooseTest(rig, "Shading Adj", [](MainDialog& d) {
        d.context().state.caps.hasShadingAdj = 1;
        d.appendTest("Shading Adj");
    });
    ASSERT_EQ(resultWindows(rig).size(), 1u);
    EXPECT_EQ(resultWindows(rig)[0].heading, "Shading Adj Results :");
    EXPECT_EQ(resultWindows(rig)[0].text, camsim::longShadingText(20000));
}

TEST(TestMenu, SetApplySetDefaultAndShadingReset) {
    struct Case {
        const char* type;
        const char* entry;
        std::optional<camsim::FaultRule> fault;
        Strings traffic;
        Strings statuses;
        size_t errors;
    };
    const Case cases[] = {
        {"ZR510",
         "Set Apply",
         {},
         {"get 34", "exec 6 18"},
         {" Status: Wait!!", " Status: Apply procedure was completed!!"},
         0},
        {"ZR510",
         "Set Apply",
         refuse(camsim::kOpExecute, 6),
         {"get 34", "exec 6 18"},
         {" Status: Wait!!", " Status: "},
         1},
        {"ZR510",
         "Set Default",
         {},
         {"get 34", "set 109 = 0"},
         {" Status: Wait!!", " Status: Initialize was completed!!"},
         0},
        {"YFD10",
         "Set Default",
         {},
         {"get 34", "set 109 = 0", "set 52 = 0"},
         {" Status: Wait!!", " Status: Initialize was completed!!"},
         0},
        {"YFD10",
         "Set Default",
         refuse(camsim::kOpSetValue, 52),
         {"get 34", "set 109 = 0", "set 52 = 0"},
         {" Status: Wait!!", " Status: "},
         1},
        {"ZR510",
         "Shading Rst.",
         {},
         {"get 34", "set 199 = -2147483648"},
         {" Status: Wait!!", " Status: Shading Reset was completed!!"},
         0},
        {"ZR510",
         "Shading Rst.",
         refuse(camsim::kOpSetValue, 199),
         {"get 34", "set 199 = -2147483648"},
         {" Status: Wait!!", " Status: Error!!"},
         1},
    };
    for (const Case& c : cases) {
        ConsoleRig rig(profileFor(c.type));
        if (c.fault) rig.camera.faults().add(*c.fault);
        const Outcome out = chooseTest(rig, c.entry);
        EXPECT_EQ(out.traffic, c.traffic) << c.type << " " << c.entry;
        EXPECT_EQ(rig.statuses, c.statuses) << c.type << " " << c.entry;
        EXPECT_EQ(rig.op.messages().size(), c.errors) << c.type << " " << c.entry;
    }
}

TEST(TestMenu, AfLedWaitsForTheCameraAndGivesUpAfterItsLimit) {
    {
        ConsoleRig rig;
        rig.camera.profile().executeUsByProgram[{6, 60}] = 5'000'000;
        const Outcome out = chooseTest(rig, "AF LED");
        EXPECT_EQ(out.traffic, (Strings{"get 34", "exec 6 60"}));
        EXPECT_EQ(rig.statuses,
                  (Strings{" Status: Wait!", " Status: AF LED ON procedure was completed!!"}));
        EXPECT_TRUE(rig.op.messages().empty());
    }
    {
        ConsoleRig rig;
        rig.camera.profile().executeUsByProgram[{6, 60}] = 1'000'000'000;
        const Outcome out = chooseTest(rig, "AF LED");
        EXPECT_GE(out.tookMs, 180'000u);
        EXPECT_LT(out.tookMs, 200'000u);
        EXPECT_EQ(rig.statuses, (Strings{" Status: Wait!", " Status: "}));
        EXPECT_EQ(rig.op.messages(),
                  Strings{"The camera did not finish the AF LED procedure within 180 seconds."});
    }
}

TEST(TestMenu, AllVersionWithEachNandVerifyForm) {
    const std::string head =
        "DSC Version Information\r\n  APP Ver.\t\t= 1.02.0017\r\n  Sub Ver.\t\t= SUB 1.00\r\n"
        "  Boot Ver.\t= BOOT 1.00\r\n  NAND Ver.\t= NAND 1.02";
    struct Case {
        std::optional<std::string> verify;  // nothing: the request fails
        std::string tail;
    };
    const Case cases[] = {
        {"0", "\r\n  NAND Verify\t= not Supported"},
        {"", "\r\n  NAND Verify\t= not Supported"},
        {"-1", "\r\n  NAND Verify\t= checksum error"},
        {"OK 3F2A", "\r\n  NAND Verify\t= OK 3F2A"},
        {std::nullopt, ""},
    };
    for (const Case& c : cases) {
        ConsoleRig rig;
        if (c.verify) {
            rig.model.setVersionText(0x10004, *c.verify);
        } else {
            rig.camera.faults().add(refuse(camsim::kOpGetData, 110, 5));
        }
        const Outcome out = chooseTest(rig, "All Version");
        EXPECT_EQ(out.traffic, (Strings{"get 34", "set 32 = 1", "fetch 110", "set 32 = 2",
                                        "fetch 110", "set 32 = 3", "fetch 110", "set 32 = 4",
                                        "fetch 110", "set 32 = 65540", "fetch 110"}));
        EXPECT_EQ(rig.op.messages(), Strings{head + c.tail});
        EXPECT_EQ(rig.statuses, (Strings{" Status: Wait!!", " Status: "}));
    }
    ConsoleRig rig;
    rig.camera.faults().add(refuse(camsim::kOpGetData, 110));
    chooseTest(rig, "All Version");
    EXPECT_EQ(rig.op.messages(), Strings{"Not supported !"});
}

TEST(TestMenu, TemplateChkOutcomes) {
    const std::pair<int32_t, const char*> cases[] = {
        {0, "Template Chk Result :\n\nOK : COPY_COMPLETE"},
        {1, "Template Chk Result :\n\nNG : COPY_ERR_DIRECTORY"},
        {2, "Template Chk Result :\n\nNG : COPY_ERR_PICNUM"},
        {3, "Template Chk Result :\n\nNG : COPY_ERR_NOFILE"},
        {4, "Template Chk Result :\n\nNG : COPY_ERR_CHKSUM"},
        {7, "Template Chk Result :\n\nInvalid return code (7)"},
        {-1, "Template Chk Result :\n\nInvalid return code (-1)"},
    };
    for (const auto& [outcome, box] : cases) {
        ConsoleRig rig;
        rig.camera.profile().values[camsim::kCodeTemplateCheck] = outcome;
        if (outcome == -1) {
            rig.camera.faults().add(refuse(camsim::kOpGetValue, camsim::kCodeTemplateCheck));
        }
        const Outcome out =
            chooseTest(rig, "Template Chk", [](MainDialog& d) { d.appendTest("Template Chk"); });
        EXPECT_EQ(out.traffic, (Strings{"get 34", "get 189"}));
        EXPECT_EQ(rig.op.messages(), Strings{box});
        EXPECT_EQ(rig.statuses, (Strings{" Status: Wait!!", " Status: "}));
    }
}

// A camera that falls silent during a test: the test ends (its wait within the limit, each call
// within the link library's own bound for a silent camera, a few minutes) with an empty result,
// and the next test works once the camera answers again.
TEST(TestMenu, ACameraThatStopsAnsweringEndsTheTestAndTheNextOneWorks) {
    ConsoleRig rig;
    rig.model.setResult(31, "EIS fine");
    bool silenced = false;
    rig.camera.hooks().onExecute = [&](int code, int parameter) {
        if (code != 6 || parameter != 31 || silenced) return;
        silenced = true;
        rig.camera.faults().add(
            {.fault = camsim::Fault::Drop, .unit = camsim::Unit::Any, .times = 0});
    };
    uint32_t firstMs = 0;
    runInDialog(rig, [&](MainDialog& d) {
        const uint32_t start = rig.clock.tickMs();
        selectTest(d, positionOf(d, "EIS Adj"));
        firstMs = rig.clock.tickMs() - start;
        rig.camera.faults().clear();
        selectTest(d, positionOf(d, "Cam Info"));
    });
    EXPECT_LT(firstMs, 600'000u);
    const auto shown = resultWindows(rig);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].heading, "EIS Adj. Results :");
    EXPECT_EQ(shown[0].text, "");
    EXPECT_EQ(shown[1].heading, "Camera Info :");
}

}  // namespace
}  // namespace orvia::testing
