#include "console/station_log.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "console/app_state.h"
#include "console/calendar.h"
#include "console/camera.h"
#include "console/clock.h"
#include "console/dialog_context.h"
#include "console/format.h"
#include "console/host_system_os.h"
#include "console/main_dialog.h"
#include "console/texts.h"

namespace orvia {

namespace {

// The length of the well-formed UTF-8 sequence at the start of `s`; 0 when it is not one
// (overlong forms, surrogates and code points beyond U+10FFFF included).
size_t utf8Length(std::string_view s) {
    const auto b = [&s](size_t i) { return static_cast<unsigned char>(s[i]); };
    const auto tail = [&](size_t i) { return i < s.size() && (b(i) & 0xC0) == 0x80; };
    const unsigned char lead = b(0);
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return tail(1) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        if (!tail(1) || !tail(2)) return 0;
        if (lead == 0xE0 && b(1) < 0xA0) return 0;   // overlong
        if (lead == 0xED && b(1) >= 0xA0) return 0;  // surrogate
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        if (!tail(1) || !tail(2) || !tail(3)) return 0;
        if (lead == 0xF0 && b(1) < 0x90) return 0;   // overlong
        if (lead == 0xF4 && b(1) >= 0x90) return 0;  // beyond U+10FFFF
        return 4;
    }
    return 0;
}

}  // namespace

std::string jsonString(std::string_view text) {
    std::string out = "\"";
    for (size_t i = 0; i < text.size();) {
        const char c = text[i];
        const size_t n = utf8Length(text.substr(i));
        if (n == 0) {  // not UTF-8: the replacement character, as the JSON must stay valid
            out += "\\ufffd";
            ++i;
            continue;
        }
        if (n > 1) {
            out.append(text.substr(i, n));
            i += n;
            continue;
        }
        ++i;
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    out += format("\\u%04x", static_cast<unsigned>(static_cast<unsigned char>(c)));
                } else {
                    out += c;
                }
        }
    }
    return out + "\"";
}

namespace {

// "2026-12-11T12:00:00.123Z".
std::string utcTime(int64_t ms) {
    const auto seconds = static_cast<std::time_t>(ms >= 0 ? ms / 1000 : (ms - 999) / 1000);
    const std::tm parts = utcParts(seconds);
    char buffer[32] = {};
    std::strftime(buffer, sizeof buffer, "%Y-%m-%dT%H:%M:%S", &parts);
    return format("%s.%03dZ", buffer, static_cast<int>(ms - static_cast<int64_t>(seconds) * 1000));
}

}  // namespace

std::string jsonNumber(double value) {
    if (!std::isfinite(value)) return "null";
    if (value == std::floor(value) && std::fabs(value) < 1e15)
        return std::to_string(static_cast<int64_t>(value));
    return format("%.9g", value);
}

int resultCodeOf(const Outcome& o) {
    if (o.passed()) return 0;
    if (o.ending == Ending::Failed && o.linkResult != 0) return o.linkResult;
    return -1;
}

std::string resultTextOf(const Outcome& o) {
    if (o.passed()) return "OK";
    if (o.ending == Ending::Completed) return "NG";
    return o.reason;
}

std::string jsonValues(const std::vector<Measurement>& values) {
    std::string out = "{";
    for (const Measurement& m : values) {
        if (out.size() > 1) out += ',';
        out += jsonString(m.name) + ':' + (m.number ? jsonNumber(*m.number) : jsonString(m.text));
        if (!m.unit.empty()) out += ',' + jsonString(m.name + "_unit") + ':' + jsonString(m.unit);
    }
    return out + '}';
}

std::string stationLogLine(const StationRecord& r) {
    const Outcome& o = r.outcome;
    std::string line = "{\"time\":" + jsonString(utcTime(r.startedMs));
    line += ",\"ended\":" + jsonString(utcTime(r.endedMs));
    line += ",\"tool\":" + jsonString(r.tool.name);
    line += ",\"tool_version\":" + jsonString(r.tool.version);
    line += ",\"host\":" + jsonString(r.tool.host);
    line += ",\"technician\":" + (r.technician ? std::to_string(*r.technician) : "null");
    line += ",\"camera_type\":" + jsonString(r.cameraType);
    line += ",\"serial\":" + jsonString(r.serial);
    line += ",\"firmware\":" + jsonString(r.firmware);
    line += ",\"procedure\":" + jsonString(r.procedure);
    line += ",\"parameters\":{";
    for (size_t i = 0; i < r.parameters.size(); ++i) {
        if (i > 0) line += ',';
        line += jsonString(r.parameters[i].first) + ':' + jsonString(r.parameters[i].second);
    }
    line += "},\"ok\":" + std::string(o.passed() ? "true" : "false");
    line += ",\"ending\":" + jsonString(endingName(o.ending));
    line += ",\"judgement\":" + jsonString(judgementName(o.judgement));
    line += ",\"link_result\":" + std::to_string(o.linkResult);
    line += ",\"values\":" + jsonValues(o.values);
    line += ",\"result_code\":" + std::to_string(resultCodeOf(o));
    line += ",\"result_text\":" + jsonString(resultTextOf(o));
    line += ",\"duration_ms\":" + std::to_string(std::max<int64_t>(0, r.endedMs - r.startedMs));
    return line + '}';
}

StationLog::StationLog(std::string path, Warn warn)
    : path_(std::move(path)), warn_(std::move(warn)) {}

std::string StationLog::chooseFile(const std::optional<std::string>& option) {
    if (option) return *option;
    const char* value = std::getenv(kStationLogVariable);
    return value != nullptr ? value : "";
}

void StationLog::append(const StationRecord& record) {
    if (!enabled() || failed_) return;
    const std::optional<std::string> refused =
        os::appendToLog(path_, stationLogLine(record) + '\n');
    if (!refused) return;
    failed_ = true;
    if (warn_) warn_(format(text::kStationLogUnwritable, path_.c_str(), refused->c_str()));
}

StationIdentity readStationIdentity(Camera& camera) {
    StationIdentity id;
    char version[33] = {}, type[65] = {}, serial[33] = {};
    if (camera.get_version(version) == QORLINK_OK)
        id.firmware = std::string(version, strnlen(version, 32));
    if (camera.get_cam_type(type) == QORLINK_OK)
        id.cameraType = std::string(type, strnlen(type, 64));
    if (camera.get_serial_no(serial) == QORLINK_OK)
        id.serial = std::string(serial, strnlen(serial, 32));
    return id;
}

const char* toolVersion() {
    return ORVIA_VERSION;
}

std::string stationHostName() {
    return os::hostName();
}

int64_t wallTimeMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

void logMainDialogProcedures(MainDialog& dialog, StationLog& log, const StationTool& tool) {
    struct Logged {
        int control;
        const char* procedure;
    };
    static constexpr Logged kLogged[] = {
        {idc::kAwb, "calibrate awb"},
        {idc::kFocus, "calibrate focus"},
        {idc::kUvMatrix, "calibrate uv"},
        {idc::kInitialize, "initialize"},
        {idc::kFirmware, "upload firmware"},
        {idc::kData, "upload data"},
        {idc::kTest, "test"},
    };
    DialogContext& ctx = dialog.context();
    for (const Logged& l : kLogged) {
        dialog.wrapProcedure(l.control, [&dialog, &ctx, &log, tool,
                                         l](const DialogModel::Procedure& run) {
            StationRecord record;
            record.startedMs = ctx.clock.wallTimeMs();
            record.tool = tool;
            record.procedure = l.procedure;
            if (l.control == idc::kTest) {
                const ControlState& list = dialog.control(idc::kTest);
                if (list.selection >= 0 && static_cast<size_t>(list.selection) < list.items.size())
                    record.parameters.emplace_back("entry",
                                                   list.items[static_cast<size_t>(list.selection)]);
            }
            const StationIdentity id = readStationIdentity(ctx.camera);
            record.firmware = id.firmware;
            record.cameraType = id.cameraType;
            record.serial = id.serial;
            if (ctx.state.serviceIdActive == 1) record.technician = ctx.state.serviceIdRecord.w[1];
            const uint32_t started = ctx.clock.tickMs();
            record.outcome = run();
            record.endedMs = record.startedMs + (ctx.clock.tickMs() - started);
            if (const Measurement* file = record.outcome.value("file"))
                record.parameters.emplace_back("file", file->text);
            log.append(record);
            return record.outcome;
        });
    }
}

}  // namespace orvia
