// "PAF Calibration Dialog": the camera's phase-detection AF calibrations (uniformity, distance,
// parallax, two temperatures, up/down), their stored results and the PAF display mode.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "console/dialog_context.h"
#include "console/dialog_model.h"
#include "console/outcome.h"

namespace orvia {

inline constexpr int kPafCalTemplate = 134;

namespace idc::paf {
inline constexpr int kUniformity = 1082;
inline constexpr int kParallax = 1083;
inline constexpr int kTemp1 = 1090;
inline constexpr int kTemp2 = 1091;
inline constexpr int kDistance = 1084;
inline constexpr int kDistanceStep = 1085;
inline constexpr int kDistanceCal = 1086;
inline constexpr int kResults = 1088;
inline constexpr int kGet = 1089;
inline constexpr int kDispGroup = 1092;
inline constexpr int kDispOn = 1069;
inline constexpr int kDispOff = 1093;
inline constexpr int kUpDown = 1094;
inline constexpr int kStatus = 1087;
}  // namespace idc::paf

// Parameter words choosing which stored result the camera returns.
namespace paf_selector {
inline constexpr int32_t kUniformity = 0x0CBFADE0;  // plus the part, 0..3
inline constexpr int32_t kDistance = 0x0CBDFAEB;
inline constexpr int32_t kTemperature = 0x0CBEDFAB;
inline constexpr int32_t kParallax = 0x0CBADFEB;
inline constexpr int32_t kUpDown = 0x0CBCEBDA;
}  // namespace paf_selector

inline constexpr int32_t kPafDistanceMax = 65535;
inline constexpr int32_t kPafDistanceDefault = 400;

class PafCalDialog final : public DialogModel {
  public:
    PafCalDialog(DialogContext& ctx, bool evf);
    void initialise() override;

    int32_t distance = kPafDistanceDefault;
    int32_t results = 0;

    struct Calibration;

  protected:
    void exchange(DataExchange& dx) override;

  private:
    Outcome calibrate(const Calibration& c);
    Outcome getStored();
    Outcome switchDisplay(bool on);
    // The camera's result text, with a selector first when given; the failure after the error
    // box.
    std::variant<std::string, Outcome> fetch(std::optional<int32_t> selector);
    std::variant<std::string, Outcome> fetchUniformity();
    // The result window for a fetched text, or the fetch's failure.
    Outcome showFetched(const char* heading, std::variant<std::string, Outcome> fetched);
    void status(const char* text);

    DialogContext& ctx_;
    bool evf_;
};

// The main dialog's "PAF Cal." button (the Initialize button relabelled for PAF cameras), with
// the state of its EVF check box. Returns the outcome of the last action taken in it.
Outcome openPafCalDialog(DialogContext& ctx, bool evf);

}  // namespace orvia
