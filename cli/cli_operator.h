// The operator of the command-line tool: questions answered from the options, file choices
// answered with the file named on the command line, boxes printed on standard error, result
// windows printed on standard output (or gathered for the JSON object), progress drawn as a bar
// on a terminal and as plain percentages otherwise.
#pragma once

#include <functional>
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
    CliOperator(bool json, bool yes, bool terminal) : json_(json), yes_(yes), terminal_(terminal) {}

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

    // A value the command reports (a number when `numeric`).
    void field(const std::string& name, const std::string& value, bool numeric = false);
    // A failure of the tool itself, printed on standard error; returns the outcome saying so.
    Outcome fail(const std::string& text);
    // A failed camera call, in the console's words; returns its outcome.
    Outcome cameraFailure(int code);
    // Prints the JSON object when asked for: the command, its exit status, the outcome's
    // ending, judgement, link result and measured values, and the texts shown.
    void finish(const std::string& command, int status, const Outcome& outcome) const;

  protected:
    void showMessage(MessageKind kind, std::string_view text) override;

  private:
    bool json_;
    bool yes_;
    bool terminal_;
    std::optional<std::string> file_;
    DialogContext* ctx_ = nullptr;
    StatusLine* main_ = nullptr;
    std::vector<ShownMessage> messages_;
    std::vector<std::pair<std::string, std::string>> results_;
    std::vector<std::pair<std::string, std::string>> fields_;  // name, JSON value
    std::string status_;
    int lastPercent_ = -1;
    std::function<bool()> stopRequested_;
};

}  // namespace orvia::cli
