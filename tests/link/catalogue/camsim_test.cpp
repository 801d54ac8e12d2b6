// The catalogue against the software camera with its catalogue model, on the virtual platform:
// records of the profile, diagnostic results, upload and commit, the camera's memories, and the
// identity it stores.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "camsim_fixture.h"
#include "open_file.h"

namespace qorlink::test {
namespace {

class CamsimCatalogueTest : public CamsimSessionTest {
  protected:
    // Polls readiness as the console does, within `seconds` of virtual time.
    bool waitReady(int seconds) {
        const uint64_t end = platform_.clock().nowUs() + uint64_t(seconds) * 1'000'000;
        while (platform_.clock().nowUs() < end) {
            if (Cam_ready() == 1) return true;
            platform_.sleepMs(100);
        }
        return false;
    }
};

TEST_F(CamsimCatalogueTest, ProfileRecordsReachTheCaller) {
    char text[64] = {};
    ASSERT_EQ(Cam_get_serial_no(text), 0);
    EXPECT_STREQ(text, "40012345");
    ASSERT_EQ(Cam_get_selsrc_version(text, 2), 0);
    EXPECT_STREQ(text, "SUB 1.00");

    QorlinkDiagInfo2Ext2 info{};
    ASSERT_EQ(Cam_get_diag_info_2_ext2(&info), 0);
    EXPECT_EQ(info.words[0], 0x400);
    EXPECT_EQ(info.words[9], 0x409);
    EXPECT_EQ(info.value, 40 | 41 << 8);

    int32_t eld[12] = {};
    eld[0] = Cam_get_diag_eld_info_size();
    ASSERT_EQ(eld[0], 48);
    ASSERT_EQ(Cam_get_diag_eld_info(eld), 0);
    EXPECT_EQ(eld[2], 128);

    uint8_t battery[22] = {};
    ASSERT_EQ(Cam_get_battery_info(battery, 2), 0);
    EXPECT_EQ(battery[1], 0x21);
    EXPECT_EQ(Cam_get_lens_adj_size(), 28);
}

TEST_F(CamsimCatalogueTest, DiagnosticProgramsLeaveTheirResultText) {
    model_.setResult(16, "UV matrix : 1.02 0.98", 7);
    ASSERT_EQ(Cam_execute_diag(16), 0);
    ASSERT_TRUE(waitReady(30));
    EXPECT_EQ(Cam_get_diag_long(), 7);
    char text[1024] = {};
    ASSERT_EQ(Cam_get_diag_buffer(text), 0);
    EXPECT_STREQ(text, "UV matrix : 1.02 0.98");
}

// Cam_control_lcd with display command p.
int32_t QORLINK_CALL ControlLcdCommand(int32_t p) {
    return Cam_control_lcd(p, 1);
}

// An execute command carries its parameter in one byte: a number outside 0-255 is refused as out
// of range before anything reaches the camera (259 would otherwise run program 3), and the
// connection stays usable. 255 still goes out whole.
TEST_F(CamsimCatalogueTest, ExecuteParametersOutsideOneByteAreRefusedBeforeSending) {
    struct Export {
        const char* name;
        int code;
        int32_t(QORLINK_CALL* call)(int32_t);
    };
    const Export exports[] = {
        {"Cam_execute_diag", 6, Cam_execute_diag}, {"Cam_diag_lcd_disp", 12, Cam_diag_lcd_disp},
        {"Cam_control_lcd", 8, ControlLcdCommand}, {"Cam_take_pic2", 2, Cam_take_pic2},
        {"Cam_vr_power", 234, Cam_vr_power},       {"Cam_vr_control", 235, Cam_vr_control},
        {"Cam_sr_take_pic", 236, Cam_sr_take_pic},
    };
    for (const Export& e : exports) {
        for (const int32_t bad : {256, 259, -1, INT32_MIN, INT32_MAX}) {
            const size_t logged = camera_.log().size();
            const camsim::Stats before = camera_.stats();
            EXPECT_EQ(e.call(bad), 2) << e.name << " " << bad;
            EXPECT_EQ(camera_.log().size(), logged) << e.name << " " << bad;
            const camsim::Stats after = camera_.stats();
            EXPECT_EQ(after.strayBytes + after.acks + after.naks + after.cans + after.probes,
                      before.strayBytes + before.acks + before.naks + before.cans + before.probes)
                << e.name << " " << bad;
        }
        ASSERT_EQ(e.call(255), 0) << e.name;
        ASSERT_FALSE(camera_.log().empty());
        EXPECT_EQ(camera_.log().back().code, e.code) << e.name;
        EXPECT_EQ(camera_.log().back().value, 255) << e.name;
        ASSERT_TRUE(waitReady(60)) << e.name;
    }
}

TEST_F(CamsimCatalogueTest, CommittedLoadBecomesTheFirmwareVersion) {
    std::string image(70000, '\x5A');
    image.replace(1000, 20, "VERSION=2.00.0101\r\n");
    {
        const OpenFile file(image);
        ASSERT_TRUE(file.ok());
        ASSERT_EQ(Cam_load_file_data(file.handle(), camsim::kSelectorFirmware), 0);
    }
    const std::vector<uint8_t> bytes(image.begin(), image.end());
    EXPECT_EQ(model_.loadedData(), bytes);
    EXPECT_EQ(model_.lastLoad(), bytes);

    ASSERT_EQ(Cam_write_loaded_data(), 0);
    ASSERT_TRUE(waitReady(70));
    EXPECT_EQ(model_.commits(), 1);
    EXPECT_EQ(model_.lastLoad(), bytes) << "kept by the commit";
    char version[32] = {};
    ASSERT_EQ(Cam_get_version(version), 0);
    EXPECT_STREQ(version, "2.00.0101");
}

TEST_F(CamsimCatalogueTest, MemoryWrittenIsReadBack) {
    uint8_t record[8 + 6] = {};
    const int32_t header[2] = {0x8000, 6};
    std::memcpy(record, header, sizeof header);
    std::memcpy(record + 8, "\x01\x02\x03\x04\x05\x06", 6);
    ASSERT_EQ(Cam_set_eeprom(record), 0);
    EXPECT_EQ(model_.readMemory(camsim::kCodeEeprom, 0x8002, 2), (std::vector<uint8_t>{3, 4}));

    uint8_t back[8 + 8];
    const int32_t ask[2] = {0x8002, 8};
    std::memset(back, 0, sizeof back);
    std::memcpy(back, ask, sizeof ask);
    ASSERT_EQ(Cam_get_eeprom(back), 0);
    const uint8_t expected[8] = {3, 4, 5, 6, 0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(0, std::memcmp(back + 8, expected, 8));
    uint8_t flash[8 + 4] = {};
    std::memcpy(flash, ask, 4);
    flash[4] = 4;
    ASSERT_EQ(Cam_get_flmem(flash), 0);
    EXPECT_EQ(flash[8], 0xFF) << "memories are separate";
}

TEST_F(CamsimCatalogueTest, IdentityAndMacAddressWrittenAreReadBack) {
    // Vendor, then a 30-character serial number: the 58-byte read shows both.
    ASSERT_EQ(Cam_set_diag_buffer("ORV     ", 8), 0);
    ASSERT_EQ(Cam_execute_diag(33), 0);
    ASSERT_TRUE(waitReady(15));
    const std::string serial = "575331303031240315211130123456";
    ASSERT_EQ(Cam_set_diag_buffer(serial.data(), 30), 0);
    ASSERT_EQ(Cam_execute_diag(4), 0);
    ASSERT_TRUE(waitReady(15));
    QorlinkDiagInfo2Ext info{};
    ASSERT_EQ(Cam_get_diag_info_2_ext(&info), 0);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(info.words), 8), "ORV     ");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(info.bytes), 28), serial.substr(0, 28));
    EXPECT_EQ(info.value, '5' | '6' << 8);  // little-endian
    char number[32] = {};
    ASSERT_EQ(Cam_get_serial_no(number), 0);
    EXPECT_EQ(std::string(number), serial);

    ASSERT_EQ(Cam_set_diag_long(0x01020304), 0);
    ASSERT_EQ(Cam_execute_diag(26), 0);
    ASSERT_TRUE(waitReady(15));
    ASSERT_EQ(Cam_set_diag_long(0x0A0B0C0D), 0);
    ASSERT_EQ(Cam_execute_diag(27), 0);
    ASSERT_TRUE(waitReady(15));
    int32_t mac[2] = {};
    ASSERT_EQ(Cam_get_mac_address(mac), 0);
    EXPECT_EQ(mac[0], 0x01020304);
    EXPECT_EQ(mac[1], 0x0A0B0C0D);
}

}  // namespace
}  // namespace qorlink::test
