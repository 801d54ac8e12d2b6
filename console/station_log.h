// The station log: an opt-in record of every procedure run at a station, one JSON line each,
// appended to a file the station names (--log FILE or $ORVIA_STATION_LOG). Off unless asked.
// Key material and raw key records never reach it: a record carries only the fields below.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orvia {

// The environment variable naming the log file when no option does.
inline constexpr char kStationLogVariable[] = "ORVIA_STATION_LOG";

struct StationRecord {
    std::time_t time = 0;
    // The technician ID the service-ID library stamped; none when it was not active.
    std::optional<uint16_t> technician;
    std::string cameraType;
    std::string serial;
    std::string firmware;
    std::string procedure;
    std::vector<std::pair<std::string, std::string>> parameters;
    int resultCode = 0;
    std::string resultText;
    uint64_t durationMs = 0;
};

// `text` as a JSON string literal, quotes included (control characters escaped, bytes of 0x80
// and above passed through).
std::string jsonString(std::string_view text);

// The record as one JSON object on one line, without the newline.
std::string stationLogLine(const StationRecord& record);

class StationLog {
  public:
    using Warn = std::function<void(const std::string&)>;

    // An empty path turns the log off. `warn` receives the one warning given when the file
    // cannot be written.
    StationLog(std::string path, Warn warn);

    // The path from `option` when given, else from the environment variable (empty: off).
    static std::string chooseFile(const std::optional<std::string>& option);

    bool enabled() const { return !path_.empty(); }

    // Appends the record's line. A file that cannot be written gives the warning once and the
    // work carries on; later records are not tried again.
    void append(const StationRecord& record);

  private:
    std::string path_;
    Warn warn_;
    bool failed_ = false;
};

}  // namespace orvia
