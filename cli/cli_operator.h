// The operator of the command-line tool: questions answered from the options, file choices
// answered with the file named on the command line, boxes printed on standard error, result
// windows printed on standard output (or gathered for the JSON object), progress drawn as a bar
// on a terminal and as plain percentages otherwise.
#pragma once

#include <functional>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "console/dialog_context.h"
#include "console/operator.h"
#include "console/station_log.h"

namespace orvia::cli {

class CliOperator final : public Operator, public StatusLine {
  public:
    // How progress is drawn: a bar on a terminal, plain percentages otherwise, or one JSON line
    // per change ({"progress":N}).
    enum class Progress { Bar, Plain, Json };

    CliOperator(bool json, bool yes, bool terminal)
        : json_(json), yes_(yes), progress_(terminal ? Progress::Bar : Progress::Plain) {}
    void setProgressStyle(Progress style) { progress_ = style; }

    bool askYesNo(std::string_view text) override;
    std::optional<std::string> chooseFile(std::string_view filter,
                                          std::string_view defaultExtension) override;
    int runModal(DialogModel& dialog) override;
    bool showModeless(DialogModel& dialog) override;
    void refresh(DialogModel&) override {}
    void setWaitCursor(bool) override {}
    void copyToClipboard(std::string_view) override {}
    bool showsWindows() const override { return false; }

    void setStatus(const std::string& text) override;
    void showStatusNow(const std::string& text) override;
    void setProgress(int percent) override;
    bool keepGoing() override { return !stopRequested_ || !stopRequested_(); }
    // Asked during transfers: true stops the transfer.
    void setStopRequest(std::function<bool()> stop) { stopRequested_ = std::move(stop); }

    // Becomes the context's status line, passing every change on to the main dialog's.
    void attach(DialogContext& ctx, StatusLine& mainStatus);
    // The file the next file choice answers with.
    void setFile(std::string path) { file_ = std::move(path); }

    // A value the command reports: printed as "name: value" (a text field named "text" as it
    // stands, a list one item a line), and a member of the JSON object.
    void field(const std::string& name, const nlohmann::ordered_json& value);
    // A failure of the tool itself, printed on standard error; returns the outcome saying so.
    Outcome fail(const std::string& text);
    // The text of the last fail().
    const std::string& lastFailure() const { return lastFailure_; }
    // A failed camera call, in the console's words; returns its outcome.
    Outcome cameraFailure(int code);
    // A point in the texts shown, to tell one step's texts from the rest.
    struct Mark {
        size_t messages;
        size_t results;
    };
    Mark mark() const { return {messages_.size(), results_.size()}; }
    // The fields reported so far, which are then forgotten.
    nlohmann::ordered_json takeFields();
    // The JSON object of a command: the command, its exit status, the outcome's ending,
    // judgement, link result and measured values, the fields reported, and the texts shown
    // since `since`.
    nlohmann::ordered_json object(const std::string& command, int status, const Outcome& outcome,
                                  Mark since = {}) const;
    // Prints the object when asked for.
    void finish(const std::string& command, int status, const Outcome& outcome) const;
    // `object` on one line of standard output, valid UTF-8 whatever the camera's texts held.
    static void printJson(const nlohmann::ordered_json& object);
    // The JSON object of a command line that was refused before any command ran.
    static void usageError(const std::string& error);

  protected:
    void showMessage(MessageKind kind, std::string_view text) override;

  private:
    bool json_;
    bool yes_;
    Progress progress_;
    std::optional<std::string> file_;
    DialogContext* ctx_ = nullptr;
    StatusLine* main_ = nullptr;
    std::vector<ShownMessage> messages_;
    std::vector<std::pair<std::string, std::string>> results_;
    nlohmann::ordered_json fields_ = nlohmann::ordered_json::object();
    std::string status_;
    int lastPercent_ = -1;
    std::string lastFailure_;
    std::function<bool()> stopRequested_;
};

// Measured values as a JSON object: numbers as numbers, texts as strings, "<name>_unit" beside a
// value with a unit.
nlohmann::ordered_json valuesJson(const std::vector<Measurement>& values);

}  // namespace orvia::cli
