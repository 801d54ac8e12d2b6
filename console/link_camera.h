// The camera facade over the real link library exports.
#pragma once

#include "console/call_runner.h"
#include "console/camera.h"

namespace orvia {

class LinkCamera final : public Camera {
  public:
    // `runner` must outlive the camera. Only one LinkCamera may hold the progress callback at a
    // time, as the library keeps one connection per process.
    explicit LinkCamera(CallRunner& runner) : runner_(runner) {}
    ~LinkCamera() override;
    LinkCamera(const LinkCamera&) = delete;
    LinkCamera& operator=(const LinkCamera&) = delete;

    int32_t setup_callback(ProgressFn fn, int32_t user) override;

    // Connection
    int32_t reset_dll() override;
    int32_t set_speed(int32_t index) override;
    int32_t set_port(int32_t port) override;
    int32_t session_enabled(int32_t mode) override;
    int32_t ready() override;
    int32_t connection_state() override;

    // Identity, configuration and status
    int32_t get_serial_no(void* buf) override;
    int32_t get_version(void* buf) override;
    int32_t get_cam_type(void* buf) override;
    int32_t get_selsrc_version(void* buf, int32_t selector) override;
    int32_t set_datablock_size(int32_t n) override;
    int32_t get_mac_address(int32_t* words) override;
    int32_t get_url_info(void* buf) override;
    int32_t set_url_info(const void* buf) override;
    int32_t get_ncuser_id(void* buf) override;
    int32_t set_ncuser_id(const void* buf) override;
    int32_t get_factory_code() override;
    int32_t set_factory_code(int32_t v) override;
    int32_t get_number_of_lang() override;
    int32_t set_number_of_lang(int32_t v) override;
    int32_t get_number_of_lang2() override;
    int32_t set_number_of_lang2(int32_t v) override;
    int32_t get_lcd_disp_language() override;
    int32_t set_lcd_disp_language(int32_t v) override;
    int32_t get_lcd_date_format() override;
    int32_t set_lcd_date_format(int32_t v) override;
    int32_t get_timezone() override;
    int32_t set_timezone(int32_t v) override;
    int32_t get_video_signal_mode() override;
    int32_t set_video_signal_mode(int32_t v) override;
    int32_t set_initialize_setting() override;
    int32_t set_adjust_status(int32_t v) override;
    int32_t get_template_chk() override;
    int32_t get_mode4g(void* buf) override;
    int32_t set_mode4g(const void* buf) override;
    int32_t format_memory_card(int32_t v) override;

    // Displays
    int32_t get_lcd() override;
    int32_t control_lcd(int32_t cmd, int32_t v) override;
    int32_t get_lcd_type() override;
    int32_t diag_lcd_disp(int32_t p) override;
    int32_t get_diag_lcd_info(int32_t* words) override;
    int32_t get_diag_dlcd_info(void* buf) override;
    int32_t set_correct_viewer(const void* buf) override;
    int32_t get_pafdisp_mode() override;
    int32_t set_pafdisp_mode(int32_t v) override;
    int32_t get_diag_eld_info_size() override;
    int32_t get_diag_eld_info(void* buf) override;
    int32_t set_diag_eld_info(const void* buf) override;

    // Diagnostics
    int32_t set_diag_long(int32_t v) override;
    int32_t get_diag_long() override;
    int32_t execute_diag(int32_t n) override;
    int32_t set_diag_buffer(const void* buf, int32_t len) override;
    int32_t get_diag_buffer(void* buf) override;
    int32_t get_diag_buffer_val(void* buf, int32_t len) override;
    int32_t get_diag_info(int32_t* words) override;
    int32_t get_diag_camera_info(int32_t* words) override;
    int32_t get_diag_info_2(int32_t* words) override;
    int32_t get_diag_info_2_ext(QorlinkDiagInfo2Ext* record) override;
    int32_t get_diag_info_2_ext2(QorlinkDiagInfo2Ext2* record) override;
    int32_t get_diag_info4_size() override;
    int32_t get_diag_info4(void* buf, int32_t len) override;
    int32_t set_diag_info4(const void* buf, int32_t len) override;
    int32_t get_diag_info5_size() override;
    int32_t get_diag_info5(void* buf, int32_t len) override;
    int32_t set_diag_info5(const void* buf, int32_t len) override;
    int32_t get_diag_hall_info(void* buf) override;
    int32_t get_diag_mwb_info(void* buf) override;
    int32_t get_mwb_target(void* buf) override;
    int32_t set_mwb_target(const void* buf) override;
    int32_t get_shade_status() override;
    int32_t set_shade_status(int32_t v) override;
    int32_t get_color_shade() override;
    int32_t set_color_shade(int32_t v) override;

    // Lens and capture
    int32_t set_focal_length(const int32_t* words) override;
    int32_t get_focal_length(int32_t* words) override;
    int32_t set_relative_zoom(const void* buf) override;
    int32_t get_relative_zoom(void* buf) override;
    int32_t set_lens_data(const void* buf) override;
    int32_t get_lens_data(void* buf) override;
    int32_t set_backrush_pulse(int32_t v) override;
    int32_t get_backrush_pulse() override;
    int32_t set_manual_focus(int32_t v) override;
    int32_t get_lens_adj_size() override;
    int32_t set_lens_adj_param(const void* buf) override;
    int32_t get_lens_adj_param(void* buf) override;
    int32_t get_lens_state(void* buf) override;
    int32_t set_lens_group_param(const void* buf) override;
    int32_t set_lens_shutter_state(int32_t v) override;
    int32_t set_lens_diaphram_state(int32_t v) override;
    int32_t set_lens_step_zoom(int32_t v) override;
    int32_t set_lens_second_pulse(int32_t v) override;
    int32_t get_lens_second_pulse() override;
    int32_t take_pic() override;
    int32_t take_pic2(int32_t p) override;

    // Stabiliser module and sensor
    int32_t vr_power(int32_t p) override;
    int32_t vr_control(int32_t p) override;
    int32_t get_vrmodule_conditions_size() override;
    int32_t set_vrmodule_conditions_size(int32_t v) override;
    int32_t get_vrmodule_conditions(void* buf, int32_t len) override;
    int32_t set_vrmodule_conditions(const void* buf, int32_t len) override;
    int32_t set_sr_calmode(int32_t v) override;
    int32_t get_sr_line_width(void* buf) override;
    int32_t get_sr_ccd_info(void* buf) override;
    int32_t get_sr_gyro_offset(void* buf) override;
    int32_t sr_take_pic(int32_t p) override;

    // Battery and video
    int32_t get_battery_type() override;
    int32_t set_battery_type(int32_t v) override;
    int32_t get_battery_info(void* buf, int32_t kind) override;
    int32_t get_bt_test_setting_size() override;
    int32_t set_bt_test_setting(const void* buf) override;
    int32_t get_bt_test_setting(void* buf) override;
    int32_t set_bt_mode(const void* buf) override;
    int32_t get_bt_mode(void* buf) override;
    int32_t get_analog_video_gain(void* buf) override;
    int32_t set_analog_video_gain(const void* buf) override;

    // Bulk transfer and memory access
    int32_t load_file_data(intptr_t file, int32_t selector) override;
    int32_t load_picture_data(const void* buf, int32_t len) override;
    int32_t write_loaded_data() override;
    int32_t load_vradjcontrol_data(const void* buf, int32_t len) override;
    int32_t save_vradjcontrol_data(void* buf, int32_t len) override;
    int32_t set_mcumem(const void* record) override;
    int32_t get_mcumem(void* record) override;
    int32_t set_flmem(const void* record) override;
    int32_t get_flmem(void* record) override;
    int32_t set_eeprom(const void* record) override;
    int32_t get_eeprom(void* record) override;

    // Key provisioning
    int32_t set_rsa1_key(const void* buf) override;
    int32_t get_rsa1_key(void* buf) override;
    int32_t set_rsa2_key(const void* buf) override;
    int32_t get_rsa2_key(void* buf) override;
    int32_t get_rsa_key(const char* source, const char* name, void* out) override;
    int32_t get_rsa_key2(const char* source, void* out) override;

  private:
    static int32_t QORLINK_CALL progressTrampoline(int32_t user, int32_t zero, int32_t percent);

    CallRunner& runner_;
    ProgressFn progress_;
};

}  // namespace orvia
