// The video gain dialog on a simulated camera: the levels it reads, what each control sends,
// the 92 % white pattern and the display it leaves behind.
#include <gtest/gtest.h>

#include "camsim/setup_records.h"
#include "dialog_session.h"
#include "dialogs/video_gain_dialog.h"

namespace orvia::testing {
namespace {

using namespace vg;

// A camera of the video gain type with its connection value, levels (as codes) and display
// state.
ConsoleRig videoGainCamera(int32_t connection, int32_t cameraCode, int32_t cradleCode,
                           int32_t display = 1) {
    camsim::Profile p = camsim::setupProfile("YVG10");
    p.values[camsim::kCodeConnectionState] = connection;
    p.records[camsim::kCodeVideoGain] = wordsRecord({cameraCode, cradleCode});
    p.values[34] = display;
    return ConsoleRig(p);
}

Strings openVideoGain(ConsoleRig& rig, const std::function<void(DialogModel&)>& act,
                      bool viewfinder = false) {
    return openDialog(
        rig, kTemplate, [&] { openVideoGainDialog(rig.app.context(), viewfinder); }, act);
}

// The levels the camera holds now, as codes.
std::vector<uint8_t> heldCodes(ConsoleRig& rig) {
    return rig.camera.profile().records[camsim::kCodeVideoGain];
}

TEST(VideoGainCode, MapsLevelsBothWays) {
    struct Case {
        int32_t level, code;
    };
    for (Case c : {Case{0, 0}, {1, 2}, {30, 60}, {-1, 255}, {-30, 197}, {-15, 227}}) {
        EXPECT_EQ(videoGainCode(c.level), c.code) << c.level;
        EXPECT_EQ(videoGainLevel(c.code), c.level) << c.code;
    }
    // Codes outside both ranges are held to -30..30.
    EXPECT_EQ(videoGainLevel(61), -30);
    EXPECT_EQ(videoGainLevel(196), -30);
    EXPECT_EQ(videoGainLevel(256), -1);
    EXPECT_EQ(videoGainLevel(100000), 30);
    EXPECT_EQ(videoGainLevel(-5), -30);
    EXPECT_EQ(videoLevelText(0), "30");
    EXPECT_EQ(videoLevelText(29), "01");
    EXPECT_EQ(videoLevelText(30), "00");
    EXPECT_EQ(videoLevelText(31), "-01");
    EXPECT_EQ(videoLevelText(60), "-30");
}

// The connection value picks the channels the operator may use; the levels show either way.
TEST(VideoGain, OpensWithTheCamerasLevelsAndTheChannelsOfItsConnection) {
    struct Case {
        int32_t connection;
        bool failRead;
        bool cameraChannel, cradleChannel;
    };
    const Case cases[] = {
        {1, false, true, false},
        {2, false, false, true},
        {0, false, false, false},
        {1, true, false, false},  // the levels could not be read
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.connection);
        ConsoleRig rig = videoGainCamera(c.connection, 255, 61);
        if (c.failRead) {
            rig.camera.faults().add({.fault = camsim::Fault::Dc1,
                                     .op = camsim::kOpGetData,
                                     .code = camsim::kCodeVideoGain,
                                     .times = 0});
        }
        const Strings traffic = openVideoGain(rig, [&](DialogModel& d) {
            EXPECT_EQ(d.control(kCameraGroup).enabled, c.cameraChannel);
            EXPECT_EQ(d.control(kCameraSlider).enabled, c.cameraChannel);
            EXPECT_EQ(d.control(kCameraUp).enabled, c.cameraChannel);
            EXPECT_EQ(d.control(kCameraDown).enabled, c.cameraChannel);
            EXPECT_EQ(d.control(kCradleGroup).enabled, c.cradleChannel);
            EXPECT_EQ(d.control(kCradleSlider).enabled, c.cradleChannel);
            EXPECT_EQ(d.control(kCradleUp).enabled, c.cradleChannel);
            EXPECT_EQ(d.control(kCradleDown).enabled, c.cradleChannel);
            EXPECT_TRUE(d.control(kWhite92).enabled);
            EXPECT_FALSE(d.control(kCameraNumber).visible);
            EXPECT_FALSE(d.control(kCradleNumber).visible);
            if (!c.failRead) {
                EXPECT_EQ(d.control(kCameraSlider).position, 31);
                EXPECT_EQ(d.control(kCameraText).text, "-01");
                EXPECT_EQ(d.control(kCradleSlider).position, 60);
                EXPECT_EQ(d.control(kCradleText).text, "-30");
            }
        });
        // Opening reads; closing finds the display off and leaves it.
        EXPECT_EQ(traffic, (Strings{"get 260", "fetch 261", "get 34"}));
        EXPECT_TRUE(rig.op.messages().empty());
    }
}

// A slider let go where it stands sends both levels as they are: -1 goes back as 255, and a
// code of 61, read as -30, as 197. While its handle is dragged the level text follows it and
// nothing is sent.
TEST(VideoGain, ASliderSendsBothLevelsWhenLetGo) {
    ConsoleRig rig = videoGainCamera(1, 255, 61);
    openVideoGain(rig, [&](DialogModel& d) {
        EXPECT_EQ(trafficOf(rig, [&] { slide(d, kCameraSlider, 31); }), Strings{"send 261"});
        EXPECT_EQ(heldCodes(rig), wordsRecord({255, 197}));
        EXPECT_TRUE(trafficOf(rig, [&] {
                        drag(d, kCameraSlider, 5);
                        EXPECT_EQ(d.control(kCameraText).text, "25");
                        drag(d, kCameraSlider, 20);
                    }).empty());
        EXPECT_EQ(heldCodes(rig), wordsRecord({255, 197}));
        EXPECT_EQ(trafficOf(rig, [&] { slide(d, kCameraSlider, 20); }), Strings{"send 261"});
        EXPECT_EQ(d.control(kCameraText).text, "10");
        EXPECT_EQ(heldCodes(rig), wordsRecord({20, 197}));
    });
    EXPECT_TRUE(rig.op.messages().empty());
}

// "up" and "down" move two levels and stop at the ends, where they send nothing.
TEST(VideoGain, UpAndDownMoveTwoLevelsAndStopAtTheEnds) {
    struct Case {
        int button;
        int32_t code;      // the camera level before, as a code
        int32_t sent;      // the camera code sent, -1 for nothing sent
        const char* text;  // the level shown after
    };
    const Case cases[] = {
        {kCameraUp, 58, 60, "30"},       // +29 to +30
        {kCameraUp, 60, -1, "30"},       // already at the top
        {kCameraUp, 0, 4, "02"},         // 0 to +2
        {kCameraDown, 199, 197, "-30"},  // -29 to -30
        {kCameraDown, 197, -1, "-30"},   // already at the bottom
        {kCameraDown, 2, 255, "-01"},    // +1 to -1
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.button) + " from " + std::to_string(c.code));
        ConsoleRig rig = videoGainCamera(1, c.code, 10);
        openVideoGain(rig, [&](DialogModel& d) {
            const Strings traffic = trafficOf(rig, [&] { d.command(c.button); });
            if (c.sent < 0) {
                EXPECT_TRUE(traffic.empty());
                EXPECT_EQ(heldCodes(rig), wordsRecord({c.code, 10}));
            } else {
                EXPECT_EQ(traffic, Strings{"send 261"});
                EXPECT_EQ(heldCodes(rig), wordsRecord({c.sent, 10}));
            }
            EXPECT_EQ(d.control(kCameraText).text, c.text);
        });
    }
}

TEST(VideoGain, TheCradleChannelMovesOnItsOwnAndARefusedSendShowsTheError) {
    ConsoleRig rig = videoGainCamera(2, 20, 20);
    openVideoGain(rig, [&](DialogModel& d) {
        d.command(kCradleDown);
        EXPECT_EQ(heldCodes(rig), wordsRecord({20, 16}));
        rig.camera.faults().add({.fault = camsim::Fault::Dc1,
                                 .op = camsim::kOpSendData,
                                 .code = camsim::kCodeVideoGain,
                                 .times = 0});
        d.command(kCradleUp);
        EXPECT_EQ(d.control(kCradleText).text, "10");
    });
    ASSERT_EQ(rig.op.messages().size(), 1u);
    EXPECT_EQ(rig.op.messages()[0].rfind("Error ", 0), 0u);
}

// The hidden number fields move a channel without sending.
TEST(VideoGain, ALevelTypedIntoTheNumberFieldMovesTheSliderWithoutSending) {
    ConsoleRig rig = videoGainCamera(1, 0, 0);
    openVideoGain(rig, [&](DialogModel& d) {
        const Strings traffic = trafficOf(rig, [&] {
            type(d, kCameraNumber, "-12");
            d.command(kCameraNumber);
        });
        EXPECT_TRUE(traffic.empty());
        EXPECT_EQ(d.control(kCameraSlider).position, 42);
        EXPECT_EQ(d.control(kCameraText).text, "-12");
    });
}

TEST(VideoGain, White92ShowsThePatternInPlayOnTheChosenDisplay) {
    struct Case {
        int32_t display;
        bool viewfinder;
        Strings traffic;
        Strings messages;
    };
    const Case cases[] = {
        {1, false, {"get 34", "exec 6 28", "set 40 = 0", "exec 8 3", "exec 12 11"}, {}},
        {1, true, {"get 34", "exec 6 29", "set 40 = 0", "exec 8 3", "exec 12 11"}, {}},
        {3, false, {"get 34", "exec 12 11"}, {}},
        {0, false, {"get 34"}, {"LCD_NOT_AVAILABLE"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.display);
        // Connection 0: both channels are off, and the pattern is still offered.
        ConsoleRig rig = videoGainCamera(0, 0, 0, c.display);
        openVideoGain(
            rig,
            [&](DialogModel& d) {
                EXPECT_EQ(trafficOf(rig, [&] { d.command(kWhite92); }), c.traffic);
            },
            c.viewfinder);
        EXPECT_EQ(rig.op.messages(), c.messages);
        EXPECT_EQ(rig.op.waitDepth, 0);
    }
}

TEST(VideoGain, ARefusedDisplayCommandShowsNoPattern) {
    ConsoleRig rig = videoGainCamera(1, 0, 0, 1);
    rig.camera.faults().add(
        {.fault = camsim::Fault::Dc1, .op = camsim::kOpExecute, .code = 8, .times = 0});
    openVideoGain(rig, [&](DialogModel& d) {
        EXPECT_EQ(trafficOf(rig, [&] { d.command(kWhite92); }),
                  (Strings{"get 34", "exec 6 28", "set 40 = 0", "exec 8 3"}));
    });
    EXPECT_EQ(rig.op.messages(), Strings{"Error Write error"});
}

// Closing turns a display that is on (any state but none and off) off.
TEST(VideoGain, ClosingTurnsTheDisplayOff) {
    for (int32_t display : {2, 3}) {
        SCOPED_TRACE(display);
        ConsoleRig rig = videoGainCamera(1, 0, 0, display);
        const Strings traffic = openVideoGain(rig, {});
        EXPECT_EQ(traffic, (Strings{"get 260", "fetch 261", "get 34", "exec 8 1"}));
    }
}

// The dialog's outcome is its last action's: the levels sent, a refused send with its result, a
// pattern with no display to show it; a display left on that cannot be turned off fails it after.
TEST(VideoGain, TheOutcomeIsTheLastActionsAndTheDisplayTurnedOff) {
    struct Case {
        const char* what;
        int32_t display;
        int press;
        int refusedOp, refusedCode;  // -1: none
        Ending ending;
        Strings boxes;
    };
    const Case cases[] = {
        {"sent", 1, kCameraDown, -1, -1, Ending::Completed, {}},
        {"send refused",
         1,
         kCameraDown,
         camsim::kOpSendData,
         camsim::kCodeVideoGain,
         Ending::Failed,
         {"Error Write error"}},
        {"no display", 0, kWhite92, -1, -1, Ending::Failed, {"LCD_NOT_AVAILABLE"}},
        {"display not turned off",
         3,
         kCameraDown,
         camsim::kOpExecute,
         8,
         Ending::Failed,
         {"Error Write error"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ConsoleRig rig = videoGainCamera(1, 20, 197, c.display);
        Outcome outcome;
        openDialog(
            rig, kTemplate, [&] { outcome = openVideoGainDialog(rig.app.context(), false); },
            [&](DialogModel& d) {
                if (c.refusedOp >= 0) {
                    rig.camera.faults().add({.fault = camsim::Fault::Dc1,
                                             .op = c.refusedOp,
                                             .code = c.refusedCode,
                                             .times = 0});
                }
                d.command(c.press);
            });
        EXPECT_EQ(outcome.ending, c.ending);
        EXPECT_EQ(outcome.linkResult != 0, c.refusedOp >= 0);
        EXPECT_EQ(rig.op.messages(), c.boxes);
        if (c.ending == Ending::Completed) {
            EXPECT_EQ(measured(outcome, "dsc_video_level"), 8);
            EXPECT_EQ(measured(outcome, "cradle_video_level"), -30);
        }
    }
}

}  // namespace
}  // namespace orvia::testing
