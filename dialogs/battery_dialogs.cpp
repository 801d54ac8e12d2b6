#include "dialogs/battery_dialogs.h"

#include <array>

#include "console/camera.h"
#include "console/diags.h"
#include "console/format.h"
#include "console/operator.h"
#include "console/texts.h"

namespace orvia {

namespace {

// One field of a battery information record: unsigned, little-endian, 8 or 16 bits.
struct BatteryField {
    size_t offset;
    int bits;
    const char* line;
};

// Kind 1; bytes 13 and 21 are reserved.
constexpr BatteryField kKind1Fields[] = {
    {0, 16, text::kOfficialCapacity},    {2, 16, text::kManufacturingDate},
    {4, 16, text::kCycleCount},          {6, 16, text::kChargeCount},
    {8, 16, text::kTotalEnergizingTime}, {10, 16, text::kReleaseCount},
    {12, 8, text::kLastCameraMode},      {14, 16, text::kTotalEnergizingTimeLast},
    {16, 16, text::kReleaseCountLast},   {18, 8, text::kCameraModeLast},
    {19, 8, text::kBatteryVersion},      {20, 8, text::kBatteryMode},
};

// Kind 2; bytes 20 and 21 are reserved.
constexpr BatteryField kKind2Fields[] = {
    {0, 16, text::kMaxChargeVoltage},
    {2, 16, text::kMaxDischargeCurrent},
    {4, 16, text::kMinDischargeCurrent},
    {6, 8, text::kMaxDischargeTemperature},
    {7, 8, text::kMinDischargeTemperature},
    {8, 8, text::kMaxChargeTemperature},
    {9, 8, text::kMinChargeTemperature},
    {10, 16, text::kMaxChargeVoltageLast},
    {12, 16, text::kMaxDischargeCurrentLast},
    {14, 16, text::kMinDischargeCurrentLast},
    {16, 8, text::kMaxDischargeTemperatureLast},
    {17, 8, text::kMinDischargeTemperatureLast},
    {18, 8, text::kMaxChargeTemperatureLast},
    {19, 8, text::kMinChargeTemperatureLast},
};

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
    std::span<const BatteryField> fields;
    if (kind == 1) fields = kKind1Fields;
    if (kind == 2) fields = kKind2Fields;
    std::string lines;
    for (const BatteryField& f : fields) {
        if (f.offset + static_cast<size_t>(f.bits / 8) > record.size()) break;
        unsigned value = record[f.offset];
        if (f.bits == 16) value |= unsigned{record[f.offset + 1]} << 8;
        lines += format(f.line, value);
    }
    return lines;
}

BatteryInfoDialog::BatteryInfoDialog(DialogContext& ctx)
    : DialogModel(battery::kInfoTemplate, text::kBatteryInfoTitle, batteryInfoTable()), ctx_(ctx) {
    setHandler(kIdOk, [this] { get(); });
}

void BatteryInfoDialog::exchange(DataExchange& dx) {
    dx.selection(battery::kInfoKind, kindSelection);
    dx.text(battery::kInfoText, info);
}

void BatteryInfoDialog::initialise() {
    kindSelection = 0;
    writeBack();
}

void BatteryInfoDialog::get() {
    WaitCursor busy(ctx_.op);
    readControls();
    const int32_t kind = kindSelection + 1;
    if (kind < 1 || kind > diag::kBatteryInfoKinds) return;  // the list always has a selection
    std::array<uint8_t, diag::kBatteryInfoBytes> record{};
    if (ctx_.camera.get_battery_info(record.data(), kind) != 0) {
        info.clear();
        writeBack();
        ctx_.op.message(text::kGetBatteryInfoFailure);
        return;
    }
    info = batteryInfoText(record, kind);
    writeBack();
}

BatteryTypeDialog::BatteryTypeDialog(DialogContext& ctx)
    : DialogModel(battery::kTypeTemplate, text::kBatteryTypeTitle, batteryTypeTable()), ctx_(ctx) {
    setHandler(battery::kTypeGet, [this] { get(); });
    setHandler(battery::kTypeSet, [this] { set(); });
}

void BatteryTypeDialog::exchange(DataExchange& dx) {
    using namespace battery;
    dx.radio({kAlkaline, kNimh, kCrV3}, typeIndex);
}

void BatteryTypeDialog::initialise() {
    get();
}

void BatteryTypeDialog::get() {
    const int32_t type = ctx_.camera.get_battery_type();
    if (type <= 0) {
        ctx_.op.message(text::kGetBatteryTypeNotSupported);
        return;
    }
    // A type without a radio button of its own leaves none checked.
    typeIndex = type <= diag::kBatteryTypes ? type - 1 : -1;
    writeBack();
}

void BatteryTypeDialog::set() {
    readControls();
    if (typeIndex < 0) {
        // No type is chosen: there is nothing sound to send.
        ctx_.op.message(text::kChooseBatteryType);
        return;
    }
    if (ctx_.camera.set_battery_type(typeIndex + 1) != 0) {
        ctx_.op.message(text::kSetBatteryTypeFailure);
    } else {
        ctx_.op.message(text::kSetBatteryTypeCompleted);
    }
}

void openBatteryInfoDialog(DialogContext& ctx) {
    BatteryInfoDialog dialog(ctx);
    ctx.op.runModal(dialog);
}

void openBatteryTypeDialog(DialogContext& ctx) {
    BatteryTypeDialog dialog(ctx);
    ctx.op.runModal(dialog);
}

}  // namespace orvia
