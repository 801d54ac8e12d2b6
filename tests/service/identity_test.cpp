// The USB Storage group, the repair-service serial number and the MAC Address group: what the
// operator's texts become on the camera, which texts are refused before anything is sent, and
// that what was written reads back the same.
#include <gtest/gtest.h>

#include <cctype>
#include <iterator>

#include "camsim/catalogue_profile.h"
#include "console/main_dialog.h"
#include "console_rig.h"

namespace orvia::testing {
namespace {

using Strings = std::vector<std::string>;

constexpr int kDiagBuffer = 31;
constexpr int kMacAddress = 111;

// The repair-service date and day count use local time; these tests fix it to UTC.
class Identity : public ::testing::Test {
  private:
    ScopedTimeZone utc_{"UTC0"};
};

camsim::Profile cameraOf(const char* type) {
    camsim::Profile p = profileFor(type);
    camsim::addCatalogueRecords(p);
    return p;
}

// The operator types `text` into edit `id`.
void type(MainDialog& d, int id, const std::string& text) {
    d.viewState(id).text = text;
}

// The data of every send to the diagnostic buffer, in order.
Strings bufferSends(const ConsoleRig& rig) {
    Strings out;
    for (const camsim::LogEntry& e : rig.commands()) {
        if ((e.op == camsim::kOpSendData || e.op == camsim::kOpSendDataLarge) &&
            e.code == kDiagBuffer) {
            out.emplace_back(e.payload.begin(), e.payload.end());
        }
    }
    return out;
}

TEST_F(Identity, TextsArePaddedWithSpacesAndCheckedBeforeAnythingIsSent) {
    struct Case {
        int edit;
        int button;
        std::string text;
        std::string sent;     // empty: refused
        const char* refusal;  // the box shown instead
    };
    const Case cases[] = {
        {idc::kUsbVid, idc::kUsbVidSet, "ABC", "ABC     ", nullptr},
        {idc::kUsbVid, idc::kUsbVidSet, "ABCDEFGHIJ", "ABCDEFGH", nullptr},
        {idc::kUsbVid, idc::kUsbVidSet, " ABC", "", "Invalid Vendor ID !"},
        {idc::kUsbVid, idc::kUsbVidSet, "", "", "Invalid Vendor ID !"},
        {idc::kUsbVid, idc::kUsbVidSet, "AB\tC", "", "Invalid Vendor ID !"},
        {idc::kUsbPid, idc::kUsbPidSet, "DRIVE 1", "DRIVE 1         ", nullptr},
        {idc::kUsbPid, idc::kUsbPidSet, "DRIVE\x7f", "", "Invalid Product ID !"},
        {idc::kUsbRev, idc::kUsbRevSet, "1.0", "1.0 ", nullptr},
        {idc::kUsbRev, idc::kUsbRevSet, " 1.0", "", "Invalid Revision !"},
        {idc::kUsbRev, idc::kUsbRevSet, "1\x01", "", "Invalid Product Rev. Label !"},
        // Serial numbers: 12 characters filled with "0" on the left, letters and digits only.
        {idc::kUsbSerial, idc::kUsbSerialSet, "1234", "000000001234", nullptr},
        {idc::kUsbSerial, idc::kUsbSerialSet, "AB12cd34EF56gh", "AB12cd34EF56", nullptr},
        {idc::kUsbSerial, idc::kUsbSerialSet, "12-34", "", "Invalid Serial number !"},
        {idc::kUsbSerial, idc::kUsbSerialSet, "-1234", "", "Invalid Serial No. !"},
        {idc::kUsbSerial, idc::kUsbSerialSet, "{1", "", "Invalid Serial No. !"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("'" + c.text + "'");
        ConsoleRig rig(cameraOf("ZR510"));
        const Strings traffic = inMainDialog(rig, [&](MainDialog& d) {
            type(d, c.edit, c.text);
            d.command(c.button);
        });
        if (c.refusal != nullptr) {
            EXPECT_EQ(traffic, Strings{});
            EXPECT_EQ(rig.op.messages(), Strings{c.refusal});
            continue;
        }
        const int diag = c.edit == idc::kUsbVid   ? 33
                         : c.edit == idc::kUsbPid ? 34
                         : c.edit == idc::kUsbRev ? 35
                                                  : 4;
        EXPECT_EQ(traffic, (Strings{"send 31", "exec 6 " + std::to_string(diag)}));
        EXPECT_EQ(bufferSends(rig), Strings{c.sent});
        EXPECT_TRUE(rig.op.messages().empty());
    }
}

TEST_F(Identity, AWrittenIdentityReadsBackTheSameForEachSerialLength) {
    struct Case {
        const char* type;
        const char* serial;  // as typed
        std::string shown;   // as Get shows it
        const char* read;    // the record read
    };
    const Case cases[] = {
        {"ZR510", "1234", "000000001234", "fetch 112"},
        {"YSN14", "1234", "00000000001234", "fetch 112"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        ConsoleRig rig(cameraOf(c.type));
        Strings getTraffic;
        inMainDialog(rig, [&](MainDialog& d) {
            type(d, idc::kUsbVid, "ORV");
            type(d, idc::kUsbPid, "STORAGE");
            type(d, idc::kUsbRev, "2.1");
            type(d, idc::kUsbSerial, c.serial);
            d.command(idc::kUsbSet);
            for (int id : {idc::kUsbVid, idc::kUsbPid, idc::kUsbRev, idc::kUsbSerial})
                type(d, id, "");
            const size_t from = rig.mark();
            d.command(idc::kUsbGet);
            getTraffic = rig.traffic(from);
            EXPECT_EQ(d.control(idc::kUsbVid).text, "ORV     ");
            EXPECT_EQ(d.control(idc::kUsbPid).text, "STORAGE         ");
            EXPECT_EQ(d.control(idc::kUsbRev).text, "2.1 ");
            EXPECT_EQ(d.control(idc::kUsbSerial).text, c.shown);
        });
        EXPECT_EQ(getTraffic, Strings{c.read});
        EXPECT_TRUE(rig.op.messages().empty());
    }
}

TEST_F(Identity, MacAddressShowsEachWordMostSignificantByteFirst) {
    camsim::Profile p = cameraOf("YDV10");  // a family that keeps the MAC Address group
    p.records[kMacAddress] = wordsRecord({0x01020304, 0x0A0B0C0D});
    ConsoleRig rig(p);
    const Strings traffic = inMainDialog(rig, [&](MainDialog& d) {
        d.command(idc::kMacGet);
        for (size_t i = 0; i < idc::kMac.size(); ++i)
            EXPECT_EQ(d.control(idc::kMac[i]).text,
                      (Strings{"01", "02", "03", "04", "0a", "0b", "0c", "0d"}[i]));
    });
    EXPECT_EQ(traffic, Strings{"fetch 111"});
}

TEST_F(Identity, MacAddressIsWrittenAsTwoWordsAndRefusedUnlessEveryFieldIsHex) {
    const Strings good = {"ab", "CD", "01", "23", "45", "67", "89", "eF"};
    struct Case {
        size_t field;
        const char* text;  // replaces `field` of `good`; null keeps them all
    };
    const Case cases[] = {{0, nullptr}, {3, "a"}, {7, "G1"}, {1, "g1"}, {2, ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text ? c.text : "good");
        ConsoleRig rig(cameraOf("YDV10"));
        const Strings traffic = inMainDialog(rig, [&](MainDialog& d) {
            for (size_t i = 0; i < good.size(); ++i)
                type(d, idc::kMac[i], c.text && i == c.field ? c.text : good[i]);
            d.command(idc::kMacSet);
            if (c.text) return;
            for (size_t i = 0; i < good.size(); ++i)
                type(d, idc::kMac[i], "");
            d.command(idc::kMacGet);
            for (size_t i = 0; i < good.size(); ++i) {
                std::string lower = good[i];
                for (char& ch : lower)
                    ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
                EXPECT_EQ(d.control(idc::kMac[i]).text, lower);
            }
        });
        if (c.text) {
            EXPECT_EQ(traffic, Strings{});
            EXPECT_EQ(rig.op.messages(), Strings{"Invalid address data!"});
        } else {
            EXPECT_EQ(traffic, (Strings{"set 32 = " + std::to_string(int32_t(0xABCD0123)),
                                        "exec 6 26", "set 32 = " + std::to_string(0x456789EF),
                                        "exec 6 27", "fetch 111"}));
            EXPECT_TRUE(rig.op.messages().empty());
        }
    }
}

// 2024-03-15 in UTC, 8474 (0x211A) days after 2001-01-01: the count has four digits and its
// first three are used.
constexpr char kStamp[] = "240315211";

TEST_F(Identity, ARepairSiteComposesTheSerialPrefixFromModelDateAndDayCount) {
    struct Case {
        const char* type;
        std::string before;  // the prefix edit before the choice
        int site;
        std::string after;
    };
    const Case cases[] = {
        {"YFS10", "", 15, "575331303031" + std::string(kStamp) + "16A"},
        // A type in no row of the prefix table gets the default product code.
        {"YFS19", "", 24, "575344433030" + std::string(kStamp) + "17A"},
        // A composed prefix keeps its product code and is re-stamped.
        {"YFS10", "414243444546991231FFF130", 0, "414243444546" + std::string(kStamp) + "130"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type + std::string(" ") + c.before);
        ConsoleRig rig(cameraOf(c.type));
        const Strings traffic = inMainDialog(rig, [&](MainDialog& d) {
            type(d, idc::kSerial1, c.before);
            d.viewState(idc::kRepairSite).selection = c.site;
            d.command(idc::kRepairSite);
            EXPECT_EQ(d.control(idc::kSerial1).text, c.after);
            EXPECT_EQ(d.control(idc::kUsbVid).text, "WESTRAND");
            EXPECT_EQ(d.control(idc::kUsbPid).text, "USB-DRIVEUNIT   ");
            EXPECT_EQ(d.control(idc::kUsbRev).text, "1.00");
        });
        EXPECT_EQ(traffic, Strings{});
    }
}

// The 25 repair sites in list order with their codes: choosing a site ends the composed prefix
// with its code, and a prefix ending with a code (any letter case) selects its site.
TEST_F(Identity, EveryRepairSiteHasItsCodeBothWays) {
    const std::pair<const char*, const char*> sites[] = {
        {"SAPPORO", "130"},     {"SENDAI", "131"},    {"TOKYO", "133"},     {"NAGOYA", "134"},
        {"OSAKA", "135"},       {"HIROSHIMA", "137"}, {"FUKUOKA", "138"},   {"USA", "161"},
        {"CANADA", "162"},      {"HAWAII", "163"},    {"TAIWAN", "164"},    {"BRITAIN", "166"},
        {"GERMANY", "167"},     {"FRANCE", "168"},    {"SPAIN", "169"},     {"ITALY", "16A"},
        {"NETHERLANDS", "16B"}, {"BELGIUM", "16C"},   {"SWEDEN", "16D"},    {"SWITZERLAND", "16E"},
        {"NORWAY", "16F"},      {"FINLAND", "170"},   {"SINGAPORE", "171"}, {"CHINA", "174"},
        {"OTHERS", "17A"},
    };
    ConsoleRig rig(cameraOf("YFS10"));
    inMainDialog(rig, [&](MainDialog& d) {
        const Strings& names = d.control(idc::kRepairSite).items;
        ASSERT_EQ(names.size(), std::size(sites));
        for (size_t i = 0; i < std::size(sites); ++i) {
            const auto& [name, code] = sites[i];
            SCOPED_TRACE(name);
            EXPECT_EQ(names[i], name);
            d.viewState(idc::kRepairSite).selection = static_cast<int>(i);
            d.command(idc::kRepairSite);
            const std::string prefix = d.control(idc::kSerial1).text;
            ASSERT_GE(prefix.size(), 3u);
            EXPECT_EQ(prefix.substr(prefix.size() - 3), code);

            std::string lower = code;
            for (char& ch : lower)
                ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
            rig.camera.profile().records[25] =
                camsim::textRecord("575331303031240315211" + lower + "000001", 32);
            d.viewState(idc::kRepairSite).selection = i == 0 ? 1 : 0;
            d.command(idc::kSerialGet);
            EXPECT_EQ(d.control(idc::kRepairSite).selection, static_cast<int>(i));
        }
    });
}

TEST_F(Identity, RepairSerialAndDefaultIdentifiersAreSetInOneGoAndReadBack) {
    ConsoleRig rig(cameraOf("YFS10"));
    const std::string prefix = "575331303031" + std::string(kStamp) + "16A";
    const Strings traffic = inMainDialog(rig, [&](MainDialog& d) {
        d.viewState(idc::kRepairSite).selection = 15;
        d.command(idc::kRepairSite);
        type(d, idc::kSerial2, "12345");
        d.command(idc::kSerialSet);  // five digits: refused
        type(d, idc::kSerial2, "123456");
        d.command(idc::kSerialSet);
        EXPECT_EQ(d.control(idc::kStatus).text,
                  " Status : Setting Serial No./USB ID was completed!");

        // What was written comes back through both reads, the site chosen from the prefix.
        for (int id : {idc::kSerial1, idc::kSerial2, idc::kUsbVid})
            type(d, id, "");
        d.viewState(idc::kRepairSite).selection = 0;
        d.command(idc::kUsbGet);
        EXPECT_EQ(d.control(idc::kSerial1).text, prefix);
        EXPECT_EQ(d.control(idc::kSerial2).text, "123456");
        EXPECT_EQ(d.control(idc::kRepairSite).selection, 15);  // "ITALY"
        EXPECT_EQ(d.control(idc::kUsbVid).text, "WESTRAND");
        type(d, idc::kSerial1, "");
        d.command(idc::kSerialGet);
        EXPECT_EQ(d.control(idc::kSerial1).text, prefix);
    });
    EXPECT_EQ(rig.op.messages(), Strings{"Invalid serial No.! Please re-input serial No.."});
    EXPECT_EQ(bufferSends(rig),
              (Strings{prefix + "123456", "WESTRAND", "USB-DRIVEUNIT   ", "1.00"}));
    EXPECT_EQ(traffic, (Strings{"send 31", "exec 6 4", "send 31", "exec 6 33", "send 31",
                                "exec 6 34", "send 31", "exec 6 35", "fetch 112", "fetch 25"}));
}

TEST_F(Identity, ASerialPrefixNamingNoSiteSelectsOthers) {
    camsim::Profile p = cameraOf("YFS10");
    p.records[25] = camsim::textRecord("575331303031240315211XYZ000001", 32);
    ConsoleRig rig(p);
    inMainDialog(rig, [&](MainDialog& d) {
        d.command(idc::kSerialGet);
        EXPECT_EQ(d.control(idc::kRepairSite).selection, 24);
        EXPECT_EQ(d.control(idc::kSerial2).text, "000001");
    });
}

}  // namespace
}  // namespace orvia::testing
