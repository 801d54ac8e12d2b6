#include "dialogs/adjust_support.h"

#include "console/camera.h"
#include "console/diag_run.h"
#include "console/diags.h"
#include "console/format.h"
#include "console/operator.h"
#include "console/reporting.h"
#include "console/texts.h"

namespace orvia {

std::optional<int32_t> parseHex(const std::string& text) {
    constexpr size_t kMaxDigits = 8;
    if (text.empty() || text.size() > kMaxDigits) return std::nullopt;
    uint32_t value = 0;
    for (char c : text) {
        uint32_t digit = 0;
        if (c >= '0' && c <= '9') {
            digit = static_cast<uint32_t>(c - '0');
        } else if (c >= 'A' && c <= 'F') {
            digit = static_cast<uint32_t>(c - 'A' + 10);
        } else if (c >= 'a' && c <= 'f') {
            digit = static_cast<uint32_t>(c - 'a' + 10);
        } else {
            return std::nullopt;
        }
        value = value << 4 | digit;
    }
    return static_cast<int32_t>(value);
}

std::string levelText(int32_t value) {
    return format(text::kLevelFormat, static_cast<unsigned>(value) & 0xFFu);
}

bool readControlsOrPrompt(DialogModel& dialog, Operator& op) {
    bool clean = true;
    // Each round puts back one refused edit; the table bounds the rounds.
    for (size_t round = 0; round <= dialog.table().size(); ++round) {
        if (dialog.readControls()) return clean;
        clean = false;
        const ControlDef& def = dialog.def(dialog.lastExchangeFailure());
        if (def.rangeLow < def.rangeHigh) {
            op.message(format(text::kEnterIntegerBetween, def.rangeLow, def.rangeHigh));
        } else {
            op.message(text::kEnterInteger);
        }
        // Members read before the refused edit hold the operator's values; the refused one and
        // those after it show what they held.
        dialog.writeBack();
    }
    return clean;
}

Outcome runLevelStep(DialogContext& ctx, int32_t value, int32_t diag) {
    if (const int32_t r = ctx.camera.set_diag_long(value); r != 0)
        return showFailure(ctx.op, text::kSetDiagLongFailed, MessageKind::Plain, r);
    if (const int32_t r = ctx.camera.execute_diag(diag); r != 0)
        return showFailure(ctx.op, text::kExecuteDiagFailed, MessageKind::Plain, r);
    waitReady(ctx.camera, ctx.clock, diag::kWaitAdjustment);
    return Outcome::completed();
}

}  // namespace orvia
