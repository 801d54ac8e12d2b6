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
inline constexpr char kAskAwb[] = "Execute AWB & AGC Gain Calibration";
inline constexpr char kAskFocus[] = "Execute Focus Calibration";
// The shading steps after AWB, named in the step error.
inline constexpr char kStepShading[] = "Shading Calibration.";
inline constexpr char kStepWideEnd[] = "Set focal length to Wide end.";
inline constexpr char kStepColorShadeOn[] = "Set color shade mode to ON.";
inline constexpr char kStepPresetWb[] = "Execute preset WB calibration start.";
inline constexpr char kStepTakePicture[] = "Take picture.";
inline constexpr char kStepTeleEnd[] = "Set focal length to Tele end.";
inline constexpr char kStepColorShadeOff[] = "Set color shade mode to OFF.";
inline constexpr char kStepCompleteAll[] = "Complete All !";
inline constexpr char kAwbResultsOk[] = "AWB Results : OK";
inline constexpr char kAwbResultsNg[] = "AWB Results : NG";
inline constexpr char kAwbResults[] = "AWB Results :";
inline constexpr char kAwbResultBody[] = "1 : \r\n%s";
// A focus text that starts with this marker carries the standard AF position.
inline constexpr char kStdAfPosMarker[] = "STD_AFPOS = ";
inline constexpr char kFocusResults[] = "Focus Results :";
// Position halves as signed numbers, then in hexadecimal, then the camera's whole text.
inline constexpr char kFocusResultBody[] = "%d  %d\r\n\r\n 0x%s  0x%s \r\n\r\n%s";
inline constexpr char kFocusPassed[] = "FocusResult%s";
inline constexpr char kFocusResult[] = "Focus Result\n\n%s";

// Firmware and data upload.
inline constexpr char kFirmwareFilter[] = "Firmware(*.BIN)|*.BIN|";
inline constexpr char kFirmwareExtension[] = "BIN";
inline constexpr char kDataFilter[] =
    "Orvia Files (*.JPG;*.BIN)|*.JPG; *.BIN|JPEG(*.JPG)|*.JPG|All Files|*.*|";
// The questions, with the chosen path (". Yes or No?" follows).
inline constexpr char kAskUpdateFirmware[] = "Update Firmware(%s)";
inline constexpr char kAskUploadImage[] = "Upload Image file (%s)";
inline constexpr char kAskUploadFont[] = "Upload Font Data file (%s)";
inline constexpr char kAskUploadNand[] = "Upload NAND Data file (%s)";
// Status line (the transfer text has two leading spaces and no status word).
inline constexpr char kStatusUploading[] = "  Wait!!  Uploading File.";
inline constexpr char kStatusWritingFirmware[] = " Status: Wait!!  Writing Firmware.";
inline constexpr char kStatusWritingFont[] = " Status: Wait!! Writing Font Data.";
inline constexpr char kStatusWritingNand[] = " Status: Wait!! Writing NAND Data.";
inline constexpr char kStatusUploadCompleted[] = " Status: Upload was completed!";
// Boxes. "Cannot open file" ends in a space.
inline constexpr char kFirmwareCompleted[] = "Update Firmware: Completed. New Version is %s.";
inline constexpr char kCannotOpenFile[] = "Cannot open file '%s' ";
inline constexpr char kFileFormatError[] = "File format error!";
inline constexpr char kFileOpenFailed[] = "File open failed. '%s'";
inline constexpr char kGetFileSizeFailed[] = "GetFileSize failed!";
inline constexpr char kMallocFailed[] = "malloc failed!";
inline constexpr char kZeroBytesRead[] = "Zero bytes read.";
// A file larger than an upload may be (the limit in bytes, then the path), and an image that
// could not be read whole.
inline constexpr char kFileTooLarge[] = "File too large (more than %u bytes). '%s'";
inline constexpr char kFileReadFailed[] = "File read failed. '%s'";

// Camera initialisation and the LCD register lists.
inline constexpr char kAskInitialize[] = "Initialize Camera to Default setting";
inline constexpr char kInitializeCompleted[] =
    "Initialize Camera: Completed. \n\nResults\n  : \n\n%s ";
inline constexpr char kStatusInitializeCompleted[] = " Status: Initialize was completed!!";
inline constexpr char kNotSupported[] = "This function is not supported!";

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

// ---- Adjustment dialogs: video gain, Y/C shading, battery, lens adjustment, keys ----------

// Video gain.
inline constexpr char kVideoGainTitle[] = "Video Gain Control";
inline constexpr char kDscLevel[] = " Dsc Level ";
inline constexpr char kCradleLevel[] = " Cradle Level ";
inline constexpr char kLevelUp[] = "up";
inline constexpr char kLevelDown[] = "down";
inline constexpr char kWhite92[] = "92%WHITE";
inline constexpr char kSliderTop[] = "30";
inline constexpr char kSliderMiddle[] = "0";
inline constexpr char kSliderBottom[] = "-30";
inline constexpr char kLcdNotAvailable[] = "LCD_NOT_AVAILABLE";
// A level as shown beside its slider: two digits, a minus sign for negative levels.
inline constexpr char kLevelFormat[] = "%02d";
inline constexpr char kNegativeLevelFormat[] = "-%02d";

// Y/C shading.
inline constexpr char kYcShadingTitle[] = "Y/C Shading Calibration";
inline constexpr char kStart[] = "&Start";
inline constexpr char kExit[] = "E&xit";
inline constexpr char kCommandStatus[] = "Command Status :";
// The log: each step's name on a line of its own, then this once the step is done.
inline constexpr char kLogLineEnd[] = "\r\n";
inline constexpr char kLogStepComplete[] = "\tComplete !\r\n";
inline constexpr char kLogFunctionFailure[] = "\r\nFunction failure !";

// Battery information and type.
inline constexpr char kBatteryInfoTitle[] = "Battery Information Dialog";
inline constexpr char kBatteryTypeTitle[] = "Battery Type Dialog";
inline constexpr char kInfoType[] = "Info. Type :";
inline constexpr char kBatteryType1[] = "TYPE 1";
inline constexpr char kBatteryType2[] = "TYPE 2";
inline constexpr char kGet[] = "&Get";
inline constexpr char kSet[] = "&Set";
inline constexpr char kBatteryTypeGroup[] = "Battery Type ";
inline constexpr char kAlkalineBattery[] = "&Alkaline Battery";
inline constexpr char kNimhBattery[] = "&NiMH";
inline constexpr char kCrV3Battery[] = "&CR-V3";
inline constexpr char kGetBatteryInfoFailure[] = "Get Battery Infomation failure!!";
inline constexpr char kGetBatteryTypeNotSupported[] = "Get Battery Type not supported!!";
inline constexpr char kSetBatteryTypeFailure[] = "Set Battery Type filure!!";
inline constexpr char kSetBatteryTypeCompleted[] = "Setting battery type was completed!!";
// Shown instead of sending a type when no battery type is chosen.
inline constexpr char kChooseBatteryType[] = "Choose a battery type.";
// Battery information, kind 1 ("TYPE 1").
inline constexpr char kOfficialCapacity[] = "Official capacity = %d\r\n";
inline constexpr char kManufacturingDate[] = "Manufacturing date = %d\r\n";
inline constexpr char kCycleCount[] = "Cycle count = %d\r\n";
inline constexpr char kChargeCount[] = "Charge count = %d\r\n";
inline constexpr char kTotalEnergizingTime[] = "Total energizing time = %d\r\n";
inline constexpr char kReleaseCount[] = "Release count = %d\r\n";
inline constexpr char kLastCameraMode[] = "Last camera mode = %d\r\n";
inline constexpr char kTotalEnergizingTimeLast[] = "Total energizing time (last time) = %d\r\n";
inline constexpr char kReleaseCountLast[] = "Release count (last time) = %d\r\n";
inline constexpr char kCameraModeLast[] = "Camera mode (last time) = %d\r\n";
inline constexpr char kBatteryVersion[] = "Battery version = %d\r\n";
inline constexpr char kBatteryMode[] = "Battery mode = %d\r\n";
// Battery information, kind 2 ("TYPE 2").
inline constexpr char kMaxChargeVoltage[] = "Maximum charge voltage = %d\r\n";
inline constexpr char kMaxDischargeCurrent[] = "Maximum discharge current = %d\r\n";
inline constexpr char kMinDischargeCurrent[] = "Minimum discharge current = %d\r\n";
inline constexpr char kMaxDischargeTemperature[] = "Maximum discharge temperature = %d\r\n";
inline constexpr char kMinDischargeTemperature[] = "Minimum discharge temperature = %d\r\n";
inline constexpr char kMaxChargeTemperature[] = "Maximum charge temperature = %d\r\n";
inline constexpr char kMinChargeTemperature[] = "Minimum charge temperature = %d\r\n";
inline constexpr char kMaxChargeVoltageLast[] = "Maximum charge voltage (last time) = %d\r\n";
inline constexpr char kMaxDischargeCurrentLast[] = "Maximum discharge current (last time) = %d\r\n";
inline constexpr char kMinDischargeCurrentLast[] = "Minimum discharge current (last time) = %d\r\n";
inline constexpr char kMaxDischargeTemperatureLast[] =
    "Maximum discharge temperature (last time) = %d\r\n";
inline constexpr char kMinDischargeTemperatureLast[] =
    "Minimum discharge temperature (last time) = %d\r\n";
inline constexpr char kMaxChargeTemperatureLast[] =
    "Maximum charge temperature (last time) = %d\r\n";
inline constexpr char kMinChargeTemperatureLast[] =
    "Minimum charge temperature (last time) = %d\r\n";

// Production lens adjustment (the QR code dialog). The window and its captions are the
// console's own; the status texts are those the production line knows.
inline constexpr char kLensAdjTitle[] = "Production Lens Adjustment";
inline constexpr char kLensAdjWrite[] = "&Write";
inline constexpr char kLensAdjRead[] = "&Read";
inline constexpr char kCodeReaderInput[] = "&QR code reader";
inline constexpr char kQrCodeLabel[] = "QR code";
inline constexpr char kQrEnter[] = "&Enter";
inline constexpr char kClose[] = "&Close";
inline constexpr char kCancel[] = "Cancel";
inline constexpr char kLensAdjValue[] = "Value %d";
inline constexpr char kStatusInputError[] = " Status: Input Error";
inline constexpr char kStatusLensAdjStart[] = " Status : Production adjustment start !";
inline constexpr char kStatusLensAdjEnd[] = " Status : Production adjustment end !";
inline constexpr char kStatusLensAdjGetEnd[] = " Status : lens_adj_param get end !";
inline constexpr char kStatusError[] = " Status: Error %s";
// Read-back forms: the 6-digit number, the 7-character number and its last digit, and the
// sign digit ("0" or "1") with 3 or 4 digits of magnitude.
inline constexpr char kLensAdjShow6[] = "%06.6ld";
inline constexpr char kLensAdjShow7[] = "%06.6ld%01.1d";
inline constexpr char kLensAdjShowSign3[] = "%c%03.3d";
inline constexpr char kLensAdjShowSign4[] = "%c%04.4d";

// Key provisioning.
inline constexpr char kKeyTitle[] = "Key Provisioning";
inline constexpr char kKeyFolderDefault[] = "C:\\Tarnelqx-3W_W";
inline constexpr char kKeyFolder[] = "Key data &folder";
inline constexpr char kKeyIdentifier[] = "Key &ID";
inline constexpr char kKeyCompare[] = "&Compare";
inline constexpr char kKeyWrite[] = "&Write";
// Errors of the key data, by the key source's result -1, -2 and -3: key set 1 while comparing,
// key set 1 while writing, key set 2.
inline constexpr char kRsaKeyMemoryError[] = " Status: RsaKey Memory Alloction Error";
inline constexpr char kRsaKeyKeydataNotFound[] = " Status: RsaKey KEYDATA not found";
inline constexpr char kRsaKeyDatafileNotFound[] = " Status: RsaKey DATAFILE  not found";
inline constexpr char kRsaKey1MemoryError[] = " Status: RsaKey(1) Memory Alloction Error";
inline constexpr char kRsaKey1KeydataNotFound[] = " Status: RsaKey(1) KEYDATA not found";
inline constexpr char kRsaKey1DatafileNotFound[] = " Status: RsaKey(1) DATAFILE  not found";
inline constexpr char kRsaKey2MemoryError[] = " Status: RsaKey(2) Memory Alloction Error";
inline constexpr char kRsaKey2KeydataNotFound[] = " Status: RsaKey(2) KEYDATA not found";
inline constexpr char kRsaKey2DatafileNotFound[] = " Status: RsaKey(2) DATAFILE  not found";
inline constexpr char kGetRsa1Completed[] = " Status: Get Rsa1 Key Info completed !";
inline constexpr char kGetRsa2Completed[] = " Status: Get Rsa2 Key Info completed !";
inline constexpr char kKey1Different[] = " Status: Key1 data are different from DSC";
inline constexpr char kKey1Same[] = " Status: Key1 data are the same as DSC";
inline constexpr char kKey2Different[] = " Status: Key2 data are different from DSC";
inline constexpr char kKey2Same[] = " Status: Key2 data are the same as DSC";
inline constexpr char kKeysDifferent[] = " Status: %s data are different from DSC";
inline constexpr char kKeys12[] = "Key1 & Key2";
inline constexpr char kKeys1[] = "Key1";
inline constexpr char kKeys2[] = "Key2";
inline constexpr char kKeysSame[] = " Status: Key1,2 data are the same as DSC";
inline constexpr char kSetRsaCompleted[] = " Status: Set Rsa Key Info completed !";

}  // namespace orvia::text
