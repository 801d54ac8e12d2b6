// The catalogue table and the exports built on it.
//
// Every fetch runs into a buffer of our own and reaches the caller's memory only when the
// exchange succeeded, and then never more than the row's size (or the length the caller gave),
// whatever the camera sent.
#include "catalogue/catalogue.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "builders.h"
#include "catalogue/records.h"
#include "connection.h"
#include "keys/wipe.h"
#include "link_constants.h"
#include "qorlink.h"

namespace qorlink {
namespace {

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

// Cam_control_lcd: display commands 3, 5 and 6 first set their value with code 40.
constexpr int kCodeDisplayValue = 40;

constexpr Command kCatalogue[] = {
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

#define ROW(fn) kCatalogue[IndexOf(#fn)]

int32_t FirstWord(const void* record) {
    int32_t w;
    std::memcpy(&w, record, sizeof w);
    return w;
}

int32_t ValueFor(const Command& cmd, int32_t argument) {
    switch (cmd.value) {
        case Value::Zero:
            return 0;
        case Value::LowByte:
            return argument & 0xFF;
        case Value::Argument:
            break;
    }
    return argument;
}

// The byte count of a Send or Fetch. Returns 0 with `bytes` set, or the result to return.
// `usbReadSize` is what a fetch asks the USB transport for.
int ResolveLength(LinkConnection& c, const Command& cmd, const void* record, int32_t argument,
                  size_t* bytes, size_t* usbReadSize) {
    int64_t n = 0;
    switch (cmd.length) {
        case Length::Fixed:
            n = cmd.layout.empty() ? cmd.size : LayoutSize(cmd.layout);
            break;
        case Length::Argument:
            n = argument;
            break;
        case Length::FirstWord:
            if (record == nullptr) return kInvalidParameter;
            n = FirstWord(record);
            break;
        case Length::QueriedOr16:
            n = QueryCommand(c, cmd.sizeCode, true);
            if (n < 0) n = 16;
            if (n > kMaxQueriedSize) return kInvalidParameter;
            break;
        case Length::QueriedOrFail:
            n = QueryCommand(c, cmd.sizeCode, false);
            if (n < 0 || n > kMaxQueriedSize) return kInvalidParameter;
            break;
        case Length::BatteryKind:
            *bytes = cmd.size;
            *usbReadSize = argument == 1 ? 22 : argument == 2 ? 20 : 0;
            return kOk;
    }
    if (n < 0) return kInvalidParameter;
    *bytes = static_cast<size_t>(n);
    *usbReadSize = *bytes;
    return kOk;
}

// Runs the chained first step, if the row has one. 0 or the step's result.
int RunChain(LinkConnection& c, const Command& cmd, const void* record, int32_t argument) {
    switch (cmd.chain) {
        case Chain::None:
            return kOk;
        case Chain::DiagWordArgument:
            return SetCommand(c, kCodeDiagWord, argument);
        case Chain::DiagWordFirstWord:
            if (record == nullptr) return kInvalidParameter;
            return SetCommand(c, kCodeDiagWord, FirstWord(record));
    }
    return kOk;
}

int32_t RunQuery(const Command& cmd) {
    LinkConnection* c = currentConnection;
    if (c == nullptr) return kNoConnection;
    return QueryCommand(*c, cmd.code, cmd.abortable);
}

int32_t RunSet(const Command& cmd, int32_t v = 0) {
    LinkConnection* c = currentConnection;
    if (c == nullptr) return kNoConnection;
    return SetCommand(*c, cmd.code, ValueFor(cmd, v));
}

int32_t RunExecute(const Command& cmd, int32_t p = 0) {
    LinkConnection* c = currentConnection;
    if (c == nullptr) return kNoConnection;
    return ExecuteCommand(*c, cmd.code, ValueFor(cmd, p), cmd.size);
}

int32_t RunSend(const Command& cmd, const void* buf, int32_t len = 0) {
    LinkConnection* c = currentConnection;
    if (c == nullptr) return kNoConnection;
    size_t bytes = 0, unused = 0;
    if (const int r = ResolveLength(*c, cmd, buf, len, &bytes, &unused); r != kOk) return r;
    if (buf == nullptr && bytes > 0) return kInvalidParameter;
    if (cmd.layout.empty())
        return SendCommand(*c, cmd.code, static_cast<const uint8_t*>(buf), bytes);
    uint8_t wire[kSmallBlock];
    EncodeRecord(cmd.layout, buf, wire);
    const int r = SendCommand(*c, cmd.code, wire, bytes);
    SecureWipe(wire, bytes);
    return r;
}

// `argument` is the caller's length, kind or selector, as the row says.
int32_t RunFetch(const Command& cmd, void* buf, int32_t argument = 0) {
    LinkConnection* c = currentConnection;
    if (c == nullptr) return kNoConnection;
    if (buf == nullptr) return kInvalidParameter;
    if (const int r = RunChain(*c, cmd, buf, argument); r != kOk) return r;
    size_t bytes = 0, usbReadSize = 0;
    if (const int r = ResolveLength(*c, cmd, buf, argument, &bytes, &usbReadSize); r != kOk)
        return r;

    // One reply frame never carries more than a large block.
    const size_t capacity = std::min(bytes, kLargeBlock);
    std::unique_ptr<uint8_t[]> local(new (std::nothrow) uint8_t[capacity + 1]());
    if (!local) return SetLastResult(*c, kOtherError);
    size_t got = 0;
    const int r = FetchCommand(*c, cmd.code, local.get(), capacity, usbReadSize, &got);
    if (r == kOk) {
        if (cmd.layout.empty())
            std::memcpy(buf, local.get(), std::min(got, capacity));
        else
            DecodeRecord(cmd.layout, local.get(), buf);
    }
    SecureWipe(local.get(), capacity);
    return r;
}

int32_t ControlLcd(int32_t cmd, int32_t v) {
    LinkConnection* c = currentConnection;
    if (c == nullptr) return kNoConnection;
    if (cmd == 3 || cmd == 5 || cmd == 6) {
        if (SetCommand(*c, kCodeDisplayValue, v) != kOk) return kCommunicationFailure;
    }
    const Command& row = ROW(Cam_control_lcd);
    return ExecuteCommand(*c, row.code, cmd, row.size);
}

}  // namespace

std::span<const Command> Catalogue() {
    return kCatalogue;
}

const Command* FindCommand(std::string_view name) {
    for (const Command& cmd : kCatalogue)
        if (cmd.name == name) return &cmd;
    return nullptr;
}

}  // namespace qorlink

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
    return ControlLcd(cmd, v);
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
