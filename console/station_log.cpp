#include "console/station_log.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "console/format.h"
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
    std::tm parts{};
    gmtime_r(&t, &parts);
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

}  // namespace orvia
