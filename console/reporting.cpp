#include "console/reporting.h"

#include "console/format.h"
#include "console/operator.h"
#include "console/result_text.h"
#include "console/texts.h"

namespace orvia {

void showError(Operator& op, const ResultTexts& texts, int code) {
    op.message(format(text::kErrorBox, texts.text(code).c_str()));
}

void showError(DialogContext& ctx, int code) {
    showError(ctx.op, ctx.texts, code);
}

void setStatus(DialogContext& ctx, const std::string& text) {
    if (ctx.statusLine != nullptr) ctx.statusLine->setStatus(text);
}

void endWithError(DialogContext& ctx, int code) {
    setStatus(ctx, text::kStatusIdle);
    showError(ctx, code);
}

void showStepError(DialogContext& ctx, std::string_view step, int code) {
    const std::string whole =
        format(text::kStepError, std::string(step).c_str(), ctx.texts.text(code).c_str());
    if (ctx.statusLine != nullptr) ctx.statusLine->showStatusNow(whole);
    ctx.op.message(whole);
}

bool confirm(Operator& op, std::string_view action) {
    return op.askYesNo(std::string(action) + text::kYesOrNo);
}

ProgressFn statusLineProgress(DialogContext& ctx) {
    return [&ctx](int32_t, int32_t, int32_t percent) -> int32_t {
        if (ctx.statusLine != nullptr) ctx.statusLine->setProgress(percent);
        return 1;
    };
}

ProgressScope::ProgressScope(DialogContext& ctx) : ctx_(ctx) {
    ctx_.camera.setup_callback(statusLineProgress(ctx_), 0);
}

ProgressScope::~ProgressScope() {
    ctx_.camera.setup_callback(nullptr, 0);
}

}  // namespace orvia
