// The console's own texts for start-up, the main dialog and reporting, in one place.
#pragma once

namespace orvia::text {

inline constexpr char kMainTitle[] = "Orvia Calibration Ver.1.60 Beta5";
inline constexpr char kResultTitle[] = "Orvia Calibration";

// Start-up failures.
inline constexpr char kNotConnected[] = "Camera is not connected.";
// A judgement library left in the working directory, which the program never loads: the file
// name twice.
inline constexpr char kJudgementLibraryNotUsed[] =
    "%s is in the working directory, but the judgement library is loaded only from the "
    "program's folder. Until %s is placed there, the AWB and Focus calibrations of judged "
    "camera types end NG.";
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
// Quick-restart models end their session when they restart and are not asked for their
// version until the next start.
inline constexpr char kFirmwareCompletedNotRead[] =
    "Update Firmware: Completed. The new version is read at the next start.";
// The camera did not answer after its restart: what it runs is unknown.
inline constexpr char kFirmwareVersionUnread[] =
    "Update Firmware: The camera did not answer after its restart. Its version could not be "
    "read.";
inline constexpr char kVersionNotRead[] = "(not read)";
// A file choice the operator cancelled.
inline constexpr char kNoFileChosen[] = "No file was chosen.";
// How a record tells a question answered No: after the question.
inline constexpr char kAnsweredNo[] = " No";
// The display the LCD adjustments go to could not be chosen (its box was shown).
inline constexpr char kDisplaySelectFailed[] = "The display could not be selected.";
// The parameter prompt closed with Cancel.
inline constexpr char kParameterCancelled[] = "The parameter prompt was cancelled.";
// A dialog asked for where no window can be shown (the command-line tool).
inline constexpr char kNeedsConsole[] = "This needs the console's window (orvia).";
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
// Result 24: another call was still running on the link, so nothing was sent to the camera.
inline constexpr char kLinkBusy[] = "Camera link busy";

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

// Adjustment dialogs: framework prompts for numeric edits.
inline constexpr char kEnterInteger[] = "Please enter an integer.";
inline constexpr char kEnterIntegerBetween[] = "Please enter an integer between %d and %d.";
inline constexpr char kEnterHex[] = "Please enter a hexadecimal number.";

// Organic-EL dialogs.
inline constexpr char kOelCalTitle[] = "Organic EL Cal.";
inline constexpr char kOelAclTitle[] = "Organic EL ACL";
inline constexpr char kErrorCreatingDialogObjectLower[] = "Error creating Dialog Object";
inline constexpr char kErrorGetEldInfoSizeCal[] = "Error Get Diag ELD Info size";
inline constexpr char kErrorGetEldInfoSize[] = "Error Get Diag ELD Info Size";
inline constexpr char kErrorGetEldInfo[] = "Error Get Diag ELD Info";
inline constexpr char kEldInfoTooLarge[] =
    "The camera reports an ELD Info record of %d bytes; at most %d fit. Nothing was transferred.";
inline constexpr char kSetDiagLongFailed[] = "Set diag long failed.";
inline constexpr char kExecuteDiagFailed[] = "Execute diag failed.";
inline constexpr char kLevelFormat[] = "%X";

// Hall element, lens data and keystone dialogs.
inline constexpr char kHallCalTitle[] = "Hall element calibration";
inline constexpr char kHallReading[] = " Status: Get Hall element data, Now!";
inline constexpr char kHallReadDone[] = " Status: Get Diag Hall Info completed !";
inline constexpr char kHallReadUnsupported[] = " Status: Get Diag Hall Info not supported !";
inline constexpr char kApertureOpenStart[] = " Status: Set Aperture Open start !";
inline constexpr char kApertureOpenDone[] = " Status: Aperture Open was completed!!";
inline constexpr char kApertureOpenFailed[] = " Status: Aperture Open false !";
inline constexpr char kApertureCloseStart[] = " Status: Set Aperture Close start !";
inline constexpr char kApertureCloseDone[] = " Status: Aperture Close was completed!!";
inline constexpr char kApertureCloseFailed[] = " Status: Aperture Close false !";
inline constexpr char kGainRoughStart[] = " Status: Set Hall Gain Rough start !";
inline constexpr char kGainRoughDone[] = " Status: Set Hall Gain Rough was completed!!";
inline constexpr char kGainRoughFailed[] = " Status: Set Hall Gain Rough false !";
inline constexpr char kGainFineStart[] = " Status: Set Hall Gain Fine start !";
inline constexpr char kGainFineDone[] = " Status: Set Hall Gain Fine was completed!!";
inline constexpr char kGainFineFailed[] = " Status: Set Hall Gain Fine false !";
inline constexpr char kOffsetRoughStart[] = " Status: Set Hall Offset Rough start !";
inline constexpr char kOffsetRoughDone[] = " Status: Set Hall Offset Rough was completed!!";
inline constexpr char kOffsetRoughFailed[] = " Status: Set Hall Offset Rough false !";
inline constexpr char kOffsetFineStart[] = " Status: Set Hall Offset Fine start !";
inline constexpr char kOffsetFineDone[] = " Status: Set Hall Offset Fine was completed!";
inline constexpr char kOffsetFineFailed[] = " Status: Set Hall Offset Fine false !";
inline constexpr char kLensDataTitle[] = "Lens data Dialog";
inline constexpr char kPiSwitch[] = "PI switch :";
inline constexpr char kDeltaSb[] = "Delta SB :";
inline constexpr char kGroup2Offset[] = "Group 2 offset:";
inline constexpr char kZoomAdjustmentData[] = "Zoom Adjustment Data:";
inline constexpr char kSetLensDataFailed[] = "Set Lens data failure !";
inline constexpr char kSetSecondPulseFailed[] = "Set Lens second pulse failure !";
inline constexpr char kLensInitFailed[] = "Execute Lens Initialize failure !";
inline constexpr char kSetZoomAdjustFailed[] = "Set Zoom Adjustment data failure !";
inline constexpr char kZoomInitFailed[] = "Execute Zoom Initialize failure !";
inline constexpr char kKeystoneTitle[] = "KeyStone Cal.";
inline constexpr char kKeystoneText[] = "KeyStone calibration";
inline constexpr char kStepZoomFailed[] = "Set Lens step zoom failure !";

// Maintenance dialog.
inline constexpr char kMaintenanceTitle[] = "Maintenance Dialog";
inline constexpr char kInfo4SizeError[] = " Status : Get Diag Info4 data size error !";
inline constexpr char kInfo5SizeError[] = " Status : Get Diag Info5 data size error !";
inline constexpr char kMemoryError[] = " Status : Memory allocate error !";
inline constexpr char kInfo4ReadDone[] = " Status : Get Diag Info4 was completed!!";
inline constexpr char kInfo5ReadDone[] = " Status : Get Diag Info5 was completed!!";
inline constexpr char kInfo4ReadError[] = " Status : Get Diag Info4 communication error !";
inline constexpr char kInfo5ReadError[] = " Status : Get Diag Info5 communication error !";
inline constexpr char kMaintenanceInitDone[] = " Status : Initialize was completed!!";
inline constexpr char kMaintenanceReloadDone[] = " Status : Get Diag Info 4/5 was complete!!";
inline constexpr char kInfo4SetDone[] = " Status : Set Diag Info4 was completed!!";
inline constexpr char kInfo4SetError[] = " Status : Set diag Info4 communication error !";
inline constexpr char kInfo4SetError2[] = " Status : Set Diag Info4 Commnunication error !";
inline constexpr char kInfo4BadData[] = " Status : Set Diag Info4 bad data !";
inline constexpr char kInfo5SetDone[] = " Status : Set Diag Info5 was completed!!";
inline constexpr char kInfo5SetError[] = " Status : Set diag Info5 communication error !";
inline constexpr char kInfo5SetError2[] = " Status : Set Diag info5 Communication error !";
inline constexpr char kInfo5BadData[] = " Status : Set Diag Info5 bad data !";
inline constexpr char kMaintenanceApplyDone[] = " Status : Set Diag Info 4/5 was complete!!";
inline constexpr char kErrorStatusFormat[] = "0x%08X";

// PAF calibration dialog.
inline constexpr char kPafCalTitle[] = "PAF Calibration Dialog";
inline constexpr char kPafDispUnsupported[] = " Status: PAF Disp is not supported !";
inline constexpr char kPafDispOnDone[] = " Status: Switch PAF display mode ON was completed!!";
inline constexpr char kPafDispOffDone[] = " Status: Switch PAF display mode OFF was completed!!";
inline constexpr char kPafResultUpDown[] = "Up/Down Cal.";
inline constexpr char kAskUniformity[] = "Execute Uniformity Calibration. Yes or No ?";
inline constexpr char kAskDistance[] = "Execute Distance Calibration. Yes or No ?";
inline constexpr char kAskParallax[] = "Execute Parallax Calibration. Yes or No ?";
inline constexpr char kAskTemp1[] = "Execute Temparature 1 Calibration. Yes or No ?";
inline constexpr char kAskTemp2[] = "Execute Temparature 2 Calibration. Yes or No ?";
inline constexpr char kAskUpDown[] = "Execute Up/Dwon Calibration. Yes or No ?";
inline constexpr char kWaitUniformity[] = " Status: Wait!! Execute Uniformity Calibration.";
inline constexpr char kWaitDistance[] = " Status: Wait!! Execute Distance Calibration.";
inline constexpr char kWaitParallax[] = " Status: Wait!! Execute Parallax Calibration.";
inline constexpr char kWaitTemp1[] = " Status: Wait!! Execute Tamparature 1 Calibration.";
inline constexpr char kWaitTemp2[] = " Status: Wait!! Execute Tamparature 2 Calibration.";
inline constexpr char kWaitUpDown[] = " Status: Wait!! Execute Up/Down Calibration.";
inline constexpr char kUniformityResults[] = "Uniformity Results :";
inline constexpr char kDistanceResults[] = "Distance Results :";
inline constexpr char kParallaxResults[] = "Parallax Results :";
inline constexpr char kTemp1Results[] = "Temparature 1 Results :";
inline constexpr char kTemp2Results[] = "Temparature 2 Results :";
inline constexpr char kTemperatureResults[] = "Temparature Results :";
inline constexpr char kUpDownResults[] = "Up/Down Cal. Results :";
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
inline constexpr char kVideoLevelFormat[] = "%02d";
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
// ---- Service tests: the Test list, calibration-mode entry, display controls, sensor detections

// Test list entries the dispatcher finds by their text.
inline constexpr char kTestSetDefault[] = "Set Default";
inline constexpr char kTestAllVersion[] = "All Version";
inline constexpr char kTestYShadingAdj[] = "Y Shading Adj";
inline constexpr char kTestTrackingAdj[] = "Tracking Adj";
inline constexpr char kTestShadingReset[] = "Shading Rst.";
inline constexpr char kTestZoomCal[] = "Zoom Cal.";

// Result window headings.
inline constexpr char kEisAdjResults[] = "EIS Adj. Results :";
inline constexpr char kEisCheckResults[] = "EIS Chaek. Results :";
inline constexpr char kYShadingAdjResults[] = "Y Level Shading Adj Results :";
inline constexpr char kInfinityCalResults[] = "Infinity calibration :";
inline constexpr char kSensWbResults[] = "Sens. WB Cal. Results :";
inline constexpr char kZoomCalResults[] = "Zoom calibration :";
inline constexpr char kKeystoneCalResults[] = "Keystone calibration :";
inline constexpr char kShadingAdjResults[] = "Shading Adj Results :";
inline constexpr char kTrackingAdjResults[] = "Tracking Adj Results :";
inline constexpr char kCamInfoResults[] = "Camera Info :";
inline constexpr char kCalModeResults[] = "Cal Mode Results :";
inline constexpr char kCalDataResults[] = "Cal Data Results :";
inline constexpr char kCcdResults[] = "CCD Results :";
inline constexpr char kCcdBlackResults[] = "CCD Black Results :";

// Records shown as text.
inline constexpr char kCamInfoFormat[] =
    "Image : %d\r\nFlash : %d\r\nLast Error : %d\r\nError Date : %d\r\nAdapter test : %d";
inline constexpr char kAdjDataStandard[] =
    "Adj. Data\n\n  Focus: %d\n\n  AWB_R: %d\n  AWB_G: %d\n  AWB_B: %d\n\n  AGC Gain: %d\n\n"
    "  UVMAT0: %d\n  UVMAT1: %d\n  UVMAT2: %d\n  UVMAT3: %d";
inline constexpr char kAdjDataExtended[] =
    "Adj. Data\n\n  Focus:\t%d\n  Zoom:\t%d\n\n  AWB_R:\t%d\n  AWB_G:\t%d\n  AWB_B:\t%d\n\n"
    "  AGC Gain:\t%d\n  AGC Gain2:\t%d\n  AGC Gain3:\t%d\n\n  PLNG:\t%d\n  PLNG2:\t%d\n  "
    "PLNG3:\t%d";

// Status line.
inline constexpr char kStatusWaitShort[] = " Status: Wait!";
inline constexpr char kStatusErrorMark[] = " Status: Error!!";
inline constexpr char kStatusApplyCompleted[] = " Status: Apply procedure was completed!!";
inline constexpr char kStatusAfLedCompleted[] = " Status: AF LED ON procedure was completed!!";
inline constexpr char kStatusShadingResetCompleted[] = " Status: Shading Reset was completed!!";
inline constexpr char kStatusClearCompleted[] = " Status: Status Clear was completed!!";
// The AF LED procedure is waited for at most diag::kWaitAfLed seconds.
inline constexpr char kAfLedTimedOut[] =
    "The camera did not finish the AF LED procedure within %u seconds.";

// All Version.
inline constexpr char kVersionNotSupported[] = "Not supported !";
inline constexpr char kVersionHeading[] = "DSC Version Information\r\n";
inline constexpr char kVersionApp[] = "  APP Ver.\t\t= ";
inline constexpr char kVersionSub[] = "  Sub Ver.\t\t= ";
inline constexpr char kVersionBoot[] = "  Boot Ver.\t= ";
inline constexpr char kVersionNand[] = "  NAND Ver.\t= ";
inline constexpr char kLineEnd[] = "\r\n";
inline constexpr char kNandVerify[] = "\r\n  NAND Verify\t= ";
inline constexpr char kNandVerifyNotSupported[] = "not Supported";
inline constexpr char kNandVerifyChecksumError[] = "checksum error";

// Template Chk outcomes 0-4, then any other.
inline constexpr const char* kTemplateChkOutcomes[] = {
    "Template Chk Result :\n\nOK : COPY_COMPLETE",
    "Template Chk Result :\n\nNG : COPY_ERR_DIRECTORY",
    "Template Chk Result :\n\nNG : COPY_ERR_PICNUM",
    "Template Chk Result :\n\nNG : COPY_ERR_NOFILE",
    "Template Chk Result :\n\nNG : COPY_ERR_CHKSUM",
};
inline constexpr char kTemplateChkInvalid[] = "Template Chk Result :\n\nInvalid return code (%d)";

// Display controls and sensor detections.
inline constexpr char kBackrushFormat[] = "0x%08X";
inline constexpr char kBackrushInvalid[] =
    "The backrush pulse must be a decimal number or 0x followed by hexadecimal digits, "
    "within 32 bits.";
// An entry edit whose text is not a number in its range.
inline constexpr char kRangePrompt[] = "Please enter an integer between %d and %d.";
inline constexpr char kAskCcdDefect[] = "CCD Defect Detection";
inline constexpr char kAskCcdBlack[] = "CCD Black Detection";

// ---- Command-line tool and station log -----------------------------------------------------
// qorctl's own lines; failures of procedures are reported in the console's words above.
inline constexpr char kCliUsage[] =
    "usage: qorctl [OPTIONS] COMMAND [ARGS]\n"
    "commands:\n"
    "  info                          version, type, serial number, LCD type and MAC address\n"
    "  get NAME | set NAME VALUE     a named value (qorctl help get lists them)\n"
    "  diag N [--param V] [--wait S] run diagnostic program N (0-255) and print its text\n"
    "  calibrate awb|focus|uv        run a calibration (--yes answers its question)\n"
    "  upload firmware|image|font|nand FILE [--expect-version V]\n"
    "                                send a file to the camera (--yes answers its question)\n"
    "  test [NAME]                   run the Test list entry NAME; without NAME, list them\n"
    "  ports                         list serial devices and removable drives\n"
    "  run RECIPE                    run a recipe's steps in one session, hold the values\n"
    "                                against its limits, store the unit record (--db FILE)\n"
    "  history SERIAL                every stored run of the camera SERIAL\n"
    "  help [COMMAND]                this text, or a command's own\n"
    "options (anywhere on the line; --opt=value works too, and -- ends them):\n"
    "  --port N      1 or 2: that serial port ($QORLINK_COM<N>, else /dev/ttyS<N-1>);\n"
    "                160: the camera's USB drive; default: search every one\n"
    "  --device PATH a serial device (reached as port 1)\n"
    "  --speed N     link speed index 1-5, or --baud 9600|19200|38400|57600|115200;\n"
    "                default: the fastest that opens\n"
    "  --timeout S   give up when no camera answers within S seconds (default 8 with\n"
    "                --port or --device, no limit for a search)\n"
    "  --json        one JSON object on standard output (docs/qorctl_json.md)\n"
    "  --progress=json  progress of transfers as JSON lines on standard error\n"
    "  --yes, -y     answer Yes to the procedure's question (otherwise it is answered No)\n"
    "  --log FILE    append one JSON line per procedure to FILE (also $ORVIA_STATION_LOG)\n"
    "  --db FILE     the unit records of run and history (default\n"
    "                $XDG_DATA_HOME/orvia/units.sqlite, else ~/.local/share/orvia/units.sqlite)\n"
    "  --version     the tool's version\n"
    "numbers are decimal unless written 0x...\n"
    "exit status: 0 success, 1 the procedure failed, 2 usage error, 3 no camera answered,\n"
    "  4 the file cannot be used, 5 the question was answered No, 6 needs the console,\n"
    "  7 the result was judged NG, 8 the firmware afterwards is not the expected version,\n"
    "  9 a recipe's measurement was outside its limits,\n"
    "  10+R a camera call failed with link result R (1-23), 40 any other link result,\n"
    "  41 no such device, 42 permission denied on the device, 43 the device is in use,\n"
    "  130 interrupted by SIGINT or SIGTERM (the station log records it as interrupted).\n";
inline constexpr char kCliHelpInfo[] =
    "usage: qorctl info\nPrints the firmware version, camera type, serial number, LCD type and "
    "MAC address.\n";
inline constexpr char kCliHelpGet[] =
    "usage: qorctl get NAME\n       qorctl set NAME VALUE\nNAMEs:";
inline constexpr char kCliHelpDiag[] =
    "usage: qorctl diag N [--param V] [--wait S]\nWrites V to the diagnostic word when given, "
    "runs program N, waits up to S seconds (default 30) and prints the camera's result text.\n";
inline constexpr char kCliHelpCalibrate[] =
    "usage: qorctl calibrate awb|focus|uv [--yes]\nRuns the calibration as the console's button "
    "does and prints its result.\n";
inline constexpr char kCliHelpUpload[] =
    "usage: qorctl upload firmware|image|font|nand FILE [--yes] [--expect-version V]\nSends FILE "
    "as the console's Upload buttons do, with a progress bar on a terminal. With\n"
    "--expect-version, a firmware upload after which the camera reports another version, or\n"
    "none, fails with status 8.\n";
inline constexpr char kCliHelpTest[] =
    "usage: qorctl test [NAME]\nRuns the camera's Test list entry NAME, or the one entry whose "
    "text begins with NAME (letter case ignored); a NAME that begins several entries is refused "
    "with their names. Without NAME, lists the entries.\n";
inline constexpr char kCliHelpPorts[] =
    "usage: qorctl ports\nLists the serial devices that may lead to a camera and the removable "
    "drives (a camera's USB storage is one of them). Needs no camera.\n";
inline constexpr char kCliHelpRun[] =
    "usage: qorctl run RECIPE [--db FILE] [--json]\nRuns the recipe's steps (a TOML file; see "
    "cli/examples/camsim.toml) on one camera\nin one session, answering their questions Yes, "
    "holds each step's values against its\nlimits, and stores the unit's record. A recipe with "
    "a mistake is refused with its line\nbefore any camera is touched. The status is the first "
    "failed step's (9: a value outside\nits limits).\n";
inline constexpr char kCliHelpHistory[] =
    "usage: qorctl history SERIAL [--db FILE] [--json]\nLists every stored run of the camera "
    "with that serial number, oldest first, with its steps.\n";
inline constexpr char kCliUnknownCommand[] = "qorctl: unknown command '%s'";
inline constexpr char kCliBadArgument[] = "qorctl: bad or missing argument: %s";
inline constexpr char kCliUnknownName[] = "qorctl: unknown name '%s'";
inline constexpr char kCliUnknownTest[] = "qorctl: no Test list entry '%s'";
inline constexpr char kCliAmbiguousTest[] = "qorctl: '%s' begins several Test list entries: %s";
inline constexpr char kCliBadValue[] = "qorctl: bad value for %s: '%s'";
inline constexpr char kCliNoCommand[] = "qorctl: no command given";
inline constexpr char kCliShortUsage[] =
    "usage: qorctl [OPTIONS] COMMAND [ARGS]   (qorctl --help lists them)\n";
inline constexpr char kCliFailed[] = "failed";
inline constexpr char kCliNoDevice[] = "qorctl: no device '%s'";
inline constexpr char kCliNoPermission[] =
    "qorctl: permission denied on '%s': join the group '%s' (sudo usermod -aG %s $USER, then "
    "log in again)";
inline constexpr char kCliDeviceBusy[] = "qorctl: '%s' is in use by another program";
inline constexpr char kCliSilent[] = "qorctl: no camera answered within %u s";
inline constexpr char kCliWrongVersion[] =
    "qorctl: the camera reports firmware version '%s' after the upload; expected '%s'";
inline constexpr char kCliInterrupted[] = "qorctl: interrupted by signal %d";
inline constexpr char kCliWrongKind[] = "qorctl: '%s' is not a %s file";
inline constexpr char kCliDeclined[] = "%s No (give --yes to answer Yes)";
inline constexpr char kCliNeedsConsole[] = "qorctl: this needs the console's window (orvia)";
inline constexpr char kStationLogUnwritable[] =
    "warning: station log '%s' cannot be written (%s); carrying on without it";
inline constexpr char kLogNotARegularFile[] = "not a regular file";
inline constexpr char kLogIsALink[] = "a symbolic link, which is not followed";

}  // namespace orvia::text
