#include "console/link_camera.h"

#include <atomic>

namespace orvia {

namespace {
// The camera whose progress function the library's callback reaches.
std::atomic<LinkCamera*> progressOwner{nullptr};
}  // namespace

LinkCamera::~LinkCamera() {
    LinkCamera* self = this;
    progressOwner.compare_exchange_strong(self, nullptr);
}

int32_t QORLINK_CALL LinkCamera::progressTrampoline(int32_t user, int32_t zero, int32_t percent) {
    LinkCamera* owner = progressOwner.load();
    if (owner == nullptr || !owner->progress_) return 1;
    int32_t result = 1;
    owner->runner_.onCallerThread([&] { result = owner->progress_(user, zero, percent); });
    return result;
}

int32_t LinkCamera::setup_callback(ProgressFn fn, int32_t user) {
    progress_ = std::move(fn);
    const bool active = static_cast<bool>(progress_);
    if (active) progressOwner.store(this);
    return runner_.run(
        [&] { return Cam_setup_callback(active ? &progressTrampoline : nullptr, user); });
}

int32_t LinkCamera::reset_dll() {
    return runner_.run([&] { return Cam_reset_dll(); });
}

int32_t LinkCamera::set_speed(int32_t index) {
    return runner_.run([&] { return Cam_set_speed(index); });
}

int32_t LinkCamera::set_port(int32_t port) {
    return runner_.run([&] { return Cam_set_port(port); });
}

int32_t LinkCamera::session_enabled(int32_t mode) {
    return runner_.run([&] { return Cam_session_enabled(mode); });
}

int32_t LinkCamera::ready() {
    return runner_.run([&] { return Cam_ready(); });
}

int32_t LinkCamera::connection_state() {
    return runner_.run([&] { return Cam_connection_state(); });
}

int32_t LinkCamera::get_serial_no(void* buf) {
    return runner_.run([&] { return Cam_get_serial_no(buf); });
}

int32_t LinkCamera::get_version(void* buf) {
    return runner_.run([&] { return Cam_get_version(buf); });
}

int32_t LinkCamera::get_cam_type(void* buf) {
    return runner_.run([&] { return Cam_get_cam_type(buf); });
}

int32_t LinkCamera::get_selsrc_version(void* buf, int32_t selector) {
    return runner_.run([&] { return Cam_get_selsrc_version(buf, selector); });
}

int32_t LinkCamera::set_datablock_size(int32_t n) {
    return runner_.run([&] { return Cam_set_datablock_size(n); });
}

int32_t LinkCamera::get_mac_address(int32_t* words) {
    return runner_.run([&] { return Cam_get_mac_address(words); });
}

int32_t LinkCamera::get_url_info(void* buf) {
    return runner_.run([&] { return Cam_get_url_info(buf); });
}

int32_t LinkCamera::set_url_info(const void* buf) {
    return runner_.run([&] { return Cam_set_url_info(buf); });
}

int32_t LinkCamera::get_ncuser_id(void* buf) {
    return runner_.run([&] { return Cam_get_ncuser_id(buf); });
}

int32_t LinkCamera::set_ncuser_id(const void* buf) {
    return runner_.run([&] { return Cam_set_ncuser_id(buf); });
}

int32_t LinkCamera::get_factory_code() {
    return runner_.run([&] { return Cam_get_factory_code(); });
}

int32_t LinkCamera::set_factory_code(int32_t v) {
    return runner_.run([&] { return Cam_set_factory_code(v); });
}

int32_t LinkCamera::get_number_of_lang() {
    return runner_.run([&] { return Cam_get_number_of_lang(); });
}

int32_t LinkCamera::set_number_of_lang(int32_t v) {
    return runner_.run([&] { return Cam_set_number_of_lang(v); });
}

int32_t LinkCamera::get_number_of_lang2() {
    return runner_.run([&] { return Cam_get_number_of_lang2(); });
}

int32_t LinkCamera::set_number_of_lang2(int32_t v) {
    return runner_.run([&] { return Cam_set_number_of_lang2(v); });
}

int32_t LinkCamera::get_lcd_disp_language() {
    return runner_.run([&] { return Cam_get_lcd_disp_language(); });
}

int32_t LinkCamera::set_lcd_disp_language(int32_t v) {
    return runner_.run([&] { return Cam_set_lcd_disp_language(v); });
}

int32_t LinkCamera::get_lcd_date_format() {
    return runner_.run([&] { return Cam_get_lcd_date_format(); });
}

int32_t LinkCamera::set_lcd_date_format(int32_t v) {
    return runner_.run([&] { return Cam_set_lcd_date_format(v); });
}

int32_t LinkCamera::get_timezone() {
    return runner_.run([&] { return Cam_get_timezone(); });
}

int32_t LinkCamera::set_timezone(int32_t v) {
    return runner_.run([&] { return Cam_set_timezone(v); });
}

int32_t LinkCamera::get_video_signal_mode() {
    return runner_.run([&] { return Cam_get_video_signal_mode(); });
}

int32_t LinkCamera::set_video_signal_mode(int32_t v) {
    return runner_.run([&] { return Cam_set_video_signal_mode(v); });
}

int32_t LinkCamera::set_initialize_setting() {
    return runner_.run([&] { return Cam_set_initialize_setting(); });
}

int32_t LinkCamera::set_adjust_status(int32_t v) {
    return runner_.run([&] { return Cam_set_adjust_status(v); });
}

int32_t LinkCamera::get_template_chk() {
    return runner_.run([&] { return Cam_get_template_chk(); });
}

int32_t LinkCamera::get_mode4g(void* buf) {
    return runner_.run([&] { return Cam_get_mode4g(buf); });
}

int32_t LinkCamera::set_mode4g(const void* buf) {
    return runner_.run([&] { return Cam_set_mode4g(buf); });
}

int32_t LinkCamera::format_memory_card(int32_t v) {
    return runner_.run([&] { return Cam_format_memory_card(v); });
}

int32_t LinkCamera::get_lcd() {
    return runner_.run([&] { return Cam_get_lcd(); });
}

int32_t LinkCamera::control_lcd(int32_t cmd, int32_t v) {
    return runner_.run([&] { return Cam_control_lcd(cmd, v); });
}

int32_t LinkCamera::get_lcd_type() {
    return runner_.run([&] { return Cam_get_lcd_type(); });
}

int32_t LinkCamera::diag_lcd_disp(int32_t p) {
    return runner_.run([&] { return Cam_diag_lcd_disp(p); });
}

int32_t LinkCamera::get_diag_lcd_info(int32_t* words) {
    return runner_.run([&] { return Cam_get_diag_lcd_info(words); });
}

int32_t LinkCamera::get_diag_dlcd_info(void* buf) {
    return runner_.run([&] { return Cam_get_diag_dlcd_info(buf); });
}

int32_t LinkCamera::set_correct_viewer(const void* buf) {
    return runner_.run([&] { return Cam_set_correct_viewer(buf); });
}

int32_t LinkCamera::get_pafdisp_mode() {
    return runner_.run([&] { return Cam_get_pafdisp_mode(); });
}

int32_t LinkCamera::set_pafdisp_mode(int32_t v) {
    return runner_.run([&] { return Cam_set_pafdisp_mode(v); });
}

int32_t LinkCamera::get_diag_eld_info_size() {
    return runner_.run([&] { return Cam_get_diag_eld_info_size(); });
}

int32_t LinkCamera::get_diag_eld_info(void* buf) {
    return runner_.run([&] { return Cam_get_diag_eld_info(buf); });
}

int32_t LinkCamera::set_diag_eld_info(const void* buf) {
    return runner_.run([&] { return Cam_set_diag_eld_info(buf); });
}

int32_t LinkCamera::set_diag_long(int32_t v) {
    return runner_.run([&] { return Cam_set_diag_long(v); });
}

int32_t LinkCamera::get_diag_long() {
    return runner_.run([&] { return Cam_get_diag_long(); });
}

int32_t LinkCamera::execute_diag(int32_t n) {
    return runner_.run([&] { return Cam_execute_diag(n); });
}

int32_t LinkCamera::set_diag_buffer(const void* buf, int32_t len) {
    return runner_.run([&] { return Cam_set_diag_buffer(buf, len); });
}

int32_t LinkCamera::get_diag_buffer(void* buf) {
    return runner_.run([&] { return Cam_get_diag_buffer(buf); });
}

int32_t LinkCamera::get_diag_buffer_val(void* buf, int32_t len) {
    return runner_.run([&] { return Cam_get_diag_buffer_val(buf, len); });
}

int32_t LinkCamera::get_diag_info(int32_t* words) {
    return runner_.run([&] { return Cam_get_diag_info(words); });
}

int32_t LinkCamera::get_diag_camera_info(int32_t* words) {
    return runner_.run([&] { return Cam_get_diag_camera_info(words); });
}

int32_t LinkCamera::get_diag_info_2(int32_t* words) {
    return runner_.run([&] { return Cam_get_diag_info_2(words); });
}

int32_t LinkCamera::get_diag_info_2_ext(QorlinkDiagInfo2Ext* record) {
    return runner_.run([&] { return Cam_get_diag_info_2_ext(record); });
}

int32_t LinkCamera::get_diag_info_2_ext2(QorlinkDiagInfo2Ext2* record) {
    return runner_.run([&] { return Cam_get_diag_info_2_ext2(record); });
}

int32_t LinkCamera::get_diag_info4_size() {
    return runner_.run([&] { return Cam_get_diag_info4_size(); });
}

int32_t LinkCamera::get_diag_info4(void* buf, int32_t len) {
    return runner_.run([&] { return Cam_get_diag_info4(buf, len); });
}

int32_t LinkCamera::set_diag_info4(const void* buf, int32_t len) {
    return runner_.run([&] { return Cam_set_diag_info4(buf, len); });
}

int32_t LinkCamera::get_diag_info5_size() {
    return runner_.run([&] { return Cam_get_diag_info5_size(); });
}

int32_t LinkCamera::get_diag_info5(void* buf, int32_t len) {
    return runner_.run([&] { return Cam_get_diag_info5(buf, len); });
}

int32_t LinkCamera::set_diag_info5(const void* buf, int32_t len) {
    return runner_.run([&] { return Cam_set_diag_info5(buf, len); });
}

int32_t LinkCamera::get_diag_hall_info(void* buf) {
    return runner_.run([&] { return Cam_get_diag_hall_info(buf); });
}

int32_t LinkCamera::get_diag_mwb_info(void* buf) {
    return runner_.run([&] { return Cam_get_diag_mwb_info(buf); });
}

int32_t LinkCamera::get_mwb_target(void* buf) {
    return runner_.run([&] { return Cam_get_mwb_target(buf); });
}

int32_t LinkCamera::set_mwb_target(const void* buf) {
    return runner_.run([&] { return Cam_set_mwb_target(buf); });
}

int32_t LinkCamera::get_shade_status() {
    return runner_.run([&] { return Cam_get_shade_status(); });
}

int32_t LinkCamera::set_shade_status(int32_t v) {
    return runner_.run([&] { return Cam_set_shade_status(v); });
}

int32_t LinkCamera::get_color_shade() {
    return runner_.run([&] { return Cam_get_color_shade(); });
}

int32_t LinkCamera::set_color_shade(int32_t v) {
    return runner_.run([&] { return Cam_set_color_shade(v); });
}

int32_t LinkCamera::set_focal_length(const int32_t* words) {
    return runner_.run([&] { return Cam_set_focal_length(words); });
}

int32_t LinkCamera::get_focal_length(int32_t* words) {
    return runner_.run([&] { return Cam_get_focal_length(words); });
}

int32_t LinkCamera::set_relative_zoom(const void* buf) {
    return runner_.run([&] { return Cam_set_relative_zoom(buf); });
}

int32_t LinkCamera::get_relative_zoom(void* buf) {
    return runner_.run([&] { return Cam_get_relative_zoom(buf); });
}

int32_t LinkCamera::set_lens_data(const void* buf) {
    return runner_.run([&] { return Cam_set_lens_data(buf); });
}

int32_t LinkCamera::get_lens_data(void* buf) {
    return runner_.run([&] { return Cam_get_lens_data(buf); });
}

int32_t LinkCamera::set_backrush_pulse(int32_t v) {
    return runner_.run([&] { return Cam_set_backrush_pulse(v); });
}

int32_t LinkCamera::get_backrush_pulse() {
    return runner_.run([&] { return Cam_get_backrush_pulse(); });
}

int32_t LinkCamera::set_manual_focus(int32_t v) {
    return runner_.run([&] { return Cam_set_manual_focus(v); });
}

int32_t LinkCamera::get_lens_adj_size() {
    return runner_.run([&] { return Cam_get_lens_adj_size(); });
}

int32_t LinkCamera::set_lens_adj_param(const void* buf) {
    return runner_.run([&] { return Cam_set_lens_adj_param(buf); });
}

int32_t LinkCamera::get_lens_adj_param(void* buf) {
    return runner_.run([&] { return Cam_get_lens_adj_param(buf); });
}

int32_t LinkCamera::get_lens_state(void* buf) {
    return runner_.run([&] { return Cam_get_lens_state(buf); });
}

int32_t LinkCamera::set_lens_group_param(const void* buf) {
    return runner_.run([&] { return Cam_set_lens_group_param(buf); });
}

int32_t LinkCamera::set_lens_shutter_state(int32_t v) {
    return runner_.run([&] { return Cam_set_lens_shutter_state(v); });
}

int32_t LinkCamera::set_lens_diaphram_state(int32_t v) {
    return runner_.run([&] { return Cam_set_lens_diaphram_state(v); });
}

int32_t LinkCamera::set_lens_step_zoom(int32_t v) {
    return runner_.run([&] { return Cam_set_lens_step_zoom(v); });
}

int32_t LinkCamera::set_lens_second_pulse(int32_t v) {
    return runner_.run([&] { return Cam_set_lens_second_pulse(v); });
}

int32_t LinkCamera::get_lens_second_pulse() {
    return runner_.run([&] { return Cam_get_lens_second_pulse(); });
}

int32_t LinkCamera::take_pic() {
    return runner_.run([&] { return Cam_take_pic(); });
}

int32_t LinkCamera::take_pic2(int32_t p) {
    return runner_.run([&] { return Cam_take_pic2(p); });
}

int32_t LinkCamera::vr_power(int32_t p) {
    return runner_.run([&] { return Cam_vr_power(p); });
}

int32_t LinkCamera::vr_control(int32_t p) {
    return runner_.run([&] { return Cam_vr_control(p); });
}

int32_t LinkCamera::get_vrmodule_conditions_size() {
    return runner_.run([&] { return Cam_get_vrmodule_conditions_size(); });
}

int32_t LinkCamera::set_vrmodule_conditions_size(int32_t v) {
    return runner_.run([&] { return Cam_set_vrmodule_conditions_size(v); });
}

int32_t LinkCamera::get_vrmodule_conditions(void* buf, int32_t len) {
    return runner_.run([&] { return Cam_get_vrmodule_conditions(buf, len); });
}

int32_t LinkCamera::set_vrmodule_conditions(const void* buf, int32_t len) {
    return runner_.run([&] { return Cam_set_vrmodule_conditions(buf, len); });
}

int32_t LinkCamera::set_sr_calmode(int32_t v) {
    return runner_.run([&] { return Cam_set_sr_calmode(v); });
}

int32_t LinkCamera::get_sr_line_width(void* buf) {
    return runner_.run([&] { return Cam_get_sr_line_width(buf); });
}

int32_t LinkCamera::get_sr_ccd_info(void* buf) {
    return runner_.run([&] { return Cam_get_sr_ccd_info(buf); });
}

int32_t LinkCamera::get_sr_gyro_offset(void* buf) {
    return runner_.run([&] { return Cam_get_sr_gyro_offset(buf); });
}

int32_t LinkCamera::sr_take_pic(int32_t p) {
    return runner_.run([&] { return Cam_sr_take_pic(p); });
}

int32_t LinkCamera::get_battery_type() {
    return runner_.run([&] { return Cam_get_battery_type(); });
}

int32_t LinkCamera::set_battery_type(int32_t v) {
    return runner_.run([&] { return Cam_set_battery_type(v); });
}

int32_t LinkCamera::get_battery_info(void* buf, int32_t kind) {
    return runner_.run([&] { return Cam_get_battery_info(buf, kind); });
}

int32_t LinkCamera::get_bt_test_setting_size() {
    return runner_.run([&] { return Cam_get_bt_test_setting_size(); });
}

int32_t LinkCamera::set_bt_test_setting(const void* buf) {
    return runner_.run([&] { return Cam_set_bt_test_setting(buf); });
}

int32_t LinkCamera::get_bt_test_setting(void* buf) {
    return runner_.run([&] { return Cam_get_bt_test_setting(buf); });
}

int32_t LinkCamera::set_bt_mode(const void* buf) {
    return runner_.run([&] { return Cam_set_bt_mode(buf); });
}

int32_t LinkCamera::get_bt_mode(void* buf) {
    return runner_.run([&] { return Cam_get_bt_mode(buf); });
}

int32_t LinkCamera::get_analog_video_gain(void* buf) {
    return runner_.run([&] { return Cam_get_analog_video_gain(buf); });
}

int32_t LinkCamera::set_analog_video_gain(const void* buf) {
    return runner_.run([&] { return Cam_set_analog_video_gain(buf); });
}

int32_t LinkCamera::load_file_data(intptr_t file, int32_t selector) {
    return runner_.run([&] { return Cam_load_file_data(file, selector); });
}

int32_t LinkCamera::load_picture_data(const void* buf, int32_t len) {
    return runner_.run([&] { return Cam_load_picture_data(buf, len); });
}

int32_t LinkCamera::write_loaded_data() {
    return runner_.run([&] { return Cam_write_loaded_data(); });
}

int32_t LinkCamera::load_vradjcontrol_data(const void* buf, int32_t len) {
    return runner_.run([&] { return Cam_load_vradjcontrol_data(buf, len); });
}

int32_t LinkCamera::save_vradjcontrol_data(void* buf, int32_t len) {
    return runner_.run([&] { return Cam_save_vradjcontrol_data(buf, len); });
}

int32_t LinkCamera::set_mcumem(const void* record) {
    return runner_.run([&] { return Cam_set_mcumem(record); });
}

int32_t LinkCamera::get_mcumem(void* record) {
    return runner_.run([&] { return Cam_get_mcumem(record); });
}

int32_t LinkCamera::set_flmem(const void* record) {
    return runner_.run([&] { return Cam_set_flmem(record); });
}

int32_t LinkCamera::get_flmem(void* record) {
    return runner_.run([&] { return Cam_get_flmem(record); });
}

int32_t LinkCamera::set_eeprom(const void* record) {
    return runner_.run([&] { return Cam_set_eeprom(record); });
}

int32_t LinkCamera::get_eeprom(void* record) {
    return runner_.run([&] { return Cam_get_eeprom(record); });
}

int32_t LinkCamera::set_rsa1_key(const void* buf) {
    return runner_.run([&] { return Cam_set_rsa1_key(buf); });
}

int32_t LinkCamera::get_rsa1_key(void* buf) {
    return runner_.run([&] { return Cam_get_rsa1_key(buf); });
}

int32_t LinkCamera::set_rsa2_key(const void* buf) {
    return runner_.run([&] { return Cam_set_rsa2_key(buf); });
}

int32_t LinkCamera::get_rsa2_key(void* buf) {
    return runner_.run([&] { return Cam_get_rsa2_key(buf); });
}

int32_t LinkCamera::get_rsa_key(const char* source, const char* name, void* out) {
    return runner_.run([&] { return Cam_get_rsa_key(source, name, out); });
}

int32_t LinkCamera::get_rsa_key2(const char* source, void* out) {
    return runner_.run([&] { return Cam_get_rsa_key2(source, out); });
}

}  // namespace orvia
