#include "service/service_builds.h"

#include <utility>

#include "console/app_state.h"
#include "console/host.h"
#include "console/main_dialog.h"
#include "console/model_tables.h"
#include "console/texts.h"

namespace orvia {

namespace {

constexpr std::pair<int, const char*> kToolTips[] = {
    {idc::kTest, text::kTipTest},
    {idc::kAwb, text::kTipAwb},
    {idc::kFocus, text::kTipFocus},
    {idc::kFirmware, text::kTipFirmware},
    {idc::kInitialize, text::kTipInitialize},
    {idc::kFactoryCode, text::kTipFactoryCode},
    {idc::kMaintenance, text::kTipMaintenance},
    {idc::kUsbGet, text::kTipUsbGet},
    {idc::kSerialGet, text::kTipSerialGet},
    {idc::kSerial1, text::kTipSerial1},
    {idc::kSerialSet, text::kTipSerialSet},
    {idc::kRepairSite, text::kTipRepairSite},
    {idc::kSerial2, text::kTipSerial2},
};

// The repair-service form: shown by the set-up, hidden otherwise. The repair-site list carries
// its own "Repair site " label; the backrush pulse label beside the Test list keeps its text.
constexpr int kRepairForm[] = {idc::kRepairSite, idc::kSerialLabel, idc::kSerial1,
                               idc::kSerial2,    idc::kSerialGet,   idc::kSerialSet};

// Locked on the Westrand build (unlocked on any other): the LCD registers, calibration, data
// upload and the single USB identity writes.
constexpr int kRepairLocked[] = {
    idc::kRBright,  idc::kBBright,   idc::kRgbOffset, idc::kGain,      idc::kVcomdc,
    idc::kVcompp,   idc::kTint,      idc::kPhase,     idc::kHAfc,      idc::kData,
    idc::kUvMatrix, idc::kCalMode,   idc::kCalModeOk, idc::kCalData,   idc::kCalDataOk,
    idc::kUsbSet,   idc::kUsbVidSet, idc::kUsbPidSet, idc::kUsbRevSet,
};

// Locked on the TELMO build.
constexpr int kTelmoLocked[] = {
    idc::kAwb,       idc::kFocus,     idc::kUvMatrix,  idc::kCalMode,    idc::kCalModeOk,
    idc::kCalData,   idc::kCalDataOk, idc::kData,      idc::kInitialize, idc::kEvf,
    idc::kVco,       idc::kLcdType,   idc::kRBright,   idc::kBBright,    idc::kVcomdc,
    idc::kRgbOffset, idc::kGain,      idc::kVcompp,    idc::kTint,       idc::kPhase,
    idc::kHAfc,      idc::kUsbSet,    idc::kUsbVidSet, idc::kUsbPidSet,  idc::kUsbRevSet,
};
constexpr int kTelmoLockedLater[] = {idc::kBackrush, idc::kBackrushGet, idc::kBackrushSet,
                                     idc::kFactoryCode};

constexpr int kIdentityEdits[] = {idc::kUsbRev, idc::kUsbVid, idc::kUsbPid};

}  // namespace

bool isServiceBuild(const BuildIdentity& identity, std::string_view name) {
    if (!identity.hasBlock) return false;
    const auto build = identity.privateBuild();
    return build && !build->empty() && *build == name;
}

void installToolTips(MainDialog& d) {
    for (const ControlDef& def : d.table()) {
        for (const auto& [id, tip] : kToolTips) {
            if (id == def.id) d.setToolTip(id, tip);
        }
    }
}

void repairServiceSetup(DialogContext& ctx, MainDialog& d) {
    AppState& state = ctx.state;
    const bool westrand = isServiceBuild(ctx.host.linkBuildIdentity(), text::kBuildWestrand);
    if (westrand) {
        state.caps.fullTestMenu = 0;
        if (models::FocusLockedModel.matches(state.cameraType)) d.setEnabled(idc::kFocus, false);
    }

    for (int id : kRepairForm)
        d.setVisible(id, true);
    if (state.caps.fullTestMenu == 1) d.setReadOnly(idc::kSerial1, false);
    for (int id : {idc::kUsbSerial, idc::kUsbSerialSet})
        d.setEnabled(id, false);
    d.setText(idc::kSerialLabel, text::kSerialNoLabel);
    state.caps.repairSiteMode = 1;

    for (int id : kRepairLocked)
        d.setEnabled(id, !westrand);
    if (westrand) {
        for (int id : kIdentityEdits)
            d.setReadOnly(id, true);
    }
    for (int id : {idc::kLanguage, idc::kVideoMode})
        d.setEnabled(id, !westrand);

    if (westrand) {
        std::vector<std::string> tests = {text::kTestCcdDefect, text::kTestCcdBlack};
        if (models::ServiceInfinityModels.matches(state.cameraType)) {
            tests.emplace_back(text::kTestInfinityCal);
            state.caps.hasInfinityCal = 1;
        }
        d.setItems(idc::kTest, std::move(tests));
    }
    d.setText(idc::kInitialize, text::kSetDefault);
    if (models::ClearStatusModels.matches(state.cameraType)) {
        d.setVisible(idc::kMaintenance, true);
        d.setText(idc::kMaintenance, text::kClearStatus);
    }
    installToolTips(d);
}

void lockedServiceSetup(DialogContext& ctx, MainDialog& d) {
    if (!isServiceBuild(ctx.host.linkBuildIdentity(), text::kBuildTelmo)) return;
    for (int id : kTelmoLocked)
        d.setEnabled(id, false);
    for (int id : kIdentityEdits)
        d.setReadOnly(id, true);
    for (int id : {idc::kLanguage, idc::kVideoMode})
        d.setEnabled(id, false);
    d.setReadOnly(idc::kSerial1, true);
    for (int id : kTelmoLockedLater)
        d.setEnabled(id, false);
    d.setItems(idc::kTest, {text::kTestCamInfo, text::kSetDefault});
    installToolTips(d);
}

}  // namespace orvia
