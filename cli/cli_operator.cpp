#include "cli/cli_operator.h"

#include <cstdio>
#include <cstring>

#include "cli/exit_status.h"
#include "console/dialog_model.h"
#include "console/format.h"
#include "console/reporting.h"
#include "console/result_dialog.h"
#include "console/result_text.h"
#include "console/station_log.h"
#include "console/texts.h"

namespace orvia::cli {
namespace {

constexpr int kBarWidth = 40;
// The dialog's Cancel identity, for windows the tool cannot show.
constexpr int kIdCancel = 2;

std::string withNewlines(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        out += text[i];
    }
    return out;
}

}  // namespace

void CliOperator::message(std::string_view text) {
    std::string m(text);
    messages_.push_back(m);
    if (isFailureBox(m)) lastFailure_ = m;
    std::fflush(stdout);
    if (lastPercent_ >= 0 && terminal_ && lastPercent_ < 100) std::fputc('\n', stderr);
    std::fprintf(stderr, "%s\n", withNewlines(m).c_str());
}

bool CliOperator::askYesNo(std::string_view text) {
    if (yes_) return true;
    declined_ = true;
    const std::string question(text);
    lastFailure_ = format(text::kCliDeclined, question.c_str());
    std::fflush(stdout);
    std::fprintf(stderr, "%s\n", lastFailure_.c_str());
    return false;
}

std::optional<std::string> CliOperator::chooseFile(std::string_view, std::string_view) {
    return file_;
}

int CliOperator::runModal(DialogModel& dialog) {
    if (auto* result = dynamic_cast<ResultDialog*>(&dialog)) {
        results_.emplace_back(result->heading, result->text);
        if (!json_) {
            std::printf("%s\n%s\n", withNewlines(result->heading).c_str(),
                        withNewlines(result->text).c_str());
        }
        return kIdOk;
    }
    needsConsole_ = true;
    lastFailure_ = text::kCliNeedsConsole;
    std::fprintf(stderr, "%s\n", text::kCliNeedsConsole);
    return kIdCancel;
}

bool CliOperator::showModeless(DialogModel& dialog) {
    return runModal(dialog) == kIdOk;
}

void CliOperator::setStatus(const std::string& text) {
    status_ = text;
    if (main_ != nullptr) main_->setStatus(text);
}

void CliOperator::showStatusNow(const std::string& text) {
    status_ = text;
    if (main_ != nullptr) main_->showStatusNow(text);
}

void CliOperator::setProgress(int percent) {
    if (main_ != nullptr) main_->setProgress(percent);
    if (percent == lastPercent_) return;
    // The bar going back to 0 after a finished transfer is a reset, not progress.
    if (percent == 0 && lastPercent_ >= 100) {
        lastPercent_ = -1;
        return;
    }
    lastPercent_ = percent;
    if (terminal_) {
        const int filled = percent * kBarWidth / 100;
        std::fprintf(stderr, "\r[%s%s] %3d%%",
                     std::string(static_cast<size_t>(filled), '#').c_str(),
                     std::string(static_cast<size_t>(kBarWidth - filled), ' ').c_str(), percent);
        if (percent >= 100) std::fputc('\n', stderr);
    } else {
        std::fprintf(stderr, "%d%%\n", percent);
    }
    std::fflush(stderr);
}

void CliOperator::attach(DialogContext& ctx, StatusLine& mainStatus) {
    ctx_ = &ctx;
    main_ = &mainStatus;
    ctx.statusLine = this;
}

void CliOperator::field(const std::string& name, const std::string& value, bool numeric) {
    fields_.emplace_back(name, numeric ? value : jsonString(value));
    if (json_) return;
    if (name == "text" || name == "entries") {
        std::printf("%s%s", withNewlines(value).c_str(),
                    !value.empty() && value.back() == '\n' ? "" : "\n");
    } else {
        std::printf("%s: %s\n", name.c_str(), value.c_str());
    }
}

void CliOperator::fail(const std::string& text) {
    std::fflush(stdout);
    lastFailure_ = text;
    messages_.push_back(text);
    std::fprintf(stderr, "%s\n", text.c_str());
}

int CliOperator::cameraFailure(int code) {
    const ResultTexts texts;
    showError(*this, ctx_ != nullptr ? ctx_->texts : texts, code);
    return exitForResult(code);
}

int CliOperator::outcome() const {
    if (needsConsole_) return kExitNeedsConsole;
    if (declined_) return kExitDeclined;
    for (const std::string& m : messages_) {
        if (!isFailureBox(m)) continue;
        if (isFileFailureBox(m)) return kExitBadFile;
        if (const auto code = resultCodeOfBox(m)) return exitForResult(*code);
        return kExitFailed;
    }
    return kExitOk;
}

std::string CliOperator::resultText(int status) const {
    if (status == kExitOk) return "OK";
    return lastFailure_.empty() && !messages_.empty() ? messages_.back() : lastFailure_;
}

ProcedureOutcome CliOperator::logOutcome(int status) const {
    if (status == kExitOk) return {};
    ProcedureOutcome outcome = outcomeOf(messages_, false, "");
    if (outcome.code == 0) outcome = {-1, resultText(status)};
    return outcome;
}

void CliOperator::finish(const std::string& command, int status) const {
    if (!json_) return;
    std::string out = "{\"command\":" + jsonString(command);
    out += ",\"status\":" + std::to_string(status);
    out += std::string(",\"ok\":") + (status == kExitOk ? "true" : "false");
    for (const auto& [name, value] : fields_)
        out += ',' + jsonString(name) + ':' + value;
    out += ",\"messages\":[";
    for (size_t i = 0; i < messages_.size(); ++i)
        out += (i > 0 ? "," : "") + jsonString(messages_[i]);
    out += "],\"results\":[";
    for (size_t i = 0; i < results_.size(); ++i) {
        out += (i > 0 ? ",{" : "{") + std::string("\"heading\":") + jsonString(results_[i].first) +
               ",\"text\":" + jsonString(results_[i].second) + '}';
    }
    out +=
        "],\"error\":" + (status == kExitOk ? std::string("null") : jsonString(resultText(status)));
    out += "}\n";
    std::fputs(out.c_str(), stdout);
}

}  // namespace orvia::cli
