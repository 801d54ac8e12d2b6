// The Hall element, lens data and keystone zoom dialogs on a simulated camera: what the camera
// received and what the operator saw.
#include <gtest/gtest.h>

#include "camsim/adjustment_model.h"
#include "console/main_dialog.h"
#include "console_rig.h"
#include "dialogs/lens_dialogs.h"
#include "operator_actions.h"

namespace orvia::testing {
namespace {

using Strings = std::vector<std::string>;
using namespace idc::lens;

// A camera with the "Hall Cal." button whose Hall information holds `words`.
camsim::Profile hallProfile(const std::vector<int32_t>& words) {
    camsim::Profile p = profileFor("YHC10");
    p.records[157] = wordsRecord(words);
    return p;
}

// Presses "Hall Cal." in the main dialog and hands the Hall dialog to `act`.
void withHall(ConsoleRig& rig, const std::function<void(DialogModel&)>& act) {
    withButton(rig, idc::kHallCal, kHallCalTemplate, act);
}

TEST(HallCal, ShowsTheCamerasApertureAndSensorValues) {
    ConsoleRig rig(hallProfile({0, 2, -3, 0, 10, -10}));
    withHall(rig, [&](DialogModel& d) {
        EXPECT_TRUE(d.control(kOpen).checked);
        EXPECT_FALSE(d.control(kClose).checked);
        EXPECT_EQ(d.control(kGainRough).selection, 7);
        EXPECT_EQ(d.control(kGainFine).selection, 10);
        EXPECT_EQ(d.control(kOffsetRough).selection, 20);
        EXPECT_EQ(d.control(kOffsetFine).selection, 0);
        EXPECT_EQ(d.control(kStatus).text, " Status: Get Diag Hall Info completed !");
    });
    EXPECT_TRUE(rig.received(4, 157));
}

TEST(HallCal, AnApertureStateOtherThanOpenOrClosedReadsAsNotSupported) {
    ConsoleRig rig(hallProfile({0, 0, 1, 2, 3, 4}));
    withHall(rig, [&](DialogModel& d) {
        EXPECT_EQ(d.control(kStatus).text, " Status: Get Diag Hall Info not supported !");
        EXPECT_EQ(d.control(kGainRough).selection, 11);  // the values still show
        EXPECT_FALSE(d.control(kOpen).checked);
        EXPECT_FALSE(d.control(kClose).checked);
    });
    EXPECT_TRUE(rig.op.messages().empty());
}

TEST(HallCal, ComboValuesMapToTheirSignedNumbersAndReportOnlyInTheStatusLine) {
    struct Case {
        int combo;
        int index;
        std::string sent;
        std::string diag;
        std::string done;
    };
    const Case cases[] = {
        {kGainRough, 10, "set 32 = 0", "exec 6 56", " Status: Set Hall Gain Rough was completed!!"},
        {kGainFine, 0, "set 32 = -10", "exec 6 57", " Status: Set Hall Gain Fine was completed!!"},
        {kOffsetRough, 20, "set 32 = 10", "exec 6 58",
         " Status: Set Hall Offset Rough was completed!!"},
        {kOffsetFine, 11, "set 32 = 1", "exec 6 59",
         " Status: Set Hall Offset Fine was completed!"},
    };
    ConsoleRig rig(hallProfile({0, 1, 0, 0, 0, 0}));
    withHall(rig, [&](DialogModel& d) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.combo);
            const size_t from = rig.mark();
            select(d, c.combo, c.index);
            EXPECT_EQ(rig.traffic(from), (Strings{c.sent, c.diag}));
            EXPECT_EQ(d.control(kStatus).text, c.done);
        }
        EXPECT_EQ(d.control(idc::lens::kGainRough).items[10], "  0");
    });
    EXPECT_TRUE(rig.op.messages().empty());
}

TEST(HallCal, ApertureStepsReportStartAndOutcome) {
    ConsoleRig rig(hallProfile({0, 1, 0, 0, 0, 0}));
    camsim::AdjustmentModel lens(rig.camera);
    withHall(rig, [&](DialogModel& d) {
        size_t from = rig.mark();
        choose(d, kOpen);
        EXPECT_EQ(rig.traffic(from), (Strings{"set 32 = 2", "exec 6 55"}));
        EXPECT_EQ(d.control(kStatus).text, " Status: Aperture Open was completed!!");
        EXPECT_EQ(d.lastOutcome()->ending, Ending::Completed);
        EXPECT_EQ(rig.camera.profile().records.at(157), wordsRecord({0, 2, 0, 0, 0, 0}));
        rig.camera.faults().add(
            {.fault = camsim::Fault::Dc1, .op = camsim::kOpSetValue, .code = 32, .times = 0});
        from = rig.mark();
        choose(d, kClose);
        EXPECT_EQ(rig.traffic(from), Strings{"set 32 = 1"});  // the program is not started
        EXPECT_EQ(d.control(kStatus).text, " Status: Aperture Close false !");
        // The status line is the only report, and the outcome's reason.
        const Outcome& refused = *d.lastOutcome();
        EXPECT_EQ(refused.ending, Ending::Failed);
        EXPECT_NE(refused.linkResult, 0);
        EXPECT_EQ(refused.reason, " Status: Aperture Close false !");
    });
    EXPECT_TRUE(rig.op.messages().empty());
}

// Every Hall action: the value and program it sends, the status text at its start, and the one
// it ends with when the camera takes it and when the camera refuses the value.
TEST(HallCal, EveryActionTellsItsStartAndItsEnd) {
    struct Case {
        int control;
        int index;  // the combo selection; -1 for a radio
        const char* value;
        const char* program;
        const char* start;
        const char* done;
        const char* refused;
    };
    const Case cases[] = {
        {kOpen, -1, "set 32 = 2", "exec 6 55", " Status: Set Aperture Open start !",
         " Status: Aperture Open was completed!!", " Status: Aperture Open false !"},
        {kClose, -1, "set 32 = 1", "exec 6 55", " Status: Set Aperture Close start !",
         " Status: Aperture Close was completed!!", " Status: Aperture Close false !"},
        {kGainRough, 3, "set 32 = -7", "exec 6 56", " Status: Set Hall Gain Rough start !",
         " Status: Set Hall Gain Rough was completed!!", " Status: Set Hall Gain Rough false !"},
        {kGainFine, 19, "set 32 = 9", "exec 6 57", " Status: Set Hall Gain Fine start !",
         " Status: Set Hall Gain Fine was completed!!", " Status: Set Hall Gain Fine false !"},
        {kOffsetRough, 9, "set 32 = -1", "exec 6 58", " Status: Set Hall Offset Rough start !",
         " Status: Set Hall Offset Rough was completed!!",
         " Status: Set Hall Offset Rough false !"},
        {kOffsetFine, 12, "set 32 = 2", "exec 6 59", " Status: Set Hall Offset Fine start !",
         " Status: Set Hall Offset Fine was completed!", " Status: Set Hall Offset Fine false !"},
    };
    for (bool refuse : {false, true}) {
        ConsoleRig rig(hallProfile({0, 1, 0, 0, 0, 0}));
        camsim::AdjustmentModel lens(rig.camera);
        withHall(rig, [&](DialogModel& d) {
            EXPECT_EQ(d.control(kStatus).text, " Status: Get Diag Hall Info completed !");
            if (refuse) {
                rig.camera.faults().add({.fault = camsim::Fault::Dc1,
                                         .op = camsim::kOpSetValue,
                                         .code = 32,
                                         .times = 0});
            }
            for (const Case& c : cases) {
                SCOPED_TRACE(std::to_string(c.control) + (refuse ? " refused" : ""));
                Strings statuses;
                d.setObserver([&](int id) {
                    if (id == kStatus) statuses.push_back(d.control(kStatus).text);
                });
                const size_t from = rig.mark();
                if (c.index < 0) {
                    choose(d, c.control);
                } else {
                    select(d, c.control, c.index);
                }
                d.setObserver(nullptr);
                EXPECT_EQ(rig.traffic(from),
                          refuse ? Strings{c.value} : (Strings{c.value, c.program}));
                ASSERT_FALSE(statuses.empty());
                EXPECT_EQ(statuses.front(), c.start);
                EXPECT_EQ(d.control(kStatus).text, refuse ? c.refused : c.done);
            }
        });
        EXPECT_TRUE(rig.op.messages().empty());
    }
}

// ---- Lens data ------------------------------------------------------------------------------

// Opens the lens data dialog in `mode` from the main dialog and hands it to `act`.
void withLens(ConsoleRig& rig, int32_t mode, const std::function<void(DialogModel&)>& act) {
    withDialog(
        rig, kLensDataTemplate, [&](DialogModel&) { openLensDataDialog(rig.app.context(), mode); },
        act);
}

TEST(LensData, ThePairIsReadAndWrittenAsUnsignedDecimals) {
    camsim::Profile p = profileFor("YLD41");
    p.records[169] = wordsRecord({7, -2});
    ConsoleRig rig(p);
    withLens(rig, kLensPair, [&](DialogModel& d) {
        EXPECT_EQ(d.control(kPiSwitch).text, "7");
        EXPECT_EQ(d.control(kDeltaSb).text, "4294967294");
        EXPECT_FALSE(d.control(kSecondPulse).visible);
        d.viewState(kPiSwitch).text = "12";
        const size_t from = rig.mark();
        d.command(kIdOk);
        EXPECT_EQ(rig.traffic(from), Strings{"send 169"});
        EXPECT_FALSE(d.ended());
    });
    EXPECT_EQ(rig.camera.profile().records.at(169), wordsRecord({12, -2}));
    EXPECT_TRUE(rig.op.messages().empty());
}

TEST(LensData, TheSecondPulseModesInitialiseTheLensEvenWhenTheValueWasRefused) {
    struct Case {
        int32_t mode;
        std::string label;
        Strings messages;
    };
    const Case cases[] = {
        {kLensGroup2Offset,
         "Group 2 offset:",
         {"Set Lens second pulse failure !", "Execute Lens Initialize failure !"}},
        {kLensZoomAdjustment,
         "Zoom Adjustment Data:",
         {"Set Zoom Adjustment data failure !", "Execute Zoom Initialize failure !"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        ConsoleRig rig;
        rig.camera.profile().values[187] = -25;
        withLens(rig, c.mode, [&](DialogModel& d) {
            EXPECT_EQ(d.control(kFirstLabel).text, c.label);
            EXPECT_EQ(d.control(kSecondLabel).text, "");
            EXPECT_EQ(d.control(kSecondPulse).text, "-25");
            EXPECT_FALSE(d.control(kPiSwitch).visible);
            type(d, kSecondPulse, "30");
            size_t from = rig.mark();
            d.command(kIdOk);
            EXPECT_EQ(rig.traffic(from), (Strings{"set 187 = 30", "exec 6 70"}));
            rig.camera.faults().add({.fault = camsim::Fault::Dc1, .times = 0});
            d.command(kIdOk);
        });
        EXPECT_EQ(rig.op.messages(), c.messages);
        EXPECT_EQ(rig.op.messageKinds(), std::vector<MessageKind>(2, MessageKind::Error));
    }
}

TEST(LensData, TextThatIsNoNumberIsRefusedAndTheValueLastHeldIsSent) {
    ConsoleRig rig;
    rig.camera.profile().values[187] = 40;
    withLens(rig, kLensGroup2Offset, [&](DialogModel& d) {
        d.viewState(kSecondPulse).text = "4x";
        const size_t from = rig.mark();
        d.command(kIdOk);
        EXPECT_EQ(rig.traffic(from).at(0), "set 187 = 40");
        EXPECT_EQ(d.control(kSecondPulse).text, "40");
    });
    EXPECT_EQ(rig.op.messages(),
              Strings{"Please enter an integer between -2147483648 and 2147483647."});
}

// "&Set" ends with its outcome: the values sent, or the first refused call with its result. Every
// box of the dialog has the error icon.
TEST(LensData, SetEndsWithItsOutcome) {
    struct Case {
        int32_t mode;
        bool refused;
        Strings boxes;
        const char* value;
        double number;
    };
    const Case cases[] = {
        {kLensPair, false, {}, "pi_switch", 12},
        {kLensPair, true, {"error: Set Lens data failure !"}, nullptr, 0},
        {kLensGroup2Offset, false, {}, "lens_second_pulse", 12},
        {kLensGroup2Offset,
         true,
         {"error: Set Lens second pulse failure !", "error: Execute Lens Initialize failure !"},
         nullptr,
         0},
        {kLensZoomAdjustment,
         true,
         {"error: Set Zoom Adjustment data failure !", "error: Execute Zoom Initialize failure !"},
         nullptr,
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.mode) + (c.refused ? " refused" : ""));
        camsim::Profile p = c.mode == kLensPair ? profileFor("YLD41") : camsim::defaultProfile();
        p.records[169] = wordsRecord({7, -2});
        p.values[187] = 40;
        ConsoleRig rig(p);
        Outcome outcome;
        rig.op.modalScripts[kMainTemplate] = [&](DialogModel&) {
            if (c.refused) rig.camera.faults().add({.fault = camsim::Fault::Dc1, .times = 0});
            outcome = openLensDataDialog(rig.app.context(), c.mode);
        };
        rig.op.modalScripts[kLensDataTemplate] = [&](DialogModel& d) {
            type(d, c.mode == kLensPair ? kPiSwitch : kSecondPulse, "12");
            d.command(kIdOk);
        };
        ASSERT_EQ(rig.run(), 0);
        EXPECT_EQ(outcome.ending, c.refused ? Ending::Failed : Ending::Completed);
        EXPECT_EQ(outcome.linkResult != 0, c.refused);
        EXPECT_EQ(boxesOf(outcome), c.boxes);
        // The first refusal is the reason.
        if (c.refused) {
            EXPECT_EQ("error: " + outcome.reason, c.boxes.front());
        }
        if (c.value != nullptr) {
            EXPECT_EQ(measured(outcome, c.value), c.number);
        }
    }
}

// ---- Keystone zoom --------------------------------------------------------------------------

// The calibration goes on after a zoom step the camera took. A refused step ends the keystone test
// with the error box and the step's result; closing the window without a step ends it declined.
TEST(Keystone, WideTeleAndEnterEndWithOkAFailureWithCancel) {
    struct Case {
        int press;
        bool fails;
        Strings sent;
        bool goesOn;
        Ending ending;  // when it does not go on
    };
    const Case cases[] = {
        {kWide, false, {"set 211 = 1"}, true, Ending::Completed},
        {kTele, false, {"set 211 = 2"}, true, Ending::Completed},
        {kIdOk, false, {"set 211 = 2"}, true, Ending::Completed},  // Enter
        {kTele, true, {"set 211 = 2"}, false, Ending::Failed},
        {kIdCancel, false, {}, false, Ending::Declined},  // Escape
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.press);
        ConsoleRig rig;
        std::optional<Outcome> stopped;
        Strings traffic;
        rig.op.modalScripts[kMainTemplate] = [&](DialogModel&) {
            rig.app.state().caps.keystoneVariant = 1;
            if (c.fails) rig.camera.faults().add({.fault = camsim::Fault::Dc1, .times = 0});
            const size_t from = rig.mark();
            stopped = zoomBeforeKeystoneCalibration(rig.app.context());
            traffic = rig.traffic(from);
        };
        rig.op.modalScripts[kKeystoneTemplate] = [&](DialogModel& d) {
            EXPECT_EQ(d.def(kTele).kind, ControlKind::DefaultButton);
            d.command(c.press);
        };
        ASSERT_EQ(rig.run(), 0);
        EXPECT_EQ(!stopped, c.goesOn);
        EXPECT_EQ(traffic, c.sent);
        EXPECT_EQ(rig.op.messages(), c.fails ? Strings{"Set Lens step zoom failure !"} : Strings{});
        if (stopped) {
            EXPECT_EQ(stopped->ending, c.ending);
            EXPECT_EQ(stopped->linkResult != 0, c.fails);
            EXPECT_EQ(boxesOf(*stopped),
                      c.fails ? Strings{"error: Set Lens step zoom failure !"} : Strings{});
        }
    }
}

TEST(Keystone, CamerasOfTheOtherVariantGoStraightToTheCalibration) {
    ConsoleRig rig;
    rig.op.modalScripts[kMainTemplate] = [&](DialogModel&) {
        EXPECT_FALSE(zoomBeforeKeystoneCalibration(rig.app.context()));
    };
    ASSERT_EQ(rig.run(), 0);
    EXPECT_EQ(rig.op.dialogs().size(), 1u);
}

}  // namespace
}  // namespace orvia::testing
