// The shared library's exported names, and every camera export called before the connection
// object exists.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <regex>
#include <set>
#include <string>

#include "catalogue/catalogue.h"
#include "connection.h"
#include "qorlink.h"

namespace qorlink::test {
namespace {

#if !defined(_WIN32)
// On Windows the DLL's export table is checked from the build host (tests/link/exports).
std::set<std::string> DeclaredExports() {
    std::ifstream header(QORLINK_PUBLIC_HEADER);
    const std::regex declaration(R"(QORLINK_API\s+int32_t\s+QORLINK_CALL\s+(Cam_\w+)\s*\()");
    std::set<std::string> names;
    for (std::string line; std::getline(header, line);) {
        std::smatch m;
        if (std::regex_search(line, m, declaration)) names.insert(m[1]);
    }
    return names;
}

TEST(Exports, TheSharedLibraryExportsExactlyTheDeclaredCamFunctions) {
    const std::set<std::string> declared = DeclaredExports();
    ASSERT_EQ(declared.size(), 133u);

    const std::string command = std::string("nm -D --defined-only ") + QORLINK_SHARED_LIBRARY;
    FILE* nm = popen(command.c_str(), "r");
    ASSERT_NE(nm, nullptr);
    std::set<std::string> exported;
    char line[512];
    while (std::fgets(line, sizeof line, nm) != nullptr) {
        std::string s(line);
        const size_t cam = s.find(" Cam_");
        if (cam == std::string::npos) continue;
        exported.insert(s.substr(cam + 1, s.find_first_of(" \n", cam + 1) - cam - 1));
    }
    ASSERT_EQ(pclose(nm), 0) << command;
    EXPECT_EQ(exported, declared);

    for (const Command& row : Catalogue())
        EXPECT_TRUE(declared.count(std::string(row.name))) << row.name << " is not an export";
}

#endif

TEST(Exports, EveryCameraExportWithoutAConnectionReturns22) {
    Cam_reset_dll();
    ASSERT_EQ(currentConnection, nullptr);
    uint8_t b[4096] = {};
    int32_t* w = reinterpret_cast<int32_t*>(b);
    auto* ext = reinterpret_cast<QorlinkDiagInfo2Ext*>(b);
    auto* ext2 = reinterpret_cast<QorlinkDiagInfo2Ext2*>(b);
    const std::function<int32_t()> calls[] = {
        [&] { return Cam_get_serial_no(b); },
        [&] { return Cam_get_version(b); },
        [&] { return Cam_get_cam_type(b); },
        [&] { return Cam_get_selsrc_version(b, 1); },
        [&] { return Cam_set_datablock_size(1); },
        [&] { return Cam_get_mac_address(w); },
        [&] { return Cam_get_url_info(b); },
        [&] { return Cam_set_url_info(b); },
        [&] { return Cam_get_ncuser_id(b); },
        [&] { return Cam_set_ncuser_id(b); },
        [&] { return Cam_get_factory_code(); },
        [&] { return Cam_set_factory_code(1); },
        [&] { return Cam_get_number_of_lang(); },
        [&] { return Cam_set_number_of_lang(1); },
        [&] { return Cam_get_number_of_lang2(); },
        [&] { return Cam_set_number_of_lang2(1); },
        [&] { return Cam_get_lcd_disp_language(); },
        [&] { return Cam_set_lcd_disp_language(1); },
        [&] { return Cam_get_lcd_date_format(); },
        [&] { return Cam_set_lcd_date_format(1); },
        [&] { return Cam_get_timezone(); },
        [&] { return Cam_set_timezone(1); },
        [&] { return Cam_get_video_signal_mode(); },
        [&] { return Cam_set_video_signal_mode(1); },
        [&] { return Cam_set_initialize_setting(); },
        [&] { return Cam_set_adjust_status(1); },
        [&] { return Cam_get_template_chk(); },
        [&] { return Cam_get_mode4g(b); },
        [&] { return Cam_set_mode4g(b); },
        [&] { return Cam_format_memory_card(1); },
        [&] { return Cam_get_lcd(); },
        [&] { return Cam_control_lcd(3, 1); },
        [&] { return Cam_get_lcd_type(); },
        [&] { return Cam_diag_lcd_disp(1); },
        [&] { return Cam_get_diag_lcd_info(w); },
        [&] { return Cam_get_diag_dlcd_info(b); },
        [&] { return Cam_set_correct_viewer(b); },
        [&] { return Cam_get_pafdisp_mode(); },
        [&] { return Cam_set_pafdisp_mode(1); },
        [&] { return Cam_get_diag_eld_info_size(); },
        [&] { return Cam_get_diag_eld_info(b); },
        [&] { return Cam_set_diag_eld_info(b); },
        [&] { return Cam_set_diag_long(1); },
        [&] { return Cam_get_diag_long(); },
        [&] { return Cam_execute_diag(1); },
        [&] { return Cam_set_diag_buffer(b, 4); },
        [&] { return Cam_get_diag_buffer(b); },
        [&] { return Cam_get_diag_buffer_val(b, 4); },
        [&] { return Cam_get_diag_info(w); },
        [&] { return Cam_get_diag_camera_info(w); },
        [&] { return Cam_get_diag_info_2(w); },
        [&] { return Cam_get_diag_info_2_ext(ext); },
        [&] { return Cam_get_diag_info_2_ext2(ext2); },
        [&] { return Cam_get_diag_info4_size(); },
        [&] { return Cam_get_diag_info4(b, 4); },
        [&] { return Cam_set_diag_info4(b, 4); },
        [&] { return Cam_get_diag_info5_size(); },
        [&] { return Cam_get_diag_info5(b, 4); },
        [&] { return Cam_set_diag_info5(b, 4); },
        [&] { return Cam_get_diag_hall_info(b); },
        [&] { return Cam_get_diag_mwb_info(b); },
        [&] { return Cam_get_mwb_target(b); },
        [&] { return Cam_set_mwb_target(b); },
        [&] { return Cam_get_shade_status(); },
        [&] { return Cam_set_shade_status(1); },
        [&] { return Cam_get_color_shade(); },
        [&] { return Cam_set_color_shade(1); },
        [&] { return Cam_set_focal_length(w); },
        [&] { return Cam_get_focal_length(w); },
        [&] { return Cam_set_relative_zoom(b); },
        [&] { return Cam_get_relative_zoom(b); },
        [&] { return Cam_set_lens_data(b); },
        [&] { return Cam_get_lens_data(b); },
        [&] { return Cam_set_backrush_pulse(1); },
        [&] { return Cam_get_backrush_pulse(); },
        [&] { return Cam_set_manual_focus(1); },
        [&] { return Cam_get_lens_adj_size(); },
        [&] { return Cam_set_lens_adj_param(b); },
        [&] { return Cam_get_lens_adj_param(b); },
        [&] { return Cam_get_lens_state(b); },
        [&] { return Cam_set_lens_group_param(b); },
        [&] { return Cam_set_lens_shutter_state(1); },
        [&] { return Cam_set_lens_diaphram_state(1); },
        [&] { return Cam_set_lens_step_zoom(1); },
        [&] { return Cam_set_lens_second_pulse(1); },
        [&] { return Cam_get_lens_second_pulse(); },
        [&] { return Cam_take_pic(); },
        [&] { return Cam_take_pic2(1); },
        [&] { return Cam_vr_power(1); },
        [&] { return Cam_vr_control(1); },
        [&] { return Cam_get_vrmodule_conditions_size(); },
        [&] { return Cam_set_vrmodule_conditions_size(1); },
        [&] { return Cam_get_vrmodule_conditions(b, 4); },
        [&] { return Cam_set_vrmodule_conditions(b, 4); },
        [&] { return Cam_set_sr_calmode(1); },
        [&] { return Cam_get_sr_line_width(b); },
        [&] { return Cam_get_sr_ccd_info(b); },
        [&] { return Cam_get_sr_gyro_offset(b); },
        [&] { return Cam_sr_take_pic(1); },
        [&] { return Cam_get_battery_type(); },
        [&] { return Cam_set_battery_type(1); },
        [&] { return Cam_get_battery_info(b, 1); },
        [&] { return Cam_get_bt_test_setting_size(); },
        [&] { return Cam_set_bt_test_setting(b); },
        [&] { return Cam_get_bt_test_setting(b); },
        [&] { return Cam_set_bt_mode(b); },
        [&] { return Cam_get_bt_mode(b); },
        [&] { return Cam_get_analog_video_gain(b); },
        [&] { return Cam_set_analog_video_gain(b); },
        [&] { return Cam_load_file_data(0, 1); },
        [&] { return Cam_load_picture_data(b, 4); },
        [&] { return Cam_write_loaded_data(); },
        [&] { return Cam_load_vradjcontrol_data(b, 4); },
        [&] { return Cam_save_vradjcontrol_data(b, 4); },
        [&] { return Cam_set_mcumem(b); },
        [&] { return Cam_get_mcumem(b); },
        [&] { return Cam_set_flmem(b); },
        [&] { return Cam_get_flmem(b); },
        [&] { return Cam_set_eeprom(b); },
        [&] { return Cam_get_eeprom(b); },
        [&] { return Cam_set_rsa1_key(b); },
        [&] { return Cam_get_rsa1_key(b); },
        [&] { return Cam_set_rsa2_key(b); },
        [&] { return Cam_get_rsa2_key(b); },
    };
    // Every export but the seven connection functions and the two key functions that never
    // talk to the camera.
    EXPECT_EQ(std::size(calls), 133u - 7u - 2u);
    size_t i = 0;
    for (const auto& call : calls)
        EXPECT_EQ(call(), 22) << "call " << i++;
    EXPECT_EQ(currentConnection, nullptr);
}

}  // namespace
}  // namespace qorlink::test
