// The main dialog (template 102): its control table, its data members, its initialisation,
// which decides from the camera type which controls, labels and Test items this camera gets, and
// the handlers of its controls. It owns the status line and progress bar that procedures report
// on.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "console/dialog_context.h"
#include "console/dialog_model.h"

namespace orvia {

namespace idc {
// Calibration
inline constexpr int kAwb = 1013;
inline constexpr int kFocus = 1014;
inline constexpr int kUvMatrix = 1023;
inline constexpr int kCalMode = 1041;
inline constexpr int kCalModeOk = 1044;
inline constexpr int kCalData = 1042;
inline constexpr int kCalDataOk = 1043;
// Upload
inline constexpr int kFirmware = 1015;
inline constexpr int kData = 1016;
inline constexpr int kInitialize = 1018;
// LCD
inline constexpr int kEvf = 1045;
inline constexpr int kVco = 1065;
inline constexpr int kLcdType = 1038;
inline constexpr int kRBright = 1010;
inline constexpr int kBBright = 1008;
inline constexpr int kVcomdc = 1039;
inline constexpr int kVcompp = 1040;
inline constexpr int kRgbOffset = 1020;
inline constexpr int kGain = 1021;
inline constexpr int kTint = 1011;
inline constexpr int kPhase = 1026;
inline constexpr int kHAfc = 1024;
inline constexpr int kLabelRBright = 1073;
inline constexpr int kLabelBBright = 1074;
inline constexpr int kLabelVcomdc = 1075;
inline constexpr int kLabelVcompp = 1076;
inline constexpr int kLabelGain = 1077;
inline constexpr int kLabelRgbOffset = 1078;
// Tests and service buttons
inline constexpr int kTest = 1012;
inline constexpr int kHallCal = 1029;
inline constexpr int kStepCom = 1064;
inline constexpr int kMaintenance = 1028;
// Status
inline constexpr int kStatus = 1019;
inline constexpr int kProgress = 1022;
// Setting
inline constexpr int kSettingGroup = 1081;
inline constexpr int kLanguage = 1017;
inline constexpr int kVideoMode = 1025;
inline constexpr int kFactoryCode = 1027;
inline constexpr int kLangNumber = 1030;
// USB storage
inline constexpr int kUsbGroup = 1057;
inline constexpr int kUsbGet = 1062;
inline constexpr int kUsbSet = 1063;
inline constexpr int kUsbVid = 1058;
inline constexpr int kUsbVidSet = 1066;
inline constexpr int kUsbSerial = 1061;
inline constexpr int kUsbSerialSet = 1070;
inline constexpr int kUsbPid = 1059;
inline constexpr int kUsbPidSet = 1071;
inline constexpr int kUsbRev = 1060;
inline constexpr int kUsbRevSet = 1068;
// Backrush pulse
inline constexpr int kBackrushLabel = 1090;
inline constexpr int kBackrushGet = 1067;
inline constexpr int kBackrush = 1069;
inline constexpr int kBackrushSet = 1072;
// Serial number and repair site
inline constexpr int kSerialLabel = 1091;
inline constexpr int kSerialGet = 1079;
inline constexpr int kSerial1 = 1082;
inline constexpr int kSerial2 = 1137;
inline constexpr int kSerialSet = 1083;
inline constexpr int kRepairSite = 1136;
// MAC address
inline constexpr int kMacGroup = 1047;
inline constexpr int kMacGet = 1055;
inline constexpr int kMacSet = 1056;
inline constexpr std::array<int, 8> kMac = {1046, 1048, 1049, 1050, 1051, 1052, 1053, 1054};
// Service-ID display
inline constexpr int kPreviousId = 1143;
inline constexpr int kPrePreviousId = 1144;
inline constexpr int kPreviousIdLabel = 1145;
inline constexpr int kPrePreviousIdLabel = 1146;
// Frames and labels no procedure addresses.
inline constexpr int kCalibrationGroup = -10;
inline constexpr int kUploadGroup = -11;
inline constexpr int kLcdGroup = -12;
inline constexpr int kTestGroup = -13;
}  // namespace idc

inline constexpr int kMainTemplate = 102;
inline constexpr size_t kStatusMaxChars = 50;
inline constexpr int kTestOff = 7;  // the Test item "Off"

// The main dialog's control table, in the template's order.
std::vector<ControlDef> mainDialogTable();
// The 26 items the Test list starts with.
const std::vector<std::string>& fixedTestItems();
// Items of the register lists: -16..+16, -5..+5 and -30..+30; index 16 (5, 30) is "  0".
std::vector<std::string> registerItems(int magnitude);

class MainDialog final : public DialogModel, public StatusLine {
  public:
    // Registers the handlers of the controls and becomes the context's status line.
    explicit MainDialog(DialogContext& ctx);
    ~MainDialog() override;

    DialogContext& context() { return ctx_; }

    // The dialog's data members, exchanged with the controls by readControls()/writeBack().
    std::string status;
    int32_t testSelection = -1;
    int32_t lcdType = -1;
    int32_t rBright = -1, bBright = -1, rgbOffset = -1, gain = -1, tint = -1, phase = -1;
    int32_t hAfc = -1, vcompp = -1, vcomdc = -1;
    int32_t calMode = 0, calData = 0;
    std::array<std::string, 8> mac;
    int32_t evf = 0, vco = 0, stepCom = 0;
    // The LCD type in force before the EVF box was ticked, restored when it is cleared.
    int32_t savedLcdType = -1;
    int32_t language = -1, videoMode = -1, factoryCode = -1, langNumber = -1;
    std::string usbVid, usbPid, usbRev, usbSerial;
    std::string backrush, serial1, serial2;
    int32_t repairSite = -1;
    std::string previousId, prePreviousId;

    // Runs the dialog's initialisation: the capability decisions for the camera in hand.
    void initialise() override;

    // Status-line update: reads the controls, sets the status text (cut to 50 characters) and
    // writes every member back.
    void setStatus(const std::string& text) override;
    // The same, with the window repainted at once.
    void showStatusNow(const std::string& text) override;
    // Progress bar position (0-100), with the members refreshed around it.
    void setProgress(int percent) override;

    // Panel handling by kind: 0 ordinary labels, 1 the alternative labels, 2 the organic-EL
    // panel, whose controls live in a dialog of their own. Ends by writing the members back.
    void configureLcdPanel(int kind);
    // Shows `dialog` modeless, owned by this dialog until it closes; a dialog that could not be
    // made (null) or shown is reported in a box.
    Outcome openPanelDialog(std::unique_ptr<DialogModel> dialog);
    // Shows `dialog` modeless in place of the one a Test list choice opened before, which is
    // destroyed first; owned by this dialog. Failures are reported as for the panel dialog.
    Outcome openTestDialog(std::unique_ptr<DialogModel> dialog);
    // Appends an item to the Test list unless it is there already.
    void appendTest(const std::string& item);
    // How far the window is shortened from the bottom, in pixels (0: not at all); the MAC
    // Address strip is then hidden.
    int bottomTrim() const { return bottomTrim_; }

    // The modeless panel dialog, when this camera has one.
    DialogModel* panelDialog() { return panelDialog_.get(); }
    // The modeless dialog the last Test list choice opened, if any.
    DialogModel* testDialog() { return testDialog_.get(); }

  protected:
    void exchange(DataExchange& dx) override;

  private:
    void applyTypeRules();
    void applyWindowRules();
    void applyTestRules();
    void showServiceId();
    void registerHandlers();
    Outcome onMaintenance();

    DialogContext& ctx_;
    int bottomTrim_ = 0;
    std::unique_ptr<DialogModel> panelDialog_;
    std::unique_ptr<DialogModel> testDialog_;
};

}  // namespace orvia
