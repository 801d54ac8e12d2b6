// The station log: an opt-in record of every procedure run at a station, one JSON line each,
// appended to a file the station names (--log FILE or $ORVIA_STATION_LOG). Off unless asked.
// Key material and raw key records never reach it: a record carries only the fields below.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "console/outcome.h"

namespace orvia {

class Camera;
class Clock;
struct DialogContext;
class MainDialog;

// The environment variable naming the log file when no option does.
inline constexpr char kStationLogVariable[] = "ORVIA_STATION_LOG";

// What a record names as the program that ran the procedure.
struct StationTool {
    std::string name;     // "orvia", "qorctl"
    std::string version;  // the program's version
    std::string host;     // the station's host name
};

struct StationRecord {
    // When the procedure started and ended, in milliseconds since 1970-01-01 00:00 UTC.
    int64_t startedMs = 0;
    int64_t endedMs = 0;
    StationTool tool;
    // The technician ID the service-ID library stamped; none when it was not active.
    std::optional<uint16_t> technician;
    std::string cameraType;
    std::string serial;
    std::string firmware;
    std::string procedure;
    std::vector<std::pair<std::string, std::string>> parameters;
    Outcome outcome;
};

// `text` as a JSON string literal, quotes included: control characters escaped, UTF-8 passed
// through, and each byte that is not part of well-formed UTF-8 (a camera text in another
// encoding) replaced by U+FFFD, so that every line stays valid JSON.
std::string jsonString(std::string_view text);
// `value` as a JSON number: integers without a fraction, others with up to 9 significant
// digits.
std::string jsonNumber(double value);

// How a record sums up an outcome: 0 and "OK" for a pass; the link result of the camera call
// that failed and the reason; -1 and the reason (or "NG" for a judged NG) for any other ending.
int resultCodeOf(const Outcome& outcome);
std::string resultTextOf(const Outcome& outcome);

// The measured values as a JSON object: numbers as numbers, texts as strings, with the unit
// beside ("<name>_unit") where one is known.
std::string jsonValues(const std::vector<Measurement>& values);

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

// The camera's identity as a record carries it; a read that fails leaves its field empty.
struct StationIdentity {
    std::string firmware;
    std::string cameraType;
    std::string serial;
};
StationIdentity readStationIdentity(Camera& camera);

// The program's version, and the name of the machine it runs on.
const char* toolVersion();
std::string stationHostName();

// The time now, in milliseconds since 1970-01-01 00:00 UTC.
int64_t wallTimeMs();

// Appends a record for every procedure the main dialog's controls start (calibrations,
// uploads, initialisation, Test list entries), made from each procedure's outcome.
void logMainDialogProcedures(MainDialog& dialog, StationLog& log, const StationTool& tool);

}  // namespace orvia
