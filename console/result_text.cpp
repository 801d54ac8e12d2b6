#include "console/result_text.h"

#include "console/format.h"
#include "console/texts.h"
#include "qorlink.h"

namespace orvia {

ResultTexts::ResultTexts() {
    for (int code = 0; code < kOtherError; ++code)
        slots_[static_cast<size_t>(code)] = qorlink_result_text(code);
    // The link library names no text for a call refused because another was running.
    slots_[QORLINK_BUSY] = text::kLinkBusy;
}

void ResultTexts::installOtherError() {
    slots_[kOtherError] = qorlink_result_text(QORLINK_OTHER_ERROR);
}

bool ResultTexts::hasText(int code) const {
    return code >= 0 && code < kSlots && slots_[static_cast<size_t>(code)] != nullptr;
}

std::string ResultTexts::text(int code) const {
    if (hasText(code)) return slots_[static_cast<size_t>(code)];
    return format(text::kUndefinedResult, code);
}

}  // namespace orvia
