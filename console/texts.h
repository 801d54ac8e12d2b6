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

// ---- Service tests: the Test list, calibration-mode entry, display controls, sensor detections

// Test list entries the dispatcher finds by their text.
inline constexpr char kTestCamInfo[] = "Cam Info";
inline constexpr char kTestSetDefault[] = "Set Default";
inline constexpr char kTestAllVersion[] = "All Version";
inline constexpr char kTestYShadingAdj[] = "Y Shading Adj";
inline constexpr char kTestTrackingAdj[] = "Tracking Adj";
inline constexpr char kTestShadingReset[] = "Shading Rst.";
inline constexpr char kTestZoomCal[] = "Zoom Cal.";
inline constexpr char kTestCcdDefect[] = "CCD Defect";
inline constexpr char kTestCcdBlack[] = "CCD Black";

inline constexpr char kLcdNotAvailable[] = "LCD_NOT_AVAILABLE";

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
inline constexpr char kStatusError[] = " Status: Error!!";
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

}  // namespace orvia::text
