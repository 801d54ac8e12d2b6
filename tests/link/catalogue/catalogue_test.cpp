// The command catalogue against a scripted camera on a virtual serial line: each builder form,
// word records, chained and size-first exports, abortable queries, and bounded copies.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <iterator>
#include <set>
#include <string>

#include "catalogue/catalogue.h"
#include "catalogue/records.h"
#include "connection.h"
#include "qorlink.h"
#include "record_camera.h"
#include "scripted_session.h"

namespace qorlink::test {
namespace {

constexpr uint8_t kGuard = 0xAA;

Bytes Pattern(size_t n, uint8_t seed = 1) {
    Bytes b(n);
    for (size_t i = 0; i < n; ++i)
        b[i] = static_cast<uint8_t>(seed + i * 7);
    return b;
}

class CatalogueTest : public ScriptedSessionTest {
  protected:
    void SetUp() override {
        ScriptedSessionTest::SetUp();
        cam_.commands.clear();
    }
    // Lets an accepted execute command complete, as the camera's ENQ would.
    void finishExecute() {
        if (currentConnection->state == LinkState::Executing) line_.push({0x05});
    }

    RecordCamera cam_{line_};
};

TEST_F(CatalogueTest, EachBuilderFormSendsItsCommandFrame) {
    cam_.values[140] = 77;
    uint8_t buf[64];
    struct Case {
        const char* what;
        std::function<int32_t()> call;
        int32_t result;
        const char* frame;
    };
    const Case cases[] = {
        {"set, class 0x44", [] { return Cam_set_sr_calmode(5); }, 0,
         "1B 44 06 00 00 00 05 00 00 00 05 00"},
        {"set, fixed value 0", [] { return Cam_set_initialize_setting(); }, 0,
         "1B 43 06 00 00 6D 00 00 00 00 6D 00"},
        {"set, low byte", [] { return Cam_set_vrmodule_conditions_size(0x1234); }, 0,
         "1B 43 06 00 00 CA 34 00 00 00 FE 00"},
        {"query", [] { return Cam_get_factory_code(); }, 77, "1B 43 02 00 01 8C 8D 00"},
        {"fetch", [&] { return Cam_get_serial_no(buf); }, 0, "1B 43 02 00 04 19 1D 00"},
        {"execute", [] { return Cam_execute_diag(16); }, 0, "1B 43 03 00 02 06 10 18 00"},
        {"execute, fixed parameter", [] { return Cam_take_pic(); }, 0,
         "1B 43 03 00 02 02 00 04 00"},
        {"execute, display", [] { return Cam_control_lcd(1, 0); }, 0, "1B 43 03 00 02 08 01 0B 00"},
    };
    for (const Case& k : cases) {
        cam_.commands.clear();
        EXPECT_EQ(k.call(), k.result) << k.what;
        ASSERT_EQ(cam_.commands.size(), 1u) << k.what;
        EXPECT_EQ(Hex(cam_.commands[0].frame), k.frame) << k.what;
        finishExecute();
    }
}

TEST_F(CatalogueTest, SendOfAWordRecordIsLittleEndian) {
    const int32_t focal[2] = {10, -16};
    ASSERT_EQ(Cam_set_focal_length(focal), 0);
    EXPECT_EQ(Hex(cam_.received[71]), "0A 00 00 00 F0 FF FF FF");
}

TEST_F(CatalogueTest, WordRecordsTakeWordsRunsAndTrailingValues) {
    Bytes reply = Pattern(58);
    cam_.records[112] = reply;
    QorlinkDiagInfo2Ext ext;
    std::memset(&ext, kGuard, sizeof ext);
    ASSERT_EQ(Cam_get_diag_info_2_ext(&ext), 0);
    for (int k = 0; k < 7; ++k) {
        const uint32_t w = reply[4 * k] | reply[4 * k + 1] << 8 | reply[4 * k + 2] << 16 |
                           static_cast<uint32_t>(reply[4 * k + 3]) << 24;
        EXPECT_EQ(static_cast<uint32_t>(ext.words[k]), w) << "word " << k;
    }
    EXPECT_EQ(0, std::memcmp(ext.bytes, reply.data() + 28, 28));
    EXPECT_EQ(ext.value, reply[56] | reply[57] << 8);

    cam_.records[111] = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x88};
    int32_t mac[2] = {0, 0};
    ASSERT_EQ(Cam_get_mac_address(mac), 0);
    EXPECT_EQ(mac[0], 0x04030201);
    EXPECT_EQ(static_cast<uint32_t>(mac[1]), 0x88070605u);
}

TEST_F(CatalogueTest, ChainedExportsSetTheDiagnosticWordFirst) {
    cam_.records[110] = {'1', '.', '0', '2', 0};
    uint8_t version[64] = {};
    ASSERT_EQ(Cam_get_selsrc_version(version, 0x10004), 0);
    ASSERT_EQ(cam_.commands.size(), 2u);
    EXPECT_EQ(cam_.commands[0].code, 32);
    EXPECT_EQ(cam_.values[32], 0x10004);
    EXPECT_EQ(cam_.commands[1].op, 4);
    EXPECT_EQ(cam_.commands[1].code, 110);
    EXPECT_STREQ(reinterpret_cast<char*>(version), "1.02");

    // A refused first step ends the export before the fetch.
    cam_.commands.clear();
    cam_.refuse.insert(32);
    uint8_t mode[36] = {7};
    EXPECT_NE(Cam_get_mode4g(mode), 0);
    EXPECT_TRUE(cam_.withCode(240).empty());
    EXPECT_EQ(mode[0], 7);
}

TEST_F(CatalogueTest, ControlLcdSetsTheValueFirstForCommands356) {
    struct Case {
        int cmd;
        bool refuseValue;
        int32_t result;
        bool executes;
    };
    const Case cases[] = {{3, false, 0, true},
                          {5, false, 0, true},
                          {3, true, 4, false},
                          {6, true, 4, false},
                          {1, true, 0, true}};
    for (const Case& k : cases) {
        cam_.commands.clear();
        cam_.refuse = k.refuseValue ? std::set<int>{40} : std::set<int>{};
        EXPECT_EQ(Cam_control_lcd(k.cmd, 9), k.result) << "cmd " << k.cmd;
        const auto executes = cam_.withCode(8);
        ASSERT_EQ(executes.size(), k.executes ? 1u : 0u) << "cmd " << k.cmd;
        if (k.executes) {
            EXPECT_EQ(executes[0].payload[0], k.cmd);
        }
        const bool setsValue = k.cmd == 3 || k.cmd == 5 || k.cmd == 6;
        EXPECT_EQ(!cam_.withCode(40).empty(), setsValue) << "cmd " << k.cmd;
        if (setsValue && !k.refuseValue) {
            EXPECT_EQ(cam_.values[40], 9);
        }
        finishExecute();
    }
}

TEST_F(CatalogueTest, AbortableQueriesReturnMinusTwoAfterASessionReopen) {
    struct Case {
        std::function<int32_t()> call;
        int code;
        int32_t expected;
    };
    const Case cases[] = {{[] { return Cam_get_shade_status(); }, 199, -2},
                          {[] { return Cam_get_lens_adj_size(); }, 242, -2},
                          {[] { return Cam_get_color_shade(); }, 162, 5}};
    for (const Case& k : cases) {
        cam_.values[k.code] = 5;
        cam_.endSessionOnce.insert(k.code);
        const int opens = line_.openCount();
        EXPECT_EQ(k.call(), k.expected) << "code " << k.code;
        EXPECT_GT(line_.openCount(), opens) << "code " << k.code << ": session reopened";
        EXPECT_EQ(k.call(), 5) << "code " << k.code << ": next query";
    }
}

// Size-first exports: the camera's size query decides how much is sent or fetched.
TEST_F(CatalogueTest, LensAdjustmentSizeComesFromTheCameraOrFallsBackTo16) {
    cam_.records[209] = Pattern(40);
    for (bool sizeKnown : {true, false}) {
        cam_.commands.clear();
        if (sizeKnown) {
            cam_.values[242] = 28;
            cam_.silent.erase(242);
        } else {
            cam_.silent.insert(242);
        }
        const size_t size = sizeKnown ? 28 : 16;
        uint8_t record[64];
        std::memset(record, kGuard, sizeof record);
        ASSERT_EQ(Cam_get_lens_adj_param(record), 0);
        EXPECT_EQ(0, std::memcmp(record, cam_.records[209].data(), size));
        EXPECT_EQ(record[size], kGuard) << "nothing past the size";

        const Bytes out = Pattern(64, 9);
        ASSERT_EQ(Cam_set_lens_adj_param(out.data()), 0);
        EXPECT_EQ(cam_.received[209], Bytes(out.begin(), out.begin() + static_cast<long>(size)));
    }
}

TEST_F(CatalogueTest, BatteryTestSettingNeedsItsSize) {
    const Bytes data = Pattern(32);
    uint8_t record[32];
    std::memset(record, kGuard, sizeof record);

    cam_.silent.insert(243);
    EXPECT_EQ(Cam_set_bt_test_setting(data.data()), 1);
    EXPECT_EQ(Cam_get_bt_test_setting(record), 1);
    EXPECT_TRUE(cam_.withCode(244).empty()) << "nothing sent without a size";
    EXPECT_EQ(record[0], kGuard);

    cam_.silent.clear();
    cam_.values[243] = 12;
    ASSERT_EQ(Cam_set_bt_test_setting(data.data()), 0);
    EXPECT_EQ(cam_.received[244].size(), 12u);

    cam_.values[243] = 5000;  // more than one reply frame: refused, nothing sent
    cam_.commands.clear();
    EXPECT_EQ(Cam_get_bt_test_setting(record), 1);
    EXPECT_TRUE(cam_.withCode(244).empty());
}

// Every fixed-size fetch row of the catalogue: whatever the camera sends, the caller's memory
// receives the row's size and no more, and its code is the one asked for.
TEST_F(CatalogueTest, FixedFetchesNeverWritePastTheirSize) {
    using Fn = std::function<int32_t(void*)>;
    const std::map<std::string, Fn> fetches = {
        {"Cam_get_serial_no", Cam_get_serial_no},
        {"Cam_get_version", Cam_get_version},
        {"Cam_get_cam_type", Cam_get_cam_type},
        {"Cam_get_selsrc_version", [](void* b) { return Cam_get_selsrc_version(b, 1); }},
        {"Cam_get_mac_address",
         [](void* b) { return Cam_get_mac_address(static_cast<int32_t*>(b)); }},
        {"Cam_get_url_info", Cam_get_url_info},
        {"Cam_get_ncuser_id", Cam_get_ncuser_id},
        {"Cam_get_mode4g", Cam_get_mode4g},
        {"Cam_get_diag_lcd_info",
         [](void* b) { return Cam_get_diag_lcd_info(static_cast<int32_t*>(b)); }},
        {"Cam_get_diag_dlcd_info", Cam_get_diag_dlcd_info},
        {"Cam_get_diag_buffer", Cam_get_diag_buffer},
        {"Cam_get_diag_info", [](void* b) { return Cam_get_diag_info(static_cast<int32_t*>(b)); }},
        {"Cam_get_diag_camera_info",
         [](void* b) { return Cam_get_diag_camera_info(static_cast<int32_t*>(b)); }},
        {"Cam_get_diag_info_2",
         [](void* b) { return Cam_get_diag_info_2(static_cast<int32_t*>(b)); }},
        {"Cam_get_diag_info_2_ext",
         [](void* b) { return Cam_get_diag_info_2_ext(static_cast<QorlinkDiagInfo2Ext*>(b)); }},
        {"Cam_get_diag_info_2_ext2",
         [](void* b) { return Cam_get_diag_info_2_ext2(static_cast<QorlinkDiagInfo2Ext2*>(b)); }},
        {"Cam_get_diag_hall_info", Cam_get_diag_hall_info},
        {"Cam_get_diag_mwb_info", Cam_get_diag_mwb_info},
        {"Cam_get_mwb_target", Cam_get_mwb_target},
        {"Cam_get_focal_length",
         [](void* b) { return Cam_get_focal_length(static_cast<int32_t*>(b)); }},
        {"Cam_get_relative_zoom", Cam_get_relative_zoom},
        {"Cam_get_lens_data", Cam_get_lens_data},
        {"Cam_get_lens_state", Cam_get_lens_state},
        {"Cam_get_sr_line_width", Cam_get_sr_line_width},
        {"Cam_get_sr_ccd_info", Cam_get_sr_ccd_info},
        {"Cam_get_sr_gyro_offset", Cam_get_sr_gyro_offset},
        {"Cam_get_battery_info", [](void* b) { return Cam_get_battery_info(b, 1); }},
        {"Cam_get_bt_mode", Cam_get_bt_mode},
        {"Cam_get_analog_video_gain", Cam_get_analog_video_gain},
        {"Cam_get_rsa1_key", Cam_get_rsa1_key},
        {"Cam_get_rsa2_key", Cam_get_rsa2_key},
    };
    std::set<std::string> covered;
    for (const Command& row : Catalogue()) {
        if (row.builder != Builder::Fetch ||
            (row.length != Length::Fixed && row.length != Length::BatteryKind))
            continue;
        covered.insert(std::string(row.name));
        const auto it = fetches.find(std::string(row.name));
        ASSERT_NE(it, fetches.end()) << row.name << " has no case here";
        const size_t size = row.layout.empty() ? row.size : LayoutSize(row.layout);
        ASSERT_GT(size, 0u) << row.name;

        cam_.records[row.code] = Pattern(2048);
        cam_.commands.clear();
        Bytes buf(size + 256, kGuard);
        ASSERT_EQ(it->second(buf.data()), 0) << row.name;
        const auto sent = cam_.withCode(row.code);
        ASSERT_FALSE(sent.empty()) << row.name;
        EXPECT_EQ(sent.back().op, 4) << row.name;
        EXPECT_EQ(buf[size - 1], cam_.records[row.code][size - 1]) << row.name;
        EXPECT_EQ(Bytes(buf.begin() + static_cast<long>(size), buf.end()), Bytes(256, kGuard))
            << row.name << " wrote past its " << size << " bytes";
    }
    EXPECT_EQ(covered.size(), fetches.size());
}

// The documented contract of every camera export, stated independently of the catalogue table:
// builder, command code, and the record size (Send/Fetch with a fixed size) or the time-out
// (Execute); 0 where the size comes from elsewhere. A row that drifts from this fails here.
TEST(CatalogueRows, EveryExportHasItsDocumentedCodeBuilderAndSize) {
    using B = Builder;
    struct Row {
        const char* name;
        Builder builder;
        int code;
        uint32_t size;
        bool abortable = false;
    };
    const Row rows[] = {
        {"Cam_get_serial_no", B::Fetch, 25, 32},
        {"Cam_get_version", B::Fetch, 26, 32},
        {"Cam_get_cam_type", B::Fetch, 27, 64},
        {"Cam_get_selsrc_version", B::Fetch, 110, 64},
        {"Cam_set_datablock_size", B::Set, 77, 0},
        {"Cam_get_mac_address", B::Fetch, 111, 8},
        {"Cam_get_url_info", B::Fetch, 200, 4},
        {"Cam_set_url_info", B::Send, 200, 4},
        {"Cam_get_ncuser_id", B::Fetch, 206, 8},
        {"Cam_set_ncuser_id", B::Send, 206, 8},
        {"Cam_get_factory_code", B::Query, 140, 0},
        {"Cam_set_factory_code", B::Set, 140, 0},
        {"Cam_get_number_of_lang", B::Query, 190, 0},
        {"Cam_set_number_of_lang", B::Set, 190, 0},
        {"Cam_get_number_of_lang2", B::Query, 205, 0},
        {"Cam_set_number_of_lang2", B::Set, 205, 0},
        {"Cam_get_lcd_disp_language", B::Query, 53, 0},
        {"Cam_set_lcd_disp_language", B::Set, 53, 0},
        {"Cam_get_lcd_date_format", B::Query, 41, 0},
        {"Cam_set_lcd_date_format", B::Set, 41, 0},
        {"Cam_get_timezone", B::Query, 188, 0},
        {"Cam_set_timezone", B::Set, 188, 0},
        {"Cam_get_video_signal_mode", B::Query, 108, 0},
        {"Cam_set_video_signal_mode", B::Set, 108, 0},
        {"Cam_set_initialize_setting", B::Set, 109, 0},
        {"Cam_set_adjust_status", B::Set, 131, 0},
        {"Cam_get_template_chk", B::Query, 189, 0},
        {"Cam_get_mode4g", B::Fetch, 240, 36},
        {"Cam_set_mode4g", B::Send, 240, 36},
        {"Cam_format_memory_card", B::Set, 52, 0},
        {"Cam_get_lcd", B::Query, 34, 0},
        {"Cam_control_lcd", B::Execute, 8, 60000},
        {"Cam_get_lcd_type", B::Query, 166, 0},
        {"Cam_diag_lcd_disp", B::Execute, 12, 60000},
        {"Cam_get_diag_lcd_info", B::Fetch, 80, 32},
        {"Cam_get_diag_dlcd_info", B::Fetch, 137, 32},
        {"Cam_set_correct_viewer", B::Send, 192, 12},
        {"Cam_get_pafdisp_mode", B::Query, 154, 0},
        {"Cam_set_pafdisp_mode", B::Set, 154, 0},
        {"Cam_get_diag_eld_info_size", B::Query, 163, 0},
        {"Cam_get_diag_eld_info", B::Fetch, 163, 0},
        {"Cam_set_diag_eld_info", B::Send, 163, 0},
        {"Cam_set_diag_long", B::Set, 32, 0},
        {"Cam_get_diag_long", B::Query, 32, 0},
        {"Cam_execute_diag", B::Execute, 6, 180000},
        {"Cam_set_diag_buffer", B::Send, 31, 0},
        {"Cam_get_diag_buffer", B::Fetch, 31, 1024},
        {"Cam_get_diag_info", B::Fetch, 49, 48},
        {"Cam_get_diag_camera_info", B::Fetch, 81, 32},
        {"Cam_get_diag_info_2", B::Fetch, 112, 40},
        {"Cam_get_diag_info_2_ext", B::Fetch, 112, 58},
        {"Cam_get_diag_info_2_ext2", B::Fetch, 112, 42},
        {"Cam_get_diag_info4_size", B::Query, 155, 0},
        {"Cam_get_diag_info4", B::Fetch, 155, 0},
        {"Cam_set_diag_info4", B::Send, 155, 0},
        {"Cam_get_diag_info5_size", B::Query, 156, 0},
        {"Cam_get_diag_info5", B::Fetch, 156, 0},
        {"Cam_set_diag_info5", B::Send, 156, 0},
        {"Cam_get_diag_hall_info", B::Fetch, 157, 24},
        {"Cam_get_diag_mwb_info", B::Fetch, 241, 24},
        {"Cam_get_mwb_target", B::Fetch, 207, 24},
        {"Cam_set_mwb_target", B::Send, 207, 24},
        {"Cam_get_shade_status", B::Query, 199, 0, true},
        {"Cam_set_shade_status", B::Set, 199, 0},
        {"Cam_get_color_shade", B::Query, 162, 0},
        {"Cam_set_color_shade", B::Set, 162, 0},
        {"Cam_set_focal_length", B::Send, 71, 8},
        {"Cam_get_focal_length", B::Fetch, 71, 8},
        {"Cam_set_relative_zoom", B::Send, 141, 12},
        {"Cam_get_relative_zoom", B::Fetch, 141, 12},
        {"Cam_set_lens_data", B::Send, 169, 8},
        {"Cam_get_lens_data", B::Fetch, 169, 8},
        {"Cam_set_backrush_pulse", B::Set, 143, 0},
        {"Cam_get_backrush_pulse", B::Query, 143, 0},
        {"Cam_set_manual_focus", B::Set, 103, 0},
        {"Cam_get_lens_adj_size", B::Query, 242, 0, true},
        {"Cam_set_lens_adj_param", B::Send, 209, 0},
        {"Cam_get_lens_adj_param", B::Fetch, 209, 0},
        {"Cam_get_lens_state", B::Fetch, 210, 8},
        {"Cam_set_lens_group_param", B::Send, 212, 6},
        {"Cam_set_lens_shutter_state", B::Set, 213, 0},
        {"Cam_set_lens_diaphram_state", B::Set, 214, 0},
        {"Cam_set_lens_step_zoom", B::Set, 211, 0},
        {"Cam_set_lens_second_pulse", B::Set, 187, 0},
        {"Cam_get_lens_second_pulse", B::Query, 187, 0},
        {"Cam_take_pic", B::Execute, 2, 60000},
        {"Cam_take_pic2", B::Execute, 2, 60000},
        {"Cam_vr_power", B::Execute, 234, 60000},
        {"Cam_vr_control", B::Execute, 235, 60000},
        {"Cam_get_vrmodule_conditions_size", B::Query, 202, 0},
        {"Cam_set_vrmodule_conditions_size", B::Set, 202, 0},
        {"Cam_get_vrmodule_conditions", B::Fetch, 201, 0},
        {"Cam_set_vrmodule_conditions", B::Send, 201, 0},
        {"Cam_set_sr_calmode", B::Set, 256, 0},
        {"Cam_get_sr_line_width", B::Fetch, 257, 4},
        {"Cam_get_sr_ccd_info", B::Fetch, 258, 22},
        {"Cam_get_sr_gyro_offset", B::Fetch, 259, 32},
        {"Cam_sr_take_pic", B::Execute, 236, 60000},
        {"Cam_get_battery_type", B::Query, 168, 0},
        {"Cam_set_battery_type", B::Set, 168, 0},
        {"Cam_get_battery_info", B::Fetch, 167, 22},
        {"Cam_get_bt_test_setting_size", B::Query, 243, 0},
        {"Cam_set_bt_test_setting", B::Send, 244, 0},
        {"Cam_get_bt_test_setting", B::Fetch, 244, 0},
        {"Cam_set_bt_mode", B::Send, 245, 12},
        {"Cam_get_bt_mode", B::Fetch, 245, 12},
        {"Cam_get_analog_video_gain", B::Fetch, 261, 8},
        {"Cam_set_analog_video_gain", B::Send, 261, 8},
        {"Cam_set_rsa1_key", B::Send, 203, 724},
        {"Cam_get_rsa1_key", B::Fetch, 203, 724},
        {"Cam_set_rsa2_key", B::Send, 204, 136},
        {"Cam_get_rsa2_key", B::Fetch, 204, 136},
    };
    ASSERT_EQ(Catalogue().size(), std::size(rows));
    for (const Row& r : rows) {
        const Command* cmd = FindCommand(r.name);
        ASSERT_NE(cmd, nullptr) << r.name;
        EXPECT_EQ(cmd->builder, r.builder) << r.name;
        EXPECT_EQ(cmd->code, r.code) << r.name;
        const bool sized = cmd->builder == Builder::Execute ||
                           (cmd->length == Length::Fixed || cmd->length == Length::BatteryKind);
        const uint32_t size = !sized ? 0
                              : cmd->layout.empty()
                                  ? cmd->size
                                  : static_cast<uint32_t>(LayoutSize(cmd->layout));
        EXPECT_EQ(size, r.size) << r.name;
        EXPECT_EQ(cmd->abortable, r.abortable) << r.name;
    }
}

TEST_F(CatalogueTest, RecordsAreUntouchedWhenTheFetchFails) {
    struct Case {
        const char* what;
        int code;
        std::function<int32_t(void*)> call;
    };
    const Case cases[] = {
        {"word record", 49, [](void* b) { return Cam_get_diag_info(static_cast<int32_t*>(b)); }},
        {"bytes", 25, [](void* b) { return Cam_get_serial_no(b); }},
        {"caller length", 155, [](void* b) { return Cam_get_diag_info4(b, 40); }},
    };
    for (const Case& k : cases) {
        cam_.silent.insert(k.code);
        Bytes buf(64, kGuard);
        EXPECT_NE(k.call(buf.data()), 0) << k.what;
        EXPECT_EQ(buf, Bytes(64, kGuard)) << k.what;
    }
}

TEST_F(CatalogueTest, CallerLengthsAndRecordSizeWordsBoundTheTransfer) {
    cam_.records[155] = Pattern(100);
    Bytes buf(64, kGuard);
    ASSERT_EQ(Cam_get_diag_info4(buf.data(), 10), 0);
    EXPECT_EQ(buf[9], cam_.records[155][9]);
    EXPECT_EQ(buf[10], kGuard);
    EXPECT_EQ(Cam_get_diag_info4(buf.data(), -1), 1);
    EXPECT_EQ(Cam_set_diag_info4(buf.data(), -1), 1);

    // The ELD information block carries its own size in word 0, sent with the record.
    int32_t block[16];
    std::memset(block, kGuard, sizeof block);
    block[0] = 48;
    cam_.records[163] = Pattern(60);
    ASSERT_EQ(Cam_get_diag_eld_info(block), 0);
    EXPECT_EQ(0, std::memcmp(block, cam_.records[163].data(), 48));
    EXPECT_EQ(static_cast<uint32_t>(block[12]), 0xAAAAAAAAu);
    block[0] = 48;
    ASSERT_EQ(Cam_set_diag_eld_info(block), 0);
    ASSERT_EQ(cam_.received[163].size(), 48u);
    EXPECT_EQ(cam_.received[163][0], 48);
}

}  // namespace
}  // namespace qorlink::test
