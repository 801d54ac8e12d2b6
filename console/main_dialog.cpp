#include "console/main_dialog.h"

#include <cstring>

#include "console/app.h"
#include "console/format.h"
#include "console/model_tables.h"
#include "console/texts.h"

namespace orvia {

namespace {

using K = ControlKind;

ControlDef button(int id, const char* caption, int group, bool visible = true) {
    ControlDef s(id, K::Button, caption);
    s.group = group;
    s.visible = visible;
    return s;
}

ControlDef list(int id, const char* label, std::vector<std::string> items, int group,
                bool visible = true) {
    ControlDef s(id, K::List);
    s.items = std::move(items);
    s.group = group;
    s.label = label;
    s.visible = visible;
    return s;
}

ControlDef edit(int id, const char* label, int group, int maxChars = 0, bool visible = true) {
    ControlDef s(id, K::Edit);
    s.label = label;
    s.group = group;
    s.maxChars = maxChars;
    s.visible = visible;
    return s;
}

ControlDef label(int id, const char* caption, int group, bool visible = true) {
    ControlDef s(id, K::Static, caption);
    s.group = group;
    s.visible = visible;
    return s;
}

ControlDef groupBox(int id, const char* caption) {
    return ControlDef(id, K::Group, caption);
}

ControlDef check(int id, const char* caption, int group, bool visible = true) {
    ControlDef s(id, K::CheckBox, caption);
    s.group = group;
    s.visible = visible;
    return s;
}

// Labels of the six LCD register lists by panel kind, in the order 1073, 1074, 1075, 1076,
// 1078, 1077.
constexpr std::array<int, 6> kRegisterLabels = {idc::kLabelRBright,   idc::kLabelBBright,
                                                idc::kLabelVcomdc,    idc::kLabelVcompp,
                                                idc::kLabelRgbOffset, idc::kLabelGain};
constexpr std::array<const char*, 6> kOrdinaryLabels = {"&R Bright", "&B Bright",   "&VCOMDC",
                                                        "V&COMPP",   "RGB &Offset", "&Gain"};
constexpr std::array<const char*, 6> kAlternativeLabels = {
    "RGB &Odd", "RGB &Even", "V&COMPP(LOW)", "VCOM&PP(HI)", "RGB &Gain", "&VCOMDC"};

constexpr char kTakroPrefix[] = "TAKRO Digital Camera";

// Controls locked for cameras that identify as the OEM model above.
constexpr int kTakroLocked[] = {
    idc::kAwb,      idc::kFocus,     idc::kUvMatrix,   idc::kCalMode, idc::kCalModeOk,
    idc::kCalData,  idc::kCalDataOk, idc::kFirmware,   idc::kData,    idc::kInitialize,
    idc::kLanguage, idc::kVideoMode, idc::kFactoryCode};
constexpr int kUsbButtons[] = {idc::kUsbGet,    idc::kUsbSet,       idc::kUsbVidSet,
                               idc::kUsbPidSet, idc::kUsbSerialSet, idc::kUsbRevSet};
constexpr int kMacControls[] = {idc::kMacGet, idc::kMacSet, 1054, 1053, 1052,
                                1051,         1050,         1049, 1048, 1046};

// Window trims of the original layout, in pixels.
constexpr int kTrimWithFactoryCode = 47;
constexpr int kTrimWithoutFactoryCode = 62;

}  // namespace

std::vector<std::string> registerItems(int magnitude) {
    std::vector<std::string> items;
    for (int v = -magnitude; v <= magnitude; ++v) {
        if (v == 0) {
            items.emplace_back("  0");
        } else {
            items.push_back(format(" %c%2d", v < 0 ? '-' : '+', v < 0 ? -v : v));
        }
    }
    return items;
}

const std::vector<std::string>& fixedTestItems() {
    static const std::vector<std::string> items = {
        "White",     "Gray",         "Black",      "Red",         "Green",        "Blue",
        "Monitor",   "Off",          "Play",       "PlayMulti9",  "PlayNext",     "PlayRev",
        "Adj. Data", "Cam Info",     "CCD Defect", "CCD Black",   "EIS Adj",      "EIS Check",
        "Set Apply", "Set Default",  "AF LED",     "All Version", "Tracking Adj", "Y Shading Adj",
        "Zoom Cal.", "Shading Rst.",
    };
    return items;
}

std::vector<ControlDef> mainDialogTable() {
    using namespace idc;
    const auto reg16 = registerItems(16);
    std::vector<ControlDef> t;

    t.push_back(groupBox(kCalibrationGroup, "Calibration"));
    t.push_back(button(kAwb, "&AWB", kCalibrationGroup));
    t.push_back(button(kFocus, "&Focus", kCalibrationGroup));
    t.push_back(button(kUvMatrix, "&UV Matrix", kCalibrationGroup));
    t.push_back(edit(kCalMode, "Cal &Mode", kCalibrationGroup));
    t.push_back(button(kCalModeOk, "Ok", kCalibrationGroup));
    t.push_back(edit(kCalData, "&Cal Data", kCalibrationGroup));
    t.push_back(button(kCalDataOk, "Ok", kCalibrationGroup));

    t.push_back(groupBox(kUploadGroup, "Upload"));
    t.push_back(button(kFirmware, "Firm&ware", kUploadGroup));
    t.push_back(button(kData, "&Data", kUploadGroup));
    t.push_back(button(kInitialize, "Initia&lize", kUploadGroup));

    t.push_back(groupBox(kLcdGroup, "LCD"));
    t.push_back(check(kEvf, "EVF", kLcdGroup));
    t.push_back(check(kVco, "VCO", kLcdGroup));
    t.push_back(list(kLcdType, "LCD Type",
                     {"LCD 1", "LCD 2", "LCD 3", "LCD 4", "LCD 5", "LCD 6", "LCD 7"}, kLcdGroup));
    t.push_back(label(kLabelRBright, "&R Bright", kLcdGroup));
    t.push_back(list(kRBright, "", reg16, kLcdGroup));
    t.push_back(label(kLabelBBright, "&B Bright", kLcdGroup));
    t.push_back(list(kBBright, "", reg16, kLcdGroup));
    t.push_back(label(kLabelVcomdc, "&VCOMDC", kLcdGroup));
    t.push_back(list(kVcomdc, "", reg16, kLcdGroup));
    t.push_back(label(kLabelVcompp, "V&COMPP", kLcdGroup));
    t.push_back(list(kVcompp, "", reg16, kLcdGroup));
    t.push_back(label(kLabelRgbOffset, "RGB &Offset", kLcdGroup));
    t.push_back(list(kRgbOffset, "", reg16, kLcdGroup));
    t.push_back(label(kLabelGain, "&Gain", kLcdGroup));
    t.push_back(list(kGain, "", reg16, kLcdGroup));
    t.push_back(list(kTint, "Ti&nt", registerItems(5), kLcdGroup));
    t.push_back(list(kPhase, "&Phase", registerItems(5), kLcdGroup));
    t.push_back(list(kHAfc, "&H_AFC", registerItems(30), kLcdGroup));

    t.push_back(groupBox(kTestGroup, "Test"));
    t.push_back(list(kTest, "&Test", fixedTestItems(), kTestGroup));
    t.push_back(button(kHallCal, "Hall Cal.", kTestGroup, false));
    t.push_back(check(kStepCom, "&Step com", kTestGroup, false));
    t.push_back(button(kMaintenance, "Maint&enance", kTestGroup, false));
    t.push_back(label(kBackrushLabel, "", kTestGroup, false));
    t.push_back(button(kBackrushGet, "Get", kTestGroup, false));
    t.push_back(edit(kBackrush, "", kTestGroup, 0, false));
    t.push_back(button(kBackrushSet, "Set", kTestGroup, false));

    t.push_back(groupBox(kSettingGroup, "Setting"));
    t.push_back(list(kLanguage, "Language", {}, kSettingGroup));
    t.push_back(list(kVideoMode, "Video Mode", {}, kSettingGroup));
    t.push_back(list(kFactoryCode, "Factory Code", {}, kSettingGroup));
    t.push_back(list(kLangNumber, "Lang. number", {}, kSettingGroup));
    t.push_back(label(kSerialLabel, "", kSettingGroup, false));
    t.push_back(button(kSerialGet, "Get", kSettingGroup, false));
    t.push_back(edit(kSerial1, "", kSettingGroup, 0, false));
    t.push_back(edit(kSerial2, "", kSettingGroup, 0, false));
    t.push_back(button(kSerialSet, "Set", kSettingGroup, false));
    t.push_back(list(kRepairSite, "", {}, kSettingGroup, false));

    t.push_back(groupBox(kUsbGroup, "USB Storage"));
    t.push_back(button(kUsbGet, "Get", kUsbGroup));
    t.push_back(button(kUsbSet, "Set", kUsbGroup));
    t.push_back(edit(kUsbVid, "VID", kUsbGroup));
    t.push_back(button(kUsbVidSet, "Set", kUsbGroup));
    t.push_back(edit(kUsbSerial, "Serial", kUsbGroup));
    t.push_back(button(kUsbSerialSet, "Set", kUsbGroup));
    t.push_back(edit(kUsbPid, "PID", kUsbGroup));
    t.push_back(button(kUsbPidSet, "Set", kUsbGroup));
    t.push_back(edit(kUsbRev, "Rev.", kUsbGroup));
    t.push_back(button(kUsbRevSet, "Set", kUsbGroup));
    t.push_back(label(kPreviousIdLabel, text::kPreviousId, kUsbGroup, false));
    ControlDef prev = edit(kPreviousId, "", kUsbGroup, 0, false);
    prev.readOnly = true;
    t.push_back(prev);
    t.push_back(label(kPrePreviousIdLabel, text::kPrePreviousId, kUsbGroup, false));
    ControlDef prePrev = edit(kPrePreviousId, "", kUsbGroup, 0, false);
    prePrev.readOnly = true;
    t.push_back(prePrev);

    t.push_back(groupBox(kMacGroup, "MAC Address"));
    t.push_back(button(kMacGet, "Get", kMacGroup));
    for (int id : kMac)
        t.push_back(edit(id, "", kMacGroup, 2));
    t.push_back(button(kMacSet, "Set", kMacGroup));

    t.push_back(ControlDef(kStatus, K::Static));
    ControlDef progress(kProgress, K::Progress);
    progress.rangeHigh = 100;
    t.push_back(progress);
    return t;
}

MainDialog::MainDialog(CalibrationApp& app)
    : DialogModel(kMainTemplate, text::kMainTitle, mainDialogTable()), app_(app) {}

void MainDialog::exchange(DataExchange& dx) {
    using namespace idc;
    dx.text(kStatus, status, kStatusMaxChars);
    dx.selection(kTest, testSelection);
    dx.selection(kLcdType, lcdType);
    dx.selection(kRBright, rBright);
    dx.selection(kBBright, bBright);
    dx.selection(kRgbOffset, rgbOffset);
    dx.selection(kGain, gain);
    dx.selection(kTint, tint);
    dx.selection(kPhase, phase);
    dx.selection(kHAfc, hAfc);
    dx.selection(kVcompp, vcompp);
    dx.selection(kVcomdc, vcomdc);
    dx.check(kEvf, evf);
    dx.check(kVco, vco);
    dx.check(kStepCom, stepCom);
    dx.selection(kLanguage, language);
    dx.selection(kVideoMode, videoMode);
    dx.selection(kFactoryCode, factoryCode);
    dx.selection(kLangNumber, langNumber);
    dx.selection(kRepairSite, repairSite);
    dx.text(kUsbVid, usbVid);
    dx.text(kUsbPid, usbPid);
    dx.text(kUsbRev, usbRev);
    dx.text(kUsbSerial, usbSerial);
    dx.text(kBackrush, backrush);
    dx.text(kSerial1, serial1);
    dx.text(kSerial2, serial2);
    dx.text(kPreviousId, previousId);
    dx.text(kPrePreviousId, prePreviousId);
    for (size_t i = 0; i < kMac.size(); ++i)
        dx.text(kMac[i], mac[i], 2);
    dx.number(kCalMode, calMode, 0, 65535);
    dx.number(kCalData, calData, 0, 65535);
}

void MainDialog::setStatus(const std::string& text) {
    readControls();
    status = text.substr(0, kStatusMaxChars);
    writeBack();
}

void MainDialog::setProgress(int percent) {
    readControls();
    setPosition(idc::kProgress, percent);
    writeBack();
}

void MainDialog::appendTest(const std::string& item) {
    for (const std::string& existing : control(idc::kTest).items) {
        if (existing == item) return;
    }
    addItem(idc::kTest, item);
}

void MainDialog::configureLcdPanel(int kind) {
    if (kind == 0 || kind == 1) {
        const auto& labels = kind == 0 ? kOrdinaryLabels : kAlternativeLabels;
        for (size_t i = 0; i < kRegisterLabels.size(); ++i)
            setText(kRegisterLabels[i], labels[i]);
    } else if (kind == 2) {
        Operator& op = app_.op();
        organicEl_ = hooks.createOrganicElDialog ? hooks.createOrganicElDialog(*this) : nullptr;
        if (hooks.createOrganicElDialog && !organicEl_) {
            op.message(text::kErrorCreatingDialogObject);
        } else if (organicEl_ && !op.showModeless(*organicEl_)) {
            op.message(text::kErrorCreateDialog);
        }
    }
    writeBack();
}

void MainDialog::initialise() {
    AppState& state = app_.state();
    writeBack();
    app_.resultTexts().installOtherError();
    if (state.startMode != kStartUpload) {
        char type[65] = {};
        app_.camera().get_cam_type(type);
        state.cameraType.assign(type, strnlen(type, 64));
        applyTypeRules();
        factoryCode = app_.camera().get_factory_code();
        writeBack();
        if (hooks.fillRegionLists) hooks.fillRegionLists(*this);
        applyWindowRules();
    }
    applyTestRules();
    if (hooks.connectHandlers) hooks.connectHandlers(*this);
}

// Steps 1 to 3: EVF, VCO and the panel.
void MainDialog::applyTypeRules() {
    AppState& state = app_.state();
    const std::string& type = state.cameraType;
    setEnabled(idc::kEvf, models::EvfModels.matches(type) || state.lcdSubType >= 0);
    setEnabled(idc::kVco, lcdType == 2);
    if (lcdType == 4) {
        configureLcdPanel(1);
    } else if (lcdType == 6 || lcdType == 15) {
        configureLcdPanel(2);
        appendTest(text::kTestOelAcl);
    } else {
        configureLcdPanel(0);
    }
}

// Step 5: window layout and locks.
void MainDialog::applyWindowRules() {
    const std::string& type = app_.state().cameraType;
    const int family = app_.state().caps.factoryCodeFamily;
    if (models::UsbIdLockedModels.matches(type)) {
        for (int id : kUsbButtons)
            setEnabled(id, false);
    } else if (family != 2 && family != 4) {
        bottomTrim_ = factoryCode == -1 ? kTrimWithoutFactoryCode : kTrimWithFactoryCode;
        notify(0);
        for (int id : kMacControls)
            setEnabled(id, false);
        if (type.compare(0, std::strlen(kTakroPrefix), kTakroPrefix) == 0) {
            for (int id : kTakroLocked)
                setEnabled(id, false);
        }
    }
}

// Steps 6 to 24: relabelling, Test items and flags. In Upload mode the type is empty and no
// table matches.
void MainDialog::applyTestRules() {
    AppState& state = app_.state();
    Capabilities& caps = state.caps;
    const std::string& type = state.cameraType;

    if (models::PafModels.matches(type)) {
        setText(idc::kInitialize, text::kPafCal);
        caps.pafMode = 1;
    }
    if (!models::NoBackrushModels.matches(type)) {
        caps.hasBackrushPulse = 1;
        for (int id : {idc::kBackrushLabel, idc::kBackrush, idc::kBackrushGet, idc::kBackrushSet}) {
            setVisible(id, true);
        }
        setText(idc::kBackrushLabel, text::kBackrushPulse);
        appendTest(text::kTestInfinityCal);
        caps.hasInfinityCal = 1;
    }
    if (caps.hasInfinityCal == 0 && models::InfinityCalModels.matches(type)) {
        appendTest(text::kTestInfinityCal);
        caps.hasInfinityCal = 1;
    }
    appendTest(text::kTestKeystoneCal);
    caps.hasKeystoneCal = 1;
    if (models::KeystoneVariantModels.matches(type)) caps.keystoneVariant = 1;
    if (models::PixelMapModel.matches(type)) {
        caps.hasPixelMap = 1;
        appendTest(text::kTestPixelMap);
    }
    if (models::BatteryModels.matches(type)) {
        caps.hasBatteryInfo = 1;
        appendTest(text::kTestBatteryInfo);
    }
    if (models::BatteryModels.matches(type)) {
        caps.hasBatteryType = 1;
        appendTest(text::kTestBatteryType);
    }
    for (auto [table, kind] :
         {std::pair{&models::LensDataModelsA, 1}, std::pair{&models::LensDataModelsB, 2}}) {
        if (!table->matches(type)) continue;
        if (caps.hasLensData == 0) appendTest(text::kTestLensData);
        caps.hasLensData = 1;
        caps.lensDataKind = kind;
        break;
    }
    if (models::MaintenanceModels.matches(type)) {
        setVisible(idc::kMaintenance, true);
        caps.hasMaintenance = 1;
    }
    if (models::VideoGainModel.matches(type)) {
        setVisible(idc::kMaintenance, true);
        setText(idc::kMaintenance, text::kVideoGain);
    }
    if (models::HallCalModels.matches(type)) setVisible(idc::kHallCal, true);
    if (models::ShadingAdjFamilies.matches(type)) {
        appendTest(text::kTestShadingAdj);
        caps.hasShadingAdj = 1;
    }
    if (models::TestVariantModel.matches(type)) caps.testVariant = 1;
    if (models::TemplateChkModels.matches(type)) {
        caps.hasTemplateChk = 1;
        appendTest(text::kTestTemplateChk);
    }
    appendTest(text::kTestYcShading);
    if (models::SensWbModels.matches(type)) appendTest(text::kTestSensWbCal);
    if (models::FamilySetupModels.matches(type) && hooks.repairServiceSetup) {
        hooks.repairServiceSetup(*this);
    }
    if (models::RsaKeyModel.matches(type)) {
        setEnabled(idc::kData, true);
        setText(idc::kData, text::kRsaKey);
    }
    if (models::QrCodeModels.matches(type)) {
        setEnabled(idc::kData, true);
        setText(idc::kData, text::kQrCode);
    }
    showServiceId();
    if (models::ExtraSetupModel.matches(type) && hooks.lockedServiceSetup) {
        hooks.lockedServiceSetup(*this);
    }
    // The Test list was refilled; put the selection back.
    writeBack();
}

void MainDialog::showServiceId() {
    const AppState& state = app_.state();
    if (state.serviceIdActive == -1) return;
    for (int id :
         {idc::kPreviousIdLabel, idc::kPrePreviousIdLabel, idc::kPreviousId, idc::kPrePreviousId}) {
        setVisible(id, true);
    }
    const auto& w = state.serviceIdRecord.w;
    previousId = format(text::kServiceIdFormat, unsigned{w[0]}, unsigned{w[1]});
    prePreviousId = format(text::kServiceIdFormat, unsigned{w[2]}, unsigned{w[3]});
    writeBack();
}

}  // namespace orvia
