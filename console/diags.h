// The camera's diagnostic programs that the console starts, by number, and the time each may
// take before the console carries on.
#pragma once

#include <cstddef>
#include <cstdint>

namespace orvia::diag {

inline constexpr int32_t kUvMatrix = 16;
inline constexpr int32_t kSelectLcd = 28;
inline constexpr int32_t kSelectViewfinder = 29;

// AWB, shading and Focus calibrations.
inline constexpr int32_t kFocus = 1;
inline constexpr int32_t kAwb = 3;
inline constexpr int32_t kPresetWb = 45;
inline constexpr int32_t kShading1 = 69;         // shade status 1
inline constexpr int32_t kShading2 = 78;         // shade status 2
inline constexpr int32_t kShadeStatusColor = 3;  // the colour-shading sequence
// Focal positions of the focal length record {position, kFocalScale}.
inline constexpr int32_t kFocalWide = 10;
inline constexpr int32_t kFocalTele = -16;
inline constexpr int32_t kFocalScale = 10;
inline constexpr int32_t kColorShadeOn = 1;
inline constexpr int32_t kColorShadeOff = 0;
// Display states the Focus calibration sets: the monitor while it runs, off after.
inline constexpr int32_t kDisplayMonitor = 2;
inline constexpr int32_t kDisplayOff = 1;
inline constexpr uint32_t kWaitFocusDisplay = 10;
inline constexpr uint32_t kWaitFocus = 5;
inline constexpr uint32_t kFocusSettleMs = 30'000;

// Camera initialisation and the LCD register lists.
// Resetting the settings to their defaults: two programs started with the key word, then the
// program that reports the outcome as a text.
inline constexpr int32_t kInitializeKey = 0x0FEEDBEE;
inline constexpr int32_t kInitializeSettings = 6;
inline constexpr int32_t kInitializeDefaults = 5;
inline constexpr int32_t kInitializeReport = 22;
inline constexpr int32_t kInitializeReportSelector = 17;
inline constexpr uint32_t kWaitInitializeSettings = 15;
inline constexpr uint32_t kWaitInitializeDefaults = 20;
inline constexpr uint32_t kWaitInitializeReport = 15;
// Adjust status written after the settings-only initialisation of some models.
inline constexpr int32_t kAdjustStatusInitialized = 27;

// LCD registers: the program that writes each register, for ordinary panels and for the panel
// class 4, and the test pattern shown while it is adjusted.
inline constexpr int32_t kLcdRgbOffset = 9;
inline constexpr int32_t kLcdHAfc = 10;
inline constexpr int32_t kLcdGain = 11;
inline constexpr int32_t kLcdTint = 12;
inline constexpr int32_t kLcdRBright = 13;
inline constexpr int32_t kLcdBBright = 14;
inline constexpr int32_t kLcdPhase = 19;
inline constexpr int32_t kLcdRBrightClass4 = 39;
inline constexpr int32_t kLcdBBrightClass4 = 40;
inline constexpr int32_t kLcdRgbOffsetClass4 = 41;
inline constexpr int32_t kLcdGainClass4 = 42;
inline constexpr int32_t kLcdPatternTintLcd = 3;
inline constexpr int32_t kLcdPatternTintPhase = 5;
inline constexpr int32_t kLcdPatternRegister = 6;
// The register value is the list index plus this offset; index 16 (Tint and Phase: 5, H_AFC: 30)
// is the neutral value 16.
inline constexpr int32_t kTintPhaseOffset = 11;
inline constexpr int32_t kHAfcOffset = -14;
inline constexpr uint32_t kWaitLcdRegister = 15;
// Firmware and data upload: the load selectors written before the data, which tell the camera
// what the data is.
inline constexpr int32_t kSelectorFirmware = 0x0FEDBEBE;
inline constexpr int32_t kSelectorFontData = 0x0FEAECDB;
inline constexpr int32_t kSelectorNandData = 0x0FEACDEB;
// A ".BIN" data file is font data when this text lies within its first kFontProbeBytes bytes;
// a font upload reads that many bytes before it starts.
inline constexpr char kFontMarker[] = "FONT_VERSION";
inline constexpr uint32_t kFontProbeBytes = 112;
// Largest files accepted: an image is held in memory and sent as a picture (the link library
// takes at most 10 MiB); firmware, font and NAND data are read whole by the link library.
inline constexpr uint32_t kMaxImageBytes = 0xA00000;
inline constexpr uint32_t kMaxLoadFileBytes = 0x4000000;
// Restart after a firmware write, in seconds: models that restart quickly, all others, and the
// further wait of the model that restarts slowly; then up to kVersionTries reads of the version
// with kVersionRetryMs after each failed one.
inline constexpr uint32_t kWaitQuickRestart = 20;
inline constexpr uint32_t kWaitRestart = 60;
inline constexpr uint32_t kWaitSlowRestartMore = 70;
inline constexpr int kVersionTries = 3;
inline constexpr uint32_t kVersionRetryMs = 2000;
// The restart waits sleep in steps this long, so the window keeps painting and the progress bar
// can show how much of the wait has passed.
inline constexpr uint32_t kRestartStepMs = 250;
// Readiness after committing an image and after committing font or NAND data.
inline constexpr uint32_t kWaitImageWrite = 40;
inline constexpr uint32_t kWaitDataWrite = 5;

// Adjustment dialogs: organic-EL levels and ACL, display patterns, Hall element, lens and PAF.
inline constexpr int32_t kOelBlackRed = 61;
inline constexpr int32_t kOelBlackGreen = 62;
inline constexpr int32_t kOelBlackBlue = 63;
inline constexpr int32_t kOelBlackWhite = 72;
inline constexpr int32_t kOelWhiteRed = 64;
inline constexpr int32_t kOelWhiteGreen = 65;
inline constexpr int32_t kOelWhiteBlue = 66;
inline constexpr int32_t kOelWhiteWhite = 73;
inline constexpr int32_t kOelAclBrightness = 67;
inline constexpr int32_t kOelAclSlant = 68;
inline constexpr int32_t kPatternWhiteLevel = 0;
inline constexpr int32_t kPatternBlackLevel = 2;
inline constexpr int32_t kPatternBlackCheck = 8;
inline constexpr int32_t kPatternWhitePixel = 9;
inline constexpr int32_t kPatternWhiteWork = 10;
inline constexpr int32_t kAperture = 55;
inline constexpr int32_t kHallGainRough = 56;
inline constexpr int32_t kHallGainFine = 57;
inline constexpr int32_t kHallOffsetRough = 58;
inline constexpr int32_t kHallOffsetFine = 59;
inline constexpr int32_t kLensInitialize = 70;
inline constexpr int32_t kPafUniformity = 46;
inline constexpr int32_t kPafDistance = 47;
inline constexpr int32_t kPafParallax = 48;
inline constexpr int32_t kPafTemp1 = 49;
inline constexpr int32_t kPafTemp2 = 50;
inline constexpr int32_t kPafUpDown = 54;
inline constexpr uint32_t kWaitAdjustment = 15;
inline constexpr uint32_t kWaitPafShort = 5;

// Readiness waits, in seconds.
inline constexpr uint32_t kWaitCalibration = 30;
inline constexpr uint32_t kWaitDisplaySelect = 15;

// ---- Identity and region settings ----------------------------------------------------------

// Identity records written from the diagnostic buffer.
inline constexpr int32_t kWriteSerial = 4;
inline constexpr int32_t kWriteVendor = 33;
inline constexpr int32_t kWriteProduct = 34;
inline constexpr int32_t kWriteRevision = 35;
// MAC address halves written from the diagnostic word.
inline constexpr int32_t kWriteMacHigh = 26;
inline constexpr int32_t kWriteMacLow = 27;
// Wait after each identity or region write, in seconds.
inline constexpr uint32_t kWaitSetting = 15;
// ---- Adjustment dialogs: video gain, Y/C shading, battery, lens adjustment, keys ----------

// Video gain: levels -30..30 in the camera's code (0..60 for 0..30, 197..255 for -30..-1), the
// camera's connection value (1 camera, 2 cradle), and the 92 % white test pattern shown on the
// display in Play state (kDisplayPlay, with the display states below). Off (1) is restored when the
// dialog closes; 0 means no display.
inline constexpr int32_t kVideoLevelMax = 30;
inline constexpr int32_t kVideoCodeNegative = 257;  // code = 2 x level + this, for levels below 0
inline constexpr int32_t kVideoCodeTop = 255;
inline constexpr int32_t kVideoLevelButtonStep = 2;
inline constexpr int32_t kConnectionCamera = 1;
inline constexpr int32_t kConnectionCradle = 2;
inline constexpr int32_t kPatternWhite92 = 11;
inline constexpr uint32_t kWaitDisplayState = 15;

// Y/C shading: how long the camera may take to switch its display (its steps wait as the colour
// shading after AWB does, kWaitCalibration).
inline constexpr uint32_t kWaitYcDisplay = 15;

// Battery information record and the kinds the dialog reads; battery types 1-3 are the radio
// buttons 1069-1071.
inline constexpr size_t kBatteryInfoBytes = 22;
inline constexpr int32_t kBatteryInfoKinds = 2;
inline constexpr int32_t kBatteryTypes = 3;

// Production lens adjustment records: layout A eight 16-bit values, layout B 28 bytes. The link
// library sends and reads as many bytes as the camera names (up to kLensAdjMaxBytes), so the
// record lives in a buffer of that size.
inline constexpr size_t kLensAdjBytesA = 16;
inline constexpr size_t kLensAdjBytesB = 28;
inline constexpr size_t kLensAdjMaxBytes = 2048;

// Key records: key set 1 and key set 2, and the key source's failures.
inline constexpr size_t kKey1Bytes = 724;
inline constexpr size_t kKey2Bytes = 136;
inline constexpr int32_t kKeyMemoryError = -1;
inline constexpr int32_t kKeyDataNotFound = -2;
inline constexpr int32_t kKeyFileNotFound = -3;
// Service tests: the Test list, calibration-mode entry, display controls and sensor detections.
inline constexpr int32_t kCcdDefect = 0;
inline constexpr int32_t kVcomdc = 8;
inline constexpr int32_t kSetApply = 18;
inline constexpr int32_t kVcompp = 19;
inline constexpr int32_t kCalData = 20;
inline constexpr int32_t kCalMode = 22;
inline constexpr int32_t kCcdBlack = 30;
inline constexpr int32_t kEisAdj = 31;
inline constexpr int32_t kEisCheck = 32;
inline constexpr int32_t kVcoOn = 37;
inline constexpr int32_t kVcoOff = 38;
inline constexpr int32_t kVcomdcClass4 = 43;
inline constexpr int32_t kVcomppClass4 = 44;
inline constexpr int32_t kKeystoneCal = 51;
inline constexpr int32_t kInfinityCal = 52;
inline constexpr int32_t kPixelMap = 53;
inline constexpr int32_t kAfLed = 60;
inline constexpr int32_t kShadingAdj = 69;
inline constexpr int32_t kTrackingAdj = 71;
inline constexpr int32_t kYShadingAdj = 78;
inline constexpr int32_t kZoomCal = 80;
inline constexpr int32_t kSensWbCal = 84;
// The panel pattern shown before Cal Data, the VCOM registers of classes 4 and 5 and the panel
// sequence of Tracking Adj; the diagnostic words of that sequence.
inline constexpr int32_t kPanelPattern = 6;
inline constexpr int32_t kTrackingCalData = 0;
inline constexpr int32_t kTrackingCalMode = 143;
// Display states of Cam_get_lcd, which are also the modes Cam_control_lcd switches to.
inline constexpr int32_t kDisplayNone = 0;
// (Off and Monitor are above.)
inline constexpr int32_t kDisplayPlay = 3;
inline constexpr int32_t kDisplayPlayMulti9 = 6;
inline constexpr int32_t kDisplayPlayNext = 7;
inline constexpr int32_t kDisplayPlayRev = 8;
// Adjust status written by the Maintenance button at a repair site.
inline constexpr int32_t kAdjustStatusClear = 0;
// Shade status that resets the shading.
inline constexpr int32_t kShadeReset = static_cast<int32_t>(0x80000000u);
// Selectors of Cam_get_selsrc_version: application, sub, boot and NAND versions, NAND verify.
inline constexpr int32_t kVersionApp = 1;
inline constexpr int32_t kVersionSub = 2;
inline constexpr int32_t kVersionBoot = 3;
inline constexpr int32_t kVersionNand = 4;
inline constexpr int32_t kVersionNandVerify = 0x10004;
inline constexpr size_t kVersionTextBytes = 64;
// The long shading result.
inline constexpr size_t kLongShadingBytes = 32768;
// Readiness waits of the service tests, in seconds.
inline constexpr uint32_t kWaitServiceStep = 15;
inline constexpr uint32_t kWaitServiceShort = 20;
inline constexpr uint32_t kWaitServiceLong = 45;
// AF LED: the camera is polled every kAfLedPollMs; a camera that never finishes is given up
// after kWaitAfLed seconds, the link library's own limit for a running program.
inline constexpr uint32_t kAfLedPollMs = 50;
inline constexpr uint32_t kWaitAfLed = 180;
// The CCD black pause sleeps in steps this long so the window keeps painting.
inline constexpr uint32_t kPauseStepMs = 250;

}  // namespace orvia::diag
