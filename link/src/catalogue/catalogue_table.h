// The rows of the command catalogue, one per camera-facing export (see catalogue.h).
//
// The table is a header so that the exports can name their row at compile time: ROW(fn) is the
// row of export fn, and an export without a row does not compile.
#pragma once

#include <cstddef>
#include <iterator>
#include <string_view>

#include "catalogue/catalogue.h"
#include "link_constants.h"

namespace qorlink::table {

constexpr Command Set(std::string_view name, int code) {
    return {name, Builder::Set, code, 0};
}
constexpr Command Query(std::string_view name, int code) {
    return {name, Builder::Query, code, 0};
}
constexpr Command Send(std::string_view name, int code, uint32_t size) {
    return {name, Builder::Send, code, size};
}
constexpr Command Fetch(std::string_view name, int code, uint32_t size) {
    return {name, Builder::Fetch, code, size};
}
constexpr Command Execute(std::string_view name, int code, uint32_t timeoutMs) {
    return {name, Builder::Execute, code, timeoutMs};
}

inline constexpr Command kCatalogue[] = {
    // Identity, configuration and status.
    Fetch("Cam_get_serial_no", 25, 32),
    Fetch("Cam_get_version", 26, 32),
    Fetch("Cam_get_cam_type", 27, 64),
    Fetch("Cam_get_selsrc_version", 110, 64).after(Chain::DiagWordArgument),
    Set("Cam_set_datablock_size", 77),
    Fetch("Cam_get_mac_address", 111, 8).words("w2"),
    Fetch("Cam_get_url_info", 200, 4),
    Send("Cam_set_url_info", 200, 4),
    Fetch("Cam_get_ncuser_id", 206, 8),
    Send("Cam_set_ncuser_id", 206, 8),
    Query("Cam_get_factory_code", 140),
    Set("Cam_set_factory_code", 140),
    Query("Cam_get_number_of_lang", 190),
    Set("Cam_set_number_of_lang", 190),
    Query("Cam_get_number_of_lang2", 205),
    Set("Cam_set_number_of_lang2", 205),
    Query("Cam_get_lcd_disp_language", 53),
    Set("Cam_set_lcd_disp_language", 53),
    Query("Cam_get_lcd_date_format", 41),
    Set("Cam_set_lcd_date_format", 41),
    Query("Cam_get_timezone", 188),
    Set("Cam_set_timezone", 188),
    Query("Cam_get_video_signal_mode", 108),
    Set("Cam_set_video_signal_mode", 108),
    Set("Cam_set_initialize_setting", 109).with(Value::Zero),
    Set("Cam_set_adjust_status", 131),
    Query("Cam_get_template_chk", 189),
    Fetch("Cam_get_mode4g", 240, 36).after(Chain::DiagWordFirstWord),
    Send("Cam_set_mode4g", 240, 36),
    Set("Cam_format_memory_card", 52),

    // Displays.
    Query("Cam_get_lcd", 34),
    Execute("Cam_control_lcd", 8, 60000),  // value code 40 first for commands 3, 5, 6
    Query("Cam_get_lcd_type", 166),
    Execute("Cam_diag_lcd_disp", 12, 60000),
    Fetch("Cam_get_diag_lcd_info", 80, 32).words("w8"),
    Fetch("Cam_get_diag_dlcd_info", 137, 32),
    Send("Cam_set_correct_viewer", 192, 12),
    Query("Cam_get_pafdisp_mode", 154),
    Set("Cam_set_pafdisp_mode", 154),
    Query("Cam_get_diag_eld_info_size", 163),
    Fetch("Cam_get_diag_eld_info", 163, 0).with(Length::FirstWord),
    Send("Cam_set_diag_eld_info", 163, 0).with(Length::FirstWord),

    // Diagnostics.
    Set("Cam_set_diag_long", kCodeDiagWord),
    Query("Cam_get_diag_long", kCodeDiagWord),
    Execute("Cam_execute_diag", 6, 180000),
    Send("Cam_set_diag_buffer", kCodeDiagBuffer, 0).with(Length::Argument),
    Fetch("Cam_get_diag_buffer", kCodeDiagBuffer, 1024),
    Fetch("Cam_get_diag_info", 49, 48).words("w12"),
    Fetch("Cam_get_diag_camera_info", 81, 32).words("w8"),
    Fetch("Cam_get_diag_info_2", 112, 40).words("w10"),
    Fetch("Cam_get_diag_info_2_ext", 112, 58).words("w7 b28 h1"),
    Fetch("Cam_get_diag_info_2_ext2", 112, 42).words("w10 h1"),
    Query("Cam_get_diag_info4_size", 155),
    Fetch("Cam_get_diag_info4", 155, 0).with(Length::Argument),
    Send("Cam_set_diag_info4", 155, 0).with(Length::Argument),
    Query("Cam_get_diag_info5_size", 156),
    Fetch("Cam_get_diag_info5", 156, 0).with(Length::Argument),
    Send("Cam_set_diag_info5", 156, 0).with(Length::Argument),
    Fetch("Cam_get_diag_hall_info", 157, 24),
    Fetch("Cam_get_diag_mwb_info", 241, 24),
    Fetch("Cam_get_mwb_target", 207, 24),
    Send("Cam_set_mwb_target", 207, 24),
    Query("Cam_get_shade_status", 199).abortableQuery(),
    Set("Cam_set_shade_status", 199),
    Query("Cam_get_color_shade", 162),
    Set("Cam_set_color_shade", 162),

    // Lens and capture.
    Send("Cam_set_focal_length", 71, 8).words("w2"),
    Fetch("Cam_get_focal_length", 71, 8).words("w2"),
    Send("Cam_set_relative_zoom", 141, 12),
    Fetch("Cam_get_relative_zoom", 141, 12),
    Send("Cam_set_lens_data", 169, 8),
    Fetch("Cam_get_lens_data", 169, 8),
    Set("Cam_set_backrush_pulse", 143),
    Query("Cam_get_backrush_pulse", 143),
    Set("Cam_set_manual_focus", 103),
    Query("Cam_get_lens_adj_size", 242).abortableQuery(),
    Send("Cam_set_lens_adj_param", 209, 0).with(Length::QueriedOr16, 242),
    Fetch("Cam_get_lens_adj_param", 209, 0).with(Length::QueriedOr16, 242),
    Fetch("Cam_get_lens_state", 210, 8),
    Send("Cam_set_lens_group_param", 212, 6),
    Set("Cam_set_lens_shutter_state", 213),
    Set("Cam_set_lens_diaphram_state", 214),
    Set("Cam_set_lens_step_zoom", 211),
    Set("Cam_set_lens_second_pulse", 187),
    Query("Cam_get_lens_second_pulse", 187),
    Execute("Cam_take_pic", 2, 60000).with(Value::Zero),
    Execute("Cam_take_pic2", 2, 60000),

    // Stabiliser module and sensor.
    Execute("Cam_vr_power", 234, 60000),
    Execute("Cam_vr_control", 235, 60000),
    Query("Cam_get_vrmodule_conditions_size", 202),
    Set("Cam_set_vrmodule_conditions_size", 202).with(Value::LowByte),
    Fetch("Cam_get_vrmodule_conditions", 201, 0).with(Length::Argument),
    Send("Cam_set_vrmodule_conditions", 201, 0).with(Length::Argument),
    Set("Cam_set_sr_calmode", 256),
    Fetch("Cam_get_sr_line_width", 257, 4),
    Fetch("Cam_get_sr_ccd_info", 258, 22),
    Fetch("Cam_get_sr_gyro_offset", 259, 32),
    Execute("Cam_sr_take_pic", 236, 60000),

    // Battery and video.
    Query("Cam_get_battery_type", 168),
    Set("Cam_set_battery_type", 168),
    Fetch("Cam_get_battery_info", 167, 22).with(Length::BatteryKind).after(Chain::DiagWordArgument),
    Query("Cam_get_bt_test_setting_size", 243),
    Send("Cam_set_bt_test_setting", 244, 0).with(Length::QueriedOrFail, 243),
    Fetch("Cam_get_bt_test_setting", 244, 0).with(Length::QueriedOrFail, 243),
    Send("Cam_set_bt_mode", 245, 12),
    Fetch("Cam_get_bt_mode", 245, 12),
    Fetch("Cam_get_analog_video_gain", 261, 8),
    Send("Cam_set_analog_video_gain", 261, 8),

    // Key records held in the camera.
    Send("Cam_set_rsa1_key", 203, 724),
    Fetch("Cam_get_rsa1_key", 203, 724),
    Send("Cam_set_rsa2_key", 204, 136),
    Fetch("Cam_get_rsa2_key", 204, 136),
};

consteval size_t IndexOf(std::string_view name) {
    for (size_t i = 0; i < std::size(kCatalogue); ++i)
        if (kCatalogue[i].name == name) return i;
    throw "export missing from the catalogue";
}

}  // namespace qorlink::table

// The catalogue row of export fn.
#define ROW(fn) ::qorlink::table::kCatalogue[::qorlink::table::IndexOf(#fn)]
