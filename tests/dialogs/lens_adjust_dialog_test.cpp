// The production lens adjustment dialog on a simulated camera: codes typed by the code reader
// and by hand, the checks before anything is sent, the record written and read back.
#include <gtest/gtest.h>

#include "camsim/setup_records.h"
#include "dialog_session.h"
#include "dialogs/lens_adjust_dialog.h"

namespace orvia::testing {
namespace {

using namespace lens;

constexpr int kRecordCode = camsim::kCodeLensAdjRecord;

// What the camera holds as its lens adjustment record.
std::vector<uint8_t> held(ConsoleRig& rig) {
    return rig.camera.profile().records[kRecordCode];
}

std::vector<uint8_t> halfWords(const std::vector<int>& values, size_t size) {
    std::vector<uint8_t> r(size, 0);
    for (size_t i = 0; i < values.size(); ++i) {
        r[2 * i] = static_cast<uint8_t>(values[i]);
        r[2 * i + 1] = static_cast<uint8_t>(static_cast<uint16_t>(values[i]) >> 8);
    }
    return r;
}

// The code reader: a burst of characters into the code field, then Enter.
void scanCode(DialogModel& d, const std::string& code) {
    type(d, kScan, code);
    d.command(kScanEnter);
}

// Opens the dialog with the Data button ("QrCode") of a camera of `type`.
Strings openLensAdjust(ConsoleRig& rig, const std::function<void(DialogModel&)>& act) {
    const int templateId =
        lensLayoutFor(rig.camera.profile().typeText) == LensLayout::A ? kTemplateA : kTemplateB;
    return openDialog(
        rig, templateId, [&] { rig.dialog().command(idc::kData); }, act);
}

// Layout A: twelve characters of the code's own, then the five values.
const std::string kCodeA = "YQR10LNS0042A012b005A000B045A123";

TEST(LensAdjustA, ACodeFromTheReaderFillsTheFieldsAndWriteSendsThem) {
    ConsoleRig rig(camsim::setupProfile("YQR10"));
    Strings statuses, write;
    openLensAdjust(rig, [&](DialogModel& d) {
        // Code reader input is on: the fields take no typing.
        EXPECT_TRUE(d.control(kReaderInput).checked);
        for (int id : kFieldsA)
            EXPECT_FALSE(d.control(id).enabled) << id;
        EXPECT_FALSE(d.has(kRead));
        const Strings scan = trafficOf(rig, [&] { scanCode(d, kCodeA); });
        EXPECT_TRUE(scan.empty()) << "nothing is sent before Write";
        EXPECT_EQ(d.control(kScan).text, "");
        const Strings expected = {"A012", "B005", "A000", "B045", "A123"};
        for (size_t i = 0; i < kFieldsA.size(); ++i)
            EXPECT_EQ(d.control(kFieldsA[i]).text, expected[i]) << kFieldsA[i];
        recordTexts(d, kStatus, statuses);
        write = trafficOf(rig, [&] { d.command(kWrite); });
        d.setObserver(nullptr);
    });
    // The size first, then a record of that size.
    EXPECT_EQ(write, (Strings{"get 242", "send 209"}));
    EXPECT_EQ(held(rig), halfWords({12, -5, 0, -45, 123}, 16));
    EXPECT_EQ(statuses, (Strings{" Status : Production adjustment start !",
                                 " Status : Production adjustment end !"}));
    EXPECT_EQ(rig.op.waitDepth, 0);
}

// Every field is checked before anything is sent: a sign letter and three digits.
TEST(LensAdjustA, HandEntryIsCheckedBeforeAnythingIsSent) {
    struct Case {
        std::string value;
        int sent;  // the value written; 1000 for an input error
    };
    const Case cases[] = {
        {"b045", -45}, {"A000", 0},    {"a999", 999}, {"B001", -1},   {"C123", 1000},
        {"A12", 1000}, {"A1x3", 1000}, {"", 1000},    {"-123", 1000}, {"0123", 1000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        ConsoleRig rig(camsim::setupProfile("YQR11"));
        const std::vector<uint8_t> before = held(rig);
        Strings write;
        openLensAdjust(rig, [&](DialogModel& d) {
            click(d, kReaderInput, false);
            for (int id : kFieldsA) {
                EXPECT_TRUE(d.control(id).enabled) << id;
                type(d, id, "A001");
            }
            type(d, kFieldsA[3], c.value);
            write = trafficOf(rig, [&] { d.command(kWrite); });
            if (c.sent == 1000) {
                EXPECT_EQ(d.control(kStatus).text, " Status: Input Error");
            }
        });
        if (c.sent == 1000) {
            EXPECT_TRUE(write.empty());
            EXPECT_EQ(held(rig), before);
        } else {
            EXPECT_EQ(held(rig), halfWords({1, 1, 1, c.sent, 1}, 16));
        }
    }
}

// A short or garbled code fills what it has; the check at Write refuses it.
TEST(LensAdjustA, AMalformedCodeIsRefusedAtWrite) {
    for (const std::string& code :
         Strings{kCodeA.substr(0, 22), "YQR10LNS0042A012C005A000B045A123"}) {
        SCOPED_TRACE(code);
        ConsoleRig rig(camsim::setupProfile("YQR10"));
        openLensAdjust(rig, [&](DialogModel& d) {
            scanCode(d, code);
            EXPECT_EQ(d.control(kFieldsA[0]).text, "A012");
            EXPECT_TRUE(trafficOf(rig, [&] { d.command(kWrite); }).empty());
            EXPECT_EQ(d.control(kStatus).text, " Status: Input Error");
        });
    }
}

// What the reader does not type is not taken; lower-case letters are its capitals. Enter with
// nothing scanned changes nothing.
TEST(LensAdjustA, TheReaderTakesDigitsCapitalsAndSignsOnly) {
    ConsoleRig rig(camsim::setupProfile("YQR10"));
    openLensAdjust(rig, [&](DialogModel& d) {
        scanCode(d, "yqr10 lns.0042 a012 b005 a000 b045 a123\r");
        EXPECT_EQ(d.control(kFieldsA[0]).text, "A012");
        EXPECT_EQ(d.control(kFieldsA[4]).text, "A123");
        scanCode(d, "");
        EXPECT_EQ(d.control(kFieldsA[4]).text, "A123");
        scanCode(d, " .,");
        EXPECT_EQ(d.control(kFieldsA[4]).text, "A123");
    });
}

TEST(LensAdjustA, ARefusedWriteShowsTheResultText) {
    ConsoleRig rig(camsim::setupProfile("YQR10"));
    rig.camera.faults().add(
        {.fault = camsim::Fault::Dc1, .op = camsim::kOpSendData, .code = kRecordCode, .times = 0});
    openLensAdjust(rig, [&](DialogModel& d) {
        scanCode(d, kCodeA);
        d.command(kWrite);
        EXPECT_EQ(d.control(kStatus).text.rfind(" Status: Error ", 0), 0u);
    });
}

// The camera names the record's size; a size beyond the layout's is sent with zeros after the
// values, never with bytes from outside the record.
TEST(LensAdjustA, ACameraNamingALargerRecordGetsZerosAfterTheValues) {
    for (int32_t size : {28, 2048}) {
        SCOPED_TRACE(size);
        camsim::Profile p = camsim::setupProfile("YQR10");
        p.values[camsim::kCodeLensAdjSize] = size;
        ConsoleRig rig(p);
        openLensAdjust(rig, [&](DialogModel& d) {
            scanCode(d, kCodeA);
            d.command(kWrite);
        });
        EXPECT_EQ(held(rig), halfWords({12, -5, 0, -45, 123}, static_cast<size_t>(size)));
    }
}

// Layout B: 48 characters; the last piece is five characters, of which the field takes four.
const std::string kCodeB =
    "123456"
    "6543217"
    "0012"
    "1034"
    "0056"
    "10007"
    "0089"
    "1090"
    "01234"
    "00009";

std::vector<uint8_t> recordB(int32_t first, int32_t second, int16_t digit,
                             const std::vector<int>& values) {
    std::vector<uint8_t> r(28, 0);
    for (int i = 0; i < 4; ++i) {
        r[static_cast<size_t>(i)] = static_cast<uint8_t>(static_cast<uint32_t>(first) >> (8 * i));
        r[static_cast<size_t>(4 + i)] =
            static_cast<uint8_t>(static_cast<uint32_t>(second) >> (8 * i));
    }
    r[8] = static_cast<uint8_t>(digit);
    const std::vector<uint8_t> rest = halfWords(values, 2 * values.size());
    std::copy(rest.begin(), rest.end(), r.begin() + 10);
    return r;
}

TEST(LensAdjustB, ACodeFromTheReaderFillsTenFieldsAndWriteSendsThem) {
    ConsoleRig rig(camsim::setupProfile("YQR20"));
    camsim::Profile& p = rig.camera.profile();
    p.records[kRecordCode] = std::vector<uint8_t>(28, 0);
    openLensAdjust(rig, [&](DialogModel& d) {
        EXPECT_FALSE(d.control(kRead).visible) << "this build does not allow the read-back";
        scanCode(d, kCodeB);
        const Strings expected = {"123456", "6543217", "0012", "1034",  "0056",
                                  "10007",  "0089",    "1090", "01234", "0000"};
        for (size_t i = 0; i < kFieldsB.size(); ++i)
            EXPECT_EQ(d.control(kFieldsB[i]).text, expected[i]) << kFieldsB[i];
        EXPECT_EQ(trafficOf(rig, [&] { d.command(kWrite); }), (Strings{"get 242", "send 209"}));
    });
    EXPECT_EQ(held(rig), recordB(123456, 654321, 7, {12, -34, 56, -7, 89, -90, 1234, 0}));
}

TEST(LensAdjustB, HandEntryChecksEveryFieldsForm) {
    struct Case {
        size_t field;
        std::string value;
        bool accepted;
    };
    const Case cases[] = {
        {0, "42", true},      {0, "", false},     {0, "12345x", false}, {1, "1234567", true},
        {1, "123456", false}, {2, "1999", true},  {2, "2999", false},   {2, "099", false},
        {5, "09999", true},   {5, "0999", false}, {9, "", true},        {9, "1001", true},
        {9, "301", false},    {9, "A001", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.field) + " " + c.value);
        ConsoleRig rig(camsim::setupProfile("YQR21"));
        openLensAdjust(rig, [&](DialogModel& d) {
            click(d, kReaderInput, false);
            scanCode(d, kCodeB);  // Enter does nothing with code reader input off
            EXPECT_EQ(d.control(kFieldsB[0]).text, "");
            click(d, kReaderInput, true);
            scanCode(d, kCodeB);
            click(d, kReaderInput, false);
            type(d, kFieldsB[c.field], c.value);
            const Strings write = trafficOf(rig, [&] { d.command(kWrite); });
            EXPECT_EQ(write.empty(), !c.accepted);
            EXPECT_EQ(d.control(kStatus).text == " Status: Input Error", !c.accepted);
        });
    }
}

// A build without a PrivateBuild value offers the read-back, for the rest of the run.
TEST(LensAdjustB, ReadBackShowsTheCamerasValuesInTheirTypedForms) {
    ConsoleRig rig(camsim::setupProfile("YQR21"));
    rig.host.linkBuild = identityNaming(nullptr);
    rig.camera.profile().records[kRecordCode] =
        recordB(42, 1, 9, {12, -34, 0, -7, 89, -90, -1234, 5});
    Strings read;
    openLensAdjust(rig, [&](DialogModel& d) {
        EXPECT_TRUE(d.control(kRead).visible);
        read = trafficOf(rig, [&] { d.command(kRead); });
        const Strings shown = {"000042", "0000019", "0012", "1034",  "0000",
                               "10007",  "0089",    "1090", "11234", "0005"};
        for (size_t i = 0; i < kFieldsB.size(); ++i)
            EXPECT_EQ(d.control(kFieldsB[i]).text, shown[i]) << kFieldsB[i];
        EXPECT_EQ(d.control(kStatus).text, " Status : lens_adj_param get end !");
        // The values read are the outcome's, the 7-digit form's last digit apart.
        ASSERT_TRUE(d.lastOutcome());
        const Outcome& outcome = *d.lastOutcome();
        EXPECT_EQ(outcome.ending, Ending::Completed);
        EXPECT_EQ(measured(outcome, "lens_adj_value_1"), 42);
        EXPECT_EQ(measured(outcome, "lens_adj_value_2"), 1);
        EXPECT_EQ(measured(outcome, "lens_adj_value_2_digit"), 9);
        EXPECT_EQ(measured(outcome, "lens_adj_value_9"), -1234);
    });
    EXPECT_EQ(read, (Strings{"get 242", "fetch 209"}));
    EXPECT_TRUE(rig.app.state().lensReadBackAllowed);
}

// Each camera gets the values of its own code: after a write the values are gone, so a second
// Write without a new code sends nothing, and the next code is what the next Write sends. A
// refused write keeps the values for another try on the same camera.
TEST(LensAdjust, AWriteSendsOnlyTheValuesOfTheLatestCode) {
    ConsoleRig rig(camsim::setupProfile("YQR10"));
    openLensAdjust(rig, [&](DialogModel& d) {
        scanCode(d, kCodeA);
        EXPECT_EQ(trafficOf(rig, [&] { d.command(kWrite); }), (Strings{"get 242", "send 209"}));
        for (int id : kFieldsA)
            EXPECT_EQ(d.control(id).text, "") << id;
        rig.camera.profile().records[kRecordCode].assign(16, 0xEE);
        EXPECT_TRUE(trafficOf(rig, [&] { d.command(kWrite); }).empty());
        EXPECT_EQ(d.control(kStatus).text, " Status: Input Error");
        EXPECT_EQ(held(rig), std::vector<uint8_t>(16, 0xEE));

        scanCode(d, "YQR10LNS0043A001A002A003A004A005");
        EXPECT_EQ(trafficOf(rig, [&] { d.command(kWrite); }), (Strings{"get 242", "send 209"}));
        EXPECT_EQ(held(rig), halfWords({1, 2, 3, 4, 5}, 16));

        scanCode(d, kCodeA);
        rig.camera.faults().add({.fault = camsim::Fault::Dc1,
                                 .op = camsim::kOpSendData,
                                 .code = kRecordCode,
                                 .times = 0});
        d.command(kWrite);
        EXPECT_EQ(d.control(kStatus).text.rfind(" Status: Error ", 0), 0u);
        EXPECT_EQ(d.control(kFieldsA[0]).text, "A012");
        rig.camera.faults().clear();
        d.command(kWrite);
        EXPECT_EQ(held(rig), halfWords({12, -5, 0, -45, 123}, 16));
    });
}

// Write's outcome: the values written, an input error with nothing sent, or the refused write
// with its result; the dialog's outcome is the last write's.
TEST(LensAdjustA, WriteEndsWithItsOutcome) {
    struct Case {
        const char* what;
        std::string code;
        bool refused;
        Ending ending;
        std::string reason;
    };
    const Case cases[] = {
        {"written", kCodeA, false, Ending::Completed, ""},
        {"input error", kCodeA.substr(0, 22), false, Ending::Failed, " Status: Input Error"},
        {"refused", kCodeA, true, Ending::Failed, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ConsoleRig rig(camsim::setupProfile("YQR10"));
        if (c.refused) {
            rig.camera.faults().add({.fault = camsim::Fault::Dc1,
                                     .op = camsim::kOpSendData,
                                     .code = kRecordCode,
                                     .times = 0});
        }
        Outcome outcome;
        std::string status;
        openDialog(
            rig, kTemplateA, [&] { outcome = openLensAdjustDialog(rig.app.context()); },
            [&](DialogModel& d) {
                scanCode(d, c.code);
                d.command(kWrite);
                status = d.control(kStatus).text;
            });
        EXPECT_EQ(outcome.ending, c.ending);
        EXPECT_EQ(outcome.linkResult != 0, c.refused);
        EXPECT_EQ(outcome.reason, c.ending == Ending::Completed ? "" : status);
        if (!c.reason.empty()) {
            EXPECT_EQ(outcome.reason, c.reason);
        }
        if (c.ending == Ending::Completed) {
            EXPECT_EQ(measured(outcome, "lens_adj_value_1"), 12);
            EXPECT_EQ(measured(outcome, "lens_adj_value_4"), -45);
        } else {
            EXPECT_TRUE(outcome.values.empty());
        }
    }
}

}  // namespace
}  // namespace orvia::testing
