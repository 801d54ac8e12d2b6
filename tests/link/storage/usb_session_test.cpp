// Whole sessions over USB: the library's exports against the software camera on a virtual
// camera drive, through the real storage transport.
#include <gtest/gtest.h>

#include <bit>
#include <vector>

#include "camsim/camera.h"
#include "connection.h"
#include "link_constants.h"
#include "qorlink.h"
#include "storage.h"
#include "storage/device_table.h"
#include "virtual_platform.h"
#include "virtual_scsi.h"

namespace qorlink::test {
namespace {

constexpr uint16_t kR10 = 0x010B;
constexpr uint8_t kReadMessage = 0xEA;  // set 7
constexpr uint8_t kWriteMessage = 0xE9;

std::vector<int> gProgress;
int32_t QORLINK_CALL RecordProgress(int32_t, int32_t, int32_t percent) {
    gProgress.push_back(percent);
    return 1;
}

class UsbSessionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Cam_reset_dll();
        ResetDeviceTable();
        addScsiCamera(platform_, "/dev/sdb", drive_);
        gProgress.clear();
    }
    void TearDown() override {
        Cam_reset_dll();
        ResetDeviceTable();
    }
    void Open() {
        ASSERT_EQ(Cam_set_port(kUsbPort), kUsbPort);
        ASSERT_EQ(Cam_session_enabled(1), 0);
    }
    // Protocol bytes of every message the host wrote.
    std::vector<std::vector<uint8_t>> Messages() const {
        std::vector<std::vector<uint8_t>> out;
        for (const ScsiRecord& r : drive_.commands(kWriteMessage))
            out.emplace_back(r.dataOut.begin() + 64, r.dataOut.end());
        return out;
    }

    VirtualPlatform platform_;
    ScopedPlatform installed_{platform_};
    PlatformScsiClock clock_{platform_.clock()};
    camsim::Camera camera_;
    CamsimCameraSide side_{camera_};
    VirtualScsiCamera drive_{"Pelorin", kR10, &side_, &clock_};
    VirtualScsiCamera stick_{"SANDISK", 0, nullptr, nullptr};  // answers INQUIRY, no camera
};

TEST_F(UsbSessionTest, ValueQueryAndCloseOverUsb) {
    camera_.profile().values[166] = 0x1234;
    Open();
    EXPECT_EQ(currentConnection->port, kUsbPort);
    EXPECT_EQ(currentConnection->vendorId, kR10);
    EXPECT_EQ(openPortMarker, kUsbPort);

    EXPECT_EQ(Cam_get_lcd_type(), 0x1234);
    ASSERT_FALSE(camera_.log().empty());
    EXPECT_EQ(camera_.log().back().op, 1);
    EXPECT_EQ(camera_.log().back().code, 166);
    EXPECT_EQ(drive_.protocolErrors(), 0);

    EXPECT_EQ(Cam_session_enabled(0), 0);
    EXPECT_EQ(drive_.releases(), 1);
    EXPECT_EQ(drive_.openHandles(), 0);
    EXPECT_EQ(openPortMarker, -1);
}

TEST_F(UsbSessionTest, SizedReadUsesLargeBlocksWithProgress) {
    std::vector<uint8_t> record(32768);
    for (size_t i = 0; i < record.size(); ++i)
        record[i] = static_cast<uint8_t>(i * 7 + 1);
    camera_.profile().records[kCodeDiagBuffer] = record;
    Open();
    ASSERT_EQ(Cam_setup_callback(RecordProgress, 5), 0);
    drive_.clearLog();

    std::vector<uint8_t> buf(record.size());
    EXPECT_EQ(Cam_get_diag_buffer_val(buf.data(), static_cast<int32_t>(buf.size())), 0);
    EXPECT_EQ(buf, record);
    ASSERT_FALSE(gProgress.empty());
    EXPECT_EQ(gProgress.front(), 0);
    EXPECT_EQ(gProgress.back(), 100);
    // The reply came in one large frame inside one message.
    size_t largest = 0;
    for (const ScsiRecord& r : drive_.commands(kReadMessage))
        largest = std::max(largest, r.length);
    EXPECT_EQ(largest, 64u + 32768u + 6u);
    EXPECT_EQ(drive_.protocolErrors(), 0);
}

TEST_F(UsbSessionTest, LoadDataGoesInUnsummedLargeBlocks) {
    Open();
    std::vector<uint8_t> data(70000);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<uint8_t>(i % 251);
    drive_.clearLog();
    EXPECT_EQ(Cam_load_picture_data(data.data(), static_cast<int32_t>(data.size())), 0);

    std::vector<std::vector<uint8_t>> frames;
    for (const auto& m : Messages())
        if (m.size() > kSmallFrame) frames.push_back(m);
    ASSERT_EQ(frames.size(), 3u);  // 32766 + 32768 + 4466 bytes
    EXPECT_EQ(frames[0][0], kFrameCommand);
    EXPECT_EQ(frames[0][4], kOpSendDataLarge);
    EXPECT_EQ(frames[0][5], kCodeLoadData);
    EXPECT_EQ(frames[0].size(), 32768u + 6u);
    EXPECT_EQ(frames[1].size(), 32768u + 6u);
    for (const auto& f : frames) {
        EXPECT_EQ(f[f.size() - 2], 0xFF);
        EXPECT_EQ(f[f.size() - 1], 0xFF);
    }
    ASSERT_FALSE(camera_.log().empty());
    EXPECT_EQ(camera_.log().back().code, kCodeLoadData);
    EXPECT_EQ(camera_.log().back().payload, data);
    EXPECT_EQ(drive_.protocolErrors(), 0);
}

TEST_F(UsbSessionTest, DriveFailureMidSessionIsUsbNotResponding) {
    Open();
    drive_.failNextCommands(1, 1);  // the write message of the next command
    EXPECT_EQ(Cam_set_factory_code(3), 21);
    EXPECT_EQ(currentConnection->lastResult, 21);
    // The next command reopens the drive and goes through.
    EXPECT_EQ(Cam_set_factory_code(3), 0);
    EXPECT_EQ(drive_.protocolErrors(), 0);
}

TEST_F(UsbSessionTest, FramesGoWholeAndTheNextOneWaitsTenMillisecondsAfterAnAck) {
    Open();
    drive_.clearLog();
    EXPECT_EQ(Cam_get_lcd_type(), camera_.profile().lcdType);
    EXPECT_EQ(Cam_set_factory_code(3), 0);

    // Every message carries one whole unit: a frame or a handshake byte.
    const std::vector<std::vector<uint8_t>> messages = Messages();
    ASSERT_EQ(messages.size(), 3u);  // value request, ACK, set-value frame
    EXPECT_EQ(messages[0].size(), 8u);
    EXPECT_EQ(messages[1], std::vector<uint8_t>{kAck});
    EXPECT_EQ(messages[2].size(), 12u);

    // The value reply's ACK ends with its status command; the next frame's announce follows it
    // after the USB pre-send delay.
    constexpr uint8_t kAnnounce = 0xE8, kStatus = 0xEB;
    const std::vector<ScsiRecord>& log = drive_.log();
    size_t ackStatus = 0;
    for (size_t i = 0, writes = 0; i < log.size(); ++i) {
        if (log[i].cdb[0] == kWriteMessage) ++writes;
        if (writes == 2 && log[i].cdb[0] == kStatus) {
            ackStatus = i;
            break;
        }
    }
    ASSERT_GT(ackStatus, 0u);
    ASSERT_LT(ackStatus + 1, log.size());
    EXPECT_EQ(log[ackStatus + 1].cdb[0], kAnnounce);
    EXPECT_EQ(log[ackStatus + 1].atUs - log[ackStatus].atUs, 10'000u);
    EXPECT_EQ(drive_.protocolErrors(), 0);
}

TEST_F(UsbSessionTest, SessionReopensAfterAnExecuteIsLost) {
    Open();
    // The commit runs far longer than the one completion read waits.
    camera_.profile().executeUsByCode[11] = 24ull * 3600 * 1'000'000;
    EXPECT_EQ(Cam_write_loaded_data(), 0);
    EXPECT_EQ(currentConnection->state, LinkState::Executing);
    drive_.clearLog();

    // The completion read finds nothing, the state becomes Failed, and the readiness query
    // reopens the drive: released, opened again, and answering (still busy).
    EXPECT_EQ(Cam_ready(), 0);
    EXPECT_EQ(drive_.releases(), 1);
    EXPECT_EQ(drive_.openHandles(), 1);
    EXPECT_EQ(currentConnection->port, kUsbPort);
    EXPECT_EQ(currentConnection->vendorId, kR10);
    EXPECT_EQ(currentConnection->lastResult, 0);
    EXPECT_EQ(openPortMarker, kUsbPort);
    EXPECT_EQ(std::popcount(inUseMask()), 1);

    camera_.profile().values[166] = 0x77;
    EXPECT_EQ(Cam_get_lcd_type(), 0x77);
    EXPECT_EQ(drive_.protocolErrors(), 0);
}

TEST_F(UsbSessionTest, NoCameraDriveMeansNoTimeSpentBeforeTheSerialScan) {
    platform_.removeScsiDevice("/dev/sdb");
    VirtualScsiCamera& stick = stick_;
    addScsiCamera(platform_, "/dev/sdc", stick);
    const uint64_t start = platform_.clock().nowUs();
    EXPECT_EQ(Cam_set_port(kUsbPort), -1);
    EXPECT_EQ(platform_.clock().nowUs(), start);
    EXPECT_EQ(stick.openHandles(), 0);
    EXPECT_EQ(stick.log().size(), 1u) << "only INQUIRY";
}

}  // namespace
}  // namespace qorlink::test
