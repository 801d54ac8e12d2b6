// The battery information and battery type dialogs on a simulated camera.
#include <gtest/gtest.h>

#include "camsim/setup_records.h"
#include "dialog_session.h"
#include "dialogs/battery_dialogs.h"

namespace orvia::testing {
namespace {

using namespace battery;

// A battery camera serving the records of both kinds.
struct BatteryRig {
    explicit BatteryRig(int32_t type = 1) : rig(profile(type)) {}
    static camsim::Profile profile(int32_t type) {
        camsim::Profile p = camsim::setupProfile("YBT10");
        p.values[camsim::kCodeBatteryType] = type;
        return p;
    }
    ConsoleRig rig;
    camsim::BatteryModel model{rig.camera};
};

size_t lineCount(const std::string& text) {
    size_t n = 0;
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2))
        ++n;
    return n;
}

TEST(BatteryInfo, ListsTheFieldsOfTheChosenKind) {
    struct Case {
        int selection;
        size_t lines;
        const char* first;
        const char* last;
    };
    const Case cases[] = {
        {0, 12, "Official capacity = 1500\r\n", "Battery mode = 1\r\n"},
        {1, 14, "Maximum charge voltage = 4200\r\n",
         "Minimum charge temperature (last time) = 10\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.selection);
        BatteryRig b;
        Strings traffic;
        openDialog(
            b.rig, kInfoTemplate, [&] { openBatteryInfoDialog(b.rig.app.context()); },
            [&](DialogModel& d) {
                EXPECT_EQ(d.control(kInfoKind).selection, 0);
                EXPECT_EQ(d.control(kInfoKind).items, (Strings{"TYPE 1", "TYPE 2"}));
                select(d, kInfoKind, c.selection);
                traffic = trafficOf(b.rig, [&] { d.command(kIdOk); });
                const std::string& text = d.control(kInfoText).text;
                EXPECT_EQ(lineCount(text), c.lines);
                EXPECT_EQ(text.rfind(c.first, 0), 0u);
                EXPECT_TRUE(text.ends_with(c.last)) << text;
                EXPECT_FALSE(d.ended()) << "Get keeps the dialog open";
            });
        EXPECT_EQ(traffic, (Strings{"set 32 = " + std::to_string(c.selection + 1), "fetch 167"}));
        EXPECT_EQ(b.rig.op.waitDepth, 0);
    }
}

TEST(BatteryInfo, FieldsAreUnsignedLittleEndianAndReservedBytesAreNotShown) {
    std::vector<uint8_t> record(22, 0xFF);
    const std::string text = batteryInfoText(record, 1);
    EXPECT_EQ(text.substr(0, text.find("\r\n")), "Official capacity = 65535");
    EXPECT_NE(text.find("Last camera mode = 255\r\nTotal energizing time (last time) = 65535"),
              std::string::npos);
    record = {0x34, 0x12};
    record.resize(22);
    EXPECT_EQ(batteryInfoText(record, 2).rfind("Maximum charge voltage = 4660\r\n", 0), 0u);
    EXPECT_EQ(batteryInfoText(record, 3), "");
    // The same fields are the measured values, by name; the reserved bytes are none.
    Outcome outcome;
    addBatteryInfo(outcome, record, 2);
    EXPECT_EQ(outcome.values.size(), 14u);
    EXPECT_EQ(measured(outcome, "max_charge_voltage"), 4660);
    EXPECT_EQ(measured(outcome, "min_charge_temperature_last"), 0);
}

TEST(BatteryInfo, AFailedReadEmptiesTheTextAndSaysSo) {
    BatteryRig b;
    b.rig.camera.faults().add({.fault = camsim::Fault::Dc1,
                               .op = camsim::kOpGetData,
                               .code = camsim::kCodeBatteryInfo,
                               .times = 0});
    openDialog(
        b.rig, kInfoTemplate, [&] { openBatteryInfoDialog(b.rig.app.context()); },
        [&](DialogModel& d) {
            d.viewState(kInfoText).text = "old text";
            d.command(kIdOk);
            EXPECT_EQ(d.control(kInfoText).text, "");
        });
    EXPECT_EQ(b.rig.op.messages(), Strings{"Get Battery Infomation failure!!"});
}

TEST(BatteryType, OpensWithTheCamerasTypeChecked) {
    struct Case {
        int32_t type;
        int checked;  // 0: none
        Strings messages;
    };
    const Case cases[] = {
        {1, kAlkaline, {}},
        {2, kNimh, {}},
        {3, kCrV3, {}},
        {4, 0, {}},  // a type without a button of its own
        {0, 0, {"Get Battery Type not supported!!"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        BatteryRig b(c.type);
        const Strings traffic = openDialog(
            b.rig, kTypeTemplate, [&] { openBatteryTypeDialog(b.rig.app.context()); },
            [&](DialogModel& d) {
                for (int id : {kAlkaline, kNimh, kCrV3})
                    EXPECT_EQ(d.control(id).checked, id == c.checked) << id;
            });
        EXPECT_EQ(traffic, Strings{"get 168"});
        EXPECT_EQ(b.rig.op.messages(), c.messages);
    }
}

TEST(BatteryType, SetSendsTheCheckedType) {
    BatteryRig b;
    openDialog(
        b.rig, kTypeTemplate, [&] { openBatteryTypeDialog(b.rig.app.context()); },
        [&](DialogModel& d) {
            choose(d, kCrV3);
            EXPECT_FALSE(d.control(kAlkaline).checked);
            EXPECT_EQ(trafficOf(b.rig, [&] { d.command(kTypeSet); }), Strings{"set 168 = 3"});
            EXPECT_EQ(trafficOf(b.rig, [&] { d.command(kTypeGet); }), Strings{"get 168"});
            EXPECT_TRUE(d.control(kCrV3).checked);
        });
    EXPECT_EQ(b.rig.op.messages(), Strings{"Setting battery type was completed!!"});
    EXPECT_EQ(b.rig.op.messageKinds(), std::vector<MessageKind>{MessageKind::Information});
}

// With no type checked nothing is sent: there is no type to send.
TEST(BatteryType, SetWithNoTypeCheckedSendsNothing) {
    BatteryRig b(0);
    openDialog(
        b.rig, kTypeTemplate, [&] { openBatteryTypeDialog(b.rig.app.context()); },
        [&](DialogModel& d) {
            EXPECT_TRUE(trafficOf(b.rig, [&] { d.command(kTypeSet); }).empty());
        });
    EXPECT_EQ(b.rig.op.messages(),
              (Strings{"Get Battery Type not supported!!", "Choose a battery type."}));
}

TEST(BatteryType, ARefusedSetSaysSo) {
    BatteryRig b;
    b.rig.camera.faults().add({.fault = camsim::Fault::Dc1,
                               .op = camsim::kOpSetValue,
                               .code = camsim::kCodeBatteryType,
                               .times = 0});
    openDialog(
        b.rig, kTypeTemplate, [&] { openBatteryTypeDialog(b.rig.app.context()); },
        [&](DialogModel& d) {
            choose(d, kNimh);
            d.command(kTypeSet);
        });
    EXPECT_EQ(b.rig.op.messages(), Strings{"Set Battery Type filure!!"});
    EXPECT_EQ(b.rig.op.messageKinds(), std::vector<MessageKind>{MessageKind::Error});
}

// What each action leaves as the dialog's outcome: the values read, the refused call with its
// result, and each box with its icon (errors with the error icon, the completed setting with the
// information icon).
TEST(BatteryDialogs, EachActionEndsWithItsOutcome) {
    constexpr int kNone = -1;
    struct Case {
        const char* what;
        int32_t type;  // the camera's battery type
        int faultOp, faultCode;
        bool typeDialog;
        int press;  // 0: none, the type dialog's own first read
        Ending ending;
        Strings boxes;
        const char* value;  // a value measured, or nothing
        double number;
    };
    const Case cases[] = {
        {"info", 1, kNone, kNone, false, kIdOk, Ending::Completed, {}, "official_capacity", 1500},
        {"info refused",
         1,
         camsim::kOpGetData,
         camsim::kCodeBatteryInfo,
         false,
         kIdOk,
         Ending::Failed,
         {"error: Get Battery Infomation failure!!"},
         nullptr,
         0},
        {"type read", 2, kNone, kNone, true, 0, Ending::Completed, {}, "battery_type", 2},
        {"type not supported",
         0,
         kNone,
         kNone,
         true,
         0,
         Ending::Failed,
         {"error: Get Battery Type not supported!!"},
         nullptr,
         0},
        {"type set",
         1,
         kNone,
         kNone,
         true,
         kTypeSet,
         Ending::Completed,
         {"information: Setting battery type was completed!!"},
         "battery_type",
         3},
        {"type set refused",
         1,
         camsim::kOpSetValue,
         camsim::kCodeBatteryType,
         true,
         kTypeSet,
         Ending::Failed,
         {"error: Set Battery Type filure!!"},
         nullptr,
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BatteryRig b(c.type);
        if (c.faultOp != kNone) {
            b.rig.camera.faults().add(
                {.fault = camsim::Fault::Dc1, .op = c.faultOp, .code = c.faultCode, .times = 0});
        }
        DialogContext& ctx = b.rig.app.context();
        Outcome outcome;
        openDialog(
            b.rig, c.typeDialog ? kTypeTemplate : kInfoTemplate,
            [&] {
                outcome = c.typeDialog ? openBatteryTypeDialog(ctx) : openBatteryInfoDialog(ctx);
            },
            [&](DialogModel& d) {
                if (c.press == kTypeSet) choose(d, kCrV3);
                if (c.press != 0) d.command(c.press);
            });
        EXPECT_EQ(outcome.ending, c.ending);
        EXPECT_EQ(outcome.linkResult != 0, c.faultOp != kNone);
        EXPECT_EQ(boxesOf(outcome), c.boxes);
        if (c.value != nullptr) {
            EXPECT_EQ(measured(outcome, c.value), c.number);
        } else {
            EXPECT_TRUE(outcome.values.empty());
        }
    }
}

}  // namespace
}  // namespace orvia::testing
