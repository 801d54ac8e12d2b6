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

#include "console/operator.h"

namespace orvia {

class Camera;
class Clock;
struct DialogContext;
class MainDialog;

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

// The camera's identity as a record carries it; a read that fails leaves its field empty.
struct StationIdentity {
    std::string firmware;
    std::string cameraType;
    std::string serial;
};
StationIdentity readStationIdentity(Camera& camera);

// Boxes that end a procedure on a failure: the error box, a step error, an unsupported function,
// a camera that is not connected, and the boxes about a file the procedure cannot use.
bool isFailureBox(std::string_view box);
bool isFileFailureBox(std::string_view box);
// The link result whose text ends a failure box, if any.
std::optional<int> resultCodeOfBox(std::string_view box);

// How a procedure ended: 0 and "OK", the link result of its failure box and the box's text, or
// -1 and the text for any other failure.
struct ProcedureOutcome {
    int code = 0;
    std::string text = "OK";
};
ProcedureOutcome outcomeOf(const std::vector<std::string>& boxes, bool declined,
                           const std::string& declinedText);

// An operator that passes everything on to another and keeps what a procedure showed.
class RecordingOperator final : public Operator {
  public:
    explicit RecordingOperator(Operator& inner) : inner_(inner) {}

    void message(std::string_view text) override;
    bool askYesNo(std::string_view text) override;
    std::optional<std::string> chooseFile(std::string_view filter,
                                          std::string_view defaultExtension) override;
    int runModal(DialogModel& dialog) override { return inner_.runModal(dialog); }
    bool showModeless(DialogModel& dialog) override { return inner_.showModeless(dialog); }
    void refresh(DialogModel& dialog) override { inner_.refresh(dialog); }
    void setWaitCursor(bool on) override { inner_.setWaitCursor(on); }
    void copyToClipboard(std::string_view text) override { inner_.copyToClipboard(text); }

    // Forgets what the last procedure showed.
    void begin();
    ProcedureOutcome outcome() const;
    // The file the operator chose since begin(), if any.
    const std::optional<std::string>& chosenFile() const { return file_; }

  private:
    Operator& inner_;
    std::optional<std::string> file_;
    std::vector<std::string> boxes_;
    bool declined_ = false;
    std::string question_;
};

// Appends a record for every procedure the main dialog's controls start (calibrations,
// uploads, initialisation, Test list entries). `op` must be the operator of the dialog's context.
void logMainDialogProcedures(MainDialog& dialog, StationLog& log, RecordingOperator& op);

}  // namespace orvia
