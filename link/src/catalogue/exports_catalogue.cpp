// The catalogue exports: each is one call of a generic runner (runners.h) on its row of the
// catalogue (catalogue_table.h).
#include "catalogue/catalogue_table.h"
#include "catalogue/runners.h"
#include "qorlink.h"

using namespace qorlink;

// ---- Identity, configuration and status ----------------------------------------------------
int32_t QORLINK_CALL Cam_get_serial_no(void* buf) {
    return RunFetch(ROW(Cam_get_serial_no), buf);
}
int32_t QORLINK_CALL Cam_get_version(void* buf) {
    return RunFetch(ROW(Cam_get_version), buf);
}
int32_t QORLINK_CALL Cam_get_cam_type(void* buf) {
    return RunFetch(ROW(Cam_get_cam_type), buf);
}
int32_t QORLINK_CALL Cam_get_selsrc_version(void* buf, int32_t selector) {
    return RunFetch(ROW(Cam_get_selsrc_version), buf, selector);
}
int32_t QORLINK_CALL Cam_set_datablock_size(int32_t n) {
    return RunSet(ROW(Cam_set_datablock_size), n);
}
int32_t QORLINK_CALL Cam_get_mac_address(int32_t* words) {
    return RunFetch(ROW(Cam_get_mac_address), words);
}
int32_t QORLINK_CALL Cam_get_url_info(void* buf) {
    return RunFetch(ROW(Cam_get_url_info), buf);
}
int32_t QORLINK_CALL Cam_set_url_info(const void* buf) {
    return RunSend(ROW(Cam_set_url_info), buf);
}
int32_t QORLINK_CALL Cam_get_ncuser_id(void* buf) {
    return RunFetch(ROW(Cam_get_ncuser_id), buf);
}
int32_t QORLINK_CALL Cam_set_ncuser_id(const void* buf) {
    return RunSend(ROW(Cam_set_ncuser_id), buf);
}
int32_t QORLINK_CALL Cam_get_factory_code(void) {
    return RunQuery(ROW(Cam_get_factory_code));
}
int32_t QORLINK_CALL Cam_set_factory_code(int32_t v) {
    return RunSet(ROW(Cam_set_factory_code), v);
}
int32_t QORLINK_CALL Cam_get_number_of_lang(void) {
    return RunQuery(ROW(Cam_get_number_of_lang));
}
int32_t QORLINK_CALL Cam_set_number_of_lang(int32_t v) {
    return RunSet(ROW(Cam_set_number_of_lang), v);
}
int32_t QORLINK_CALL Cam_get_number_of_lang2(void) {
    return RunQuery(ROW(Cam_get_number_of_lang2));
}
int32_t QORLINK_CALL Cam_set_number_of_lang2(int32_t v) {
    return RunSet(ROW(Cam_set_number_of_lang2), v);
}
int32_t QORLINK_CALL Cam_get_lcd_disp_language(void) {
    return RunQuery(ROW(Cam_get_lcd_disp_language));
}
int32_t QORLINK_CALL Cam_set_lcd_disp_language(int32_t v) {
    return RunSet(ROW(Cam_set_lcd_disp_language), v);
}
int32_t QORLINK_CALL Cam_get_lcd_date_format(void) {
    return RunQuery(ROW(Cam_get_lcd_date_format));
}
int32_t QORLINK_CALL Cam_set_lcd_date_format(int32_t v) {
    return RunSet(ROW(Cam_set_lcd_date_format), v);
}
int32_t QORLINK_CALL Cam_get_timezone(void) {
    return RunQuery(ROW(Cam_get_timezone));
}
int32_t QORLINK_CALL Cam_set_timezone(int32_t v) {
    return RunSet(ROW(Cam_set_timezone), v);
}
int32_t QORLINK_CALL Cam_get_video_signal_mode(void) {
    return RunQuery(ROW(Cam_get_video_signal_mode));
}
int32_t QORLINK_CALL Cam_set_video_signal_mode(int32_t v) {
    return RunSet(ROW(Cam_set_video_signal_mode), v);
}
int32_t QORLINK_CALL Cam_set_initialize_setting(void) {
    return RunSet(ROW(Cam_set_initialize_setting));
}
int32_t QORLINK_CALL Cam_set_adjust_status(int32_t v) {
    return RunSet(ROW(Cam_set_adjust_status), v);
}
int32_t QORLINK_CALL Cam_get_template_chk(void) {
    return RunQuery(ROW(Cam_get_template_chk));
}
int32_t QORLINK_CALL Cam_get_mode4g(void* buf) {
    return RunFetch(ROW(Cam_get_mode4g), buf);
}
int32_t QORLINK_CALL Cam_set_mode4g(const void* buf) {
    return RunSend(ROW(Cam_set_mode4g), buf);
}
int32_t QORLINK_CALL Cam_format_memory_card(int32_t v) {
    return RunSet(ROW(Cam_format_memory_card), v);
}

// ---- Displays --------------------------------------------------------------------------------
int32_t QORLINK_CALL Cam_get_lcd(void) {
    return RunQuery(ROW(Cam_get_lcd));
}
int32_t QORLINK_CALL Cam_control_lcd(int32_t cmd, int32_t v) {
    return RunControlLcd(ROW(Cam_control_lcd), cmd, v);
}
int32_t QORLINK_CALL Cam_get_lcd_type(void) {
    return RunQuery(ROW(Cam_get_lcd_type));
}
int32_t QORLINK_CALL Cam_diag_lcd_disp(int32_t p) {
    return RunExecute(ROW(Cam_diag_lcd_disp), p);
}
int32_t QORLINK_CALL Cam_get_diag_lcd_info(int32_t* words) {
    return RunFetch(ROW(Cam_get_diag_lcd_info), words);
}
int32_t QORLINK_CALL Cam_get_diag_dlcd_info(void* buf) {
    return RunFetch(ROW(Cam_get_diag_dlcd_info), buf);
}
int32_t QORLINK_CALL Cam_set_correct_viewer(const void* buf) {
    return RunSend(ROW(Cam_set_correct_viewer), buf);
}
int32_t QORLINK_CALL Cam_get_pafdisp_mode(void) {
    return RunQuery(ROW(Cam_get_pafdisp_mode));
}
int32_t QORLINK_CALL Cam_set_pafdisp_mode(int32_t v) {
    return RunSet(ROW(Cam_set_pafdisp_mode), v);
}
int32_t QORLINK_CALL Cam_get_diag_eld_info_size(void) {
    return RunQuery(ROW(Cam_get_diag_eld_info_size));
}
int32_t QORLINK_CALL Cam_get_diag_eld_info(void* buf) {
    return RunFetch(ROW(Cam_get_diag_eld_info), buf);
}
int32_t QORLINK_CALL Cam_set_diag_eld_info(const void* buf) {
    return RunSend(ROW(Cam_set_diag_eld_info), buf);
}

// ---- Diagnostics -----------------------------------------------------------------------------
int32_t QORLINK_CALL Cam_set_diag_long(int32_t v) {
    return RunSet(ROW(Cam_set_diag_long), v);
}
int32_t QORLINK_CALL Cam_get_diag_long(void) {
    return RunQuery(ROW(Cam_get_diag_long));
}
int32_t QORLINK_CALL Cam_execute_diag(int32_t n) {
    return RunExecute(ROW(Cam_execute_diag), n);
}
int32_t QORLINK_CALL Cam_set_diag_buffer(const void* buf, int32_t len) {
    return RunSend(ROW(Cam_set_diag_buffer), buf, len);
}
int32_t QORLINK_CALL Cam_get_diag_buffer(void* buf) {
    return RunFetch(ROW(Cam_get_diag_buffer), buf);
}
int32_t QORLINK_CALL Cam_get_diag_info(int32_t* words) {
    return RunFetch(ROW(Cam_get_diag_info), words);
}
int32_t QORLINK_CALL Cam_get_diag_camera_info(int32_t* words) {
    return RunFetch(ROW(Cam_get_diag_camera_info), words);
}
int32_t QORLINK_CALL Cam_get_diag_info_2(int32_t* words) {
    return RunFetch(ROW(Cam_get_diag_info_2), words);
}
int32_t QORLINK_CALL Cam_get_diag_info_2_ext(QorlinkDiagInfo2Ext* record) {
    return RunFetch(ROW(Cam_get_diag_info_2_ext), record);
}
int32_t QORLINK_CALL Cam_get_diag_info_2_ext2(QorlinkDiagInfo2Ext2* record) {
    return RunFetch(ROW(Cam_get_diag_info_2_ext2), record);
}
int32_t QORLINK_CALL Cam_get_diag_info4_size(void) {
    return RunQuery(ROW(Cam_get_diag_info4_size));
}
int32_t QORLINK_CALL Cam_get_diag_info4(void* buf, int32_t len) {
    return RunFetch(ROW(Cam_get_diag_info4), buf, len);
}
int32_t QORLINK_CALL Cam_set_diag_info4(const void* buf, int32_t len) {
    return RunSend(ROW(Cam_set_diag_info4), buf, len);
}
int32_t QORLINK_CALL Cam_get_diag_info5_size(void) {
    return RunQuery(ROW(Cam_get_diag_info5_size));
}
int32_t QORLINK_CALL Cam_get_diag_info5(void* buf, int32_t len) {
    return RunFetch(ROW(Cam_get_diag_info5), buf, len);
}
int32_t QORLINK_CALL Cam_set_diag_info5(const void* buf, int32_t len) {
    return RunSend(ROW(Cam_set_diag_info5), buf, len);
}
int32_t QORLINK_CALL Cam_get_diag_hall_info(void* buf) {
    return RunFetch(ROW(Cam_get_diag_hall_info), buf);
}
int32_t QORLINK_CALL Cam_get_diag_mwb_info(void* buf) {
    return RunFetch(ROW(Cam_get_diag_mwb_info), buf);
}
int32_t QORLINK_CALL Cam_get_mwb_target(void* buf) {
    return RunFetch(ROW(Cam_get_mwb_target), buf);
}
int32_t QORLINK_CALL Cam_set_mwb_target(const void* buf) {
    return RunSend(ROW(Cam_set_mwb_target), buf);
}
int32_t QORLINK_CALL Cam_get_shade_status(void) {
    return RunQuery(ROW(Cam_get_shade_status));
}
int32_t QORLINK_CALL Cam_set_shade_status(int32_t v) {
    return RunSet(ROW(Cam_set_shade_status), v);
}
int32_t QORLINK_CALL Cam_get_color_shade(void) {
    return RunQuery(ROW(Cam_get_color_shade));
}
int32_t QORLINK_CALL Cam_set_color_shade(int32_t v) {
    return RunSet(ROW(Cam_set_color_shade), v);
}

// ---- Lens and capture ------------------------------------------------------------------------
int32_t QORLINK_CALL Cam_set_focal_length(const int32_t* words) {
    return RunSend(ROW(Cam_set_focal_length), words);
}
int32_t QORLINK_CALL Cam_get_focal_length(int32_t* words) {
    return RunFetch(ROW(Cam_get_focal_length), words);
}
int32_t QORLINK_CALL Cam_set_relative_zoom(const void* buf) {
    return RunSend(ROW(Cam_set_relative_zoom), buf);
}
int32_t QORLINK_CALL Cam_get_relative_zoom(void* buf) {
    return RunFetch(ROW(Cam_get_relative_zoom), buf);
}
int32_t QORLINK_CALL Cam_set_lens_data(const void* buf) {
    return RunSend(ROW(Cam_set_lens_data), buf);
}
int32_t QORLINK_CALL Cam_get_lens_data(void* buf) {
    return RunFetch(ROW(Cam_get_lens_data), buf);
}
int32_t QORLINK_CALL Cam_set_backrush_pulse(int32_t v) {
    return RunSet(ROW(Cam_set_backrush_pulse), v);
}
int32_t QORLINK_CALL Cam_get_backrush_pulse(void) {
    return RunQuery(ROW(Cam_get_backrush_pulse));
}
int32_t QORLINK_CALL Cam_set_manual_focus(int32_t v) {
    return RunSet(ROW(Cam_set_manual_focus), v);
}
int32_t QORLINK_CALL Cam_get_lens_adj_size(void) {
    return RunQuery(ROW(Cam_get_lens_adj_size));
}
int32_t QORLINK_CALL Cam_set_lens_adj_param(const void* buf) {
    return RunSend(ROW(Cam_set_lens_adj_param), buf);
}
int32_t QORLINK_CALL Cam_get_lens_adj_param(void* buf) {
    return RunFetch(ROW(Cam_get_lens_adj_param), buf);
}
int32_t QORLINK_CALL Cam_get_lens_state(void* buf) {
    return RunFetch(ROW(Cam_get_lens_state), buf);
}
int32_t QORLINK_CALL Cam_set_lens_group_param(const void* buf) {
    return RunSend(ROW(Cam_set_lens_group_param), buf);
}
int32_t QORLINK_CALL Cam_set_lens_shutter_state(int32_t v) {
    return RunSet(ROW(Cam_set_lens_shutter_state), v);
}
int32_t QORLINK_CALL Cam_set_lens_diaphram_state(int32_t v) {
    return RunSet(ROW(Cam_set_lens_diaphram_state), v);
}
int32_t QORLINK_CALL Cam_set_lens_step_zoom(int32_t v) {
    return RunSet(ROW(Cam_set_lens_step_zoom), v);
}
int32_t QORLINK_CALL Cam_set_lens_second_pulse(int32_t v) {
    return RunSet(ROW(Cam_set_lens_second_pulse), v);
}
int32_t QORLINK_CALL Cam_get_lens_second_pulse(void) {
    return RunQuery(ROW(Cam_get_lens_second_pulse));
}
int32_t QORLINK_CALL Cam_take_pic(void) {
    return RunExecute(ROW(Cam_take_pic));
}
int32_t QORLINK_CALL Cam_take_pic2(int32_t p) {
    return RunExecute(ROW(Cam_take_pic2), p);
}

// ---- Stabiliser module and sensor ------------------------------------------------------------
int32_t QORLINK_CALL Cam_vr_power(int32_t p) {
    return RunExecute(ROW(Cam_vr_power), p);
}
int32_t QORLINK_CALL Cam_vr_control(int32_t p) {
    return RunExecute(ROW(Cam_vr_control), p);
}
int32_t QORLINK_CALL Cam_get_vrmodule_conditions_size(void) {
    return RunQuery(ROW(Cam_get_vrmodule_conditions_size));
}
int32_t QORLINK_CALL Cam_set_vrmodule_conditions_size(int32_t v) {
    return RunSet(ROW(Cam_set_vrmodule_conditions_size), v);
}
int32_t QORLINK_CALL Cam_get_vrmodule_conditions(void* buf, int32_t len) {
    return RunFetch(ROW(Cam_get_vrmodule_conditions), buf, len);
}
int32_t QORLINK_CALL Cam_set_vrmodule_conditions(const void* buf, int32_t len) {
    return RunSend(ROW(Cam_set_vrmodule_conditions), buf, len);
}
int32_t QORLINK_CALL Cam_set_sr_calmode(int32_t v) {
    return RunSet(ROW(Cam_set_sr_calmode), v);
}
int32_t QORLINK_CALL Cam_get_sr_line_width(void* buf) {
    return RunFetch(ROW(Cam_get_sr_line_width), buf);
}
int32_t QORLINK_CALL Cam_get_sr_ccd_info(void* buf) {
    return RunFetch(ROW(Cam_get_sr_ccd_info), buf);
}
int32_t QORLINK_CALL Cam_get_sr_gyro_offset(void* buf) {
    return RunFetch(ROW(Cam_get_sr_gyro_offset), buf);
}
int32_t QORLINK_CALL Cam_sr_take_pic(int32_t p) {
    return RunExecute(ROW(Cam_sr_take_pic), p);
}

// ---- Battery and video -----------------------------------------------------------------------
int32_t QORLINK_CALL Cam_get_battery_type(void) {
    return RunQuery(ROW(Cam_get_battery_type));
}
int32_t QORLINK_CALL Cam_set_battery_type(int32_t v) {
    return RunSet(ROW(Cam_set_battery_type), v);
}
int32_t QORLINK_CALL Cam_get_battery_info(void* buf, int32_t kind) {
    return RunFetch(ROW(Cam_get_battery_info), buf, kind);
}
int32_t QORLINK_CALL Cam_get_bt_test_setting_size(void) {
    return RunQuery(ROW(Cam_get_bt_test_setting_size));
}
int32_t QORLINK_CALL Cam_set_bt_test_setting(const void* buf) {
    return RunSend(ROW(Cam_set_bt_test_setting), buf);
}
int32_t QORLINK_CALL Cam_get_bt_test_setting(void* buf) {
    return RunFetch(ROW(Cam_get_bt_test_setting), buf);
}
int32_t QORLINK_CALL Cam_set_bt_mode(const void* buf) {
    return RunSend(ROW(Cam_set_bt_mode), buf);
}
int32_t QORLINK_CALL Cam_get_bt_mode(void* buf) {
    return RunFetch(ROW(Cam_get_bt_mode), buf);
}
int32_t QORLINK_CALL Cam_get_analog_video_gain(void* buf) {
    return RunFetch(ROW(Cam_get_analog_video_gain), buf);
}
int32_t QORLINK_CALL Cam_set_analog_video_gain(const void* buf) {
    return RunSend(ROW(Cam_set_analog_video_gain), buf);
}

// ---- Key records -----------------------------------------------------------------------------
int32_t QORLINK_CALL Cam_set_rsa1_key(const void* buf) {
    return RunSend(ROW(Cam_set_rsa1_key), buf);
}
int32_t QORLINK_CALL Cam_get_rsa1_key(void* buf) {
    return RunFetch(ROW(Cam_get_rsa1_key), buf);
}
int32_t QORLINK_CALL Cam_set_rsa2_key(const void* buf) {
    return RunSend(ROW(Cam_set_rsa2_key), buf);
}
int32_t QORLINK_CALL Cam_get_rsa2_key(void* buf) {
    return RunFetch(ROW(Cam_get_rsa2_key), buf);
}
