// The parameter prompt (template 136, "Set parameter"): asks for one non-zero 32-bit value. The
// caller puts the current value in, runs the dialog modally and, when it ends with OK, takes the
// value out.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "console/dialog_model.h"

namespace orvia {

class Operator;

inline constexpr int kParamTemplate = 136;

namespace idc {
inline constexpr int kParamEdit = 1091;
inline constexpr int kParamLabel = -1;
}  // namespace idc

// The typed text as a number: "0x"/"0X" and hexadecimal digits, or decimal digits with an
// optional sign; leading spaces are skipped and the conversion stops at the first character
// that is no digit. Nothing when no digit follows, or when the value does not fit 32 bits.
std::optional<int32_t> parseParameter(std::string_view text);

class ParamDialog final : public DialogModel {
  public:
    explicit ParamDialog(Operator& op, int32_t value = 0);

    int32_t parameter;
    std::string text;

    // Shows the parameter as "0x%08X".
    void initialise() override;

  protected:
    void exchange(DataExchange& dx) override;

  private:
    // "&Set": takes a non-zero number and closes with OK; anything else keeps the dialog open.
    void set();

    Operator& op_;
};

}  // namespace orvia
