/* qorlink: the camera link library.
 *
 * One process-wide connection to one camera, over a serial line or the camera's USB
 * mass-storage interface. Every function works on that connection implicitly and returns a
 * signed 32-bit result:
 *   - commands return a result code (QorlinkResult below): 0 success, a failure code from
 *     1-24, or 255 for an internal failure;
 *   - queries return the value read, -1 on failure, and -2 when an abortable query was cut short
 *     by a silent session reopen.
 * A camera that ended its session is reopened silently by the next command; the caller sees
 * that command's own result. An execute command carries its parameter in one byte: a parameter
 * outside 0-255 returns QORLINK_OUT_OF_RANGE (2) before anything is sent.
 *
 * Threading: one call runs at a time. A call from another thread while one runs waits for it to
 * end and then runs. A call from inside the progress callback (the running call's own thread)
 * returns QORLINK_BUSY (24) at once without sending anything; queries return -1 then, and
 * Cam_ready 0; Cam_reset_dll there is carried out when the running call ends. The progress
 * callback runs on the calling thread.
 *
 * Ownership: the library owns the connection and its buffers; callers own every buffer they
 * pass. A fetch writes at most the documented size (or the length the caller gives) into the
 * caller's memory, whatever the camera sends, and fills a record only on success.
 */
#ifndef QORLINK_H
#define QORLINK_H

#include <stddef.h>
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

/* Result codes. Codes 5, 6, 9, 16, 17, 18 and 23 have a technician's text but this library never
   returns them. */
typedef enum QorlinkResult {
    QORLINK_OK = 0,                      /* no error */
    QORLINK_INVALID_PARAMETER = 1,       /* an argument was refused (null buffer, bad length) */
    QORLINK_OUT_OF_RANGE = 2,            /* a parameter is out of range (speed, port, mode) */
    QORLINK_PORT_NOT_AVAILABLE = 3,      /* no port selected, or it cannot be used */
    QORLINK_COMMUNICATION_FAILURE = 4,   /* communication with the camera failed */
    QORLINK_INSUFFICIENT_DISK_SPACE = 5, /* insufficient disk space (not returned) */
    QORLINK_USER_DISCONNECTION = 6,      /* user disconnection (not returned) */
    QORLINK_CLOSE_ERROR = 7,             /* closing the port or device failed */
    QORLINK_WRITE_ERROR = 8,             /* writing to the camera failed */
    QORLINK_EXECUTE_ERROR = 9,           /* execute error (not returned) */
    QORLINK_READ_ERROR = 10,             /* reading from the camera failed */
    QORLINK_OPEN_ERROR = 11,             /* opening the session failed */
    QORLINK_NOT_RESPONDING = 12,         /* the camera did not answer */
    QORLINK_BAD_RESPONSE = 13,           /* the camera answered something unexpected */
    QORLINK_NAK1_RESPONSE = 14,          /* the camera refused a frame (NAK) */
    QORLINK_DC1_RESPONSE = 15,           /* the camera answered DC1 */
    QORLINK_BAD_CHECKSUM = 16,           /* bad checksum (not returned) */
    QORLINK_BAD_GETLONG = 17,            /* bad value reply (not returned) */
    QORLINK_BAD_RCVLEN = 18,             /* bad receive length (not returned) */
    QORLINK_USER_BREAK = 19,             /* the progress callback stopped the transfer */
    QORLINK_SESSION_CLOSE = 20,          /* the camera closed the session */
    QORLINK_USB_NOT_RESPONDING = 21,     /* the camera's USB device did not answer */
    QORLINK_NO_CONNECTION = 22,          /* no connection object (text: "LCD not available") */
    QORLINK_FOCUS_NOT_AVAILABLE = 23,    /* focus not available (not returned) */
    QORLINK_BUSY = 24,                   /* another call is running; nothing was sent */
    QORLINK_OTHER_ERROR = 255            /* internal failure */
} QorlinkResult;

/* The technician's text for result code `code` (0-23 and 255); NULL for any other code. */
static inline const char* qorlink_result_text(int32_t code) {
    switch (code) {
        case QORLINK_OK:
            return "No Error";
        case QORLINK_INVALID_PARAMETER:
            return "Invalid Parameter";
        case QORLINK_OUT_OF_RANGE:
            return "Parameter out of range";
        case QORLINK_PORT_NOT_AVAILABLE:
            return "Port not available";
        case QORLINK_COMMUNICATION_FAILURE:
            return "Communication failure";
        case QORLINK_INSUFFICIENT_DISK_SPACE:
            return "Insufficient disk space";
        case QORLINK_USER_DISCONNECTION:
            return "User disconnection";
        case QORLINK_CLOSE_ERROR:
            return "Close error";
        case QORLINK_WRITE_ERROR:
            return "Write error";
        case QORLINK_EXECUTE_ERROR:
            return "Execute error";
        case QORLINK_READ_ERROR:
            return "Read error";
        case QORLINK_OPEN_ERROR:
            return "Open error";
        case QORLINK_NOT_RESPONDING:
            return "Camera not responding";
        case QORLINK_BAD_RESPONSE:
            return "Camera bad response";
        case QORLINK_NAK1_RESPONSE:
            return "Camera NAK1 response";
        case QORLINK_DC1_RESPONSE:
            return "Camera DC1 response";
        case QORLINK_BAD_CHECKSUM:
            return "Bad checksum";
        case QORLINK_BAD_GETLONG:
            return "Bad getlong";
        case QORLINK_BAD_RCVLEN:
            return "Bad rcvlen";
        case QORLINK_USER_BREAK:
            return "User break";
        case QORLINK_SESSION_CLOSE:
            return "Session close";
        case QORLINK_USB_NOT_RESPONDING:
            return "USB not responding";
        case QORLINK_NO_CONNECTION:
            return "LCD not available";
        case QORLINK_FOCUS_NOT_AVAILABLE:
            return "Focus not available";
        case QORLINK_OTHER_ERROR:
            return "Other Error";
        default:
            return NULL;
    }
}

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

/* Releases every connection object, closing any port or device still open. Always 0. Called
   from another thread while a call runs, it waits for that call; called from the progress
   callback, the release happens when the running call ends. */
QORLINK_API int32_t QORLINK_CALL Cam_reset_dll(void);
/* Chooses the line speed (1-6: 9600, 19200, 38400, 57600, 115200, 230400 baud) for the next
   session open. Creates the connection object when missing (22 if that fails). 0, or 2 for an
   index outside 1-6 (the next open then runs the session at 19200 baud). */
QORLINK_API int32_t QORLINK_CALL Cam_set_speed(int32_t index);
/* Selects where the camera is: 0 searches USB then serial ports 1-2 with probing; 1 or 2 takes
   that serial port without probing; 160 USB only; 0x5AFFFFFF or larger is an OEM identity
   (USB for that vendor, then serial ports 1-2 without probing). Returns the port number found
   (1-9 or 160), -1 when no camera was found, 2 for any other value, and 255 (marking the
   connection failed) unless the connection is closed: after a port was already selected or
   while a session is open. Creates the connection object when missing; if that fails it
   returns `port`. */
QORLINK_API int32_t QORLINK_CALL Cam_set_port(int32_t port);
/* Registers the transfer progress callback and its first argument (null removes it). The
   callback runs on the caller's thread during transfers. 0, or 22 without a connection. */
QORLINK_API int32_t QORLINK_CALL Cam_setup_callback(QorlinkProgressFn fn, int32_t user);
/* 1 opens the session; 0 closes it and releases the connection object; 2 opens it (for a camera
   restarting after a firmware update) and releases the object without closing the port. Any
   other mode returns 2 and releases the object. Returns the result code of the step; 22
   without a connection object. */
QORLINK_API int32_t QORLINK_CALL Cam_session_enabled(int32_t mode);
/* 1 when no command is still executing and the camera reports readiness, else 0 (also without
   a connection object). Poll it after execute commands. */
QORLINK_API int32_t QORLINK_CALL Cam_ready(void);
/* The camera's connection state value: query of code 260 (asks the camera), -1 on failure,
   22 without a connection object. */
QORLINK_API int32_t QORLINK_CALL Cam_connection_state(void);

/* ---- Camera commands ----------------------------------------------------------------------
   Each function below names its command code and the exchange it uses: a set (value command),
   a query (value query), a send (data to the camera), a fetch (one reply frame from the camera)
   or an execute (starts a camera program; poll Cam_ready). Sets, sends, fetches and executes
   return a result code; queries return the value. "buf (n bytes)" is caller memory of n bytes:
   a fetch writes at most n bytes there and only when it succeeds; a send reads exactly n. Word
   records arrive as 32-bit little-endian words and are stored in host order. Every function
   here returns 22, without faulting, when called before the connection object exists (before
   Cam_set_speed or Cam_set_port); queries too. A null buf returns 1. */

/* ---- Identity, configuration and status --------------------------------------------------- */
/* Serial number text: fetch of code 25 into buf (32 bytes). */
QORLINK_API int32_t QORLINK_CALL Cam_get_serial_no(void* buf);
/* Firmware version text: fetch of code 26 into buf (32 bytes). */
QORLINK_API int32_t QORLINK_CALL Cam_get_version(void* buf);
/* Camera type text: fetch of code 27 into buf (64 bytes). */
QORLINK_API int32_t QORLINK_CALL Cam_get_cam_type(void* buf);
/* Version text of one part of the camera: sets the diagnostic word (code 32) to `selector`,
   then fetches code 110 into buf (64 bytes). A failed first step is returned at once. */
QORLINK_API int32_t QORLINK_CALL Cam_get_selsrc_version(void* buf, int32_t selector);
/* Set of code 77 with n. */
QORLINK_API int32_t QORLINK_CALL Cam_set_datablock_size(int32_t n);
/* MAC address: fetch of code 111, 8 bytes as 2 little-endian words into words[0..1]. */
QORLINK_API int32_t QORLINK_CALL Cam_get_mac_address(int32_t* words);
/* Fetch of code 200 into buf (4 bytes). */
QORLINK_API int32_t QORLINK_CALL Cam_get_url_info(void* buf);
/* Send of code 200: 4 bytes from buf. */
QORLINK_API int32_t QORLINK_CALL Cam_set_url_info(const void* buf);
/* Fetch of code 206 into buf (8 bytes). */
QORLINK_API int32_t QORLINK_CALL Cam_get_ncuser_id(void* buf);
/* Send of code 206: 8 bytes from buf. */
QORLINK_API int32_t QORLINK_CALL Cam_set_ncuser_id(const void* buf);
/* Query of code 140: the factory code, -1 on failure. */
QORLINK_API int32_t QORLINK_CALL Cam_get_factory_code(void);
/* Set of code 140 with v. */
QORLINK_API int32_t QORLINK_CALL Cam_set_factory_code(int32_t v);
/* Query of code 190: the number of display languages, -1 on failure. */
QORLINK_API int32_t QORLINK_CALL Cam_get_number_of_lang(void);
/* Set of code 190 with v. */
QORLINK_API int32_t QORLINK_CALL Cam_set_number_of_lang(int32_t v);
/* Query of code 205, -1 on failure. */
QORLINK_API int32_t QORLINK_CALL Cam_get_number_of_lang2(void);
/* Set of code 205 with v. */
QORLINK_API int32_t QORLINK_CALL Cam_set_number_of_lang2(int32_t v);
/* Query of code 53: the display language, -1 on failure. */
QORLINK_API int32_t QORLINK_CALL Cam_get_lcd_disp_language(void);
/* Set of code 53 with v. */
QORLINK_API int32_t QORLINK_CALL Cam_set_lcd_disp_language(int32_t v);
/* Query of code 41: the date format, -1 on failure. */
QORLINK_API int32_t QORLINK_CALL Cam_get_lcd_date_format(void);
/* Set of code 41 with v. */
QORLINK_API int32_t QORLINK_CALL Cam_set_lcd_date_format(int32_t v);
/* Query of code 188: the time zone, -1 on failure. */
QORLINK_API int32_t QORLINK_CALL Cam_get_timezone(void);
/* Set of code 188 with v. */
QORLINK_API int32_t QORLINK_CALL Cam_set_timezone(int32_t v);
/* Query of code 108: the video signal mode, -1 on failure. */
QORLINK_API int32_t QORLINK_CALL Cam_get_video_signal_mode(void);
/* Set of code 108 with v. */
QORLINK_API int32_t QORLINK_CALL Cam_set_video_signal_mode(int32_t v);
/* Set of code 109 with 0: restores the camera's settings. */
QORLINK_API int32_t QORLINK_CALL Cam_set_initialize_setting(void);
/* Set of code 131 with v. */
QORLINK_API int32_t QORLINK_CALL Cam_set_adjust_status(int32_t v);
/* Query of code 189: the template check value, -1 on failure. */
QORLINK_API int32_t QORLINK_CALL Cam_get_template_chk(void);
/* Sets the diagnostic word (code 32) to the first 32-bit word of buf, then fetches code 240
   into buf (36 bytes). A failed first step is returned at once. */
QORLINK_API int32_t QORLINK_CALL Cam_get_mode4g(void* buf);
/* Send of code 240: 36 bytes from buf. */
QORLINK_API int32_t QORLINK_CALL Cam_set_mode4g(const void* buf);
/* Set of code 52 with v. */
QORLINK_API int32_t QORLINK_CALL Cam_format_memory_card(int32_t v);

/* ---- Displays ----------------------------------------------------------------------------- */
/* Query of code 34: the camera's current display state, -1 on failure. */
QORLINK_API int32_t QORLINK_CALL Cam_get_lcd(void);
/* Display command: for cmd 3, 5 and 6 first a set of code 40 with v, whose failure returns 4
   (communication failure) without going on; then execute code 8 with parameter cmd (60 s).
   cmd travels as one byte. Poll Cam_ready afterwards. */
QORLINK_API int32_t QORLINK_CALL Cam_control_lcd(int32_t cmd, int32_t v);
/* Query of code 166: the display panel type, -1 on failure. */
QORLINK_API int32_t QORLINK_CALL Cam_get_lcd_type(void);
/* Execute code 12 with parameter p (display pattern, one byte; 60 s). Poll Cam_ready
   afterwards. */
QORLINK_API int32_t QORLINK_CALL Cam_diag_lcd_disp(int32_t p);
/* Fetch of code 80: 32 bytes as 8 little-endian words into words[0..7]. */
QORLINK_API int32_t QORLINK_CALL Cam_get_diag_lcd_info(int32_t* words);
/* Fetch of code 137 into buf (32 bytes). */
QORLINK_API int32_t QORLINK_CALL Cam_get_diag_dlcd_info(void* buf);
/* Send of code 192: 12 bytes from buf. */
QORLINK_API int32_t QORLINK_CALL Cam_set_correct_viewer(const void* buf);
/* Query of code 154, -1 on failure. */
QORLINK_API int32_t QORLINK_CALL Cam_get_pafdisp_mode(void);
/* Set of code 154 with v. */
QORLINK_API int32_t QORLINK_CALL Cam_set_pafdisp_mode(int32_t v);
/* Query of code 163: the size in bytes of the ELD information block, -1 on failure. */
QORLINK_API int32_t QORLINK_CALL Cam_get_diag_eld_info_size(void);
/* Fetch of code 163 into buf. The caller stores the block size in bytes in the first 32-bit
   word of buf; at most that many bytes are written. 1 when that size is negative. */
QORLINK_API int32_t QORLINK_CALL Cam_get_diag_eld_info(void* buf);
/* Send of code 163: the first 32-bit word of buf gives the length; the whole block, size
   word included, is sent. 1 when that size is negative. */
QORLINK_API int32_t QORLINK_CALL Cam_set_diag_eld_info(const void* buf);

/* ---- Diagnostics -------------------------------------------------------------------------- */
/* Set of code 32: the diagnostic parameter word. */
QORLINK_API int32_t QORLINK_CALL Cam_set_diag_long(int32_t v);
/* Query of code 32: the diagnostic parameter word, -1 on failure. */
QORLINK_API int32_t QORLINK_CALL Cam_get_diag_long(void);
/* Execute code 6 with parameter n (one byte): starts diagnostic program n (180 s). Poll
   Cam_ready afterwards. */
QORLINK_API int32_t QORLINK_CALL Cam_execute_diag(int32_t n);
/* Send of code 31: len bytes from buf. 1 for a negative len. */
QORLINK_API int32_t QORLINK_CALL Cam_set_diag_buffer(const void* buf, int32_t len);
/* Diagnostic result (usually a zero-terminated text): fetch of code 31 into buf, at most 1024
   bytes. */
QORLINK_API int32_t QORLINK_CALL Cam_get_diag_buffer(void* buf);
/* Sized read of code 31: frame after frame (2048-byte blocks on serial, 32768 on USB) into
   buf until the camera's last frame, at most len bytes. The progress callback is called before
   each frame and with 100 at the end; a 0 from it stops the read with 19. The read ends when
   buf is full: further frames are refused (CAN) and the call returns 0. A frame that brings no
   byte while announcing more ends it with 15. 0, a result code, -2 when a session reopen cut
   the read short, 1 for a len below 1. */
QORLINK_API int32_t QORLINK_CALL Cam_get_diag_buffer_val(void* buf, int32_t len);
/* Fetch of code 49: 48 bytes as 12 little-endian words into words[0..11]. */
QORLINK_API int32_t QORLINK_CALL Cam_get_diag_info(int32_t* words);
/* Fetch of code 81: 32 bytes as 8 little-endian words into words[0..7]. */
QORLINK_API int32_t QORLINK_CALL Cam_get_diag_camera_info(int32_t* words);
/* Fetch of code 112: 40 bytes as 10 little-endian words into words[0..9]. */
QORLINK_API int32_t QORLINK_CALL Cam_get_diag_info_2(int32_t* words);
/* Fetch of code 112: 58 bytes as 7 words, a 28-byte run and one 16-bit value. */
QORLINK_API int32_t QORLINK_CALL Cam_get_diag_info_2_ext(QorlinkDiagInfo2Ext* record);
/* Fetch of code 112: 42 bytes as 10 words and one 16-bit value. */
QORLINK_API int32_t QORLINK_CALL Cam_get_diag_info_2_ext2(QorlinkDiagInfo2Ext2* record);
/* Query of code 155: the size of diagnostic information 4, -1 on failure. */
QORLINK_API int32_t QORLINK_CALL Cam_get_diag_info4_size(void);
/* Fetch of code 155 into buf, at most len bytes. 1 for a negative len. */
QORLINK_API int32_t QORLINK_CALL Cam_get_diag_info4(void* buf, int32_t len);
/* Send of code 155: len bytes from buf. 1 for a negative len. */
QORLINK_API int32_t QORLINK_CALL Cam_set_diag_info4(const void* buf, int32_t len);
/* Query of code 156: the size of diagnostic information 5, -1 on failure. */
QORLINK_API int32_t QORLINK_CALL Cam_get_diag_info5_size(void);
/* Fetch of code 156 into buf, at most len bytes. 1 for a negative len. */
QORLINK_API int32_t QORLINK_CALL Cam_get_diag_info5(void* buf, int32_t len);
/* Send of code 156: len bytes from buf. 1 for a negative len. */
QORLINK_API int32_t QORLINK_CALL Cam_set_diag_info5(const void* buf, int32_t len);
/* Fetch of code 157 into buf (24 bytes): Hall element information. */
QORLINK_API int32_t QORLINK_CALL Cam_get_diag_hall_info(void* buf);
/* Fetch of code 241 into buf (24 bytes). */
QORLINK_API int32_t QORLINK_CALL Cam_get_diag_mwb_info(void* buf);
/* Fetch of code 207 into buf (24 bytes). */
QORLINK_API int32_t QORLINK_CALL Cam_get_mwb_target(void* buf);
/* Send of code 207: 24 bytes from buf. */
QORLINK_API int32_t QORLINK_CALL Cam_set_mwb_target(const void* buf);
/* Query of code 199: the shading status, -1 on failure, -2 when a session reopen cut the
   query short. */
QORLINK_API int32_t QORLINK_CALL Cam_get_shade_status(void);
/* Set of code 199 with v. */
QORLINK_API int32_t QORLINK_CALL Cam_set_shade_status(int32_t v);
/* Query of code 162, -1 on failure. */
QORLINK_API int32_t QORLINK_CALL Cam_get_color_shade(void);
/* Set of code 162 with v. */
QORLINK_API int32_t QORLINK_CALL Cam_set_color_shade(int32_t v);

/* ---- Lens and capture --------------------------------------------------------------------- */
/* Send of code 71: words[0..1] as 8 bytes, little-endian. */
QORLINK_API int32_t QORLINK_CALL Cam_set_focal_length(const int32_t* words);
/* Fetch of code 71: 8 bytes as 2 little-endian words into words[0..1]. */
QORLINK_API int32_t QORLINK_CALL Cam_get_focal_length(int32_t* words);
/* Send of code 141: 12 bytes from buf. */
QORLINK_API int32_t QORLINK_CALL Cam_set_relative_zoom(const void* buf);
/* Fetch of code 141 into buf (12 bytes). */
QORLINK_API int32_t QORLINK_CALL Cam_get_relative_zoom(void* buf);
/* Send of code 169: 8 bytes from buf. */
QORLINK_API int32_t QORLINK_CALL Cam_set_lens_data(const void* buf);
/* Fetch of code 169 into buf (8 bytes). */
QORLINK_API int32_t QORLINK_CALL Cam_get_lens_data(void* buf);
/* Set of code 143 with v. */
QORLINK_API int32_t QORLINK_CALL Cam_set_backrush_pulse(int32_t v);
/* Query of code 143: the backlash pulse value, -1 on failure. */
QORLINK_API int32_t QORLINK_CALL Cam_get_backrush_pulse(void);
/* Set of code 103 with v. */
QORLINK_API int32_t QORLINK_CALL Cam_set_manual_focus(int32_t v);
/* Query of code 242: the size of the lens adjustment record, -1 on failure, -2 when a
   session reopen cut the query short. */
QORLINK_API int32_t QORLINK_CALL Cam_get_lens_adj_size(void);
/* Send of code 209: first the size by the query of code 242 (a failed or cut-short query
   means 16), then that many bytes from buf. buf must hold that size. 1 for a size above 2048. */
QORLINK_API int32_t QORLINK_CALL Cam_set_lens_adj_param(const void* buf);
/* Fetch of code 209 into buf: first the size by the query of code 242 (a failed or cut-short
   query means 16); at most that many bytes are written. 1 for a size above 2048. */
QORLINK_API int32_t QORLINK_CALL Cam_get_lens_adj_param(void* buf);
/* Fetch of code 210 into buf (8 bytes). */
QORLINK_API int32_t QORLINK_CALL Cam_get_lens_state(void* buf);
/* Send of code 212: 6 bytes from buf. */
QORLINK_API int32_t QORLINK_CALL Cam_set_lens_group_param(const void* buf);
/* Set of code 213 with v. */
QORLINK_API int32_t QORLINK_CALL Cam_set_lens_shutter_state(int32_t v);
/* Set of code 214 with v. */
QORLINK_API int32_t QORLINK_CALL Cam_set_lens_diaphram_state(int32_t v);
/* Set of code 211 with v. */
QORLINK_API int32_t QORLINK_CALL Cam_set_lens_step_zoom(int32_t v);
/* Set of code 187 with v. */
QORLINK_API int32_t QORLINK_CALL Cam_set_lens_second_pulse(int32_t v);
/* Query of code 187, -1 on failure. */
QORLINK_API int32_t QORLINK_CALL Cam_get_lens_second_pulse(void);
/* Execute code 2 with parameter 0 (60 s): takes a picture. Poll Cam_ready afterwards. */
QORLINK_API int32_t QORLINK_CALL Cam_take_pic(void);
/* Execute code 2 with parameter p (one byte; 60 s). Poll Cam_ready afterwards. */
QORLINK_API int32_t QORLINK_CALL Cam_take_pic2(int32_t p);

/* ---- Stabiliser module and sensor --------------------------------------------------------- */
/* Execute code 234 with parameter p (one byte; 60 s). Poll Cam_ready afterwards. */
QORLINK_API int32_t QORLINK_CALL Cam_vr_power(int32_t p);
/* Execute code 235 with parameter p (one byte; 60 s). Poll Cam_ready afterwards. */
QORLINK_API int32_t QORLINK_CALL Cam_vr_control(int32_t p);
/* Query of code 202, -1 on failure. */
QORLINK_API int32_t QORLINK_CALL Cam_get_vrmodule_conditions_size(void);
/* Set of code 202 with the low byte of v. */
QORLINK_API int32_t QORLINK_CALL Cam_set_vrmodule_conditions_size(int32_t v);
/* Fetch of code 201 into buf, at most len bytes. 1 for a negative len. */
QORLINK_API int32_t QORLINK_CALL Cam_get_vrmodule_conditions(void* buf, int32_t len);
/* Send of code 201: len bytes from buf. 1 for a negative len. */
QORLINK_API int32_t QORLINK_CALL Cam_set_vrmodule_conditions(const void* buf, int32_t len);
/* Set of code 256 with v (class 0x44 frame). */
QORLINK_API int32_t QORLINK_CALL Cam_set_sr_calmode(int32_t v);
/* Fetch of code 257 into buf (4 bytes). */
QORLINK_API int32_t QORLINK_CALL Cam_get_sr_line_width(void* buf);
/* Fetch of code 258 into buf (22 bytes). */
QORLINK_API int32_t QORLINK_CALL Cam_get_sr_ccd_info(void* buf);
/* Fetch of code 259 into buf (32 bytes). */
QORLINK_API int32_t QORLINK_CALL Cam_get_sr_gyro_offset(void* buf);
/* Execute code 236 with parameter p (one byte; 60 s). Poll Cam_ready afterwards. */
QORLINK_API int32_t QORLINK_CALL Cam_sr_take_pic(int32_t p);

/* ---- Battery and video -------------------------------------------------------------------- */
/* Query of code 168: the battery type, -1 on failure. */
QORLINK_API int32_t QORLINK_CALL Cam_get_battery_type(void);
/* Set of code 168 with v. */
QORLINK_API int32_t QORLINK_CALL Cam_set_battery_type(int32_t v);
/* Sets the diagnostic word (code 32) to `kind`, then fetches code 167 into buf (22 bytes;
   the USB read size is 22 for kind 1, 20 for kind 2, 0 otherwise). A failed first step is
   returned at once. */
QORLINK_API int32_t QORLINK_CALL Cam_get_battery_info(void* buf, int32_t kind);
/* Query of code 243, -1 on failure. */
QORLINK_API int32_t QORLINK_CALL Cam_get_bt_test_setting_size(void);
/* Send of code 244: first the size by the query of code 243, then that many bytes from buf.
   1 without sending when the query fails or gives more than 2048. */
QORLINK_API int32_t QORLINK_CALL Cam_set_bt_test_setting(const void* buf);
/* Fetch of code 244 into buf: first the size by the query of code 243; at most that many
   bytes are written. 1 without fetching when the query fails or gives more than 2048. */
QORLINK_API int32_t QORLINK_CALL Cam_get_bt_test_setting(void* buf);
/* Send of code 245: 12 bytes from buf. */
QORLINK_API int32_t QORLINK_CALL Cam_set_bt_mode(const void* buf);
/* Fetch of code 245 into buf (12 bytes). */
QORLINK_API int32_t QORLINK_CALL Cam_get_bt_mode(void* buf);
/* Fetch of code 261 into buf (8 bytes). */
QORLINK_API int32_t QORLINK_CALL Cam_get_analog_video_gain(void* buf);
/* Send of code 261: 8 bytes from buf. */
QORLINK_API int32_t QORLINK_CALL Cam_set_analog_video_gain(const void* buf);

/* ---- Bulk transfer and memory access ------------------------------------------------------ */
/* Loads and other sends: a frame the camera did not acknowledge is sent again (the camera takes
   a repeated frame once). When the camera ends the session, the send is repeated after the
   reopen only if none of its frames had gone out yet; otherwise it returns 20 and progress
   stops where it was, since what the camera kept of the cut send is not known: send it again
   from the start. A load that returns 0 was acknowledged frame by frame, in order, once. */
/* Loads a whole file into the camera: sets the diagnostic word (code 32) to `selector`,
   reads the file from its start into memory and sends it with code 29 (2048-byte blocks on
   serial, 32768 on USB), reporting progress after each block; a 0 from the callback stops the
   load with 19. `file` is the caller's open file: a file descriptor on POSIX, a file HANDLE on
   Windows; the caller keeps it open and closes it. 1 when the file's size cannot be read, 255
   when it cannot be positioned, held in memory or read. */
QORLINK_API int32_t QORLINK_CALL Cam_load_file_data(intptr_t file, int32_t selector);
/* Loads an image: sets the diagnostic word to 0x0FEC000E, then sends len bytes from buf with
   code 29. 1 without sending for len above 0xA00000 (10 MiB) or negative. */
QORLINK_API int32_t QORLINK_CALL Cam_load_picture_data(const void* buf, int32_t len);
/* Commits what the loads placed in the camera: waits 500 ms, then execute code 11 (60 s).
   Poll Cam_ready afterwards. */
QORLINK_API int32_t QORLINK_CALL Cam_write_loaded_data(void);
/* Loads stabiliser adjustment data: sets the diagnostic word to 0x0FEAEEAA, then sends len
   bytes from buf with code 29. 1 without sending for len above 0xA00000 or negative. */
QORLINK_API int32_t QORLINK_CALL Cam_load_vradjcontrol_data(const void* buf, int32_t len);
/* Reads stabiliser adjustment data: sets the diagnostic word to 0x0FEAEEAA, then fetches
   code 138 into buf, at most len bytes (one reply frame). 1 for len above 0xA00000 or negative. */
QORLINK_API int32_t QORLINK_CALL Cam_save_vradjcontrol_data(void* buf, int32_t len);
/* Camera memory: microcontroller memory (code 223), flash memory (222) and EEPROM (170).
   `record` is word 0 where (the camera's address), word 1 the byte count n, then n data bytes;
   words are 32-bit little-endian. A write sends all n + 8 bytes with the memory's code. A read
   sends the record's first 12 bytes as the diagnostic buffer (code 31), then fetches the
   memory's code; the reply (header words and data, at most n + 8 bytes) replaces the record,
   only on success. 1 without sending for n negative or above 0xA00000. */
QORLINK_API int32_t QORLINK_CALL Cam_set_mcumem(const void* record);
QORLINK_API int32_t QORLINK_CALL Cam_get_mcumem(void* record);
QORLINK_API int32_t QORLINK_CALL Cam_set_flmem(const void* record);
QORLINK_API int32_t QORLINK_CALL Cam_get_flmem(void* record);
QORLINK_API int32_t QORLINK_CALL Cam_set_eeprom(const void* record);
QORLINK_API int32_t QORLINK_CALL Cam_get_eeprom(void* record);

/* ---- Key provisioning --------------------------------------------------------------------- */
/* Key records held in the camera: key 1 is 724 bytes (code 203), key 2 136 bytes (code 204);
   set sends them from buf, get fetches them into buf. */
QORLINK_API int32_t QORLINK_CALL Cam_set_rsa1_key(const void* buf);
QORLINK_API int32_t QORLINK_CALL Cam_get_rsa1_key(void* buf);
QORLINK_API int32_t QORLINK_CALL Cam_set_rsa2_key(const void* buf);
QORLINK_API int32_t QORLINK_CALL Cam_get_rsa2_key(void* buf);
/* Reads key set 1 from a site's key data, with no camera traffic. Loads the key source
   library ("Ravik.dll"; libravik.so on Linux, found through the loader path or the program's
   directory) and the decipher library ("Cifrel.dll"; libcifrel.so) for the call and unloads
   them before returning. `source` (the key data folder) and `name` (the key identifier) are
   passed through unchanged. `out` receives 724 bytes, and only on success. 0; -2 when the key
   source library or its entry point is missing; -1 when the decipher library or its entry
   point is missing or deciphering fails; otherwise the key source's own non-zero result (the
   stand-in: -2 identifier not found, -3 data file missing). No camera traffic, but like every
   export it returns 22 while no connection object exists; -1 for a null `out`. */
QORLINK_API int32_t QORLINK_CALL Cam_get_rsa_key(const char* source, const char* name, void* out);
/* Reads key set 2 (136 bytes into `out`) the same way, with the key identifier "RSA2". */
QORLINK_API int32_t QORLINK_CALL Cam_get_rsa_key2(const char* source, void* out);

#ifdef __cplusplus
}
#endif

#endif /* QORLINK_H */
