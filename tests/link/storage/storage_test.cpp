// The USB storage transport on virtual drives: vendor matching, discovery, the exact vendor
// commands of a message, bounded device lengths, release at close, and the protocol's view of
// a failing drive.
#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "connection.h"
#include "link_constants.h"
#include "qorlink.h"
#include "storage.h"
#include "storage/device_table.h"
#include "storage/scsi_layout.h"
#include "storage/vendor_table.h"
#include "usb_platform.h"

namespace qorlink::test {
namespace {

constexpr uint16_t kR1 = 0x0102, kR9 = 0x010A, kR10 = 0x010B, kR12 = 0x010D;
constexpr int32_t kOemHome = 0x5B000000;

const char* RowName(const VendorRow* row) {
    return row != nullptr ? row->rowName : "none";
}

TEST(VendorTable, RowsHaveDistinctIdentifiersAndOemValues) {
    std::set<uint16_t> ids;
    std::set<int32_t> oem;
    size_t values = 0;
    for (const VendorRow& row : VendorTable()) {
        EXPECT_NE(row.id, 0) << row.rowName;
        ids.insert(row.id);
        for (int32_t v : row.oemValues) {
            if (v == 0) continue;
            oem.insert(v);
            ++values;
        }
    }
    EXPECT_EQ(ids.size(), VendorTable().size());
    EXPECT_EQ(oem.size(), values);
    EXPECT_STREQ(RowName(FindVendorRow(kVendorHome)), "VendorHome");
}

TEST(VendorTable, MatchesByInquiryNameOrOemValue) {
    struct Case {
        std::string field;
        int32_t oem;
        const char* row;
    };
    const Case cases[] = {
        {"Pelorin ", 0, "VendorR10"},
        {"PELORIN ", 0, "VendorR10"},
        {"peLORINx", 0, "VendorR10"},  // only the name's length is compared
        {"Pelori  ", 0, "none"},
        {"Qelorin ", 0, "none"},
        {"WESTRAND", 0, "VendorR11"},
        {"westran ", 0, "none"},
        {"gorvan  ", 0, "VendorR12"},
        {"GORVA   ", 0, "none"},
        {"        ", 0, "none"},
        {"", 0, "none"},
        // With an OEM value the inquiry data does not count.
        {"Pelorin ", kOemHome, "VendorHome"},
        {"ANYTHING", 0x5AFFFFFF, "VendorR10"},
        {"ANYTHING", 0x5B00000A, "VendorR10"},
        {"ANYTHING", 0x5B00000C, "VendorR5"},
        {"ANYTHING", 0x5B000011, "VendorR15"},
        {"Pelorin ", 0x5B000010, "none"},
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(RowName(MatchVendor(c.field, c.oem)), c.row)
            << "'" << c.field << "' oem " << std::hex << c.oem;
    }
}

// A connection wired to the virtual platform through its own pass-through block.
class StorageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        installPlatform(&platform_);
        ResetDeviceTable();
        conn_.passThroughBlock = block_;
        conn_.port = kUsbPort;
    }
    void TearDown() override {
        CloseStorage(conn_);
        ResetDeviceTable();
        installPlatform(nullptr);
    }

    VirtualScsiCamera& AddDrive(const std::string& name, const std::string& vendor, uint16_t row,
                                CameraSide* side = nullptr) {
        drives_.push_back(std::make_unique<VirtualScsiCamera>(vendor, row, side, &platform_));
        platform_.bus().add(name, drives_.back().get());
        return *drives_.back();
    }

    UsbPlatform platform_;
    std::vector<std::unique_ptr<VirtualScsiCamera>> drives_;
    uint8_t block_[kRequestBlockSize] = {};
    LinkConnection conn_;
};

TEST_F(StorageTest, RowWithoutOpcodeSetIsFoundButNotOpened) {
    VirtualScsiCamera& drive = AddDrive("/dev/sdb", "gorvan", kR12);
    EXPECT_EQ(DiscoverDevices(conn_), 0);
    ASSERT_EQ(deviceTable().count, 1u);
    EXPECT_EQ(deviceTable().entries[0].vendorId, kR12);

    EXPECT_EQ(OpenStorage(conn_), -1);
    EXPECT_EQ(conn_.deviceHandle, nullptr);
    EXPECT_EQ(drive.openHandles(), 0);
    EXPECT_EQ(inUseMask(), 0u);
    EXPECT_EQ(openPortMarker, -1);
}

TEST_F(StorageTest, DiscoveryAsksInquiryAndSkipsTheFloppyDrive) {
    VirtualScsiCamera& floppy = AddDrive("A:\\", "Pelorin", kR10);
    VirtualScsiCamera& camera = AddDrive("E:\\", "Pelorin", kR10);
    EXPECT_EQ(DiscoverDevices(conn_), 0);
    ASSERT_EQ(deviceTable().count, 1u);
    EXPECT_EQ(deviceTable().entries[0].name, "E:\\");
    EXPECT_TRUE(floppy.log().empty());
    ASSERT_EQ(camera.log().size(), 1u);
    const ScsiRecord& inquiry = camera.log()[0];
    EXPECT_EQ(Hex(inquiry.cdb), "12 00 00 00 24 00 00 00 00 00 00 00");
    EXPECT_EQ(inquiry.length, 36u);
    EXPECT_EQ(inquiry.timeoutSeconds, 90u);
    EXPECT_EQ(inquiry.direction, ScsiDirection::In);
}

TEST_F(StorageTest, DeviceTableHoldsThirtyTwoAndReservesEachDriveOnce) {
    for (int i = 0; i < 40; ++i)
        AddDrive("/dev/sd" + std::to_string(100 + i), "PELORIN", kR10);
    EXPECT_EQ(DiscoverDevices(conn_), 0);
    EXPECT_EQ(deviceTable().count, kMaxDevices);
    EXPECT_EQ(platform_.bus().openCalls(), 32) << "drives past a full table are not probed";

    // Each connection takes the next free drive; the 33rd finds none.
    std::vector<std::unique_ptr<LinkConnection>> conns;
    std::vector<std::array<uint8_t, kRequestBlockSize>> blocks(33);
    for (int i = 0; i < 33; ++i) {
        conns.push_back(std::make_unique<LinkConnection>());
        conns.back()->passThroughBlock = blocks[i].data();
        EXPECT_EQ(OpenStorage(*conns.back()), i < 32 ? kUsbPort : -1) << i;
    }
    EXPECT_EQ(inUseMask(), 0xFFFFFFFFu);
    std::set<ScsiDevice*> handles;
    for (int i = 0; i < 32; ++i)
        handles.insert(conns[i]->deviceHandle);
    EXPECT_EQ(handles.size(), 32u);

    for (auto& c : conns)
        EXPECT_EQ(CloseStorage(*c), 1);
    EXPECT_EQ(inUseMask(), 0u);
    EXPECT_EQ(openPortMarker, -1);
    int open = 0;
    for (auto& d : drives_)
        open += d->openHandles();
    EXPECT_EQ(open, 0);
}

class MessageTest : public StorageTest {
  protected:
    void SetUp() override {
        StorageTest::SetUp();
        drive_ = &AddDrive("/dev/sdb", "SOMECAM", kVendorHome, &side_);
        conn_.oemMode = kOemHome;
        ASSERT_EQ(OpenStorage(conn_), kUsbPort);
        drive_->clearLog();
    }

    ScriptedCameraSide side_{IdleCamera};
    VirtualScsiCamera* drive_ = nullptr;
};

TEST_F(MessageTest, OpenFillsTheConnectionFromTheVendorRow) {
    EXPECT_EQ(conn_.vendorId, kVendorHome);
    EXPECT_EQ(conn_.bigBlocks, 1);
    EXPECT_EQ(conn_.opcodeSet, &kOpcodeSets[0]);
    EXPECT_EQ(openPortMarker, kUsbPort);
    EXPECT_EQ(drive_->openHandles(), 1);
}

TEST_F(MessageTest, DiscoveryLeavesTheOpenDeviceCommandsAlone) {
    ASSERT_EQ(DiscoverDevices(conn_), 0);
    const uint8_t ack = kAck;
    EXPECT_EQ(StorageWrite(conn_, &ack, 1), 1);
    ASSERT_FALSE(drive_->commands(0xF0).empty());
    EXPECT_EQ(drive_->commands(0xF0).back().cdb.size(), 16u);
    EXPECT_EQ(drive_->commands(0xF0).back().cdb[12], 1) << "vendor flag kept";
    EXPECT_EQ(drive_->protocolErrors(), 0);
}

TEST_F(StorageTest, OpeningAgainGivesUpTheHeldDriveFirst) {
    VirtualScsiCamera& drive = AddDrive("/dev/sdb", "Pelorin", kR10);
    ASSERT_EQ(OpenStorage(conn_), kUsbPort);
    // Still there: released (its row wants it), reopened, reserved once.
    EXPECT_EQ(OpenStorage(conn_), kUsbPort);
    EXPECT_EQ(drive.releases(), 1);
    EXPECT_EQ(drive.openHandles(), 1);
    EXPECT_EQ(std::popcount(inUseMask()), 1);
    EXPECT_EQ(openPortMarker, kUsbPort);
    // Gone: nothing stays reserved and a serial port may open again.
    platform_.bus().remove("/dev/sdb");
    EXPECT_EQ(OpenStorage(conn_), -1);
    EXPECT_EQ(drive.releases(), 2);
    EXPECT_EQ(drive.openHandles(), 0);
    EXPECT_EQ(conn_.deviceHandle, nullptr);
    EXPECT_EQ(inUseMask(), 0u);
    EXPECT_EQ(openPortMarker, -1);
}

TEST_F(MessageTest, WriteSendsAnnounceHeaderedMessageAndStatus) {
    const Bytes query = {0x1B, 0x43, 0x02, 0x00, 0x01, 0x12, 0x13, 0x00};
    EXPECT_EQ(StorageWrite(conn_, query.data(), query.size()), 1);

    const std::vector<ScsiRecord>& log = drive_->log();
    ASSERT_EQ(log.size(), 3u);
    // VendorHome speaks set 1 with the vendor flag in byte 12.
    EXPECT_EQ(Hex(log[0].cdb), "F0 00 00 00 00 00 00 00 00 10 00 00 01 00 00 00");
    EXPECT_EQ(Hex(log[0].dataOut), "10 00 00 00 01 00 FF 9F 00 00 00 00 00 00 00 00");
    EXPECT_EQ(Hex(log[1].cdb), "F1 00 00 00 00 00 00 00 00 48 00 00 01 00 00 00");
    Bytes header(64, 0);
    header[0] = 0x48;
    header[4] = 2;
    Bytes message = header;
    message.insert(message.end(), query.begin(), query.end());
    EXPECT_EQ(Hex(log[1].dataOut), Hex(message));
    EXPECT_EQ(Hex(log[2].cdb), "F3 00 00 00 00 00 00 00 00 0E 00 00 01 00 00 00");
    EXPECT_EQ(log[2].direction, ScsiDirection::In);
    for (const ScsiRecord& r : log)
        EXPECT_EQ(r.timeoutSeconds, 2u);
    ASSERT_EQ(side_.units().size(), 1u);
    EXPECT_EQ(side_.units()[0], query);
}

TEST_F(MessageTest, ReadQueriesTheLengthAndFetchesTheMessage) {
    const Bytes query = {0x1B, 0x43, 0x02, 0x00, 0x01, 0x12, 0x13, 0x00};
    ASSERT_EQ(StorageWrite(conn_, query.data(), query.size()), 1);
    drive_->clearLog();

    uint8_t reply[10] = {};
    EXPECT_EQ(StorageRead(conn_, reply, sizeof reply, 1200), 10);
    EXPECT_EQ(Hex(Bytes(reply, reply + 10)), Hex(ValueReply(1)));

    const std::vector<ScsiRecord>& log = drive_->log();
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(Hex(log[0].cdb), "F0 00 00 00 00 00 00 00 00 10 00 00 01 00 00 00");
    EXPECT_EQ(Hex(log[1].cdb), "F4 00 00 00 00 00 00 00 00 10 00 00 01 00 00 00");
    EXPECT_EQ(Hex(log[1].dataIn), "00 00 00 00 00 00 00 00 00 00 00 00 4A 00 00 00");
    EXPECT_EQ(Hex(log[2].cdb), "F2 00 00 00 00 00 00 00 00 4A 00 00 01 00 00 00");
    EXPECT_EQ(log[2].length, 74u);
    EXPECT_EQ(Hex(log[3].cdb), "F3 00 00 00 00 00 00 00 00 0E 00 00 01 00 00 00");
    for (const ScsiRecord& r : log)
        EXPECT_EQ(r.timeoutSeconds, 1200u);
    EXPECT_EQ(drive_->protocolErrors(), 0);
}

TEST_F(MessageTest, ReportedLengthsAreBoundedBeforeUse) {
    struct Case {
        uint32_t length;
        int result;
        bool fetched;  // whether the message itself was read
    };
    const Case cases[] = {
        {0, -3, false},
        {62, -3, false},            // shorter than 63 while more was asked for
        {63, -1, true},             // one byte short of a header: -1
        {64, 0, true},              // a header and nothing to say
        {64 + 32774, 32774, true},  // the device's length, not the count stored
        {64 + 32774 + 1, -2, false},
        {0x7FFFFFFF, -2, false},
        {0xFFFFFFFF, -2, false},
    };
    for (const Case& c : cases) {
        drive_->clearLog();
        drive_->reportLengthOnce(c.length);
        uint8_t buf[12];
        std::memset(buf, 0xEE, sizeof buf);
        side_.fromHost(Bytes{0x1B, 0x43, 0x02, 0x00, 0x01, 0x12, 0x13, 0x00}.data(), 8, 0);
        EXPECT_EQ(StorageRead(conn_, buf, 10, 5), c.result) << c.length;
        EXPECT_EQ(drive_->commands(0xF2).size(), c.fetched ? 1u : 0u) << c.length;
        EXPECT_EQ(buf[10], 0xEE) << "nothing stored past n, length " << c.length;
        // Drain the reply left behind so each case starts clean.
        uint8_t sink[16];
        while (StorageRead(conn_, sink, sizeof sink, 0) > 0) {
        }
    }
}

TEST_F(MessageTest, ReadStoresNoMoreThanAskedFor) {
    const Bytes query = {0x1B, 0x43, 0x02, 0x00, 0x01, 0x12, 0x13, 0x00};
    ASSERT_EQ(StorageWrite(conn_, query.data(), query.size()), 1);
    uint8_t buf[8];
    std::memset(buf, 0xEE, sizeof buf);
    EXPECT_EQ(StorageRead(conn_, buf, 4, 1), 10) << "the message's own length shows it was longer";
    EXPECT_EQ(Hex(Bytes(buf, buf + 4)), "03 00 04 00");
    EXPECT_EQ(buf[4], 0xEE);
}

TEST_F(MessageTest, FailedCommandEndsTheSequenceWithMinusTwo) {
    const Bytes ack = {kAck};
    for (int pass = 0; pass < 3; ++pass) {
        drive_->clearLog();
        drive_->failNextCommands(1, pass);
        EXPECT_EQ(StorageWrite(conn_, ack.data(), ack.size()), -2) << pass;
        EXPECT_EQ(drive_->log().size(), static_cast<size_t>(pass + 1)) << "stops at the failure";
    }
    for (int pass = 0; pass < 4; ++pass) {
        side_.fromHost(ack.data(), 0, 0);
        drive_->clearLog();
        drive_->failNextCommands(1, pass);
        uint8_t buf[10];
        EXPECT_EQ(StorageRead(conn_, buf, sizeof buf, 1), -2) << pass;
        EXPECT_EQ(drive_->log().size(), static_cast<size_t>(pass + 1)) << "stops at the failure";
    }
    EXPECT_EQ(drive_->protocolErrors(), 0);
}

struct ReleaseCase {
    int32_t oem;
    uint16_t row;
    const char* releaseCdb;  // null: no release command
};

class ReleaseTest : public StorageTest, public ::testing::WithParamInterface<ReleaseCase> {};

TEST_P(ReleaseTest, CloseReleasesOnlyForRowsThatWantIt) {
    const ReleaseCase& c = GetParam();
    VirtualScsiCamera& drive = AddDrive("/dev/sdb", "SOMECAM", c.row);
    conn_.oemMode = c.oem;
    ASSERT_EQ(OpenStorage(conn_), kUsbPort);
    drive.clearLog();
    EXPECT_EQ(CloseStorage(conn_), 1);
    EXPECT_EQ(conn_.deviceHandle, nullptr);
    EXPECT_EQ(drive.openHandles(), 0);
    EXPECT_EQ(openPortMarker, -1);
    EXPECT_EQ(inUseMask(), 0u);
    if (c.releaseCdb == nullptr) {
        EXPECT_TRUE(drive.log().empty());
        EXPECT_EQ(drive.releases(), 0);
    } else {
        ASSERT_EQ(drive.log().size(), 1u);
        EXPECT_EQ(Hex(drive.log()[0].cdb), c.releaseCdb);
        EXPECT_EQ(drive.log()[0].timeoutSeconds, 12u) << "the open's time-out, not the inquiry's";
        EXPECT_EQ(drive.releases(), 1);
    }
    EXPECT_EQ(drive.protocolErrors(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ReleaseTest,
    ::testing::Values(
        ReleaseCase{kOemHome, kVendorHome, nullptr},
        ReleaseCase{0x5B000001, kR1, "D5 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"},
        // A flagged row's release still goes out on a cleared CDB.
        ReleaseCase{0x5B000009, kR9, "F5 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"},
        ReleaseCase{0x5B00000A, kR10, "ED 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"}));

// Library-level: exports over a drive on the virtual platform.
class UsbExportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        installPlatform(&platform_);
        Cam_reset_dll();
        ResetDeviceTable();
    }
    void TearDown() override {
        Cam_reset_dll();
        ResetDeviceTable();
        installPlatform(nullptr);
    }

    // Drives outlive the library's handles: TearDown resets the library first.
    UsbPlatform platform_{IdleCamera};
    ScriptedCameraSide side_{IdleCamera};
    VirtualScsiCamera drive_{"Pelorin", kR10, &side_, &platform_};
    VirtualScsiCamera stick_{"SANDISK", 0, nullptr, nullptr};  // answers INQUIRY, no camera
};

TEST_F(UsbExportTest, FailingDriveCommandBecomesUsbNotResponding) {
    VirtualScsiCamera& drive = drive_;
    platform_.bus().add("/dev/sdb", &drive);
    ASSERT_EQ(Cam_set_port(kUsbPort), kUsbPort);
    ASSERT_EQ(Cam_session_enabled(1), 0);
    EXPECT_EQ(Cam_set_factory_code(7), 0);

    drive.failNextCommands(1);
    EXPECT_EQ(Cam_set_factory_code(7), 21);
    EXPECT_EQ(currentConnection->lastResult, 21);
    EXPECT_EQ(drive.protocolErrors(), 0);
}

// A value reply whose sum is wrong is taken from the row that skips reply sums and is a USB
// failure for every other row: no NAK, no drain, no second request.
TEST(UsbReplySums, CheckedExceptForTheRowThatSkipsThem) {
    struct Case {
        int32_t oem;
        uint16_t row;
        bool badSum;
        int32_t value;
        int lastResult;
    };
    constexpr uint16_t kR3 = 0x0104;
    const Case cases[] = {
        {0x5B000003, kR3, true, 0x1234, 0},    {0x5B000003, kR3, false, 0x1234, 0},
        {kOemHome, kVendorHome, true, -1, 21}, {kOemHome, kVendorHome, false, 0x1234, 0},
        {0x5B00000A, kR10, true, -1, 21},
    };
    for (const Case& c : cases) {
        UsbPlatform platform;
        installPlatform(&platform);
        Cam_reset_dll();
        ResetDeviceTable();
        ScriptedCameraSide side([&c](const Bytes& unit) -> Bytes {
            if (unit.size() < 6 || unit[4] != 1) return {};
            Bytes reply = ValueReply(0x1234);
            if (c.badSum) reply[8] ^= 0x01;
            return reply;
        });
        {
            VirtualScsiCamera drive("SOMECAM", c.row, &side, &platform);
            platform.bus().add("/dev/sdb", &drive);
            ASSERT_EQ(Cam_set_port(c.oem), kUsbPort);
            ASSERT_EQ(Cam_session_enabled(1), 0);
            EXPECT_EQ(Cam_get_lcd_type(), c.value) << std::hex << c.oem;
            EXPECT_EQ(currentConnection->lastResult, c.lastResult) << std::hex << c.oem;
            const size_t units = c.lastResult == 0 ? 2u : 1u;  // the request, then ACK if taken
            EXPECT_EQ(side.units().size(), units) << std::hex << c.oem;
            const uint8_t query = FindVendorRow(c.row)->opcodes->op[kOpQueryLength];
            EXPECT_EQ(drive.commands(query).size(), 1u) << "one reply read";
            EXPECT_EQ(drive.protocolErrors(), 0);
            Cam_reset_dll();
        }
        ResetDeviceTable();
        installPlatform(nullptr);
    }
}

TEST_F(UsbExportTest, NoCameraDriveFallsThroughToTheSerialScanAtOnce) {
    VirtualScsiCamera& stick = stick_;
    platform_.bus().add("/dev/sdc", &stick);
    const uint64_t start = platform_.nowMs();
    EXPECT_EQ(Cam_set_port(0), 1);
    ASSERT_FALSE(platform_.written().empty());
    EXPECT_EQ(platform_.written()[0].bytes, Bytes{0x00}) << "the serial probe comes first";
    EXPECT_EQ(platform_.written()[0].atMs, start) << "no time spent searching USB";
    EXPECT_EQ(stick.openHandles(), 0);
    EXPECT_EQ(openPortMarker, -1);
}

}  // namespace
}  // namespace qorlink::test
