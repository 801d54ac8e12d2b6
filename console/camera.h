// The console's one way into the camera: a method per link library function.
//
// Method names are the library's function names without the "Cam_" prefix, with the same
// arguments and results, so every procedure reads like the library's own documentation
// (link/include/qorlink.h). Procedures take a Camera&; the program and the procedure tests
// use LinkCamera, which calls the library through a CallRunner.
#pragma once

#include <cstdint>
#include <functional>

#include "qorlink.h"

namespace orvia {

// Transfer progress: (user value, always 0, percent 0-100); return 0 to stop the transfer.
// Called on the thread that runs the dialogs.
using ProgressFn = std::function<int32_t(int32_t user, int32_t zero, int32_t percent)>;

class Camera {
  public:
    virtual ~Camera() = default;

    // Registers the transfer progress callback (an empty function removes it).
    virtual int32_t setup_callback(ProgressFn fn, int32_t user) = 0;

    // Connection
    virtual int32_t reset_dll() = 0;
    virtual int32_t set_speed(int32_t index) = 0;
    virtual int32_t set_port(int32_t port) = 0;
    virtual int32_t session_enabled(int32_t mode) = 0;
    virtual int32_t ready() = 0;
    virtual int32_t connection_state() = 0;

    // Identity, configuration and status
    virtual int32_t get_serial_no(void* buf) = 0;
    virtual int32_t get_version(void* buf) = 0;
    virtual int32_t get_cam_type(void* buf) = 0;
    virtual int32_t get_selsrc_version(void* buf, int32_t selector) = 0;
    virtual int32_t set_datablock_size(int32_t n) = 0;
    virtual int32_t get_mac_address(int32_t* words) = 0;
    virtual int32_t get_url_info(void* buf) = 0;
    virtual int32_t set_url_info(const void* buf) = 0;
    virtual int32_t get_ncuser_id(void* buf) = 0;
    virtual int32_t set_ncuser_id(const void* buf) = 0;
    virtual int32_t get_factory_code() = 0;
    virtual int32_t set_factory_code(int32_t v) = 0;
    virtual int32_t get_number_of_lang() = 0;
    virtual int32_t set_number_of_lang(int32_t v) = 0;
    virtual int32_t get_number_of_lang2() = 0;
    virtual int32_t set_number_of_lang2(int32_t v) = 0;
    virtual int32_t get_lcd_disp_language() = 0;
    virtual int32_t set_lcd_disp_language(int32_t v) = 0;
    virtual int32_t get_lcd_date_format() = 0;
    virtual int32_t set_lcd_date_format(int32_t v) = 0;
    virtual int32_t get_timezone() = 0;
    virtual int32_t set_timezone(int32_t v) = 0;
    virtual int32_t get_video_signal_mode() = 0;
    virtual int32_t set_video_signal_mode(int32_t v) = 0;
    virtual int32_t set_initialize_setting() = 0;
    virtual int32_t set_adjust_status(int32_t v) = 0;
    virtual int32_t get_template_chk() = 0;
    virtual int32_t get_mode4g(void* buf) = 0;
    virtual int32_t set_mode4g(const void* buf) = 0;
    virtual int32_t format_memory_card(int32_t v) = 0;

    // Displays
    virtual int32_t get_lcd() = 0;
    virtual int32_t control_lcd(int32_t cmd, int32_t v) = 0;
    virtual int32_t get_lcd_type() = 0;
    virtual int32_t diag_lcd_disp(int32_t p) = 0;
    virtual int32_t get_diag_lcd_info(int32_t* words) = 0;
    virtual int32_t get_diag_dlcd_info(void* buf) = 0;
    virtual int32_t set_correct_viewer(const void* buf) = 0;
    virtual int32_t get_pafdisp_mode() = 0;
    virtual int32_t set_pafdisp_mode(int32_t v) = 0;
    virtual int32_t get_diag_eld_info_size() = 0;
    virtual int32_t get_diag_eld_info(void* buf) = 0;
    virtual int32_t set_diag_eld_info(const void* buf) = 0;

    // Diagnostics
    virtual int32_t set_diag_long(int32_t v) = 0;
    virtual int32_t get_diag_long() = 0;
    virtual int32_t execute_diag(int32_t n) = 0;
    virtual int32_t set_diag_buffer(const void* buf, int32_t len) = 0;
    virtual int32_t get_diag_buffer(void* buf) = 0;
    virtual int32_t get_diag_buffer_val(void* buf, int32_t len) = 0;
    virtual int32_t get_diag_info(int32_t* words) = 0;
    virtual int32_t get_diag_camera_info(int32_t* words) = 0;
    virtual int32_t get_diag_info_2(int32_t* words) = 0;
    virtual int32_t get_diag_info_2_ext(QorlinkDiagInfo2Ext* record) = 0;
    virtual int32_t get_diag_info_2_ext2(QorlinkDiagInfo2Ext2* record) = 0;
    virtual int32_t get_diag_info4_size() = 0;
    virtual int32_t get_diag_info4(void* buf, int32_t len) = 0;
    virtual int32_t set_diag_info4(const void* buf, int32_t len) = 0;
    virtual int32_t get_diag_info5_size() = 0;
    virtual int32_t get_diag_info5(void* buf, int32_t len) = 0;
    virtual int32_t set_diag_info5(const void* buf, int32_t len) = 0;
    virtual int32_t get_diag_hall_info(void* buf) = 0;
    virtual int32_t get_diag_mwb_info(void* buf) = 0;
    virtual int32_t get_mwb_target(void* buf) = 0;
    virtual int32_t set_mwb_target(const void* buf) = 0;
    virtual int32_t get_shade_status() = 0;
    virtual int32_t set_shade_status(int32_t v) = 0;
    virtual int32_t get_color_shade() = 0;
    virtual int32_t set_color_shade(int32_t v) = 0;

    // Lens and capture
    virtual int32_t set_focal_length(const int32_t* words) = 0;
    virtual int32_t get_focal_length(int32_t* words) = 0;
    virtual int32_t set_relative_zoom(const void* buf) = 0;
    virtual int32_t get_relative_zoom(void* buf) = 0;
    virtual int32_t set_lens_data(const void* buf) = 0;
    virtual int32_t get_lens_data(void* buf) = 0;
    virtual int32_t set_backrush_pulse(int32_t v) = 0;
    virtual int32_t get_backrush_pulse() = 0;
    virtual int32_t set_manual_focus(int32_t v) = 0;
    virtual int32_t get_lens_adj_size() = 0;
    virtual int32_t set_lens_adj_param(const void* buf) = 0;
    virtual int32_t get_lens_adj_param(void* buf) = 0;
    virtual int32_t get_lens_state(void* buf) = 0;
    virtual int32_t set_lens_group_param(const void* buf) = 0;
    virtual int32_t set_lens_shutter_state(int32_t v) = 0;
    virtual int32_t set_lens_diaphram_state(int32_t v) = 0;
    virtual int32_t set_lens_step_zoom(int32_t v) = 0;
    virtual int32_t set_lens_second_pulse(int32_t v) = 0;
    virtual int32_t get_lens_second_pulse() = 0;
    virtual int32_t take_pic() = 0;
    virtual int32_t take_pic2(int32_t p) = 0;

    // Stabiliser module and sensor
    virtual int32_t vr_power(int32_t p) = 0;
    virtual int32_t vr_control(int32_t p) = 0;
    virtual int32_t get_vrmodule_conditions_size() = 0;
    virtual int32_t set_vrmodule_conditions_size(int32_t v) = 0;
    virtual int32_t get_vrmodule_conditions(void* buf, int32_t len) = 0;
    virtual int32_t set_vrmodule_conditions(const void* buf, int32_t len) = 0;
    virtual int32_t set_sr_calmode(int32_t v) = 0;
    virtual int32_t get_sr_line_width(void* buf) = 0;
    virtual int32_t get_sr_ccd_info(void* buf) = 0;
    virtual int32_t get_sr_gyro_offset(void* buf) = 0;
    virtual int32_t sr_take_pic(int32_t p) = 0;

    // Battery and video
    virtual int32_t get_battery_type() = 0;
    virtual int32_t set_battery_type(int32_t v) = 0;
    virtual int32_t get_battery_info(void* buf, int32_t kind) = 0;
    virtual int32_t get_bt_test_setting_size() = 0;
    virtual int32_t set_bt_test_setting(const void* buf) = 0;
    virtual int32_t get_bt_test_setting(void* buf) = 0;
    virtual int32_t set_bt_mode(const void* buf) = 0;
    virtual int32_t get_bt_mode(void* buf) = 0;
    virtual int32_t get_analog_video_gain(void* buf) = 0;
    virtual int32_t set_analog_video_gain(const void* buf) = 0;

    // Bulk transfer and memory access
    virtual int32_t load_file_data(intptr_t file, int32_t selector) = 0;
    virtual int32_t load_picture_data(const void* buf, int32_t len) = 0;
    virtual int32_t write_loaded_data() = 0;
    virtual int32_t load_vradjcontrol_data(const void* buf, int32_t len) = 0;
    virtual int32_t save_vradjcontrol_data(void* buf, int32_t len) = 0;
    virtual int32_t set_mcumem(const void* record) = 0;
    virtual int32_t get_mcumem(void* record) = 0;
    virtual int32_t set_flmem(const void* record) = 0;
    virtual int32_t get_flmem(void* record) = 0;
    virtual int32_t set_eeprom(const void* record) = 0;
    virtual int32_t get_eeprom(void* record) = 0;

    // Key provisioning
    virtual int32_t set_rsa1_key(const void* buf) = 0;
    virtual int32_t get_rsa1_key(void* buf) = 0;
    virtual int32_t set_rsa2_key(const void* buf) = 0;
    virtual int32_t get_rsa2_key(void* buf) = 0;
    virtual int32_t get_rsa_key(const char* source, const char* name, void* out) = 0;
    virtual int32_t get_rsa_key2(const char* source, void* out) = 0;
};

}  // namespace orvia
