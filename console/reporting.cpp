#include "console/reporting.h"

#include <utility>

#include "console/format.h"
#include "console/operator.h"
#include "console/result_text.h"
#include "console/texts.h"

namespace orvia {

Outcome showError(Operator& op, const ResultTexts& texts, int code) {
    std::string box = format(text::kErrorBox, texts.text(code).c_str());
    op.message(MessageKind::Error, box);
    return Outcome::failed(code, std::move(box));
}

Outcome showError(DialogContext& ctx, int code) {
    return showError(ctx.op, ctx.texts, code);
}

void setStatus(DialogContext& ctx, const std::string& text) {
    if (ctx.statusLine != nullptr) ctx.statusLine->setStatus(text);
}

Outcome endWithError(DialogContext& ctx, int code) {
    setStatus(ctx, text::kStatusIdle);
    return showError(ctx, code);
}

Outcome showStepError(DialogContext& ctx, std::string_view step, int code) {
    std::string whole =
        format(text::kStepError, std::string(step).c_str(), ctx.texts.text(code).c_str());
    if (ctx.statusLine != nullptr) ctx.statusLine->showStatusNow(whole);
    ctx.op.message(MessageKind::Error, whole);
    return Outcome::failed(code, std::move(whole));
}

Outcome showFailure(Operator& op, std::string_view text, MessageKind kind, int32_t linkResult) {
    op.message(kind, text);
    return Outcome::failed(linkResult, std::string(text));
}

Outcome showFileUnusable(Operator& op, std::string_view text) {
    op.message(text);
    return Outcome::fileUnusable(std::string(text));
}

Outcome keepEarlierFailure(DialogContext& ctx, int32_t earlier, Outcome later) {
    if (earlier == 0 || !later.passed()) return later;
    Outcome failure =
        Outcome::failed(earlier, format(text::kErrorBox, ctx.texts.text(earlier).c_str()));
    failure.values = std::move(later.values);
    return failure;
}

bool confirm(Operator& op, std::string_view action) {
    return op.askYesNo(std::string(action) + text::kYesOrNo);
}

Outcome answeredNo(std::string_view action) {
    return Outcome::declined(std::string(action) + text::kYesOrNo + text::kAnsweredNo);
}

ProgressFn statusLineProgress(DialogContext& ctx) {
    return [&ctx](int32_t, int32_t, int32_t percent) -> int32_t {
        if (ctx.statusLine == nullptr) return 1;
        ctx.statusLine->setProgress(percent);
        return ctx.statusLine->keepGoing() ? 1 : 0;
    };
}

ProgressScope::ProgressScope(DialogContext& ctx) : ctx_(ctx) {
    ctx_.camera.setup_callback(statusLineProgress(ctx_), 0);
}

ProgressScope::~ProgressScope() {
    ctx_.camera.setup_callback(nullptr, 0);
}

}  // namespace orvia
