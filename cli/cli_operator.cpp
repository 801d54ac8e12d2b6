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
    if (lastPercent_ >= 0 && progress_ == Progress::Bar && lastPercent_ < 100)
        std::fputc('\n', stderr);
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
    if (progress_ == Progress::Bar) {
        const int filled = percent * kBarWidth / 100;
        std::fprintf(stderr, "\r[%s%s] %3d%%",
                     std::string(static_cast<size_t>(filled), '#').c_str(),
                     std::string(static_cast<size_t>(kBarWidth - filled), ' ').c_str(), percent);
        if (percent >= 100) std::fputc('\n', stderr);
    } else if (progress_ == Progress::Json) {
        std::fprintf(stderr, "{\"progress\":%d}\n", percent);
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

void CliOperator::field(const std::string& name, const nlohmann::ordered_json& value) {
    fields_[name] = value;
    if (json_) return;
    if (value.is_array()) {
        for (const auto& item : value)
            std::printf("%s\n",
                        item.is_string() ? item.get<std::string>().c_str() : item.dump().c_str());
    } else if (value.is_string()) {
        const std::string text = withNewlines(value.get<std::string>());
        if (name == "text") {
            std::printf("%s%s", text.c_str(), !text.empty() && text.back() == '\n' ? "" : "\n");
        } else {
            std::printf("%s: %s\n", name.c_str(), text.c_str());
        }
    } else {
        std::printf("%s: %s\n", name.c_str(), value.dump().c_str());
    }
}

Outcome CliOperator::fail(const std::string& text) {
    lastFailure_ = text;
    std::fflush(stdout);
    messages_.push_back({MessageKind::Error, text});
    std::fprintf(stderr, "%s\n", text.c_str());
    return Outcome::failed(0, text);
}

Outcome CliOperator::cameraFailure(int code) {
    const ResultTexts texts;
    return showError(*this, ctx_ != nullptr ? ctx_->texts : texts, code);
}

nlohmann::ordered_json valuesJson(const std::vector<Measurement>& values) {
    nlohmann::ordered_json out = nlohmann::ordered_json::object();
    for (const Measurement& m : values) {
        out[m.name] = m.number ? nlohmann::ordered_json(*m.number) : nlohmann::ordered_json(m.text);
        if (!m.unit.empty()) out[m.name + "_unit"] = m.unit;
    }
    return out;
}

// Bytes that are not UTF-8 are replaced by U+FFFD.
void CliOperator::printJson(const nlohmann::ordered_json& object) {
    const std::string line =
        object.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
    std::fputs((line + '\n').c_str(), stdout);
    std::fflush(stdout);
}

nlohmann::ordered_json CliOperator::takeFields() {
    nlohmann::ordered_json taken = nlohmann::ordered_json::object();
    std::swap(taken, fields_);
    return taken;
}

void CliOperator::finish(const std::string& command, int status, const Outcome& o) const {
    if (json_) printJson(object(command, status, o));
}

nlohmann::ordered_json CliOperator::object(const std::string& command, int status, const Outcome& o,
                                           Mark since) const {
    nlohmann::ordered_json out;
    out["schema"] = kJsonSchema;
    out["command"] = command;
    out["status"] = status;
    out["ok"] = status == kExitOk;
    out["ending"] = endingName(o.ending);
    out["judgement"] = judgementName(o.judgement);
    out["link_result"] = o.linkResult;
    out["values"] = valuesJson(o.values);
    for (const auto& [name, value] : fields_.items())
        out[name] = value;
    out["messages"] = nlohmann::ordered_json::array();
    for (size_t i = since.messages; i < messages_.size(); ++i) {
        const ShownMessage& m = messages_[i];
        out["messages"].push_back({{"kind", messageKindName(m.kind)}, {"text", m.text}});
    }
    out["results"] = nlohmann::ordered_json::array();
    for (size_t i = since.results; i < results_.size(); ++i)
        out["results"].push_back({{"heading", results_[i].first}, {"text", results_[i].second}});
    if (status == kExitOk) {
        out["error"] = nullptr;
    } else {
        out["error"] = o.passed() ? std::string(text::kCliFailed) : resultTextOf(o);
    }
    return out;
}

void CliOperator::usageError(const std::string& error) {
    nlohmann::ordered_json out;
    out["schema"] = kJsonSchema;
    out["command"] = nullptr;
    out["status"] = kExitUsage;
    out["ok"] = false;
    out["error"] = error;
    printJson(out);
}

}  // namespace orvia::cli
