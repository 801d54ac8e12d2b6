// The main dialog's decisions for a handful of camera types, on a simulated camera.
#include <gtest/gtest.h>

#include "console/main_dialog.h"
#include "console/reporting.h"
#include "console/result_dialog.h"
#include "console_rig.h"

namespace orvia::testing {
namespace {

std::vector<std::string> appendedItems(ConsoleRig& rig) {
    auto items = rig.testItems();
    const auto& fixed = fixedTestItems();
    EXPECT_TRUE(std::equal(fixed.begin(), fixed.end(), items.begin()));
    return std::vector<std::string>(items.begin() + static_cast<long>(fixed.size()), items.end());
}

TEST(MainDialog, TestListAdditionsFollowTheTypeInStepOrder) {
    struct Case {
        const char* type;
        std::vector<std::string> appended;
    };
    const Case cases[] = {
        {"ZR510", {"Infinity Cal.", "Keystone Cal.", "Y/C Shading"}},
        // Both lens-data tables: kind 1, one item.
        {"YLD40", {"Infinity Cal.", "Keystone Cal.", "Lens Data", "Shading Adj", "Y/C Shading"}},
        {"YLD52",
         {"Infinity Cal.", "Keystone Cal.", "Battery Info.", "Battery Type", "Lens Data",
          "Shading Adj", "Y/C Shading"}},
        // No backrush controls, but listed for Infinity Cal.
        {"YRA25", {"Infinity Cal.", "Keystone Cal.", "Y/C Shading"}},
        {"YRA21", {"Keystone Cal.", "Y/C Shading"}},
        {"YPX10", {"Infinity Cal.", "Keystone Cal.", "Pixel Map.", "Y/C Shading"}},
        {"YTP15", {"Infinity Cal.", "Keystone Cal.", "Template Chk", "Y/C Shading"}},
        {"YSW12", {"Infinity Cal.", "Keystone Cal.", "Y/C Shading", "Sens. WB Cal."}},
        {"YOL10", {"OEL ACL", "Infinity Cal.", "Keystone Cal.", "Y/C Shading"}},
    };
    for (const Case& c : cases) {
        ConsoleRig rig(profileFor(c.type));
        ASSERT_EQ(rig.run(), 0) << c.type;
        EXPECT_EQ(appendedItems(rig), c.appended) << c.type;
        EXPECT_EQ(rig.dialog().control(idc::kTest).selection, kTestOff) << c.type;
    }
}

TEST(MainDialog, CapabilityFlagsFollowTheTables) {
    struct Case {
        const char* type;
        Capabilities expected;
    };
    auto caps = [](auto&& set) {
        Capabilities c;
        c.hasKeystoneCal = 1;
        set(c);
        return c;
    };
    const Case cases[] = {
        {"YLD40", caps([](Capabilities& c) {
             c.hasBackrushPulse = c.hasInfinityCal = c.hasLensData = c.hasShadingAdj = 1;
             c.lensDataKind = 1;
         })},
        {"YPA55", caps([](Capabilities& c) {
             c.pafMode = c.hasBackrushPulse = c.hasInfinityCal = 1;
             c.hasBatteryInfo = c.hasBatteryType = 1;
         })},
        {"YKS31", caps([](Capabilities& c) {
             c.hasBackrushPulse = c.hasInfinityCal = c.keystoneVariant = 1;
         })},
        {"YTD17", caps([](Capabilities& c) { c.hasInfinityCal = 1; })},
        {"YMT30", caps([](Capabilities& c) {
             c.hasBackrushPulse = c.hasInfinityCal = c.hasMaintenance = 1;
         })},
        {"YTV10",
         caps([](Capabilities& c) { c.hasBackrushPulse = c.hasInfinityCal = c.testVariant = 1; })},
        {"YTP21", caps([](Capabilities& c) {
             c.hasBackrushPulse = c.hasInfinityCal = c.hasTemplateChk = 1;
         })},
    };
    for (const Case& c : cases) {
        ConsoleRig rig(profileFor(c.type));
        ASSERT_EQ(rig.run(), 0) << c.type;
        const Capabilities& got = rig.app.state().caps;
        const Capabilities& want = c.expected;
        const std::array<int32_t, 14> a = {
            got.pafMode,         got.hasBackrushPulse, got.hasInfinityCal, got.hasKeystoneCal,
            got.keystoneVariant, got.hasPixelMap,      got.hasBatteryInfo, got.hasBatteryType,
            got.hasLensData,     got.lensDataKind,     got.hasMaintenance, got.hasShadingAdj,
            got.testVariant,     got.hasTemplateChk};
        const std::array<int32_t, 14> b = {
            want.pafMode,         want.hasBackrushPulse, want.hasInfinityCal, want.hasKeystoneCal,
            want.keystoneVariant, want.hasPixelMap,      want.hasBatteryInfo, want.hasBatteryType,
            want.hasLensData,     want.lensDataKind,     want.hasMaintenance, want.hasShadingAdj,
            want.testVariant,     want.hasTemplateChk};
        EXPECT_EQ(a, b) << c.type;
    }
}

TEST(MainDialog, ButtonsAreShownAndRelabelledByType) {
    struct Case {
        const char* type;
        int id;
        const char* caption;
        bool visible;
    };
    const Case cases[] = {
        {"YPA61", idc::kInitialize, "PAF Cal.", true},
        {"ZR510", idc::kInitialize, "Initia&lize", true},
        {"YVG10", idc::kMaintenance, "Video Gain", true},
        {"YMT12", idc::kMaintenance, "Maint&enance", true},
        {"ZR510", idc::kMaintenance, "Maint&enance", false},
        {"YHC10", idc::kHallCal, "Hall Cal.", true},
        {"YHC25", idc::kHallCal, "Hall Cal.", true},
        {"YHC11", idc::kHallCal, "Hall Cal.", false},
        {"YRK10", idc::kData, "RsaKey", true},
        {"YQR21", idc::kData, "QrCode", true},
        {"YRA21", idc::kBackrushGet, "Get", false},
    };
    for (const Case& c : cases) {
        ConsoleRig rig(profileFor(c.type));
        ASSERT_EQ(rig.run(), 0) << c.type;
        const ControlState& s = rig.dialog().control(c.id);
        EXPECT_EQ(s.text, c.caption) << c.type;
        EXPECT_EQ(s.visible, c.visible) << c.type;
        EXPECT_TRUE(s.enabled) << c.type;
    }
}

TEST(MainDialog, PanelKindSetsTheRegisterLabels) {
    const std::array<int, 6> labels = {idc::kLabelRBright, idc::kLabelBBright,   idc::kLabelVcomdc,
                                       idc::kLabelVcompp,  idc::kLabelRgbOffset, idc::kLabelGain};
    ConsoleRig alt(profileFor("YEV31"));  // class 4 by type
    ASSERT_EQ(alt.run(), 0);
    std::vector<std::string> got;
    for (int id : labels)
        got.push_back(alt.dialog().control(id).text);
    EXPECT_EQ(got, (std::vector<std::string>{"RGB &Odd", "RGB &Even", "V&COMPP(LOW)", "VCOM&PP(HI)",
                                             "RGB &Gain", "&VCOMDC"}));

    ConsoleRig ordinary(profileFor("ZR510", 1));
    ASSERT_EQ(ordinary.run(), 0);
    got.clear();
    for (int id : labels)
        got.push_back(ordinary.dialog().control(id).text);
    EXPECT_EQ(got, (std::vector<std::string>{"&R Bright", "&B Bright", "&VCOMDC", "V&COMPP",
                                             "RGB &Offset", "&Gain"}));
}

// A stand-in for the organic-EL dialog.
class PanelDialog final : public DialogModel {
  public:
    PanelDialog() : DialogModel(142, "Organic EL Cal.", {}) {}

  protected:
    void exchange(DataExchange&) override {}
};

// The organic-EL camera's own panel dialog opens with the main dialog; a second one replaces it.
TEST(MainDialog, PanelDialogOpensOrReportsWhyNot) {
    struct Case {
        bool created;
        bool windowFails;
        std::vector<std::string> boxes;
        int shown;  // panel dialogs shown: the camera's own, then the one opened here
    };
    const Case cases[] = {
        {true, false, {}, 2},
        {false, false, {"Error Creating Dialog Object"}, 1},
        {true, true, {"Error create Dialog", "Error create Dialog"}, 0},
    };
    for (const Case& c : cases) {
        camsim::Profile p = profileFor("YOL20");
        p.values[163] = 48;
        p.records[163] = wordsRecord({48, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
        ConsoleRig rig(p);
        rig.op.modelessFails = c.windowFails;
        rig.op.modalScripts[kMainTemplate] = [&](DialogModel&) {
            rig.dialog().openPanelDialog(c.created ? std::make_unique<PanelDialog>() : nullptr);
        };
        ASSERT_EQ(rig.run(), 0);
        EXPECT_EQ(rig.dialog().lcdType, 15);
        EXPECT_EQ(rig.op.messages(), c.boxes);
        int shown = 0;
        for (const auto& e : rig.op.events) {
            shown += e.kind == OperatorEvent::Kind::Modeless && e.templateId == 142;
        }
        EXPECT_EQ(shown, c.shown);
        EXPECT_FALSE(rig.received(camsim::kOpGetData, 80)) << "no register pre-load";
    }
}

TEST(MainDialog, WindowRulesLockControlsByTypeAndFactoryCodeFamily) {
    const std::vector<int> usbButtons = {1062, 1063, 1066, 1071, 1070, 1068};
    const std::vector<int> macControls = {1055, 1056, 1054, 1053, 1052,
                                          1051, 1050, 1049, 1048, 1046};
    const std::vector<int> takroLocked = {1013, 1014, 1023, 1041, 1044, 1042, 1043,
                                          1015, 1016, 1018, 1017, 1025, 1027};
    struct Case {
        const char* type;
        int family;  // the factory code family the type belongs to
        std::vector<int> disabled;
        int trim;
    };
    auto join = [](std::vector<int> a, const std::vector<int>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    const Case cases[] = {
        {"YUS50 ", 0, usbButtons, 0},  // the USB lock wins over everything else
        {"ZR510", 0, macControls, 47},
        {"YDV10", 2, {}, 0},
        {"YAS10", 4, {}, 0},
        {"YPL10", 5, macControls, 47},
        // The repair-service form takes the place of the plain serial number.
        {"YFS10", 3, join(macControls, {1061, 1070}), 47},
        {"YTK10", 1, macControls, 47},
        {"TAKRO Digital Camera", 1, join(macControls, takroLocked), 47},
        {"TAKRO Digital Camera 2", 1, join(macControls, takroLocked), 47},
        // The lock compares the first 20 characters exactly, letter case included.
        {"TAKRO Digital Camer", 1, macControls, 47},
        {"takro Digital Camera", 1, macControls, 47},
    };
    for (const Case& c : cases) {
        ConsoleRig rig(profileFor(c.type));
        ASSERT_EQ(rig.run(), 0) << c.type;
        EXPECT_EQ(rig.app.state().caps.factoryCodeFamily, c.family) << c.type;
        MainDialog& d = rig.dialog();
        for (const ControlDef& s : d.table()) {
            if (s.id == idc::kEvf || s.id == idc::kVco) continue;  // decided by the panel rules
            const bool expectDisabled =
                std::find(c.disabled.begin(), c.disabled.end(), s.id) != c.disabled.end();
            EXPECT_EQ(d.control(s.id).enabled, !expectDisabled)
                << c.type << " family " << c.family << " control " << s.id;
        }
        EXPECT_EQ(d.bottomTrim(), c.trim) << c.type;
        EXPECT_EQ(d.control(idc::kMacGroup).visible, c.trim == 0) << c.type;
    }
}

TEST(Reporting, StatusLineStepErrorErrorBoxAndConfirmation) {
    ConsoleRig rig;
    rig.op.modalScripts[kMainTemplate] = [&](DialogModel&) {
        MainDialog& d = rig.dialog();
        // A member changed without a write-back is lost at the next status update.
        d.testSelection = 3;
        d.setStatus(" Status: Wait!!  Executing Focus Calibration. and a long tail");
        EXPECT_EQ(d.testSelection, kTestOff);
        EXPECT_EQ(d.control(idc::kStatus).text,
                  std::string(" Status: Wait!!  Executing Focus Calibration. and a long tail")
                      .substr(0, 50));

        showStepError(rig.app.context(), "Execute preset WB calibration start.", 12);
        showError(rig.app.context(), 255);
        showError(rig.app.context(), 300);
        rig.op.answers = {false};
        EXPECT_FALSE(confirm(rig.op, "Execute Focus Calibration"));
    };
    ASSERT_EQ(rig.run(), 0);
    const std::string step = " Status: Execute preset WB calibration start. Camera not responding";
    EXPECT_EQ(rig.dialog().control(idc::kStatus).text, step.substr(0, 50));
    EXPECT_EQ(rig.op.messages(),
              (std::vector<std::string>{step, "Error Other Error", "Error Undefined result 300"}));
    EXPECT_EQ(rig.op.questions(),
              std::vector<std::string>{"Execute Focus Calibration. Yes or No?"});
    // The step error repaints the dialog before its box.
    auto refresh = std::find_if(rig.op.events.begin(), rig.op.events.end(), [](const auto& e) {
        return e.kind == OperatorEvent::Kind::Refresh;
    });
    ASSERT_NE(refresh, rig.op.events.end());
    EXPECT_EQ((refresh + 1)->text, step);
}

TEST(Reporting, ProgressCallbackMovesTheProgressBar) {
    ConsoleRig rig;
    rig.op.modalScripts[kMainTemplate] = [&](DialogModel&) {
        ProgressScope progress(rig.app.context());
        std::vector<uint8_t> picture(5000, 0x5A);
        EXPECT_EQ(rig.link.load_picture_data(picture.data(), static_cast<int32_t>(picture.size())),
                  0);
        EXPECT_EQ(rig.dialog().control(idc::kProgress).position, 100);
    };
    ASSERT_EQ(rig.run(), 0);
}

TEST(ResultWindow, CopyCarriesTheCancelIdentity) {
    ScriptedOperator op;
    std::vector<bool> endedAfterCancel;
    op.modalScripts[kResultTemplate] = [&](DialogModel& d) {
        d.command(kIdCancel);  // Escape or the close box
        endedAfterCancel.push_back(d.ended());
        d.command(kIdOk);
    };
    showResult(op, "UV Matrix Results :", "line 1\r\nline 2");
    ASSERT_EQ(op.dialogs().size(), 1u);
    const OperatorEvent& shown = *op.dialogs()[0];
    EXPECT_EQ(shown.text, "Orvia Calibration");
    EXPECT_EQ(shown.controls.at(kResultHeading), "UV Matrix Results :");
    EXPECT_EQ(shown.controls.at(kResultText), "line 1\r\nline 2");
    EXPECT_EQ(shown.controls.at(kIdCancel), "Copy");
    EXPECT_EQ(endedAfterCancel, std::vector<bool>{false});
    EXPECT_EQ(op.clipboard, "line 1\r\nline 2");

    ScriptedOperator empty;
    showResult(empty, "Cam Info :", "");
    EXPECT_EQ(empty.dialogs()[0]->controls.at(kResultText), "");
}

}  // namespace
}  // namespace orvia::testing
