// The operator of the command-line tool: questions answered from the options, file choices
// answered with the file named on the command line, boxes printed on standard error, result
// windows printed on standard output (or gathered for the JSON object), progress drawn as a bar
// on a terminal and as plain percentages otherwise.
#pragma once

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

    void message(std::string_view text) override;
    bool askYesNo(std::string_view text) override;
    std::optional<std::string> chooseFile(std::string_view filter,
                                          std::string_view defaultExtension) override;
    int runModal(DialogModel& dialog) override;
    bool showModeless(DialogModel& dialog) override;
    void refresh(DialogModel&) override {}
    void setWaitCursor(bool) override {}
    void copyToClipboard(std::string_view) override {}

    void setStatus(const std::string& text) override;
    void showStatusNow(const std::string& text) override;
    void setProgress(int percent) override;

    // Becomes the context's status line, passing every change on to the main dialog's.
    void attach(DialogContext& ctx, StatusLine& mainStatus);
    // The file the next file choice answers with.
    void setFile(std::string path) { file_ = std::move(path); }

    // A value the command reports (a number when `numeric`).
    void field(const std::string& name, const std::string& value, bool numeric = false);
    // A failure of the tool itself, printed on standard error.
    void fail(const std::string& text);
    // A failed camera call, in the console's words; returns its exit status.
    int cameraFailure(int code);
    // The exit status of a procedure from what the operator saw.
    int outcome() const;
    // The failure text behind `status` (the last failure box), or "OK".
    std::string resultText(int status) const;
    // How the command ended, as the station log records it.
    ProcedureOutcome logOutcome(int status) const;
    // Prints the JSON object when asked for.
    void finish(const std::string& command, int status) const;

  private:
    bool json_;
    bool yes_;
    bool terminal_;
    std::optional<std::string> file_;
    DialogContext* ctx_ = nullptr;
    StatusLine* main_ = nullptr;
    std::vector<std::string> messages_;
    std::vector<std::pair<std::string, std::string>> results_;
    std::vector<std::pair<std::string, std::string>> fields_;  // name, JSON value
    std::string status_;
    std::string lastFailure_;
    int lastPercent_ = -1;
    bool declined_ = false;
    bool needsConsole_ = false;
};

}  // namespace orvia::cli
