// The result window (template 133): a heading over a scrolled, editable text, with "OK" and
// "Copy". "Copy" carries the Cancel identity, so Escape and the close box copy the text instead
// of closing; only OK closes.
#pragma once

#include <string>

#include "console/dialog_model.h"

namespace orvia {

class Operator;

inline constexpr int kResultTemplate = 133;
inline constexpr int kResultHeading = 1067;
inline constexpr int kResultText = 1066;

class ResultDialog final : public DialogModel {
  public:
    explicit ResultDialog(Operator& op);

    std::string heading;
    // Lines separated by "\r\n".
    std::string text;

    void initialise() override;

  protected:
    void exchange(DataExchange& dx) override;

  private:
    void copy();

    Operator& op_;
};

// Shows `text` under `heading` in the result window and returns when the operator closes it.
void showResult(Operator& op, const std::string& heading, const std::string& text);

}  // namespace orvia
