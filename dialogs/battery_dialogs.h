// Battery information (template 145) and battery type (template 147), both opened from the Test
// list of the battery models.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "console/dialog_context.h"
#include "console/dialog_model.h"
#include "console/outcome.h"

namespace orvia {

namespace battery {
inline constexpr int kInfoTemplate = 145;
inline constexpr int kInfoKind = 1125;
inline constexpr int kInfoText = 1126;
inline constexpr int kTypeTemplate = 147;
inline constexpr int kTypeGroup = -1;  // the radio buttons' frame
inline constexpr int kAlkaline = 1069;
inline constexpr int kNimh = 1070;
inline constexpr int kCrV3 = 1071;
inline constexpr int kTypeGet = 1127;
inline constexpr int kTypeSet = 1128;
}  // namespace battery

// The lines of a battery information record of `kind` (1 or 2), one per field in the record's
// order, each ending in "\r\n"; empty for another kind.
std::string batteryInfoText(std::span<const uint8_t> record, int32_t kind);

// The fields of a battery information record of `kind` (1 or 2) as measured values, under the
// names a station records them by ("official_capacity", "max_charge_voltage", ...); nothing for
// another kind.
void addBatteryInfo(Outcome& outcome, std::span<const uint8_t> record, int32_t kind);

// Reads one of the two battery information records ("TYPE 1", "TYPE 2") and lists its fields.
class BatteryInfoDialog final : public DialogModel {
  public:
    explicit BatteryInfoDialog(DialogContext& ctx);

    int32_t kindSelection = 0;  // 0 "TYPE 1", 1 "TYPE 2"
    std::string info;

    void initialise() override;

  protected:
    void exchange(DataExchange& dx) override;

  private:
    Outcome get();

    DialogContext& ctx_;
};

// Reads and sets the battery type: alkaline (1), NiMH (2) or CR-V3 (3), the radio buttons
// 1069-1071.
class BatteryTypeDialog final : public DialogModel {
  public:
    explicit BatteryTypeDialog(DialogContext& ctx);

    // Index of the checked radio button (type - 1), -1 for none.
    int32_t typeIndex = -1;

    // Reads the camera's type by running "&Get", whose outcome stands for the dialog until the
    // operator starts another.
    void initialise() override;

  protected:
    void exchange(DataExchange& dx) override;

  private:
    Outcome get();
    Outcome set();

    DialogContext& ctx_;
};

// Open the dialogs (the Test list's "Battery Info." and "Battery Type"); each returns the outcome
// of what was last done in it.
Outcome openBatteryInfoDialog(DialogContext& ctx);
Outcome openBatteryTypeDialog(DialogContext& ctx);

}  // namespace orvia
