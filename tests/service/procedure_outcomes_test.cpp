// What each kind of procedure the main dialog starts comes to, read from its outcome rather than
// from the texts it showed: the main path, a camera call refused, a question answered No, and
// for the judged calibrations a pass and an NG.
#include <gtest/gtest.h>

#include "camsim/service_diags.h"
#include "console/app_state.h"
#include "service_rig.h"

namespace orvia::testing {
namespace {

constexpr int kExecute = camsim::kOpExecute;
constexpr int kDiag = camsim::kCodeExecuteDiag;

struct Case {
    const char* name;
    const char* type;   // camera type
    int control;        // the control pressed
    const char* entry;  // the Test list entry chosen, for the Test list
    std::vector<bool> answers;
    int refuseOp = -1;  // a camera command refused every time, by operation and code
    int refuseCode = -1;
    int judgement = -1;  // what the judgement library answers (-1: not present)
    Ending ending;
    bool linkResult;  // the outcome names the refused call's result
    Judgement judged = Judgement::NotJudged;
    const char* value = nullptr;  // a value the outcome must carry
};

std::optional<orvia::Outcome> press(ConsoleRig& rig, const Case& c) {
    std::optional<orvia::Outcome> outcome;
    runInDialog(rig, [&](MainDialog& d) {
        if (c.refuseOp >= 0) rig.camera.faults().add(refuse(c.refuseOp, c.refuseCode));
        if (c.entry != nullptr) {
            const int at = positionOf(d, c.entry);
            ASSERT_GE(at, 0) << c.entry;
            d.setSelection(idc::kTest, at);
        }
        d.command(c.control);
        outcome = d.lastOutcome();
    });
    return outcome;
}

TEST(ProcedureOutcomes, EachKindEndsAsItReallyDid) {
    const Case cases[] = {
        // Calibrations.
        {"AWB",
         "ZR510",
         idc::kAwb,
         nullptr,
         {true},
         -1,
         -1,
         -1,
         Ending::Completed,
         false,
         Judgement::NotJudged,
         "awb_r_gain"},
        {"AWB No", "ZR510", idc::kAwb, nullptr, {false}, -1, -1, -1, Ending::Declined, false},
        {"AWB refused",
         "ZR510",
         idc::kAwb,
         nullptr,
         {true},
         kExecute,
         kDiag,
         -1,
         Ending::Failed,
         true},
        {"AWB pass",
         "YJA15",
         idc::kAwb,
         nullptr,
         {true},
         -1,
         -1,
         1,
         Ending::Completed,
         false,
         Judgement::Pass,
         "agc_gain"},
        {"AWB NG",
         "YJA15",
         idc::kAwb,
         nullptr,
         {true},
         -1,
         -1,
         0,
         Ending::Completed,
         false,
         Judgement::Ng,
         "awb_b_gain"},
        {"Focus",
         "ZR510",
         idc::kFocus,
         nullptr,
         {true},
         -1,
         -1,
         -1,
         Ending::Completed,
         false,
         Judgement::NotJudged,
         "af_diff"},
        {"Focus No", "ZR510", idc::kFocus, nullptr, {false}, -1, -1, -1, Ending::Declined, false},
        {"Focus refused",
         "ZR510",
         idc::kFocus,
         nullptr,
         {true},
         kExecute,
         kDiag,
         -1,
         Ending::Failed,
         true},
        {"Focus NG",
         "YJF12",
         idc::kFocus,
         nullptr,
         {true},
         -1,
         -1,
         0,
         Ending::Completed,
         false,
         Judgement::Ng,
         "af_diff"},
        {"UV Matrix",
         "ZR510",
         idc::kUvMatrix,
         nullptr,
         {true},
         -1,
         -1,
         -1,
         Ending::Completed,
         false},
        {"UV Matrix No",
         "ZR510",
         idc::kUvMatrix,
         nullptr,
         {false},
         -1,
         -1,
         -1,
         Ending::Declined,
         false},
        {"UV Matrix refused",
         "ZR510",
         idc::kUvMatrix,
         nullptr,
         {true},
         kExecute,
         kDiag,
         -1,
         Ending::Failed,
         true},
        // Test list entries.
        {"Cam Info", "ZR510", idc::kTest, "Cam Info", {}, -1, -1, -1, Ending::Completed, false},
        {"Cam Info refused",
         "ZR510",
         idc::kTest,
         "Cam Info",
         {},
         camsim::kOpGetData,
         camsim::kCodeCameraInfo,
         -1,
         Ending::Failed,
         true},
        {"CCD Defect No",
         "ZR510",
         idc::kTest,
         "CCD Defect",
         {false},
         -1,
         -1,
         -1,
         Ending::Declined,
         false},
        {"CCD Defect refused",
         "ZR510",
         idc::kTest,
         "CCD Defect",
         {true},
         kExecute,
         kDiag,
         -1,
         Ending::Failed,
         true},
        {"Set Apply refused",
         "ZR510",
         idc::kTest,
         "Set Apply",
         {},
         kExecute,
         kDiag,
         -1,
         Ending::Failed,
         true},
        {"All Version refused",
         "ZR510",
         idc::kTest,
         "All Version",
         {},
         camsim::kOpGetData,
         camsim::kCodeSelectedVersion,
         -1,
         Ending::Failed,
         false},
        // The display selection refused: its box shows, the mode is still sent, and the
        // outcome is the failure.
        {"Monitor, selection refused",
         "ZR510",
         idc::kTest,
         "Monitor",
         {},
         kExecute,
         kDiag,
         -1,
         Ending::Failed,
         true},
        // Settings.
        {"MAC Set refused",
         "ZR510",
         idc::kMacSet,
         nullptr,
         {},
         camsim::kOpSetValue,
         camsim::kCodeDiagWord,
         -1,
         Ending::Failed,
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ConsoleRig rig(profileFor(c.type));
        rig.op.answers = {c.answers.begin(), c.answers.end()};
        if (c.judgement >= 0) {
            rig.host.judgement.present = true;
            rig.host.judgement.result = c.judgement;
        }
        const std::optional<orvia::Outcome> outcome = press(rig, c);
        ASSERT_TRUE(outcome.has_value());
        EXPECT_EQ(outcome->ending, c.ending) << endingName(outcome->ending);
        EXPECT_EQ(outcome->linkResult != 0, c.linkResult) << outcome->linkResult;
        EXPECT_EQ(outcome->judgement, c.judged) << judgementName(outcome->judgement);
        EXPECT_EQ(outcome->passed(), c.ending == Ending::Completed && c.judged != Judgement::Ng);
        if (c.value != nullptr) {
            const Measurement* m = outcome->value(c.value);
            ASSERT_NE(m, nullptr) << c.value;
            EXPECT_TRUE(m->number.has_value());
        }
        // A failure or a No always says why, as the operator was told.
        if (c.ending != Ending::Completed) {
            EXPECT_FALSE(outcome->reason.empty());
        }
    }
}

// The texts a procedure showed travel in its outcome with their kinds.
TEST(ProcedureOutcomes, TheOutcomeCarriesTheTextsShownWithTheirKinds) {
    ConsoleRig rig(profileFor("ZR510"));
    Case c{"All Version refused",
           "ZR510",
           idc::kTest,
           "All Version",
           {},
           camsim::kOpGetData,
           camsim::kCodeSelectedVersion,
           -1,
           Ending::Failed,
           false};
    const std::optional<orvia::Outcome> outcome = press(rig, c);
    ASSERT_TRUE(outcome.has_value());
    ASSERT_EQ(outcome->messages.size(), 1u);
    EXPECT_EQ(outcome->messages[0].text, "Not supported !");
    EXPECT_EQ(outcome->messages[0].kind, MessageKind::Warning);
    EXPECT_EQ(rig.op.messageKinds(), std::vector<MessageKind>{MessageKind::Warning});

    ConsoleRig ok(profileFor("ZR510"));
    Case info{"All Version",     "ZR510", idc::kTest, "All Version", {}, -1, -1, -1,
              Ending::Completed, false};
    const std::optional<orvia::Outcome> shown = press(ok, info);
    ASSERT_TRUE(shown.has_value());
    ASSERT_EQ(shown->messages.size(), 1u);
    EXPECT_EQ(shown->messages[0].kind, MessageKind::Information);
    EXPECT_TRUE(shown->messages[0].text.starts_with("DSC Version Information"))
        << shown->messages[0].text;
}

}  // namespace
}  // namespace orvia::testing
