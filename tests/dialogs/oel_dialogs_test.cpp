// The organic-EL levels and ACL dialogs on a simulated organic-EL camera: what the camera
// received and what the operator saw.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "camsim/adjustment_model.h"
#include "console/main_dialog.h"
#include "console_rig.h"
#include "dialogs/oel_dialogs.h"
#include "operator_actions.h"

namespace orvia::testing {
namespace {

using Strings = std::vector<std::string>;
using namespace idc::oel;

// Black red, green, blue, white; white red, green, blue, white; the ACL's two.
const LevelChannel& kBlackRed = kLevelChannels[0];
const LevelChannel& kBlackGreen = kLevelChannels[1];
const LevelChannel& kBlackWhite = kLevelChannels[3];
const LevelChannel& kWhiteRed = kLevelChannels[4];
const LevelChannel& kBrightness = kAclChannels[0];

// An organic-EL camera (LCD type 6) whose ELD record holds `words` after its size.
camsim::Profile oelProfile(std::vector<int32_t> words = {1, 0x10, 0x20, 0x30, 0x40, 0x80, 0x90,
                                                         0xA0, 0xB0, 0x50, 0x60},
                           int32_t size = 48) {
    camsim::Profile p = profileFor("ZR510", 7);
    words.insert(words.begin(), size);
    while (words.size() * 4 < static_cast<size_t>(size))
        words.push_back(0);
    p.records[163] = wordsRecord(words);
    p.values[163] = size;
    return p;
}

// Runs the console and hands the levels dialog to `act` while the main dialog is open.
void withLevels(ConsoleRig& rig, const std::function<void(OelCalDialog&)>& act) {
    rig.op.modalScripts[kMainTemplate] = [&](DialogModel&) {
        auto* levels = dynamic_cast<OelCalDialog*>(rig.dialog().panelDialog());
        ASSERT_NE(levels, nullptr);
        act(*levels);
    };
    ASSERT_EQ(rig.run(), 0);
}

int32_t word(ConsoleRig& rig, size_t index) {
    const std::vector<uint8_t>& r = rig.camera.profile().records.at(163);
    int32_t v = 0;
    std::memcpy(&v, r.data() + 4 * index, 4);
    return v;
}

TEST(OelCal, OpensWithTheMainDialogForBothOrganicElPanelsAndShowsTheCamerasLevels) {
    for (int32_t answer : {7, 16}) {  // LCD types 6 and 15
        SCOPED_TRACE(answer);
        camsim::Profile p = oelProfile();
        p.lcdType = answer;
        ConsoleRig rig(p);
        withLevels(rig, [&](OelCalDialog& d) {
            EXPECT_EQ(d.control(kBlackRed.edit).text, "10");
            EXPECT_EQ(d.control(kWhiteRed.slider).position, 0x80);
            EXPECT_TRUE(d.control(kBlackRed.slider).enabled);
            EXPECT_FALSE(d.control(kWhiteRed.slider).enabled);
            EXPECT_TRUE(d.control(kBlackWork).checked);
        });
        ASSERT_FALSE(rig.op.events.empty());
        EXPECT_EQ(rig.op.events[0].kind, OperatorEvent::Kind::Modeless);
        EXPECT_EQ(rig.op.events[0].text, "Organic EL Cal.");
        EXPECT_TRUE(rig.received(4, 163));
        EXPECT_TRUE(rig.op.messages().empty());
    }
}

TEST(OelCal, BlackSetShowsItsPatternThenSendsTheFourLevelsInOrder) {
    ConsoleRig rig(camsim::organicElProfile());
    camsim::AdjustmentModel panel(rig.camera);
    withLevels(rig, [&](OelCalDialog& d) {
        EXPECT_EQ(d.control(kBlackRed.edit).text, "20");
        type(d, kBlackRed.edit, "1a");
        const size_t from = rig.mark();
        d.command(kBlackSet);
        EXPECT_EQ(rig.traffic(from),
                  (Strings{"exec 6 28", "exec 12 2", "set 32 = 26", "exec 6 61", "set 32 = 33",
                           "exec 6 62", "set 32 = 34", "exec 6 63", "set 32 = 35", "exec 6 72"}));
        EXPECT_EQ(d.lastOutcome()->ending, Ending::Completed);
    });
    EXPECT_EQ(word(rig, 2), 26);  // the panel took the level
    EXPECT_EQ(rig.op.waitDepth, 0);
}

TEST(OelCal, WhiteSetSendsThreeLevelsOrTheWhitePixelAlone) {
    ConsoleRig rig(oelProfile());
    withLevels(rig, [&](OelCalDialog& d) {
        size_t from = rig.mark();
        choose(d, kWhiteWork);
        EXPECT_EQ(rig.traffic(from), Strings{"exec 12 10"});
        EXPECT_TRUE(d.control(kWhiteRed.slider).enabled);
        EXPECT_FALSE(d.control(kBlackRed.slider).enabled);
        from = rig.mark();
        d.command(kWhiteSet);
        EXPECT_EQ(rig.traffic(from),
                  (Strings{"exec 6 28", "exec 12 0", "set 32 = 128", "exec 6 64", "set 32 = 144",
                           "exec 6 65", "set 32 = 160", "exec 6 66"}));
        click(d, kWhitePixelMode, true);
        EXPECT_FALSE(d.control(kWhiteRed.edit).enabled);
        EXPECT_TRUE(d.control(kLevelChannels[7].edit).enabled);
        from = rig.mark();
        d.command(kWhiteSet);
        EXPECT_EQ(rig.traffic(from),
                  (Strings{"exec 6 28", "exec 12 9", "set 32 = 176", "exec 6 73"}));
    });
}

TEST(OelCal, UpDownStopsAtTheEndsOfItsRange) {
    struct Case {
        const LevelChannel& channel;
        std::string typed;
        int delta;
        std::string shown;
    };
    const Case cases[] = {
        {kBlackRed, "7F", +1, "7F"}, {kBlackRed, "0", -1, "0"}, {kWhiteRed, "FF", +1, "FF"},
        {kBlackRed, "7E", +1, "7F"}, {kWhiteRed, "1", -1, "0"},
    };
    ConsoleRig rig(oelProfile());
    withLevels(rig, [&](OelCalDialog& d) {
        choose(d, kWhiteWork);
        for (const Case& c : cases) {
            SCOPED_TRACE(c.typed);
            type(d, c.channel.edit, c.typed);
            step(d, c.channel.upDown, c.delta);
            EXPECT_EQ(d.control(c.channel.edit).text, c.shown);
            EXPECT_EQ(d.block().w[static_cast<size_t>(c.channel.word)],
                      static_cast<int32_t>(std::stoi(c.shown, nullptr, 16)));
            EXPECT_EQ(d.control(c.channel.slider).position, std::stoi(c.shown, nullptr, 16));
        }
    });
}

TEST(OelCal, AWhiteLevelOf1FFGoesIntoTheRecordAndPinsTheSliderAtItsTop) {
    ConsoleRig rig(oelProfile());
    withLevels(rig, [&](OelCalDialog& d) {
        choose(d, kWhiteWork);
        type(d, kWhiteRed.edit, "1FF");
        EXPECT_EQ(d.block().w[6], 511);
        EXPECT_EQ(d.control(kWhiteRed.slider).position, 255);
        step(d, kWhiteRed.upDown, -1);
        EXPECT_EQ(d.block().w[6], 511);
        EXPECT_EQ(d.control(kWhiteRed.edit).text, "1FF");
    });
}

TEST(OelCal, TextThatIsNoNumberIsRefusedAndTheLevelLastHeldIsSent) {
    ConsoleRig rig(oelProfile());
    withLevels(rig, [&](OelCalDialog& d) {
        type(d, kBlackRed.edit, "2");
        type(d, kBlackRed.edit, "2G");
        EXPECT_EQ(d.block().w[2], 2);
        const size_t from = rig.mark();
        d.command(kBlackSet);
        EXPECT_EQ(d.control(kBlackRed.edit).text, "2");
        EXPECT_EQ(rig.traffic(from).at(2), "set 32 = 2");
    });
    EXPECT_EQ(rig.op.messages(), Strings{"Please enter a hexadecimal number."});
}

TEST(OelCal, CheckModeIsolatesTheMovedBlackChannelAndRestoresAllFourWhenTurnedOff) {
    ConsoleRig rig(oelProfile());
    withLevels(rig, [&](OelCalDialog& d) {
        click(d, kBlackCheckMode, true);
        for (size_t i = 0; i < 4; ++i)
            EXPECT_EQ(d.control(kLevelChannels[i].edit).text, "7F");
        slide(d, kBlackGreen.slider, 5);
        EXPECT_EQ(d.control(kBlackGreen.edit).text, "5");
        EXPECT_EQ(d.control(kBlackRed.edit).text, "7F");
        EXPECT_EQ(d.control(kBlackWhite.slider).position, 127);
        EXPECT_EQ(d.block().w[5], 127);

        const size_t from = rig.mark();
        d.command(kBlackSet);  // the check pattern, then the isolated levels
        EXPECT_EQ(rig.traffic(from),
                  (Strings{"exec 6 28", "exec 12 8", "set 32 = 127", "exec 6 61", "set 32 = 5",
                           "exec 6 62", "set 32 = 127", "exec 6 63", "set 32 = 127", "exec 6 72"}));

        click(d, kBlackCheckMode, false);
        const Strings held = {"10", "20", "30", "40"};
        for (size_t i = 0; i < 4; ++i) {
            EXPECT_EQ(d.control(kLevelChannels[i].edit).text, held[i]);
            EXPECT_EQ(d.block().w[i + 2], 0x10 * static_cast<int32_t>(i + 1));
            EXPECT_EQ(d.control(kLevelChannels[i].slider).position, 0x10 * (i + 1));
        }
    });
}

// The red, green and blue levels follow their slider's handle while it is dragged; the white
// levels take theirs only when it is let go.
TEST(OelCal, RedGreenAndBlueFollowADraggedSliderAndWhiteWaitsForTheRelease) {
    struct Case {
        size_t channel;
        bool follows;
    };
    const Case cases[] = {{0, true}, {1, true}, {2, true}, {3, false},
                          {4, true}, {5, true}, {6, true}, {7, false}};
    ConsoleRig rig(oelProfile());
    withLevels(rig, [&](OelCalDialog& d) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.channel);
            const LevelChannel& ch = kLevelChannels[c.channel];
            const int32_t before = d.block().w[static_cast<size_t>(ch.word)];
            const std::string shown = d.control(ch.edit).text;
            drag(d, ch.slider, 0x0C);
            EXPECT_EQ(d.block().w[static_cast<size_t>(ch.word)], c.follows ? 0x0C : before);
            EXPECT_EQ(d.control(ch.edit).text, c.follows ? "C" : shown);
            slide(d, ch.slider, 0x0D);
            EXPECT_EQ(d.block().w[static_cast<size_t>(ch.word)], 0x0D);
            EXPECT_EQ(d.control(ch.edit).text, "D");
        }
    });
}

// A refused step stops the sequence with its own message; a refused pattern is reported and the
// steps go on. Either is the failure of the "Set", with the refused call's result.
TEST(OelCal, ARefusedStepStopsTheSequenceWithItsOwnMessage) {
    struct Case {
        int op;
        int code;
        int nth;  // the display selection is the first diag program
        std::string message;
        size_t sent;
    };
    const Case cases[] = {
        {camsim::kOpSetValue, 32, 1, "Set diag long failed.", 3},
        {camsim::kOpExecute, 6, 2, "Execute diag failed.", 4},
        {camsim::kOpExecute, 12, 1, "Error Write error", 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        ConsoleRig rig(oelProfile());
        withLevels(rig, [&](OelCalDialog& d) {
            rig.camera.faults().add({.fault = camsim::Fault::Dc1,
                                     .op = c.op,
                                     .code = c.code,
                                     .nth = c.nth,
                                     .times = 0});
            const size_t from = rig.mark();
            d.command(kBlackSet);
            EXPECT_EQ(rig.traffic(from).size(), c.sent);
            const Outcome& outcome = *d.lastOutcome();
            EXPECT_EQ(outcome.ending, Ending::Failed);
            EXPECT_NE(outcome.linkResult, 0);
            EXPECT_EQ(outcome.reason, c.message);
        });
        EXPECT_EQ(rig.op.messages(), Strings{c.message});
    }
}

TEST(OelCal, AnEldRecordLargerThanTheBlockIsRefusedAndNeverFetched) {
    ConsoleRig rig(camsim::oversizedEldProfile());
    withLevels(rig, [&](OelCalDialog& d) {
        EXPECT_EQ(d.control(kBlackRed.edit).text, "");
        openOelAclDialog(rig.dialog());
    });
    EXPECT_FALSE(rig.received(4, 163));
    EXPECT_FALSE(rig.received(3, 163));
    const std::string refused =
        "The camera reports an ELD Info record of 64 bytes; at most 48 fit. Nothing was "
        "transferred.";
    EXPECT_EQ(rig.op.messages(), (Strings{refused, refused}));
}

TEST(OelCal, ASizeOfZeroIsReportedAndTheRecordIsReadAllTheSame) {
    ConsoleRig rig(oelProfile());
    rig.camera.profile().values[163] = 0;
    withLevels(rig, [](OelCalDialog&) {});
    EXPECT_EQ(rig.op.messages(), Strings{"Error Get Diag ELD Info size"});
    EXPECT_TRUE(rig.received(4, 163));
}

// ---- ACL ----------------------------------------------------------------------------------

// Opens the ACL dialog from the main dialog and hands it to `act`.
void withAcl(ConsoleRig& rig, const std::function<void(OelAclDialog&, OelCalDialog&)>& act) {
    withLevels(rig, [&](OelCalDialog& levels) {
        openOelAclDialog(rig.dialog());
        auto* acl = dynamic_cast<OelAclDialog*>(rig.dialog().testDialog());
        ASSERT_NE(acl, nullptr);
        act(*acl, levels);
    });
}

TEST(OelAcl, OpensOnTheLevelsRecordAndWritesItBackWithTheAclStateOnce) {
    struct Case {
        int32_t mode;
        bool boxEnabled;
        bool checked;
        int32_t written;
    };
    // ACL on, off, and a camera without ACL control (word 1 of 0).
    const Case cases[] = {{2, true, true, 2}, {1, true, false, 1}, {0, false, false, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        ConsoleRig rig(
            oelProfile({c.mode, 0x10, 0x20, 0x30, 0x40, 0x80, 0x90, 0xA0, 0xB0, 0x50, 0x60}));
        withAcl(rig, [&](OelAclDialog& acl, OelCalDialog& levels) {
            EXPECT_EQ(levels.block().w[1], c.written);
            EXPECT_EQ(acl.control(kAcl).enabled, c.boxEnabled);
            EXPECT_EQ(acl.control(kAcl).checked, c.checked);
            EXPECT_EQ(acl.control(kBrightness.slider).enabled, !c.checked);
            EXPECT_EQ(acl.control(kAclSet).enabled, !c.checked);
            EXPECT_EQ(acl.control(kBrightness.edit).text, "50");
        });
        EXPECT_EQ(word(rig, 1), c.written);
        EXPECT_EQ(word(rig, 10), 0x50);
        EXPECT_TRUE(rig.op.messages().empty());
    }
}

TEST(OelAcl, SetSendsBrightnessAndSlantAndTheToggleWritesTheWholeRecord) {
    ConsoleRig rig(oelProfile());
    withAcl(rig, [&](OelAclDialog& acl, OelCalDialog& levels) {
        step(acl, kBrightness.upDown, +1);
        size_t from = rig.mark();
        acl.command(kAclSet);
        EXPECT_EQ(rig.traffic(from),
                  (Strings{"set 32 = 81", "exec 6 67", "set 32 = 96", "exec 6 68"}));
        slide(levels, kBlackRed.slider, 9);
        from = rig.mark();
        click(acl, kAcl, true);
        EXPECT_EQ(rig.traffic(from), (Strings{"get 163", "send 163"}));
        EXPECT_FALSE(acl.control(kBrightness.edit).enabled);
    });
    EXPECT_EQ(word(rig, 1), 2);
    EXPECT_EQ(word(rig, 2), 9);  // the levels dialog's value went with the record
    EXPECT_EQ(word(rig, 10), 81);
}

// ACL brightness and slant level run 0-255: an up-down step past either end changes nothing.
TEST(OelAcl, BrightnessAndSlantStayWithin0To255) {
    struct Case {
        const char* typed;
        int delta;
        const char* shown;
        int32_t word;
    };
    const Case cases[] = {
        {"FF", +1, "FF", 255}, {"0", -1, "0", 0}, {"FE", +1, "FF", 255}, {"1", -1, "0", 0}};
    ConsoleRig rig(oelProfile());
    withAcl(rig, [&](OelAclDialog& acl, OelCalDialog& levels) {
        for (const LevelChannel& ch : kAclChannels) {
            for (const Case& c : cases) {
                SCOPED_TRACE(std::to_string(ch.word) + " " + c.typed);
                type(acl, ch.edit, c.typed);
                step(acl, ch.upDown, c.delta);
                EXPECT_EQ(acl.control(ch.edit).text, c.shown);
                EXPECT_EQ(levels.block().w[static_cast<size_t>(ch.word)], c.word);
                EXPECT_EQ(acl.control(ch.slider).position, c.word);
            }
        }
    });
}

// The ACL levels take a slider's position when its handle is let go, not while it is dragged.
TEST(OelAcl, ADraggedSliderCountsWhenLetGo) {
    ConsoleRig rig(oelProfile());
    withAcl(rig, [&](OelAclDialog& acl, OelCalDialog& levels) {
        for (const LevelChannel& ch : kAclChannels) {
            SCOPED_TRACE(ch.word);
            const int32_t before = levels.block().w[static_cast<size_t>(ch.word)];
            drag(acl, ch.slider, 0x21);
            EXPECT_EQ(levels.block().w[static_cast<size_t>(ch.word)], before);
            slide(acl, ch.slider, 0x22);
            EXPECT_EQ(levels.block().w[static_cast<size_t>(ch.word)], 0x22);
            EXPECT_EQ(acl.control(ch.edit).text, "22");
        }
    });
}

TEST(OelAcl, ARefusedWriteOfTheRecordIsTheToggleFailure) {
    ConsoleRig rig(oelProfile());
    withAcl(rig, [&](OelAclDialog& acl, OelCalDialog&) {
        rig.camera.faults().add(
            {.fault = camsim::Fault::Dc1, .op = camsim::kOpSendData, .code = 163, .times = 0});
        click(acl, kAcl, true);
        const Outcome& outcome = *acl.lastOutcome();
        EXPECT_EQ(outcome.ending, Ending::Failed);
        EXPECT_NE(outcome.linkResult, 0);
        ASSERT_EQ(boxesOf(outcome).size(), 1u);
        EXPECT_EQ(boxesOf(outcome)[0].rfind("error: Error ", 0), 0u);
        // The value controls keep the enabling of the state the camera holds.
        EXPECT_TRUE(acl.control(kBrightness.edit).enabled);
    });
}

TEST(OelAcl, EachChoiceReplacesTheDialogLeftFromTheLastOne) {
    ConsoleRig rig(oelProfile());
    withAcl(rig, [&](OelAclDialog& first, OelCalDialog&) {
        const DialogModel* before = &first;
        EXPECT_EQ(openOelAclDialog(rig.dialog()).ending, Ending::Completed);
        EXPECT_NE(rig.dialog().testDialog(), nullptr);
        EXPECT_NE(rig.dialog().testDialog(), before);
    });
    size_t shown = 0;
    for (const OperatorEvent& e : rig.op.events)
        shown += e.templateId == kOelAclTemplate;
    EXPECT_EQ(shown, 2u);
}

// Choosing "OEL ACL" in the Test list opens the ACL dialog on both organic-EL panels, also
// once the main dialog has read its controls (the LCD Type list has no entry for type 15), and
// shows no display pattern.
TEST(OelAcl, TheTestListEntryOpensTheDialogForBothOrganicElPanels) {
    for (int32_t answer : {7, 16}) {  // LCD types 6 and 15
        SCOPED_TRACE(answer);
        camsim::Profile p = oelProfile();
        p.lcdType = answer;
        ConsoleRig rig(p);
        withLevels(rig, [&](OelCalDialog&) {
            MainDialog& main = rig.dialog();
            main.readControls();
            const std::vector<std::string>& items = main.control(idc::kTest).items;
            const auto entry = std::find(items.begin(), items.end(), "OEL ACL");
            ASSERT_NE(entry, items.end());
            const size_t from = rig.mark();
            select(main, idc::kTest, static_cast<int>(entry - items.begin()));
            EXPECT_NE(dynamic_cast<OelAclDialog*>(main.testDialog()), nullptr);
            for (const std::string& sent : rig.traffic(from))
                EXPECT_EQ(sent.rfind("exec 12 ", 0), std::string::npos) << sent;
            // A second choice, after the controls were read again, opens it again.
            main.readControls();
            select(main, idc::kTest, static_cast<int>(entry - items.begin()));
            EXPECT_NE(dynamic_cast<OelAclDialog*>(main.testDialog()), nullptr);
        });
        EXPECT_TRUE(rig.op.messages().empty());
    }
}

TEST(OelAcl, ADialogThatCannotBeShownIsReported) {
    ConsoleRig rig(oelProfile());
    withLevels(rig, [&](OelCalDialog&) {
        rig.op.modelessFails = true;
        EXPECT_EQ(openOelAclDialog(rig.dialog()).ending, Ending::Failed);
    });
    EXPECT_EQ(rig.op.messages(), Strings{"Error create Dialog"});
}

}  // namespace
}  // namespace orvia::testing
