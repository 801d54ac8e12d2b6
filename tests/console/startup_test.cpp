// Start-up and exit of the console on a simulated camera.
#include <gtest/gtest.h>

#include "console/texts.h"
#include "console_rig.h"

namespace orvia::testing {
namespace {

using camsim::kOpExecute;
using camsim::kOpGetData;
using camsim::kOpGetValue;
using camsim::kOpSendData;

constexpr int kCodeVersion = 26, kCodeType = 27, kCodeLcdType = 166, kCodeLcdInfo = 80,
              kCodeDlcdInfo = 137, kCodeUserId = 206, kCodeLang = 190, kCodeLang2 = 205,
              kCodeFactory = 140, kCodeDisplay = 8;

class StartUp : public ::testing::Test {
  protected:
    const ScopedTimeZone utc_{"UTC0"};
};

TEST_F(StartUp, NormalStartShowsTheVersionAndEndsWithDisplayOffAndSessionClosed) {
    ConsoleRig rig;
    ASSERT_EQ(rig.run(), 0);

    ASSERT_EQ(rig.op.dialogs().size(), 1u);
    const OperatorEvent& shown = *rig.op.dialogs()[0];
    EXPECT_EQ(shown.templateId, kMainTemplate);
    EXPECT_EQ(shown.text, "Orvia Calibration Ver.1.60 Beta5");
    EXPECT_EQ(shown.controls.at(idc::kStatus), " Firmware Version: 1.02.0017");
    EXPECT_TRUE(rig.op.messages().empty());

    // The first speed tried opens the session; the exit closes it with 0.
    const auto sessions = rig.sessionValues();
    ASSERT_GE(sessions.size(), 2u);
    EXPECT_EQ(sessions.front(), 5);
    EXPECT_EQ(sessions.back(), 0);

    // Version, type, LCD type, register pre-load; then the display is switched off at exit.
    std::vector<std::pair<int, int>> seen;
    for (const auto& e : rig.commands())
        seen.emplace_back(e.op, e.code);
    auto at = [&](int op, int code) {
        for (size_t i = 0; i < seen.size(); ++i) {
            if (seen[i].second == code && (seen[i].first == op || seen[i].first == op + 2)) {
                return static_cast<int>(i);
            }
        }
        return -1;
    };
    const int version = at(kOpGetData, kCodeVersion), type = at(kOpGetData, kCodeType),
              lcd = at(kOpGetValue, kCodeLcdType), regs = at(kOpGetData, kCodeLcdInfo),
              off = at(kOpExecute, kCodeDisplay);
    ASSERT_TRUE(version >= 0 && type >= 0 && lcd >= 0 && regs >= 0 && off >= 0);
    EXPECT_LT(version, type);
    EXPECT_LT(type, lcd);
    EXPECT_LT(lcd, regs);
    EXPECT_LT(regs, off);
    EXPECT_EQ(rig.commands().back().code, kCodeDisplay);
    EXPECT_EQ(rig.commands().back().value, 1);  // display state "Off"

    MainDialog& d = rig.dialog();
    EXPECT_EQ(d.testSelection, kTestOff);
    EXPECT_EQ(d.control(idc::kTest).selection, kTestOff);
    EXPECT_EQ(d.mac, (std::array<std::string, 8>{"08", "00", "7B", "50", "00", "00", "00", "00"}));
    EXPECT_EQ(d.control(idc::kCalMode).text, "0");
    EXPECT_EQ(rig.app.state().languageQueryKind, -1);
    EXPECT_EQ(rig.app.state().serviceIdActive, -1);
}

// A judgement library left in the working directory, where the program never loads it from, is
// named once at start-up in a warning; the program then starts as usual.
TEST_F(StartUp, AJudgementLibraryOnlyInTheWorkingDirectoryIsNamedOnceAtStart) {
    for (bool stray : {false, true}) {
        SCOPED_TRACE(stray);
        ConsoleRig rig;
        if (stray) rig.host.workingDirectoryOnly.insert(".\\Judvane.dll");
        ASSERT_EQ(rig.run(), 0);
        ASSERT_EQ(rig.op.dialogs().size(), 1u);
        std::vector<const OperatorEvent*> boxes;
        for (const OperatorEvent& e : rig.op.events) {
            if (e.kind == OperatorEvent::Kind::Message) boxes.push_back(&e);
        }
        if (!stray) {
            EXPECT_TRUE(boxes.empty());
            continue;
        }
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0]->messageKind, MessageKind::Warning);
        EXPECT_NE(boxes[0]->text.find("working directory"), std::string::npos) << boxes[0]->text;
        EXPECT_NE(boxes[0]->text.find("NG"), std::string::npos) << boxes[0]->text;
        EXPECT_LT(boxes[0] - &rig.op.events[0], rig.op.dialogs()[0] - &rig.op.events[0])
            << "before the main dialog";
    }
}

TEST_F(StartUp, TalksToTheCameraInItsOrderFromLanguageQueryToExit) {
    camsim::Profile p = profileFor("ZR510", 0x00000001);
    p.values[kCodeLang2] = 0x4E430002;
    p.records[kCodeUserId] = wordsRecord({0x00420100, 0});
    ConsoleRig rig(p);
    rig.host.serviceId = {.present = true, .technician = 0x1234};
    ASSERT_EQ(rig.run(), 0);

    // Queries, fetches and sends as the camera saw them (large transfers as their plain forms).
    std::vector<std::pair<int, int>> seen;
    for (const auto& e : rig.commands()) {
        const int op = e.op == kOpGetData + 2    ? kOpGetData
                       : e.op == kOpSendData + 2 ? kOpSendData
                                                 : e.op;
        seen.emplace_back(op, e.code);
    }
    const std::vector<std::pair<int, int>> expected = {
        {kOpGetValue, kCodeLang2},  {kOpGetData, kCodeUserId}, {kOpSendData, kCodeUserId},
        {kOpGetData, kCodeVersion}, {kOpGetData, kCodeType},   {kOpGetValue, kCodeLcdType},
        {kOpGetData, kCodeLcdInfo}, {kOpGetData, kCodeType},   {kOpGetValue, kCodeFactory},
        {kOpExecute, kCodeDisplay},
    };
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(rig.sessionValues().front(), 5);
    EXPECT_EQ(rig.sessionValues().back(), 0);
}

TEST_F(StartUp, FailuresEndTheProgramWithTheirBoxesBeforeAnyDialog) {
    struct Case {
        const char* name;
        bool attached;
        camsim::FaultRule fault;
        const char* box;
    };
    const Case cases[] = {
        {"no camera", false, {}, "Camera is not connected."},
        {"no session at any speed",
         true,
         {.fault = camsim::Fault::Nak, .unit = camsim::Unit::Command, .code = 17, .times = 0},
         "Camera is not connected."},
        {"version unreadable",
         true,
         {.fault = camsim::Fault::Dc1,
          .unit = camsim::Unit::Command,
          .code = kCodeVersion,
          .times = 0},
         "Can not get version."},
    };
    for (const Case& c : cases) {
        ConsoleRig rig(camsim::defaultProfile(), c.attached);
        if (c.fault.fault != camsim::Fault::None) rig.camera.faults().add(c.fault);
        EXPECT_EQ(rig.run(), 1) << c.name;
        EXPECT_EQ(rig.op.messages(), std::vector<std::string>{c.box}) << c.name;
        EXPECT_TRUE(rig.op.dialogs().empty()) << c.name;
    }
}

TEST_F(StartUp, SessionNegotiationTriesEverySpeedFromFiveDown) {
    ConsoleRig rig;
    rig.camera.faults().add(
        {.fault = camsim::Fault::Nak, .unit = camsim::Unit::Command, .code = 17, .times = 0});
    rig.run();
    std::vector<int32_t> distinct;
    for (int32_t v : rig.sessionValues()) {
        if (distinct.empty() || distinct.back() != v) distinct.push_back(v);
    }
    EXPECT_EQ(distinct, (std::vector<int32_t>{5, 4, 3, 2, 1}));
}

TEST_F(StartUp, BootModeSkipsTypeAndLcdReadsAndLeavesTheDisplayAlone) {
    ConsoleRig rig(profileFor("YPA61", 0x00000001));
    rig.host.markers = {"BOOTMODE.TXT"};
    ASSERT_EQ(rig.run(), 0);
    EXPECT_EQ(rig.app.state().startMode, kStartBoot);
    EXPECT_EQ(rig.op.dialogs()[0]->controls.at(idc::kStatus), " Firmware Version: 1.02.0017");
    EXPECT_FALSE(rig.received(kOpGetValue, kCodeLcdType));
    EXPECT_FALSE(rig.received(kOpExecute, kCodeDisplay));
    // The dialog still reads the type and applies it.
    int typeReads = 0;
    for (const auto& e : rig.commands())
        typeReads += e.code == kCodeType;
    EXPECT_EQ(typeReads, 1);
    EXPECT_EQ(rig.dialog().control(idc::kInitialize).text, "PAF Cal.");
    EXPECT_EQ(rig.app.state().caps.pafMode, 1);
    EXPECT_EQ(rig.sessionValues().back(), 0);
}

TEST_F(StartUp, UploadModeReadsNothingAndOffersTheFixedTestList) {
    ConsoleRig rig(profileFor("YPA61", 0x00000003));
    rig.host.markers = {"Bootmode.txt", "Upmode.txt"};
    ASSERT_EQ(rig.run("3"), 0);
    EXPECT_EQ(rig.app.state().startMode, kStartUpload);
    for (int code : {kCodeVersion, kCodeType, kCodeLcdInfo, kCodeFactory}) {
        EXPECT_FALSE(rig.received(kOpGetData, code)) << code;
        EXPECT_FALSE(rig.received(kOpGetValue, code)) << code;
    }
    EXPECT_EQ(rig.op.dialogs()[0]->controls.at(idc::kStatus), "");

    std::vector<std::string> expected = fixedTestItems();
    expected.insert(expected.end(), {"Infinity Cal.", "Keystone Cal.", "Y/C Shading"});
    EXPECT_EQ(rig.testItems(), expected);
    MainDialog& d = rig.dialog();
    for (int id : {idc::kBackrushLabel, idc::kBackrushGet, idc::kBackrush, idc::kBackrushSet}) {
        EXPECT_TRUE(d.control(id).visible) << id;
    }
    EXPECT_EQ(d.control(idc::kBackrushLabel).text, "Backrush pulse : ");
    // EVF and VCO keep their template state; the digit option still set the class.
    EXPECT_TRUE(d.control(idc::kEvf).enabled);
    EXPECT_TRUE(d.control(idc::kVco).enabled);
    EXPECT_EQ(d.lcdType, 2);
    EXPECT_EQ(d.control(idc::kInitialize).text, "Initia&lize");
    EXPECT_EQ(d.bottomTrim(), 0);
    EXPECT_FALSE(rig.received(kOpExecute, kCodeDisplay));
}

TEST_F(StartUp, ServiceIdStampingWritesOnlyANewTechnicianAndShiftsTheOldOne) {
    struct Case {
        const char* name;
        uint16_t technician;
        std::vector<int32_t> stored;  // w0 | w1 << 16, w2 | w3 << 16
        bool written;
        std::vector<uint16_t> shown;
    };
    // 2024-03-15 is day 6344 after 2006-11-01.
    const Case cases[] = {
        {"new technician", 0x1234, {0x00420100, 0x00050007}, true, {6344, 0x1234, 0x0100, 0x0042}},
        {"same technician",
         0x0042,
         {0x00420100, 0x00050007},
         false,
         {0x0100, 0x0042, 0x0007, 0x0005}},
    };
    for (const Case& c : cases) {
        camsim::Profile p = camsim::defaultProfile();
        p.values[kCodeLang2] = 0x4E430014;
        p.records[kCodeUserId] = wordsRecord(c.stored);
        ConsoleRig rig(p);
        rig.host.serviceId = {.present = true, .technician = c.technician};
        ASSERT_EQ(rig.run(), 0) << c.name;
        EXPECT_EQ(rig.app.state().languageQueryKind, 2);
        EXPECT_EQ(rig.app.state().serviceIdActive, 1);
        EXPECT_EQ(rig.received(kOpSendData, kCodeUserId), c.written) << c.name;
        const auto& w = rig.app.state().serviceIdRecord.w;
        EXPECT_EQ(std::vector<uint16_t>(w.begin(), w.end()), c.shown) << c.name;
        if (c.written) {
            EXPECT_EQ(rig.camera.profile().records.at(kCodeUserId),
                      wordsRecord({6344 | 0x1234 << 16, 0x0100 | 0x0042 << 16}));
        }
        const OperatorEvent& shown = *rig.op.dialogs()[0];
        char first[9], second[9];
        std::snprintf(first, sizeof first, "%04X%04X", c.shown[0], c.shown[1]);
        std::snprintf(second, sizeof second, "%04X%04X", c.shown[2], c.shown[3]);
        EXPECT_EQ(shown.controls.at(idc::kPreviousId), first);
        EXPECT_EQ(shown.controls.at(idc::kPrePreviousId), second);
        for (int id : {idc::kPreviousId, idc::kPrePreviousId, idc::kPreviousIdLabel,
                       idc::kPrePreviousIdLabel}) {
            EXPECT_TRUE(rig.dialog().control(id).visible);
        }
        EXPECT_EQ(rig.host.serviceId.unloads, 0) << "the library stays loaded";
    }
}

TEST_F(StartUp, ServiceIdFailuresEndTheProgramSilentlyOrWithTheirBox) {
    struct Case {
        const char* name;
        ServiceIdStandIn serviceId;
        std::optional<camsim::FaultRule> fault;
        std::vector<std::string> boxes;
        int unloads;
    };
    const Case cases[] = {
        {"entry missing", {.present = true, .hasEntry = false}, {}, {}, 1},
        {"no technician", {.present = true, .result = 0}, {}, {}, 0},
        {"record unreadable",
         {.present = true, .technician = 7},
         camsim::FaultRule{.fault = camsim::Fault::Dc1,
                           .unit = camsim::Unit::Command,
                           .op = camsim::kOpGetData,
                           .code = kCodeUserId,
                           .times = 0},
         {"Can not get NC User ID."},
         0},
        {"record unwritable",
         {.present = true, .technician = 7},
         camsim::FaultRule{.fault = camsim::Fault::Dc1,
                           .unit = camsim::Unit::Command,
                           .op = camsim::kOpSendData,
                           .code = kCodeUserId,
                           .times = 0},
         {"Can not set NC User ID."},
         0},
    };
    for (const Case& c : cases) {
        camsim::Profile p = camsim::defaultProfile();
        p.values[kCodeLang2] = 0x4E430002;
        p.records[kCodeUserId] = wordsRecord({0x00010001, 0});
        ConsoleRig rig(p);
        rig.host.serviceId = c.serviceId;
        if (c.fault) rig.camera.faults().add(*c.fault);
        EXPECT_EQ(rig.run(), 1) << c.name;
        EXPECT_EQ(rig.op.messages(), c.boxes) << c.name;
        EXPECT_TRUE(rig.op.dialogs().empty()) << c.name;
        EXPECT_EQ(rig.host.serviceId.unloads, c.unloads) << c.name;
        EXPECT_FALSE(rig.received(kOpGetData, kCodeVersion)) << c.name;
    }
}

TEST_F(StartUp, LanguageQueryKindFollowsTheLibraryTheBuildAndTheAnswers) {
    struct Case {
        const char* name;
        bool serviceIdLibrary;
        std::optional<BuildIdentity> build;
        int32_t lang2, lang;
        const char* type;
        int32_t kind;
    };
    const Case cases[] = {
        {"customer build", false, identityNaming("PELORIN"), 0x4E430002, 2, "ZR510", -1},
        {"no version block", false, BuildIdentity{}, 0x4E430002, 2, "ZR510", -1},
        {"service build, NC 2", false, identityNaming("DOVRA"), 0x4E430002, 0, "ZR510", 2},
        {"service build, NC 20", false, identityNaming("GORVIK"), 0x4E430014, 0, "ZR510", 2},
        {"no build name, one language", false, identityNaming(nullptr), 0, 1, "ZR510", 1},
        {"service build, other answer", false, identityNaming("DOVRA"), 0x4E430003, 3, "ZR510", 0},
        {"service build, listed type", false, identityNaming("DOVRA"), 0, 5, "YTC11", 1},
        {"library, old camera", true, identityNaming("PELORIN"), 0, 2, "ZR510", 1},
        {"library, listed type", true, identityNaming("PELORIN"), 0, 0, "ytc12", 1},
    };
    for (const Case& c : cases) {
        camsim::Profile p = profileFor(c.type, 1);
        p.values[kCodeLang2] = c.lang2;
        p.values[kCodeLang] = c.lang;
        ConsoleRig rig(p);
        rig.host.serviceId.present = c.serviceIdLibrary;
        rig.host.linkBuild = *c.build;
        ASSERT_EQ(rig.run(), 0) << c.name;
        EXPECT_EQ(rig.app.state().languageQueryKind, c.kind) << c.name;
        EXPECT_EQ(rig.received(kOpGetValue, kCodeLang2), c.kind != -1) << c.name;
        EXPECT_EQ(rig.host.identityReads, c.serviceIdLibrary ? 0 : 1) << c.name;
    }
}

TEST_F(StartUp, LcdRegistersArePreloadedByClass) {
    // Words i0..i7 of the register record; the second record for class 4.
    const std::vector<int32_t> words = {20, 17, 3, 18, 12, 19, 14, 21};
    struct Case {
        int32_t lcdAnswer;
        // R Bright, B Bright, RGB Offset, Gain, Tint, Phase, H_AFC, VCOMPP, VCOMDC
        std::array<int32_t, 9> expected;
        int record;  // the record code read, 0 for none
    };
    const Case cases[] = {
        {1, {19, 14, 17, 18, 1, 10, 17, -1, -1}, kCodeLcdInfo},
        {3, {19, 14, 17, 18, 1, -1, 17, 21, 20}, kCodeLcdInfo},
        {4, {19, 14, 17, 18, 1, -1, 17, 21, -1}, kCodeLcdInfo},
        {6, {-1, -1, -1, -1, -1, -1, -1, 21, 20}, kCodeLcdInfo},
        {5, {20, 17, 3, 18, -1, -1, -1, 19, 12}, kCodeDlcdInfo},
        {7, {-1, -1, -1, -1, -1, -1, -1, -1, -1}, 0},
        {16, {-1, -1, -1, -1, -1, -1, -1, -1, -1}, 0},
    };
    for (const Case& c : cases) {
        camsim::Profile p = profileFor("ZR510", c.lcdAnswer);
        p.records[kCodeLcdInfo] = wordsRecord(words);
        p.records[kCodeDlcdInfo] = wordsRecord(words);
        ConsoleRig rig(p);
        ASSERT_EQ(rig.run(), 0);
        MainDialog& d = rig.dialog();
        const std::array<int32_t, 9> got = {d.rBright, d.bBright, d.rgbOffset, d.gain,  d.tint,
                                            d.phase,   d.hAfc,    d.vcompp,    d.vcomdc};
        EXPECT_EQ(got, c.expected) << "class " << c.lcdAnswer - 1;
        EXPECT_EQ(rig.received(kOpGetData, kCodeLcdInfo), c.record == kCodeLcdInfo);
        EXPECT_EQ(rig.received(kOpGetData, kCodeDlcdInfo), c.record == kCodeDlcdInfo);
    }
}

TEST_F(StartUp, LcdTypeAndRegisterReadFailuresAreIgnored) {
    struct Case {
        const char* type;
        int32_t answer;
        int failingCode;
        int32_t lcdType;
        int record;  // the register record read after the failure, 0 for none
    };
    const Case cases[] = {
        {"YRA11", 0x00000001, kCodeLcdType, 2, kCodeLcdInfo},  // the type table decides
        {"ZR510", 0x00000003, kCodeLcdInfo, 2, 0},
        {"ZR510", 0x00000005, kCodeDlcdInfo, 4, 0},
    };
    for (const Case& c : cases) {
        camsim::Profile p = profileFor(c.type, c.answer);
        p.records[kCodeLcdInfo] = wordsRecord({20, 17, 3, 18, 12, 19, 14, 21});
        ConsoleRig rig(p);
        rig.camera.faults().add({.fault = camsim::Fault::Dc1,
                                 .unit = camsim::Unit::Command,
                                 .code = c.failingCode,
                                 .times = 0});
        ASSERT_EQ(rig.run(), 0) << c.failingCode;
        EXPECT_TRUE(rig.op.messages().empty()) << c.failingCode;
        MainDialog& d = rig.dialog();
        EXPECT_EQ(d.lcdType, c.lcdType) << c.failingCode;
        const std::array<int32_t, 9> regs = {d.rBright, d.bBright, d.rgbOffset, d.gain,  d.tint,
                                             d.phase,   d.hAfc,    d.vcompp,    d.vcomdc};
        if (c.record == 0) {
            EXPECT_EQ(regs, (std::array<int32_t, 9>{-1, -1, -1, -1, -1, -1, -1, -1, -1}))
                << c.failingCode;
        } else {
            EXPECT_EQ(regs, (std::array<int32_t, 9>{19, 14, 17, 18, 1, -1, 17, 21, 20}))
                << c.failingCode;
        }
    }
}

TEST_F(StartUp, LcdTypeComesFromTheAnswerWithTheDigitOverrideAndDrivesEvfAndVco) {
    struct Case {
        const char* type;
        int32_t answer;
        const char* commandLine;
        int32_t lcdType, lcdSubType;
        bool evf, vco;
    };
    const Case cases[] = {
        {"ZR510", 0x00010003, "", 2, 0, true, true},  // EVF through the sub-type
        {"ZR510", 0x00000003, "", 2, -1, false, true},
        {"YEV12", -1, "", 0, -1, true, false},  // EVF by type
        {"YRA11", -1, "", 2, -1, false, true},
        {"YRA11", -1, "1", 0, -1, false, false},
        {"ZR510", 0x00010005, "3x", 2, 0, true, true},  // the digit beats the answer
        {"YKS12", -1, "7", 5, -1, false, false},
        {"YEV31 ", -1, "", 0, -1, true, false},  // the trailing-space entry
    };
    for (const Case& c : cases) {
        ConsoleRig rig(profileFor(c.type, c.answer));
        ASSERT_EQ(rig.run(c.commandLine), 0);
        MainDialog& d = rig.dialog();
        EXPECT_EQ(d.lcdType, c.lcdType) << c.type << " " << c.commandLine;
        EXPECT_EQ(rig.app.state().lcdSubType, c.lcdSubType) << c.type;
        EXPECT_EQ(d.control(idc::kEvf).enabled, c.evf) << c.type;
        EXPECT_EQ(d.control(idc::kVco).enabled, c.vco) << c.type;
    }
}

TEST_F(StartUp, ExitAfterAFirmwareUpdateLeavesTheSessionForTheRestartingCamera) {
    ConsoleRig rig;
    rig.op.modalScripts[kMainTemplate] = [&](DialogModel&) {
        // The firmware upload restarted the camera, which left its session.
        rig.app.state().firmwareUpdated = 1;
        rig.camera.endSession(rig.platform.clock().nowUs());
        rig.camera.clearLog();
    };
    ASSERT_EQ(rig.run(), 0);
    EXPECT_FALSE(rig.received(kOpExecute, kCodeDisplay));
    // Mode 2 runs the open handshake again and never sends the closing 0.
    ASSERT_FALSE(rig.sessionValues().empty());
    EXPECT_EQ(rig.sessionValues().back(), 5);
}

TEST_F(StartUp, ExitReadinessPollGivesUpAfterItsBound) {
    camsim::Profile p = camsim::defaultProfile();
    p.executeUsByProgram[{kCodeDisplay, 1}] = 600'000'000;  // the display takes ten minutes
    ConsoleRig rig(p);
    uint64_t closedAt = 0;
    rig.op.modalScripts[kMainTemplate] = [&](DialogModel&) {
        closedAt = rig.platform.clock().nowUs();
    };
    ASSERT_EQ(rig.run(), 0);
    const uint64_t exitUs = rig.platform.clock().nowUs() - closedAt;
    EXPECT_GE(exitUs, 14'000'000u);
    EXPECT_LT(exitUs, 120'000'000u);
    EXPECT_TRUE(rig.received(kOpExecute, kCodeDisplay));
}

TEST_F(StartUp, SetPortGetsTheOemValueOrZero) {
    // No camera answers on USB here. With an OEM value the library takes serial port 1 without
    // probing it first; with 0 it probes before the session open probes again.
    ConsoleRig oem;
    ASSERT_EQ(oem.run("-okv"), 0);
    EXPECT_EQ(oem.app.state().oemMode, 0x5B000011);

    ConsoleRig plain;
    ASSERT_EQ(plain.run("-oxyz"), 0);
    EXPECT_EQ(plain.app.state().oemMode, 0);
    EXPECT_LT(oem.camera.stats().probes, plain.camera.stats().probes);
}

}  // namespace
}  // namespace orvia::testing
