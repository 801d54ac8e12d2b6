/* qorlink: the camera link library.
 *
 * One process-wide connection to one camera, over a serial line or the camera's USB
 * mass-storage interface. Every function works on that connection implicitly and returns a
 * signed 32-bit result:
 *   - commands return a result code: 0 success, 1-23 as listed below, 255 internal failure;
 *   - queries return the value read, -1 on failure, and -2 when an abortable query was cut short
 *     by a silent session reopen.
 * A camera that ended its session is reopened silently by the next command; the caller sees
 * that command's own result.
 *
 * Threading: call from one thread. The library holds no lock; a command that finds another
 * exchange running waits in 50 ms steps. The progress callback runs on the calling thread.
 *
 * Ownership: the library owns the connection and its buffers; callers own every buffer they
 * pass. A fetch writes at most the documented size (or the length the caller gives) into the
 * caller's memory, whatever the camera sends, and fills a record only on success.
 *
 * Result codes: 0 no error, 1 invalid parameter, 2 parameter out of range, 3 port not
 * available, 4 communication failure, 7 close error, 8 write error, 10 read error, 11 open
 * error, 12 camera not responding, 13 camera bad response, 14 camera NAK response, 15 camera
 * DC1 response, 19 user break, 20 session closed by the camera, 21 USB not responding,
 * 22 no connection object, 255 other error.
 */
#ifndef QORLINK_H
#define QORLINK_H

#include <stdint.h>

#if defined(_WIN32)
#define QORLINK_CALL __stdcall
#if defined(QORLINK_BUILDING)
#define QORLINK_API __declspec(dllexport)
#else
#define QORLINK_API __declspec(dllimport)
#endif
#else
#define QORLINK_CALL
#define QORLINK_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Transfer progress: (user value, always 0, percent 0-100); return 0 to stop the transfer. */
typedef int32_t(QORLINK_CALL* QorlinkProgressFn)(int32_t user, int32_t zero, int32_t percent);

/* Record filled by Cam_get_diag_info_2_ext: 7 words, a 28-byte run and a 16-bit value. */
typedef struct QorlinkDiagInfo2Ext {
    int32_t words[7];
    uint8_t bytes[28];
    uint16_t value;
} QorlinkDiagInfo2Ext;

/* Record filled by Cam_get_diag_info_2_ext2: 10 words and a 16-bit value. */
typedef struct QorlinkDiagInfo2Ext2 {
    int32_t words[10];
    uint16_t value;
} QorlinkDiagInfo2Ext2;

/* ---- Connection ------------------------------------------------------------------------- */

/* Releases every connection object, closing any port or device still open. Always 0. */
QORLINK_API int32_t QORLINK_CALL Cam_reset_dll(void);
/* Chooses the line speed (1-6: 9600, 19200, 38400, 57600, 115200, 230400 baud) for the next
   session open. Creates the connection object when missing (22 if that fails). 0, or 2 for an
   index outside 1-6 (the speed then falls back to 19200 at the next open). */
QORLINK_API int32_t QORLINK_CALL Cam_set_speed(int32_t index);
/* Selects where the camera is: 0 searches USB then serial ports 1-2 with probing; 1 or 2 takes
   that serial port without probing; 160 USB only; 0x5AFFFFFF or larger is an OEM identity
   (USB for that vendor, then serial ports 1-2 without probing). Returns the port number found
   (1-9 or 160), -1 when no camera was found, 2 for any other value, 255 while a session is
   open. Creates the connection object when missing; if that fails it returns `port`. */
QORLINK_API int32_t QORLINK_CALL Cam_set_port(int32_t port);
/* Registers the transfer progress callback and its first argument (null removes it). The
   callback runs on the caller's thread during transfers. 0, or 22 without a connection. */
QORLINK_API int32_t QORLINK_CALL Cam_setup_callback(QorlinkProgressFn fn, int32_t user);
/* 1 opens the session; 0 closes it and releases the connection object; 2 opens it (for a camera
   restarting after a firmware update) and releases the object without closing the port. Any
   other mode returns 2 and releases the object. Returns the result code of the step. */
QORLINK_API int32_t QORLINK_CALL Cam_session_enabled(int32_t mode);
/* 1 when no command is still executing and the camera reports readiness, else 0. Poll it after
   execute commands. */
QORLINK_API int32_t QORLINK_CALL Cam_ready(void);
/* The camera's connection state value (asks the camera), -1 on failure. */
QORLINK_API int32_t QORLINK_CALL Cam_connection_state(void);

/* ---- Identity, configuration and status --------------------------------------------------- */
QORLINK_API int32_t QORLINK_CALL Cam_get_serial_no(void* buf);
QORLINK_API int32_t QORLINK_CALL Cam_get_version(void* buf);
QORLINK_API int32_t QORLINK_CALL Cam_get_cam_type(void* buf);
QORLINK_API int32_t QORLINK_CALL Cam_get_selsrc_version(void* buf, int32_t selector);
QORLINK_API int32_t QORLINK_CALL Cam_set_datablock_size(int32_t n);
QORLINK_API int32_t QORLINK_CALL Cam_get_mac_address(int32_t* words);
QORLINK_API int32_t QORLINK_CALL Cam_get_url_info(void* buf);
QORLINK_API int32_t QORLINK_CALL Cam_set_url_info(const void* buf);
QORLINK_API int32_t QORLINK_CALL Cam_get_ncuser_id(void* buf);
QORLINK_API int32_t QORLINK_CALL Cam_set_ncuser_id(const void* buf);
QORLINK_API int32_t QORLINK_CALL Cam_get_factory_code(void);
QORLINK_API int32_t QORLINK_CALL Cam_set_factory_code(int32_t v);
QORLINK_API int32_t QORLINK_CALL Cam_get_number_of_lang(void);
QORLINK_API int32_t QORLINK_CALL Cam_set_number_of_lang(int32_t v);
QORLINK_API int32_t QORLINK_CALL Cam_get_number_of_lang2(void);
QORLINK_API int32_t QORLINK_CALL Cam_set_number_of_lang2(int32_t v);
QORLINK_API int32_t QORLINK_CALL Cam_get_lcd_disp_language(void);
QORLINK_API int32_t QORLINK_CALL Cam_set_lcd_disp_language(int32_t v);
QORLINK_API int32_t QORLINK_CALL Cam_get_lcd_date_format(void);
QORLINK_API int32_t QORLINK_CALL Cam_set_lcd_date_format(int32_t v);
QORLINK_API int32_t QORLINK_CALL Cam_get_timezone(void);
QORLINK_API int32_t QORLINK_CALL Cam_set_timezone(int32_t v);
QORLINK_API int32_t QORLINK_CALL Cam_get_video_signal_mode(void);
QORLINK_API int32_t QORLINK_CALL Cam_set_video_signal_mode(int32_t v);
QORLINK_API int32_t QORLINK_CALL Cam_set_initialize_setting(void);
QORLINK_API int32_t QORLINK_CALL Cam_set_adjust_status(int32_t v);
QORLINK_API int32_t QORLINK_CALL Cam_get_template_chk(void);
QORLINK_API int32_t QORLINK_CALL Cam_get_mode4g(void* buf);
QORLINK_API int32_t QORLINK_CALL Cam_set_mode4g(const void* buf);
QORLINK_API int32_t QORLINK_CALL Cam_format_memory_card(int32_t v);

/* ---- Displays ----------------------------------------------------------------------------- */
QORLINK_API int32_t QORLINK_CALL Cam_get_lcd(void);
QORLINK_API int32_t QORLINK_CALL Cam_control_lcd(int32_t cmd, int32_t v);
QORLINK_API int32_t QORLINK_CALL Cam_get_lcd_type(void);
QORLINK_API int32_t QORLINK_CALL Cam_diag_lcd_disp(int32_t p);
QORLINK_API int32_t QORLINK_CALL Cam_get_diag_lcd_info(int32_t* words);
QORLINK_API int32_t QORLINK_CALL Cam_get_diag_dlcd_info(void* buf);
QORLINK_API int32_t QORLINK_CALL Cam_set_correct_viewer(const void* buf);
QORLINK_API int32_t QORLINK_CALL Cam_get_pafdisp_mode(void);
QORLINK_API int32_t QORLINK_CALL Cam_set_pafdisp_mode(int32_t v);
QORLINK_API int32_t QORLINK_CALL Cam_get_diag_eld_info_size(void);
QORLINK_API int32_t QORLINK_CALL Cam_get_diag_eld_info(void* buf);
QORLINK_API int32_t QORLINK_CALL Cam_set_diag_eld_info(const void* buf);

/* ---- Diagnostics -------------------------------------------------------------------------- */
QORLINK_API int32_t QORLINK_CALL Cam_set_diag_long(int32_t v);
QORLINK_API int32_t QORLINK_CALL Cam_get_diag_long(void);
QORLINK_API int32_t QORLINK_CALL Cam_execute_diag(int32_t n);
QORLINK_API int32_t QORLINK_CALL Cam_set_diag_buffer(const void* buf, int32_t len);
QORLINK_API int32_t QORLINK_CALL Cam_get_diag_buffer(void* buf);
QORLINK_API int32_t QORLINK_CALL Cam_get_diag_buffer_val(void* buf, int32_t len);
QORLINK_API int32_t QORLINK_CALL Cam_get_diag_info(int32_t* words);
QORLINK_API int32_t QORLINK_CALL Cam_get_diag_camera_info(int32_t* words);
QORLINK_API int32_t QORLINK_CALL Cam_get_diag_info_2(int32_t* words);
QORLINK_API int32_t QORLINK_CALL Cam_get_diag_info_2_ext(QorlinkDiagInfo2Ext* record);
QORLINK_API int32_t QORLINK_CALL Cam_get_diag_info_2_ext2(QorlinkDiagInfo2Ext2* record);
QORLINK_API int32_t QORLINK_CALL Cam_get_diag_info4_size(void);
QORLINK_API int32_t QORLINK_CALL Cam_get_diag_info4(void* buf, int32_t len);
QORLINK_API int32_t QORLINK_CALL Cam_set_diag_info4(const void* buf, int32_t len);
QORLINK_API int32_t QORLINK_CALL Cam_get_diag_info5_size(void);
QORLINK_API int32_t QORLINK_CALL Cam_get_diag_info5(void* buf, int32_t len);
QORLINK_API int32_t QORLINK_CALL Cam_set_diag_info5(const void* buf, int32_t len);
QORLINK_API int32_t QORLINK_CALL Cam_get_diag_hall_info(void* buf);
QORLINK_API int32_t QORLINK_CALL Cam_get_diag_mwb_info(void* buf);
QORLINK_API int32_t QORLINK_CALL Cam_get_mwb_target(void* buf);
QORLINK_API int32_t QORLINK_CALL Cam_set_mwb_target(const void* buf);
QORLINK_API int32_t QORLINK_CALL Cam_get_shade_status(void);
QORLINK_API int32_t QORLINK_CALL Cam_set_shade_status(int32_t v);
QORLINK_API int32_t QORLINK_CALL Cam_get_color_shade(void);
QORLINK_API int32_t QORLINK_CALL Cam_set_color_shade(int32_t v);

/* ---- Lens and capture --------------------------------------------------------------------- */
QORLINK_API int32_t QORLINK_CALL Cam_set_focal_length(const int32_t* words);
QORLINK_API int32_t QORLINK_CALL Cam_get_focal_length(int32_t* words);
QORLINK_API int32_t QORLINK_CALL Cam_set_relative_zoom(const void* buf);
QORLINK_API int32_t QORLINK_CALL Cam_get_relative_zoom(void* buf);
QORLINK_API int32_t QORLINK_CALL Cam_set_lens_data(const void* buf);
QORLINK_API int32_t QORLINK_CALL Cam_get_lens_data(void* buf);
QORLINK_API int32_t QORLINK_CALL Cam_set_backrush_pulse(int32_t v);
QORLINK_API int32_t QORLINK_CALL Cam_get_backrush_pulse(void);
QORLINK_API int32_t QORLINK_CALL Cam_set_manual_focus(int32_t v);
QORLINK_API int32_t QORLINK_CALL Cam_get_lens_adj_size(void);
QORLINK_API int32_t QORLINK_CALL Cam_set_lens_adj_param(const void* buf);
QORLINK_API int32_t QORLINK_CALL Cam_get_lens_adj_param(void* buf);
QORLINK_API int32_t QORLINK_CALL Cam_get_lens_state(void* buf);
QORLINK_API int32_t QORLINK_CALL Cam_set_lens_group_param(const void* buf);
QORLINK_API int32_t QORLINK_CALL Cam_set_lens_shutter_state(int32_t v);
QORLINK_API int32_t QORLINK_CALL Cam_set_lens_diaphram_state(int32_t v);
QORLINK_API int32_t QORLINK_CALL Cam_set_lens_step_zoom(int32_t v);
QORLINK_API int32_t QORLINK_CALL Cam_set_lens_second_pulse(int32_t v);
QORLINK_API int32_t QORLINK_CALL Cam_get_lens_second_pulse(void);
QORLINK_API int32_t QORLINK_CALL Cam_take_pic(void);
QORLINK_API int32_t QORLINK_CALL Cam_take_pic2(int32_t p);

/* ---- Stabiliser module and sensor --------------------------------------------------------- */
QORLINK_API int32_t QORLINK_CALL Cam_vr_power(int32_t p);
QORLINK_API int32_t QORLINK_CALL Cam_vr_control(int32_t p);
QORLINK_API int32_t QORLINK_CALL Cam_get_vrmodule_conditions_size(void);
QORLINK_API int32_t QORLINK_CALL Cam_set_vrmodule_conditions_size(int32_t v);
QORLINK_API int32_t QORLINK_CALL Cam_get_vrmodule_conditions(void* buf, int32_t len);
QORLINK_API int32_t QORLINK_CALL Cam_set_vrmodule_conditions(const void* buf, int32_t len);
QORLINK_API int32_t QORLINK_CALL Cam_set_sr_calmode(int32_t v);
QORLINK_API int32_t QORLINK_CALL Cam_get_sr_line_width(void* buf);
QORLINK_API int32_t QORLINK_CALL Cam_get_sr_ccd_info(void* buf);
QORLINK_API int32_t QORLINK_CALL Cam_get_sr_gyro_offset(void* buf);
QORLINK_API int32_t QORLINK_CALL Cam_sr_take_pic(int32_t p);

/* ---- Battery and video -------------------------------------------------------------------- */
QORLINK_API int32_t QORLINK_CALL Cam_get_battery_type(void);
QORLINK_API int32_t QORLINK_CALL Cam_set_battery_type(int32_t v);
QORLINK_API int32_t QORLINK_CALL Cam_get_battery_info(void* buf, int32_t kind);
QORLINK_API int32_t QORLINK_CALL Cam_get_bt_test_setting_size(void);
QORLINK_API int32_t QORLINK_CALL Cam_set_bt_test_setting(const void* buf);
QORLINK_API int32_t QORLINK_CALL Cam_get_bt_test_setting(void* buf);
QORLINK_API int32_t QORLINK_CALL Cam_set_bt_mode(const void* buf);
QORLINK_API int32_t QORLINK_CALL Cam_get_bt_mode(void* buf);
QORLINK_API int32_t QORLINK_CALL Cam_get_analog_video_gain(void* buf);
QORLINK_API int32_t QORLINK_CALL Cam_set_analog_video_gain(const void* buf);

/* ---- Bulk transfer and memory access ------------------------------------------------------ */
/* `file` is the caller's open file: a file descriptor on POSIX, a file HANDLE on Windows. */
QORLINK_API int32_t QORLINK_CALL Cam_load_file_data(intptr_t file, int32_t selector);
QORLINK_API int32_t QORLINK_CALL Cam_load_picture_data(const void* buf, int32_t len);
QORLINK_API int32_t QORLINK_CALL Cam_write_loaded_data(void);
QORLINK_API int32_t QORLINK_CALL Cam_load_vradjcontrol_data(const void* buf, int32_t len);
QORLINK_API int32_t QORLINK_CALL Cam_save_vradjcontrol_data(void* buf, int32_t len);
QORLINK_API int32_t QORLINK_CALL Cam_set_mcumem(const void* record);
QORLINK_API int32_t QORLINK_CALL Cam_get_mcumem(void* record);
QORLINK_API int32_t QORLINK_CALL Cam_set_flmem(const void* record);
QORLINK_API int32_t QORLINK_CALL Cam_get_flmem(void* record);
QORLINK_API int32_t QORLINK_CALL Cam_set_eeprom(const void* record);
QORLINK_API int32_t QORLINK_CALL Cam_get_eeprom(void* record);

/* ---- Key provisioning --------------------------------------------------------------------- */
QORLINK_API int32_t QORLINK_CALL Cam_set_rsa1_key(const void* buf);
QORLINK_API int32_t QORLINK_CALL Cam_get_rsa1_key(void* buf);
QORLINK_API int32_t QORLINK_CALL Cam_set_rsa2_key(const void* buf);
QORLINK_API int32_t QORLINK_CALL Cam_get_rsa2_key(void* buf);
QORLINK_API int32_t QORLINK_CALL Cam_get_rsa_key(const char* source, const char* name, void* out);
QORLINK_API int32_t QORLINK_CALL Cam_get_rsa_key2(const char* source, void* out);

#ifdef __cplusplus
}
#endif

#endif /* QORLINK_H */
