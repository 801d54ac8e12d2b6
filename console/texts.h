// The console's own texts for start-up, the main dialog and reporting, in one place.
#pragma once

namespace orvia::text {

inline constexpr char kMainTitle[] = "Orvia Calibration Ver.1.60 Beta5";
inline constexpr char kResultTitle[] = "Orvia Calibration";

// Start-up failures.
inline constexpr char kNotConnected[] = "Camera is not connected.";
inline constexpr char kCannotGetUserId[] = "Can not get NC User ID.";
inline constexpr char kCannotSetUserId[] = "Can not set NC User ID.";
inline constexpr char kCannotGetVersion[] = "Can not get version.";

// Status line.
inline constexpr char kFirmwareVersion[] = " Firmware Version: %s";
inline constexpr char kStatusIdle[] = " Status: ";
inline constexpr char kStatusWait[] = " Status: Wait!!";
// Before the four main calibrations (two spaces after "Wait!!").
inline constexpr char kStatusWaitAwb[] = " Status: Wait!!  Executing AWB Calibration.";
inline constexpr char kStatusWaitFocus[] = " Status: Wait!!  Executing Focus Calibration.";
inline constexpr char kStatusWaitUvMatrix[] = " Status: Wait!!  Executing UV Matrix Calibration.";
inline constexpr char kStatusWaitShading[] = " Status: Wait!!  Executing Shading Calibration.";
inline constexpr char kStepError[] = " Status: %s %s";

// Calibrations: the questions (". Yes or No?" follows) and the result window headings.
inline constexpr char kAskUvMatrix[] = "Execute UV Matrix Calibration";
inline constexpr char kUvMatrixResults[] = "UV Matrix Results :";

// AWB and Focus calibrations.

// Firmware and data upload.

// Camera initialisation and the LCD register lists.

// Reporting.
inline constexpr char kErrorBox[] = "Error %s";
inline constexpr char kYesOrNo[] = ". Yes or No?";
// Shown for result codes that have no text of their own.
inline constexpr char kUndefinedResult[] = "Undefined result %d";

// Service-ID display.
inline constexpr char kPreviousId[] = "Previous ID :";
inline constexpr char kPrePreviousId[] = "PRE-previous ID :";
inline constexpr char kServiceIdFormat[] = "%04X%04X";

// Panel set-up.
inline constexpr char kErrorCreatingDialogObject[] = "Error Creating Dialog Object";
inline constexpr char kErrorCreateDialog[] = "Error create Dialog";

// Relabelled controls.
inline constexpr char kPafCal[] = "PAF Cal.";
inline constexpr char kBackrushPulse[] = "Backrush pulse : ";
inline constexpr char kVideoGain[] = "Video Gain";
inline constexpr char kRsaKey[] = "RsaKey";
inline constexpr char kQrCode[] = "QrCode";

// Items appended to the Test list.
inline constexpr char kTestOelAcl[] = "OEL ACL";
inline constexpr char kTestInfinityCal[] = "Infinity Cal.";
inline constexpr char kTestKeystoneCal[] = "Keystone Cal.";
inline constexpr char kTestPixelMap[] = "Pixel Map.";
inline constexpr char kTestBatteryInfo[] = "Battery Info.";
inline constexpr char kTestBatteryType[] = "Battery Type";
inline constexpr char kTestLensData[] = "Lens Data";
inline constexpr char kTestShadingAdj[] = "Shading Adj";
inline constexpr char kTestTemplateChk[] = "Template Chk";
inline constexpr char kTestYcShading[] = "Y/C Shading";
inline constexpr char kTestSensWbCal[] = "Sens. WB Cal.";

// Result window.
inline constexpr char kCopy[] = "Copy";
inline constexpr char kOk[] = "OK";

// ---- Identity and region settings ----------------------------------------------------------

// USB storage identity and MAC address checks.
inline constexpr char kInvalidVendorId[] = "Invalid Vendor ID !";
inline constexpr char kInvalidProductId[] = "Invalid Product ID !";
inline constexpr char kInvalidRevision[] = "Invalid Revision !";
inline constexpr char kInvalidRevisionLabel[] = "Invalid Product Rev. Label !";
inline constexpr char kInvalidSerialNo[] = "Invalid Serial No. !";
inline constexpr char kInvalidSerialNumber[] = "Invalid Serial number !";
inline constexpr char kInvalidAddress[] = "Invalid address data!";
inline constexpr char kReinputSerial[] = "Invalid serial No.! Please re-input serial No..";
inline constexpr char kMacByteFormat[] = "%02x";

// The repair-service serial form.
inline constexpr char kRepairSiteLabel[] = "Repair site ";
inline constexpr char kSerialNoLabel[] = "Serial No. ";
inline constexpr char kSerialDateFormat[] = "%y%m%d";
inline constexpr char kSerialDayCountFormat[] = "%03X";
// The default serial prefix's date and day count, after the default product code.
inline constexpr char kDefaultSerialStamp[] = "0510016C6";
inline constexpr char kStatusSerialUsbIdSet[] =
    " Status : Setting Serial No./USB ID was completed!!";
inline constexpr char kSetDefault[] = "Set Default";
inline constexpr char kClearStatus[] = "Clear Status";
inline constexpr char kTestCcdDefect[] = "CCD Defect";
inline constexpr char kTestCcdBlack[] = "CCD Black";
inline constexpr char kTestCamInfo[] = "Cam Info";
// A serial prefix without its date and day count cannot be re-stamped.
inline constexpr char kSerialPrefixIncomplete[] =
    "Serial No. is incomplete! Please select the repair site first.";

// Tool tips of the main dialog's controls.
inline constexpr char kTipTest[] = "CCD White/Black point Adjustment";
inline constexpr char kTipAwb[] = "AWB Adjustment";
inline constexpr char kTipFocus[] = "Lens Adjustment (Infinity)";
inline constexpr char kTipFirmware[] = "Upload Firmware (Rewrite)";
inline constexpr char kTipInitialize[] = "Initialize camera settings. Sets the adjust status.";
inline constexpr char kTipFactoryCode[] =
    "Factory code : J-WS-=Japan,  U-WS-/...=USA/Canada, EXWS-/...=Europe, A-WS-=Asia, "
    "C-WS-=China";
inline constexpr char kTipMaintenance[] = "Clear the adjust status.";
inline constexpr char kTipUsbGet[] = "Gets Information of USB Storage IDs & Serial No. from DSC.";
inline constexpr char kTipSerialGet[] =
    "Gets Serial No. from DSC. Sets default USB IDs to Calibration software.";
inline constexpr char kTipSerial1[] = "Inputs Serial Number.";
inline constexpr char kTipSerialSet[] = "Sets Serial No./USB IDs to DSC.";
inline constexpr char kTipRepairSite[] = "Select the area of DSC repair.";
inline constexpr char kTipSerial2[] =
    "Type of the lowest 6 digits serial No.. Refer of Serial No. label on DSC bottom.";

// Default USB identifiers of the repair service.
inline constexpr char kRepairVendor[] = "WESTRAND";
inline constexpr char kRepairProduct[] = "USB-DRIVEUNIT   ";
inline constexpr char kRepairRevision[] = "1.00";

// The two service builds, by the link library's PrivateBuild value.
inline constexpr char kBuildWestrand[] = "Westrand";
inline constexpr char kBuildTelmo[] = "TELMO";

// Region and language lists.
inline constexpr char kDirectSetting[] = "Direct setting";
inline constexpr char kTakroUf[] = "FC_TAKRO_UF";

// The parameter prompt.
inline constexpr char kParamTitle[] = "Set parameter";
inline constexpr char kParamLabel[] = "Parameter :";
inline constexpr char kParamSet[] = "&Set";
inline constexpr char kParamCancel[] = "Cancel";
inline constexpr char kParamFormat[] = "0x%08X";
inline constexpr char kParamZero[] = "Parameter '0' is not supported.";
// Entry without digits, or too large for 32 bits.
inline constexpr char kParamNotANumber[] =
    "Parameter is not a 32-bit number. Enter decimal digits, or 0x and hexadecimal digits.";

}  // namespace orvia::text
