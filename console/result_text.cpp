#include "console/result_text.h"

#include "console/format.h"
#include "console/texts.h"

namespace orvia {

namespace {
constexpr const char* kLinkTexts[] = {
    "No Error",
    "Invalid Parameter",
    "Parameter out of range",
    "Port not available",
    "Communication failure",
    "Insufficient disk space",
    "User disconnection",
    "Close error",
    "Write error",
    "Execute error",
    "Read error",
    "Open error",
    "Camera not responding",
    "Camera bad response",
    "Camera NAK1 response",
    "Camera DC1 response",
    "Bad checksum",
    "Bad getlong",
    "Bad rcvlen",
    "User break",
    "Session close",
    "USB not responding",
    "LCD not available",
    "Focus not available",
};
constexpr char kOtherErrorText[] = "Other Error";
}  // namespace

ResultTexts::ResultTexts() {
    for (size_t i = 0; i < std::size(kLinkTexts); ++i)
        slots_[i] = kLinkTexts[i];
}

void ResultTexts::installOtherError() {
    slots_[kOtherError] = kOtherErrorText;
}

bool ResultTexts::hasText(int code) const {
    return code >= 0 && code < kSlots && slots_[static_cast<size_t>(code)] != nullptr;
}

std::string ResultTexts::text(int code) const {
    if (hasText(code)) return slots_[static_cast<size_t>(code)];
    return format(text::kUndefinedResult, code);
}

}  // namespace orvia
