#include "dialogs/battery_dialogs.h"

#include <array>

#include "console/camera.h"
#include "console/diags.h"
#include "console/format.h"
#include "console/operator.h"
#include "console/reporting.h"
#include "console/texts.h"

namespace orvia {

namespace {

// One field of a battery information record: unsigned, little-endian, 8 or 16 bits, with the
// line that shows it and the name it is measured by.
struct BatteryField {
    size_t offset;
    int bits;
    const char* line;
    const char* name;
};

// Kind 1; bytes 13 and 21 are reserved.
constexpr BatteryField kKind1Fields[] = {
    {0, 16, text::kOfficialCapacity, "official_capacity"},
    {2, 16, text::kManufacturingDate, "manufacturing_date"},
    {4, 16, text::kCycleCount, "cycle_count"},
    {6, 16, text::kChargeCount, "charge_count"},
    {8, 16, text::kTotalEnergizingTime, "total_energizing_time"},
    {10, 16, text::kReleaseCount, "release_count"},
    {12, 8, text::kLastCameraMode, "last_camera_mode"},
    {14, 16, text::kTotalEnergizingTimeLast, "total_energizing_time_last"},
    {16, 16, text::kReleaseCountLast, "release_count_last"},
    {18, 8, text::kCameraModeLast, "camera_mode_last"},
    {19, 8, text::kBatteryVersion, "battery_version"},
    {20, 8, text::kBatteryMode, "battery_mode"},
};

// Kind 2; bytes 20 and 21 are reserved.
constexpr BatteryField kKind2Fields[] = {
    {0, 16, text::kMaxChargeVoltage, "max_charge_voltage"},
    {2, 16, text::kMaxDischargeCurrent, "max_discharge_current"},
    {4, 16, text::kMinDischargeCurrent, "min_discharge_current"},
    {6, 8, text::kMaxDischargeTemperature, "max_discharge_temperature"},
    {7, 8, text::kMinDischargeTemperature, "min_discharge_temperature"},
    {8, 8, text::kMaxChargeTemperature, "max_charge_temperature"},
    {9, 8, text::kMinChargeTemperature, "min_charge_temperature"},
    {10, 16, text::kMaxChargeVoltageLast, "max_charge_voltage_last"},
    {12, 16, text::kMaxDischargeCurrentLast, "max_discharge_current_last"},
    {14, 16, text::kMinDischargeCurrentLast, "min_discharge_current_last"},
    {16, 8, text::kMaxDischargeTemperatureLast, "max_discharge_temperature_last"},
    {17, 8, text::kMinDischargeTemperatureLast, "min_discharge_temperature_last"},
    {18, 8, text::kMaxChargeTemperatureLast, "max_charge_temperature_last"},
    {19, 8, text::kMinChargeTemperatureLast, "min_charge_temperature_last"},
};

std::span<const BatteryField> fieldsOf(int32_t kind) {
    if (kind == 1) return kKind1Fields;
    if (kind == 2) return kKind2Fields;
    return {};
}

// Calls `take(field, value)` for every field of a record of `kind` that the record holds.
template <typename Take>
void forEachField(std::span<const uint8_t> record, int32_t kind, Take take) {
    for (const BatteryField& f : fieldsOf(kind)) {
        if (f.offset + static_cast<size_t>(f.bits / 8) > record.size()) break;
        unsigned value = record[f.offset];
        if (f.bits == 16) value |= unsigned{record[f.offset + 1]} << 8;
        take(f, value);
    }
}

std::vector<ControlDef> batteryInfoTable() {
    using namespace controls;
    ControlDef infoText = multiLineEdit(battery::kInfoText).at(1, 0, 3);
    infoText.readOnly = true;
    return {
        list(battery::kInfoKind, {text::kBatteryType1, text::kBatteryType2})
            .labelled(text::kInfoType)
            .at(0, 0, 3),
        infoText,
        defaultButton(kIdOk, text::kGet).at(2, 1),
        button(kIdCancel, text::kExit).at(2, 2),
    };
}

std::vector<ControlDef> batteryTypeTable() {
    using namespace controls;
    using namespace battery;
    return {
        groupBox(kTypeGroup, text::kBatteryTypeGroup).at(0, 0, 3),
        radio(kAlkaline, text::kAlkalineBattery).in(kTypeGroup).at(0, 0),
        radio(kNimh, text::kNimhBattery).in(kTypeGroup).at(1, 0),
        radio(kCrV3, text::kCrV3Battery).in(kTypeGroup).at(2, 0),
        defaultButton(kTypeGet, text::kGet).at(1, 0),
        button(kTypeSet, text::kSet).at(1, 1),
        button(kIdCancel, text::kExit).at(1, 2),
    };
}

}  // namespace

std::string batteryInfoText(std::span<const uint8_t> record, int32_t kind) {
    std::string lines;
    forEachField(record, kind,
                 [&](const BatteryField& f, unsigned value) { lines += format(f.line, value); });
    return lines;
}

void addBatteryInfo(Outcome& outcome, std::span<const uint8_t> record, int32_t kind) {
    forEachField(record, kind,
                 [&](const BatteryField& f, unsigned value) { outcome.measure(f.name, value); });
}

BatteryInfoDialog::BatteryInfoDialog(DialogContext& ctx)
    : DialogModel(battery::kInfoTemplate, text::kBatteryInfoTitle, batteryInfoTable()), ctx_(ctx) {
    setProcedure(kIdOk, ctx_.op, [this] { return get(); });
}

void BatteryInfoDialog::exchange(DataExchange& dx) {
    dx.selection(battery::kInfoKind, kindSelection);
    dx.text(battery::kInfoText, info);
}

void BatteryInfoDialog::initialise() {
    kindSelection = 0;
    writeBack();
}

Outcome BatteryInfoDialog::get() {
    WaitCursor busy(ctx_.op);
    readControls();
    const int32_t kind = kindSelection + 1;
    // The list always has a selection.
    if (kind < 1 || kind > diag::kBatteryInfoKinds) return Outcome::completed();
    std::array<uint8_t, diag::kBatteryInfoBytes> record{};
    if (const int32_t r = ctx_.camera.get_battery_info(record.data(), kind); r != 0) {
        info.clear();
        writeBack();
        return showFailure(ctx_.op, text::kGetBatteryInfoFailure, MessageKind::Error, r);
    }
    info = batteryInfoText(record, kind);
    writeBack();
    Outcome outcome;
    outcome.measure("battery_info_kind", kind);
    addBatteryInfo(outcome, record, kind);
    return outcome;
}

BatteryTypeDialog::BatteryTypeDialog(DialogContext& ctx)
    : DialogModel(battery::kTypeTemplate, text::kBatteryTypeTitle, batteryTypeTable()), ctx_(ctx) {
    setProcedure(battery::kTypeGet, ctx_.op, [this] { return get(); });
    setProcedure(battery::kTypeSet, ctx_.op, [this] { return set(); });
}

void BatteryTypeDialog::exchange(DataExchange& dx) {
    using namespace battery;
    dx.radio({kAlkaline, kNimh, kCrV3}, typeIndex);
}

void BatteryTypeDialog::initialise() {
    command(battery::kTypeGet);
}

Outcome BatteryTypeDialog::get() {
    const int32_t type = ctx_.camera.get_battery_type();
    // 0 is a camera without battery types; below 0 the call's own failure.
    if (type <= 0)
        return showFailure(ctx_.op, text::kGetBatteryTypeNotSupported, MessageKind::Error, type);
    // A type without a radio button of its own leaves none checked.
    typeIndex = type <= diag::kBatteryTypes ? type - 1 : -1;
    writeBack();
    Outcome outcome;
    outcome.measure("battery_type", type);
    return outcome;
}

Outcome BatteryTypeDialog::set() {
    readControls();
    // No type is chosen: there is nothing sound to send.
    if (typeIndex < 0) return showFailure(ctx_.op, text::kChooseBatteryType);
    const int32_t type = typeIndex + 1;
    if (const int32_t r = ctx_.camera.set_battery_type(type); r != 0)
        return showFailure(ctx_.op, text::kSetBatteryTypeFailure, MessageKind::Error, r);
    ctx_.op.message(MessageKind::Information, text::kSetBatteryTypeCompleted);
    Outcome outcome;
    outcome.measure("battery_type", type);
    return outcome;
}

Outcome openBatteryInfoDialog(DialogContext& ctx) {
    BatteryInfoDialog dialog(ctx);
    return runDialog(ctx.op, dialog);
}

Outcome openBatteryTypeDialog(DialogContext& ctx) {
    BatteryTypeDialog dialog(ctx);
    return runDialog(ctx.op, dialog);
}

}  // namespace orvia
