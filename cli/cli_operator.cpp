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

void CliOperator::showMessage(MessageKind kind, std::string_view text) {
    std::string m(text);
    messages_.push_back({kind, m});
    std::fflush(stdout);
    if (lastPercent_ >= 0 && terminal_ && lastPercent_ < 100) std::fputc('\n', stderr);
    std::fprintf(stderr, "%s\n", withNewlines(m).c_str());
}

bool CliOperator::askYesNo(std::string_view text) {
    if (yes_) return true;
    const std::string question(text);
    std::fflush(stdout);
    std::fprintf(stderr, "%s\n", format(text::kCliDeclined, question.c_str()).c_str());
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
    // Dialogs are refused before they get here (showsWindows()); one that still comes is closed.
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

Outcome CliOperator::fail(const std::string& text) {
    std::fflush(stdout);
    messages_.push_back({MessageKind::Error, text});
    std::fprintf(stderr, "%s\n", text.c_str());
    return Outcome::failed(0, text);
}

Outcome CliOperator::cameraFailure(int code) {
    const ResultTexts texts;
    return showError(*this, ctx_ != nullptr ? ctx_->texts : texts, code);
}

void CliOperator::finish(const std::string& command, int status, const Outcome& o) const {
    if (!json_) return;
    std::string out = "{\"command\":" + jsonString(command);
    out += ",\"status\":" + std::to_string(status);
    out += std::string(",\"ok\":") + (status == kExitOk ? "true" : "false");
    out += ",\"ending\":" + jsonString(endingName(o.ending));
    out += ",\"judgement\":" + jsonString(judgementName(o.judgement));
    out += ",\"link_result\":" + std::to_string(o.linkResult);
    out += ",\"values\":" + jsonValues(o.values);
    for (const auto& [name, value] : fields_)
        out += ',' + jsonString(name) + ':' + value;
    out += ",\"messages\":[";
    for (size_t i = 0; i < messages_.size(); ++i)
        out += (i > 0 ? "," : "") + jsonString(messages_[i].text);
    out += "],\"message_kinds\":[";
    for (size_t i = 0; i < messages_.size(); ++i)
        out += (i > 0 ? "," : "") + jsonString(messageKindName(messages_[i].kind));
    out += "],\"results\":[";
    for (size_t i = 0; i < results_.size(); ++i) {
        out += (i > 0 ? ",{" : "{") + std::string("\"heading\":") + jsonString(results_[i].first) +
               ",\"text\":" + jsonString(results_[i].second) + '}';
    }
    const std::string error =
        status == kExitOk ? std::string("null")
                          : jsonString(o.passed() ? std::string("failed") : resultTextOf(o));
    out += "],\"error\":" + error;
    out += "}\n";
    std::fputs(out.c_str(), stdout);
}

}  // namespace orvia::cli
