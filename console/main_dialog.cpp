#include "console/main_dialog.h"

#include <cstring>

#include "console/app_state.h"
#include "console/calibrations.h"
#include "console/camera.h"
#include "console/format.h"
#include "console/initialize.h"
#include "console/lcd_registers.h"
#include "console/model_tables.h"
#include "console/operator.h"
#include "console/reporting.h"
#include "console/result_text.h"
#include "console/texts.h"
#include "console/upload.h"
#include "dialogs/lens_dialogs.h"
#include "dialogs/maintenance_dialog.h"
#include "dialogs/oel_dialogs.h"
#include "dialogs/video_gain_dialog.h"
#include "service/identity.h"
#include "service/region.h"
#include "service/service_builds.h"
#include "service/service_controls.h"
#include "service/test_menu.h"

namespace orvia {

namespace {

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

// How far the window shortens when the MAC Address strip goes, in pixels: more when the Factory
// Code row is hidden too.
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
    using namespace controls;
    const auto reg16 = registerItems(16);
    constexpr int cal = kCalibrationGroup, up = kUploadGroup, lcd = kLcdGroup, test = kTestGroup;
    constexpr int set = kSettingGroup, usb = kUsbGroup, mac = kMacGroup;
    std::vector<ControlDef> t = {
        // The window: four columns of group boxes over the status line and the MAC strip.
        groupBox(cal, "Calibration").at(0, 0),
        groupBox(up, "Upload").at(1, 0),
        groupBox(test, "Test").at(2, 0),
        groupBox(lcd, "LCD").at(0, 1, 1, 3),
        groupBox(set, "Setting").at(0, 2, 1, 2),
        groupBox(usb, "USB Storage").at(2, 2),
        label(kStatus).statusLine(static_cast<int>(kStatusMaxChars)).at(3, 0, 2),
        progress(kProgress, 0, 100).at(3, 2),
        groupBox(mac, "MAC Address").at(4, 0, 3),

        button(kAwb, "&AWB").in(cal).at(0, 0),
        button(kFocus, "&Focus").in(cal).at(0, 1),
        button(kUvMatrix, "&UV Matrix").in(cal).at(0, 2),
        edit(kCalMode).labelled("Cal &Mode").in(cal).at(1, 0, 2),
        button(kCalModeOk, "Ok").in(cal).at(1, 2),
        edit(kCalData).labelled("&Cal Data").in(cal).at(2, 0, 2),
        button(kCalDataOk, "Ok").in(cal).at(2, 2),

        button(kFirmware, "Firm&ware").in(up).at(0, 0),
        button(kData, "&Data").in(up).at(0, 1),
        button(kInitialize, "Initia&lize").in(up).at(0, 2),

        check(kEvf, "EVF").in(lcd).at(0, 0),
        check(kVco, "VCO").in(lcd).at(0, 1),
        list(kLcdType, {"LCD 1", "LCD 2", "LCD 3", "LCD 4", "LCD 5", "LCD 6", "LCD 7"})
            .labelled("LCD Type")
            .in(lcd)
            .at(1, 0, 4),
        label(kLabelRBright, "&R Bright").naming(kRBright).in(lcd).at(2, 0),
        list(kRBright, reg16).in(lcd).at(2, 1),
        label(kLabelBBright, "&B Bright").naming(kBBright).in(lcd).at(2, 2),
        list(kBBright, reg16).in(lcd).at(2, 3),
        label(kLabelVcomdc, "&VCOMDC").naming(kVcomdc).in(lcd).at(3, 0),
        list(kVcomdc, reg16).in(lcd).at(3, 1),
        label(kLabelVcompp, "V&COMPP").naming(kVcompp).in(lcd).at(3, 2),
        list(kVcompp, reg16).in(lcd).at(3, 3),
        label(kLabelRgbOffset, "RGB &Offset").naming(kRgbOffset).in(lcd).at(4, 0),
        list(kRgbOffset, reg16).in(lcd).at(4, 1),
        label(kLabelGain, "&Gain").naming(kGain).in(lcd).at(4, 2),
        list(kGain, reg16).in(lcd).at(4, 3),
        list(kTint, registerItems(5)).labelled("Ti&nt").in(lcd).at(5, 0, 2),
        list(kPhase, registerItems(5)).labelled("&Phase").in(lcd).at(5, 2, 2),
        list(kHAfc, registerItems(30)).labelled("&H_AFC").in(lcd).at(6, 0, 2),

        list(kTest, fixedTestItems()).labelled("&Test").in(test).at(0, 0, 3),
        button(kHallCal, "Hall Cal.").hidden().in(test).at(1, 0),
        button(kMaintenance, "Maint&enance").hidden().in(test).at(1, 1),
        check(kStepCom, "&Step com").hidden().in(test).at(1, 2),
        label(kBackrushLabel).hidden().in(test).at(2, 0),
        edit(kBackrush).hidden().in(test).at(2, 1),
        button(kBackrushGet, "Get").hidden().in(test).at(3, 0),
        button(kBackrushSet, "Set").hidden().in(test).at(3, 1),

        list(kLanguage, languageItems()).labelled("Language").in(set).at(0, 0, 3),
        list(kVideoMode, videoModeItems()).labelled("Video Mode").in(set).at(1, 0, 3),
        list(kFactoryCode, templateFactoryCodes()).labelled("Factory Code").in(set).at(2, 0, 3),
        list(kLangNumber, langNumberItems()).labelled("Lang. number").hidden().in(set).at(3, 0, 3),
        // The serial number's label above its two parts, so that the window stays narrow.
        label(kSerialLabel).hidden().in(set).at(4, 0, 3),
        edit(kSerial1, 24).readOnlyText().hidden().in(set).at(5, 0, 2),
        edit(kSerial2, 6).hidden().in(set).at(5, 2),
        button(kSerialGet, "Get").hidden().in(set).at(6, 0),
        button(kSerialSet, "Set").hidden().in(set).at(6, 1),
        list(kRepairSite, repairSiteNames())
            .labelled(text::kRepairSiteLabel)
            .hidden()
            .in(set)
            .at(7, 0, 3),

        // One identifier a row, its Set beside it, so that the window fits a 1024 x 768
        // station screen.
        button(kUsbGet, "Get").in(usb).at(0, 0),
        button(kUsbSet, "Set").in(usb).at(0, 1),
        edit(kUsbVid).labelled("VID").in(usb).at(1, 0),
        button(kUsbVidSet, "Set").in(usb).at(1, 1),
        edit(kUsbPid).labelled("PID").in(usb).at(2, 0),
        button(kUsbPidSet, "Set").in(usb).at(2, 1),
        edit(kUsbSerial).labelled("Serial").in(usb).at(3, 0),
        button(kUsbSerialSet, "Set").in(usb).at(3, 1),
        edit(kUsbRev).labelled("Rev.").in(usb).at(4, 0),
        button(kUsbRevSet, "Set").in(usb).at(4, 1),
        label(kPreviousIdLabel, text::kPreviousId).hidden().in(usb).at(5, 0, 2),
        readOnlyEdit(kPreviousId).hidden().in(usb).at(6, 0, 2),
        label(kPrePreviousIdLabel, text::kPrePreviousId).hidden().in(usb).at(7, 0, 2),
        readOnlyEdit(kPrePreviousId).hidden().in(usb).at(8, 0, 2),

        button(kMacGet, "Get").in(mac).at(0, 0),
        button(kMacSet, "Set").in(mac).at(0, static_cast<int>(kMac.size()) + 1),
    };
    for (size_t i = 0; i < kMac.size(); ++i)
        t.push_back(edit(kMac[i], 2).in(mac).at(0, static_cast<int>(i) + 1));
    return t;
}

MainDialog::MainDialog(DialogContext& ctx)
    : DialogModel(kMainTemplate, text::kMainTitle, mainDialogTable()), ctx_(ctx) {
    ctx_.statusLine = this;
    registerHandlers();
}

MainDialog::~MainDialog() {
    if (ctx_.statusLine == this) ctx_.statusLine = nullptr;
}

// Controls without a handler here send nothing and show nothing when used.
// Maintenance (1028), first rule that applies: the video gain dialog for its model, the adjust
// status cleared at a repair site, the maintenance dialog; otherwise nothing.
Outcome MainDialog::onMaintenance() {
    if (models::VideoGainModel.matches(ctx_.state.cameraType))
        return openVideoGainDialog(ctx_, control(idc::kEvf).checked);
    if (ctx_.state.caps.repairSiteMode != 0) return clearAdjustStatus(ctx_);
    if (ctx_.state.caps.hasMaintenance != 0) return openMaintenanceDialog(ctx_);
    return Outcome::completed();
}

void MainDialog::registerHandlers() {
    // Every control that starts a procedure keeps its outcome (lastOutcome()).
    const auto procedure = [this](int id, std::function<Outcome()> run) {
        setProcedure(id, ctx_.op, std::move(run));
    };
    procedure(idc::kAwb, [this] { return calibrateAwb(ctx_); });
    procedure(idc::kFocus, [this] { return calibrateFocus(ctx_); });
    procedure(idc::kUvMatrix, [this] { return calibrateUvMatrix(ctx_); });
    procedure(idc::kInitialize,
              [this] { return initializeCamera(ctx_, control(idc::kEvf).checked); });
    for (const LcdRegisterList& list : lcdRegisterLists())
        procedure(list.list, [this, &list] { return writeLcdRegister(*this, list); });
    procedure(idc::kFirmware, [this] { return uploadFirmware(ctx_); });
    procedure(idc::kData, [this] { return uploadData(ctx_); });
    procedure(idc::kHallCal, [this] { return openHallCalDialog(ctx_); });
    procedure(idc::kMaintenance, [this] { return onMaintenance(); });

    // USB storage identity, the repair-service serial number and the MAC address.
    procedure(idc::kUsbGet, [this] { return readUsbIds(ctx_, *this); });
    procedure(idc::kUsbSet, [this] { return writeAllUsbIds(ctx_, *this); });
    procedure(idc::kUsbVidSet, [this] { return writeVendor(ctx_, *this); });
    procedure(idc::kUsbPidSet, [this] { return writeProduct(ctx_, *this); });
    procedure(idc::kUsbRevSet, [this] { return writeRevision(ctx_, *this); });
    procedure(idc::kUsbSerialSet, [this] { return writeSerial(ctx_, *this); });
    procedure(idc::kSerialGet, [this] { return readRepairSerial(ctx_, *this); });
    setHandler(idc::kRepairSite, [this] { composeSerialPrefix(ctx_, *this); });
    procedure(idc::kSerialSet, [this] { return writeRepairSerial(ctx_, *this); });
    procedure(idc::kMacGet, [this] { return readMacAddress(ctx_, *this); });
    procedure(idc::kMacSet, [this] { return writeMacAddress(ctx_, *this); });

    // Region and language settings.
    procedure(idc::kLanguage, [this] { return changeLanguage(ctx_, *this); });
    procedure(idc::kVideoMode, [this] { return changeVideoMode(ctx_, *this); });
    procedure(idc::kFactoryCode, [this] { return changeFactoryCode(ctx_, *this); });
    procedure(idc::kLangNumber, [this] { return changeLangNumber(ctx_, *this); });
    // Service tests and controls.
    procedure(idc::kTest, [this] { return onTestSelChange(*this); });
    procedure(idc::kCalModeOk, [this] { return startCalMode(*this); });
    procedure(idc::kCalDataOk, [this] { return startCalData(*this); });
    procedure(idc::kVcomdc, [this] { return writeVcom(*this, true); });
    procedure(idc::kVcompp, [this] { return writeVcom(*this, false); });
    setHandler(idc::kLcdType, [this] { takeLcdType(*this); });
    procedure(idc::kEvf, [this] { return switchEvf(*this); });
    procedure(idc::kVco, [this] { return switchVco(*this); });
    setHandler(idc::kStepCom, [this] { takeStepCom(*this); });
    procedure(idc::kBackrushGet, [this] { return getBackrushPulse(*this); });
    procedure(idc::kBackrushSet, [this] { return setBackrushPulse(*this); });
}

void MainDialog::exchange(DataExchange& dx) {
    using namespace idc;
    dx.text(kStatus, status, kStatusMaxChars);
    dx.selection(kTest, testSelection);
    // The LCD Type list offers "LCD 1" to "LCD 7". A model class it has no entry for (15) shows
    // no selection and stays as it is, so reading the controls never loses it.
    int32_t listedLcdType = lcdType;
    dx.selection(kLcdType, listedLcdType);
    if (dx.saving() && listedLcdType >= 0) lcdType = listedLcdType;
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

void MainDialog::showStatusNow(const std::string& text) {
    setStatus(text);
    ctx_.op.refresh(*this);
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
        openOelCalDialog(*this);
    }
    writeBack();
}

Outcome MainDialog::openPanelDialog(std::unique_ptr<DialogModel> dialog) {
    panelDialog_ = std::move(dialog);
    if (!panelDialog_) return showFailure(ctx_.op, text::kErrorCreatingDialogObject);
    // The panel's levels are adjusted in the console's window; a tool without windows goes on
    // without them.
    if (!ctx_.op.showsWindows()) return Outcome::completed();
    if (!ctx_.op.showModeless(*panelDialog_)) return showFailure(ctx_.op, text::kErrorCreateDialog);
    return Outcome::completed();
}

Outcome MainDialog::openTestDialog(std::unique_ptr<DialogModel> dialog) {
    testDialog_.reset();
    testDialog_ = std::move(dialog);
    if (!testDialog_) return showFailure(ctx_.op, text::kErrorCreatingDialogObjectLower);
    if (!ctx_.op.showsWindows()) return needsConsole(ctx_.op);
    if (!ctx_.op.showModeless(*testDialog_)) return showFailure(ctx_.op, text::kErrorCreateDialog);
    return Outcome::completed();
}

void MainDialog::initialise() {
    AppState& state = ctx_.state;
    writeBack();
    ctx_.texts.installOtherError();
    if (state.startMode != kStartUpload) {
        char type[65] = {};
        ctx_.camera.get_cam_type(type);
        state.cameraType.assign(type, strnlen(type, 64));
        applyTypeRules();
        fillRegionLists(ctx_, *this);
        applyWindowRules();
    }
    applyTestRules();
}

// EVF, VCO and the panel, from the camera type and the LCD type.
void MainDialog::applyTypeRules() {
    AppState& state = ctx_.state;
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

// Window layout and locks, from the camera type and the factory code family.
void MainDialog::applyWindowRules() {
    const std::string& type = ctx_.state.cameraType;
    const int family = ctx_.state.caps.factoryCodeFamily;
    if (models::UsbIdLockedModels.matches(type)) {
        for (int id : kUsbButtons)
            setEnabled(id, false);
    } else if (family != 2 && family != 4) {
        bottomTrim_ = factoryCode == -1 ? kTrimWithoutFactoryCode : kTrimWithFactoryCode;
        setVisible(idc::kMacGroup, false);
        for (int id : kMacControls)
            setEnabled(id, false);
        if (type.compare(0, std::strlen(kTakroPrefix), kTakroPrefix) == 0) {
            for (int id : kTakroLocked)
                setEnabled(id, false);
        }
    }
}

// Relabelling, Test items and capability flags, in the order the Test items are appended. In Upload
// mode the type is empty and no table matches.
void MainDialog::applyTestRules() {
    AppState& state = ctx_.state;
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
    if (models::FamilySetupModels.matches(typePrefix4(type))) repairServiceSetup(ctx_, *this);

    if (models::RsaKeyModel.matches(type)) {
        setEnabled(idc::kData, true);
        setText(idc::kData, text::kRsaKey);
    }
    if (models::QrCodeModels.matches(type)) {
        setEnabled(idc::kData, true);
        setText(idc::kData, text::kQrCode);
    }
    showServiceId();
    if (models::ExtraSetupModel.matches(type)) lockedServiceSetup(ctx_, *this);

    // The Test list was refilled; put the selection back.
    writeBack();
}

void MainDialog::showServiceId() {
    const AppState& state = ctx_.state;
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
