#include "console/station_log.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "console/app_state.h"
#include "console/calendar.h"
#include "console/camera.h"
#include "console/clock.h"
#include "console/dialog_context.h"
#include "console/format.h"
#include "console/main_dialog.h"
#include "console/result_text.h"
#include "console/texts.h"

namespace orvia {

std::string jsonString(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
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

std::string utcTime(std::time_t t) {
    const std::tm parts = utcParts(t);
    char buffer[32] = {};
    std::strftime(buffer, sizeof buffer, "%Y-%m-%dT%H:%M:%SZ", &parts);
    return buffer;
}

}  // namespace

std::string stationLogLine(const StationRecord& r) {
    std::string line = "{\"time\":" + jsonString(utcTime(r.time));
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
    line += "},\"result_code\":" + std::to_string(r.resultCode);
    line += ",\"result_text\":" + jsonString(r.resultText);
    line += ",\"duration_ms\":" + std::to_string(r.durationMs) + '}';
    return line;
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
    const std::string line = stationLogLine(record) + '\n';
    FILE* file = std::fopen(path_.c_str(), "a");
    bool written = false;
    int error = 0;
    if (file != nullptr) {
        written = std::fwrite(line.data(), 1, line.size(), file) == line.size();
        if (!written) error = errno;
        if (std::fclose(file) != 0 && written) {
            written = false;
            error = errno;
        }
    } else {
        error = errno;
    }
    if (written) return;
    failed_ = true;
    if (warn_) warn_(format(text::kStationLogUnwritable, path_.c_str(), std::strerror(error)));
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

namespace {

// The fixed part of a box text: the text before its first conversion.
std::string_view fixedPart(std::string_view fmt) {
    return fmt.substr(0, fmt.find('%'));
}

}  // namespace

bool isFileFailureBox(std::string_view m) {
    for (const char* f : {text::kCannotOpenFile, text::kFileFormatError, text::kFileOpenFailed,
                          text::kGetFileSizeFailed, text::kMallocFailed, text::kZeroBytesRead,
                          text::kFileTooLarge, text::kFileReadFailed}) {
        if (m.starts_with(fixedPart(f))) return true;
    }
    return false;
}

bool isFailureBox(std::string_view m) {
    return m.starts_with("Error") || m.starts_with(" Status:") || m.starts_with(" Status :") ||
           m == text::kNotSupported || m == text::kNotConnected || isFileFailureBox(m);
}

std::optional<int> resultCodeOfBox(std::string_view m) {
    const ResultTexts texts;
    for (int code = 1; code < ResultTexts::kSlots; ++code) {
        if (!texts.hasText(code)) continue;
        const std::string t = texts.text(code);
        if (!t.empty() && m.ends_with(t)) return code;
    }
    return std::nullopt;
}

ProcedureOutcome outcomeOf(const std::vector<std::string>& boxes, bool declined,
                           const std::string& declinedText) {
    for (const std::string& box : boxes) {
        if (!isFailureBox(box)) continue;
        const auto code = isFileFailureBox(box) ? std::nullopt : resultCodeOfBox(box);
        return {code.value_or(-1), box};
    }
    if (declined) return {-1, declinedText};
    return {};
}

void RecordingOperator::message(std::string_view text) {
    boxes_.emplace_back(text);
    inner_.message(text);
}

bool RecordingOperator::askYesNo(std::string_view text) {
    const bool yes = inner_.askYesNo(text);
    if (!yes) {
        declined_ = true;
        question_ = std::string(text) + " No";
    }
    return yes;
}

std::optional<std::string> RecordingOperator::chooseFile(std::string_view filter,
                                                         std::string_view defaultExtension) {
    file_ = inner_.chooseFile(filter, defaultExtension);
    return file_;
}

void RecordingOperator::begin() {
    file_.reset();
    boxes_.clear();
    declined_ = false;
    question_.clear();
}

ProcedureOutcome RecordingOperator::outcome() const {
    return outcomeOf(boxes_, declined_, question_);
}

void logMainDialogProcedures(MainDialog& dialog, StationLog& log, RecordingOperator& op) {
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
        dialog.wrapHandler(l.control, [&dialog, &ctx, &log, &op,
                                       l](const std::function<void()>& run) {
            StationRecord record;
            record.time = ctx.clock.wallTime();
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
            op.begin();
            const uint32_t started = ctx.clock.tickMs();
            run();
            record.durationMs = ctx.clock.tickMs() - started;
            if (op.chosenFile()) record.parameters.emplace_back("file", *op.chosenFile());
            const ProcedureOutcome outcome = op.outcome();
            record.resultCode = outcome.code;
            record.resultText = outcome.text;
            log.append(record);
        });
    }
}

}  // namespace orvia
