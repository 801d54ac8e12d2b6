// The link library's build decides the console: the plain build, the repair-service build
// ("Westrand") and the locked build ("TELMO") give three different main dialogs.
#include <gtest/gtest.h>

#include <map>

#include "console/main_dialog.h"
#include "console_rig.h"
#include "service/service_builds.h"

namespace orvia::testing {
namespace {

using Strings = std::vector<std::string>;

TEST(ServiceBuilds, TheBuildIsNamedByTheWholePrivateBuildValue) {
    struct Case {
        BuildIdentity identity;
        bool westrand;
    };
    const Case cases[] = {
        {identityNaming("Westrand"), true},  {identityNaming("Westrand2"), false},
        {identityNaming("West"), false},  // a value that is only the start of the name
        {identityNaming("westrand"), false}, {identityNaming(""), false},
        {identityNaming(nullptr), false},    {BuildIdentity{}, false},  // no version block at all
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isServiceBuild(c.identity, "Westrand"), c.westrand)
            << c.identity.privateBuild().value_or("(none)");
    }
}

// Runs the console for a camera of `type` on a library built as `build` and hands the
// initialised main dialog to `check`.
void runConsole(const char* type, const char* build,
                const std::function<void(ConsoleRig&, MainDialog&)>& check) {
    ConsoleRig rig(profileFor(type));
    rig.host.linkBuild = identityNaming(build);
    bool ran = false;
    rig.op.modalScripts[kMainTemplate] = [&](DialogModel&) {
        check(rig, rig.dialog());
        ran = true;
    };
    ASSERT_EQ(rig.run(), 0);
    EXPECT_TRUE(ran);
}

const std::vector<int> kRepairLocked = {1010, 1008, 1020, 1021, 1039, 1040, 1011,
                                        1026, 1024, 1016, 1023, 1041, 1044, 1042,
                                        1043, 1063, 1066, 1071, 1068, 1017, 1025};
const std::vector<int> kTelmoLocked = {
    1013, 1014, 1023, 1041, 1044, 1042, 1043, 1016, 1018, 1045, 1065, 1038, 1010, 1008, 1039, 1020,
    1021, 1040, 1011, 1026, 1024, 1063, 1066, 1071, 1068, 1017, 1025, 1069, 1067, 1072, 1027};

TEST(ServiceBuilds, TheRepairServiceFormOnThePlainAndWestrandBuilds) {
    for (const char* build : {"PELORIN", "Westrand"}) {
        SCOPED_TRACE(build);
        const bool westrand = std::string(build) == "Westrand";
        runConsole("YFS11", build, [&](ConsoleRig& rig, MainDialog& d) {
            const Capabilities& caps = rig.app.state().caps;
            EXPECT_EQ(caps.repairSiteMode, 1);
            EXPECT_EQ(caps.fullTestMenu, westrand ? 0 : 1);
            for (int id : {1136, 1091, 1082, 1137, 1079, 1083})
                EXPECT_TRUE(d.control(id).visible) << id;
            // "Repair site " labels the repair-site list; the backrush pulse controls keep their
            // own label.
            EXPECT_EQ(d.def(idc::kRepairSite).label, "Repair site ");
            EXPECT_EQ(d.control(idc::kBackrushLabel).visible, d.control(idc::kBackrush).visible);
            if (d.control(idc::kBackrush).visible) {
                EXPECT_EQ(d.control(idc::kBackrushLabel).text, "Backrush pulse : ");
            }
            EXPECT_EQ(d.control(idc::kSerialLabel).text, "Serial No. ");
            EXPECT_EQ(d.control(idc::kSerial1).readOnly, westrand);
            for (int id : {idc::kUsbSerial, idc::kUsbSerialSet})
                EXPECT_FALSE(d.control(id).enabled) << id;
            for (int id : kRepairLocked)
                EXPECT_EQ(d.control(id).enabled, !westrand) << id;
            for (int id : {idc::kUsbRev, idc::kUsbVid, idc::kUsbPid})
                EXPECT_EQ(d.control(id).readOnly, westrand) << id;
            EXPECT_EQ(d.control(idc::kInitialize).text, "Set Default");
            EXPECT_EQ(d.control(idc::kRepairSite).toolTip, "Select the area of DSC repair.");
            EXPECT_EQ(d.control(idc::kTest).toolTip, "CCD White/Black point Adjustment");
            if (westrand) {
                EXPECT_EQ(rig.testItems(), (Strings{"CCD Defect", "CCD Black", "Infinity Cal."}));
            } else {
                EXPECT_EQ(rig.testItems().front(), "White");
                EXPECT_GT(rig.testItems().size(), 26u);
            }
        });
    }
    // The Focus button of the one model locked for it, and the Clear Status button.
    runConsole("YFS12", "Westrand", [](ConsoleRig& rig, MainDialog& d) {
        EXPECT_FALSE(d.control(idc::kFocus).enabled);
        EXPECT_FALSE(d.control(idc::kMaintenance).visible);
        EXPECT_EQ(rig.testItems(), (Strings{"CCD Defect", "CCD Black"}));
    });
    runConsole("YFS10", "Westrand", [](ConsoleRig&, MainDialog& d) {
        EXPECT_TRUE(d.control(idc::kFocus).enabled);
        EXPECT_TRUE(d.control(idc::kMaintenance).visible);
        EXPECT_EQ(d.control(idc::kMaintenance).text, "Clear Status");
    });
}

// The repair-service set-up gives these controls their tool tips, and only these.
TEST(ServiceBuilds, TheRepairServiceSetUpInstallsEveryToolTip) {
    const std::map<int, std::string> tips = {
        {1012, "CCD White/Black point Adjustment"},
        {1013, "AWB Adjustment"},
        {1014, "Lens Adjustment (Infinity)"},
        {1015, "Upload Firmware (Rewrite)"},
        {1018, "Initialize camera settings. Sets the adjust status."},
        {1027,
         "Factory code : J-WS-=Japan,  U-WS-/...=USA/Canada, EXWS-/...=Europe, A-WS-=Asia, "
         "C-WS-=China"},
        {1028, "Clear the adjust status."},
        {1062, "Gets Information of USB Storage IDs & Serial No. from DSC."},
        {1079, "Gets Serial No. from DSC. Sets default USB IDs to Calibration software."},
        {1082, "Inputs Serial Number."},
        {1083, "Sets Serial No./USB IDs to DSC."},
        {1136, "Select the area of DSC repair."},
        {1137, "Type of the lowest 6 digits serial No.. Refer of Serial No. label on DSC bottom."},
    };
    runConsole("YFS11", "PELORIN", [&](ConsoleRig&, MainDialog& d) {
        for (const ControlDef& def : d.table()) {
            const auto it = tips.find(def.id);
            EXPECT_EQ(d.control(def.id).toolTip, it == tips.end() ? "" : it->second) << def.id;
        }
    });
}

TEST(ServiceBuilds, TheTelmoBuildLocksTheConsole) {
    for (const char* build : std::vector<const char*>{"PELORIN", "TELMO", nullptr}) {
        SCOPED_TRACE(build ? build : "(none)");
        const bool telmo = build != nullptr && std::string(build) == "TELMO";
        runConsole("YXS10", build, [&](ConsoleRig& rig, MainDialog& d) {
            for (int id : kTelmoLocked) {
                // EVF and VCO are decided by the panel rules unless the build locks them.
                if (telmo || (id != idc::kEvf && id != idc::kVco)) {
                    EXPECT_EQ(d.control(id).enabled, !telmo) << id;
                }
            }
            for (int id : {idc::kUsbRev, idc::kUsbVid, idc::kUsbPid, idc::kSerial1})
                EXPECT_EQ(d.control(id).readOnly, telmo || id == idc::kSerial1) << id;
            EXPECT_EQ(d.control(idc::kUsbGet).enabled, true);
            EXPECT_EQ(rig.app.state().caps.repairSiteMode, 0);
            if (telmo) {
                EXPECT_EQ(rig.testItems(), (Strings{"Cam Info", "Set Default"}));
                EXPECT_EQ(d.control(idc::kUsbGet).toolTip,
                          "Gets Information of USB Storage IDs & Serial No. from DSC.");
            } else {
                EXPECT_EQ(rig.testItems().front(), "White");
                EXPECT_EQ(d.control(idc::kUsbGet).toolTip, "");
            }
        });
    }
}

TEST(ServiceBuilds, TheWestrandBuildRestampsTheSerialPrefixWhenItIsSet) {
    const ScopedTimeZone utc("UTC0");  // the stamp is local time; the rig starts on 2024-03-15
    runConsole("YFS10", "Westrand", [](ConsoleRig& rig, MainDialog& d) {
        d.viewState(idc::kSerial1).text = "414243444546991231FFF16A";
        d.viewState(idc::kSerial2).text = "123456";
        d.command(idc::kSerialSet);
        EXPECT_EQ(d.control(idc::kSerial1).text, "41424344454624031521116A");
        EXPECT_EQ(rig.camera.profile().records.at(25),
                  camsim::textRecord("41424344454624031521116A123456", 32));
        EXPECT_TRUE(rig.op.messages().empty());
    });
}

TEST(ServiceBuilds, ARepairPrefixWithoutItsDateIsNotRestampedOnTheWestrandBuild) {
    runConsole("YFS10", "Westrand", [](ConsoleRig& rig, MainDialog& d) {
        d.viewState(idc::kSerial1).text = "5753313030";
        d.viewState(idc::kSerial2).text = "123456";
        const size_t from = rig.mark();
        d.command(idc::kSerialSet);
        EXPECT_EQ(rig.traffic(from), Strings{});
        EXPECT_EQ(rig.op.messages(),
                  Strings{"Serial No. is incomplete! Please select the repair site first."});
    });
}

}  // namespace
}  // namespace orvia::testing
