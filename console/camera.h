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

// The facade's calls but setup_callback, one line each: X(method, (parameters), (arguments)).
// Camera declares every one as `virtual int32_t method(parameters) = 0`; LinkCamera defines it
// as a call of Cam_<method>(arguments), the arguments being the parameters in order. The
// parameter types are the library function's own (link_camera.cpp checks this when it compiles).
// clang-format off
#define ORVIA_CAMERA_CALLS(X)                                                              \
    /* Connection */                                                                       \
    X(reset_dll, (), ())                                                                   \
    X(set_speed, (int32_t index), (index))                                                 \
    X(set_port, (int32_t port), (port))                                                    \
    X(session_enabled, (int32_t mode), (mode))                                             \
    X(ready, (), ())                                                                       \
    X(connection_state, (), ())                                                            \
                                                                                           \
    /* Identity, configuration and status */                                               \
    X(get_serial_no, (void* buf), (buf))                                                   \
    X(get_version, (void* buf), (buf))                                                     \
    X(get_cam_type, (void* buf), (buf))                                                    \
    X(get_selsrc_version, (void* buf, int32_t selector), (buf, selector))                  \
    X(set_datablock_size, (int32_t n), (n))                                                \
    X(get_mac_address, (int32_t* words), (words))                                          \
    X(get_url_info, (void* buf), (buf))                                                    \
    X(set_url_info, (const void* buf), (buf))                                              \
    X(get_ncuser_id, (void* buf), (buf))                                                   \
    X(set_ncuser_id, (const void* buf), (buf))                                             \
    X(get_factory_code, (), ())                                                            \
    X(set_factory_code, (int32_t v), (v))                                                  \
    X(get_number_of_lang, (), ())                                                          \
    X(set_number_of_lang, (int32_t v), (v))                                                \
    X(get_number_of_lang2, (), ())                                                         \
    X(set_number_of_lang2, (int32_t v), (v))                                               \
    X(get_lcd_disp_language, (), ())                                                       \
    X(set_lcd_disp_language, (int32_t v), (v))                                             \
    X(get_lcd_date_format, (), ())                                                         \
    X(set_lcd_date_format, (int32_t v), (v))                                               \
    X(get_timezone, (), ())                                                                \
    X(set_timezone, (int32_t v), (v))                                                      \
    X(get_video_signal_mode, (), ())                                                       \
    X(set_video_signal_mode, (int32_t v), (v))                                             \
    X(set_initialize_setting, (), ())                                                      \
    X(set_adjust_status, (int32_t v), (v))                                                 \
    X(get_template_chk, (), ())                                                            \
    X(get_mode4g, (void* buf), (buf))                                                      \
    X(set_mode4g, (const void* buf), (buf))                                                \
    X(format_memory_card, (int32_t v), (v))                                                \
                                                                                           \
    /* Displays */                                                                         \
    X(get_lcd, (), ())                                                                     \
    X(control_lcd, (int32_t cmd, int32_t v), (cmd, v))                                     \
    X(get_lcd_type, (), ())                                                                \
    X(diag_lcd_disp, (int32_t p), (p))                                                     \
    X(get_diag_lcd_info, (int32_t* words), (words))                                        \
    X(get_diag_dlcd_info, (void* buf), (buf))                                              \
    X(set_correct_viewer, (const void* buf), (buf))                                        \
    X(get_pafdisp_mode, (), ())                                                            \
    X(set_pafdisp_mode, (int32_t v), (v))                                                  \
    X(get_diag_eld_info_size, (), ())                                                      \
    X(get_diag_eld_info, (void* buf), (buf))                                               \
    X(set_diag_eld_info, (const void* buf), (buf))                                         \
                                                                                           \
    /* Diagnostics */                                                                      \
    X(set_diag_long, (int32_t v), (v))                                                     \
    X(get_diag_long, (), ())                                                               \
    X(execute_diag, (int32_t n), (n))                                                      \
    X(set_diag_buffer, (const void* buf, int32_t len), (buf, len))                         \
    X(get_diag_buffer, (void* buf), (buf))                                                 \
    X(get_diag_buffer_val, (void* buf, int32_t len), (buf, len))                           \
    X(get_diag_info, (int32_t* words), (words))                                            \
    X(get_diag_camera_info, (int32_t* words), (words))                                     \
    X(get_diag_info_2, (int32_t* words), (words))                                          \
    X(get_diag_info_2_ext, (QorlinkDiagInfo2Ext* record), (record))                        \
    X(get_diag_info_2_ext2, (QorlinkDiagInfo2Ext2* record), (record))                      \
    X(get_diag_info4_size, (), ())                                                         \
    X(get_diag_info4, (void* buf, int32_t len), (buf, len))                                \
    X(set_diag_info4, (const void* buf, int32_t len), (buf, len))                          \
    X(get_diag_info5_size, (), ())                                                         \
    X(get_diag_info5, (void* buf, int32_t len), (buf, len))                                \
    X(set_diag_info5, (const void* buf, int32_t len), (buf, len))                          \
    X(get_diag_hall_info, (void* buf), (buf))                                              \
    X(get_diag_mwb_info, (void* buf), (buf))                                               \
    X(get_mwb_target, (void* buf), (buf))                                                  \
    X(set_mwb_target, (const void* buf), (buf))                                            \
    X(get_shade_status, (), ())                                                            \
    X(set_shade_status, (int32_t v), (v))                                                  \
    X(get_color_shade, (), ())                                                             \
    X(set_color_shade, (int32_t v), (v))                                                   \
                                                                                           \
    /* Lens and capture */                                                                 \
    X(set_focal_length, (const int32_t* words), (words))                                   \
    X(get_focal_length, (int32_t* words), (words))                                         \
    X(set_relative_zoom, (const void* buf), (buf))                                         \
    X(get_relative_zoom, (void* buf), (buf))                                               \
    X(set_lens_data, (const void* buf), (buf))                                             \
    X(get_lens_data, (void* buf), (buf))                                                   \
    X(set_backrush_pulse, (int32_t v), (v))                                                \
    X(get_backrush_pulse, (), ())                                                          \
    X(set_manual_focus, (int32_t v), (v))                                                  \
    X(get_lens_adj_size, (), ())                                                           \
    X(set_lens_adj_param, (const void* buf), (buf))                                        \
    X(get_lens_adj_param, (void* buf), (buf))                                              \
    X(get_lens_state, (void* buf), (buf))                                                  \
    X(set_lens_group_param, (const void* buf), (buf))                                      \
    X(set_lens_shutter_state, (int32_t v), (v))                                            \
    X(set_lens_diaphram_state, (int32_t v), (v))                                           \
    X(set_lens_step_zoom, (int32_t v), (v))                                                \
    X(set_lens_second_pulse, (int32_t v), (v))                                             \
    X(get_lens_second_pulse, (), ())                                                       \
    X(take_pic, (), ())                                                                    \
    X(take_pic2, (int32_t p), (p))                                                         \
                                                                                           \
    /* Stabiliser module and sensor */                                                     \
    X(vr_power, (int32_t p), (p))                                                          \
    X(vr_control, (int32_t p), (p))                                                        \
    X(get_vrmodule_conditions_size, (), ())                                                \
    X(set_vrmodule_conditions_size, (int32_t v), (v))                                      \
    X(get_vrmodule_conditions, (void* buf, int32_t len), (buf, len))                       \
    X(set_vrmodule_conditions, (const void* buf, int32_t len), (buf, len))                 \
    X(set_sr_calmode, (int32_t v), (v))                                                    \
    X(get_sr_line_width, (void* buf), (buf))                                               \
    X(get_sr_ccd_info, (void* buf), (buf))                                                 \
    X(get_sr_gyro_offset, (void* buf), (buf))                                              \
    X(sr_take_pic, (int32_t p), (p))                                                       \
                                                                                           \
    /* Battery and video */                                                                \
    X(get_battery_type, (), ())                                                            \
    X(set_battery_type, (int32_t v), (v))                                                  \
    X(get_battery_info, (void* buf, int32_t kind), (buf, kind))                            \
    X(get_bt_test_setting_size, (), ())                                                    \
    X(set_bt_test_setting, (const void* buf), (buf))                                       \
    X(get_bt_test_setting, (void* buf), (buf))                                             \
    X(set_bt_mode, (const void* buf), (buf))                                               \
    X(get_bt_mode, (void* buf), (buf))                                                     \
    X(get_analog_video_gain, (void* buf), (buf))                                           \
    X(set_analog_video_gain, (const void* buf), (buf))                                     \
                                                                                           \
    /* Bulk transfer and memory access */                                                  \
    X(load_file_data, (intptr_t file, int32_t selector), (file, selector))                 \
    X(load_picture_data, (const void* buf, int32_t len), (buf, len))                       \
    X(write_loaded_data, (), ())                                                           \
    X(load_vradjcontrol_data, (const void* buf, int32_t len), (buf, len))                  \
    X(save_vradjcontrol_data, (void* buf, int32_t len), (buf, len))                        \
    X(set_mcumem, (const void* record), (record))                                          \
    X(get_mcumem, (void* record), (record))                                                \
    X(set_flmem, (const void* record), (record))                                           \
    X(get_flmem, (void* record), (record))                                                 \
    X(set_eeprom, (const void* record), (record))                                          \
    X(get_eeprom, (void* record), (record))                                                \
                                                                                           \
    /* Key provisioning */                                                                 \
    X(set_rsa1_key, (const void* buf), (buf))                                              \
    X(get_rsa1_key, (void* buf), (buf))                                                    \
    X(set_rsa2_key, (const void* buf), (buf))                                              \
    X(get_rsa2_key, (void* buf), (buf))                                                    \
    X(get_rsa_key, (const char* source, const char* name, void* out), (source, name, out)) \
    X(get_rsa_key2, (const char* source, void* out), (source, out))
// clang-format on

namespace orvia {

// Transfer progress: (user value, always 0, percent 0-100); return 0 to stop the transfer.
// Called on the thread that runs the dialogs.
using ProgressFn = std::function<int32_t(int32_t user, int32_t zero, int32_t percent)>;

class Camera {
  public:
    virtual ~Camera() = default;

    // Registers the transfer progress callback (an empty function removes it).
    virtual int32_t setup_callback(ProgressFn fn, int32_t user) = 0;

#define ORVIA_CAMERA_DECLARE(name, params, args) virtual int32_t name params = 0;
    ORVIA_CAMERA_CALLS(ORVIA_CAMERA_DECLARE)
#undef ORVIA_CAMERA_DECLARE
};

}  // namespace orvia
