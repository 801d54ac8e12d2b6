// Texts for the link library's result codes: the link library's own (qorlink_result_text).
#pragma once

#include <array>
#include <string>

#include "qorlink.h"

namespace orvia {

class ResultTexts {
  public:
    static constexpr int kSlots = 256;
    static constexpr int kOtherError = QORLINK_OTHER_ERROR;

    // Slots 0-23 filled from the link library's texts, slot 24 (another call was running, nothing
    // was sent) with the console's own; slot 255 waits for the main dialog (installOtherError()).
    ResultTexts();
    // Fills slot 255; the main dialog does this when it initialises.
    void installOtherError();

    // The text for `code`: its slot's text, or a generic text naming the code for an empty slot
    // and for any code outside 0-255.
    std::string text(int code) const;
    // True when the slot for `code` holds a text of its own.
    bool hasText(int code) const;

  private:
    std::array<const char*, kSlots> slots_{};
};

}  // namespace orvia
