#include "console/app.h"

#include <cctype>
#include <cstring>

#include "console/diag_run.h"
#include "console/format.h"
#include "console/judgement.h"
#include "console/lcd_registers.h"
#include "console/main_dialog.h"
#include "console/model_tables.h"
#include "console/texts.h"
#include "link/platform/library_name.h"

namespace orvia {

namespace {

constexpr char kBootMarker[] = "Bootmode.txt";
constexpr char kUploadMarker[] = "Upmode.txt";
constexpr char kServiceIdLibrary[] = "Ulmora.dll";
constexpr char kServiceIdEntry[] = "NcGetUserID";

// NcGetUserID(buffer of 4 bytes) -> 0 on failure; the first 16-bit word is the technician ID.
using NcGetUserIdFn = int32_t (*)(void*);

constexpr int32_t kFirstSpeed = 5;
constexpr int32_t kLangTwoAnswers[] = {0x4E430002, 0x4E430014};  // "NC", 2 or 20 languages

constexpr int32_t kDisplayOff = 1;
constexpr int kNeutralRegister = 16;

struct OemOption {
    const char* text;
    int32_t value;
};
constexpr OemOption kOemOptions[] = {
    {"-otakro", 0x5B000000}, {"-oka", 0x5B000001}, {"-okb", 0x5B000002}, {"-okc", 0x5B000003},
    {"-okd", 0x5B000004},    {"-oke", 0x5B000005}, {"-okf", 0x5B000006}, {"-okh", 0x5B000007},
    {"-oki", 0x5B000008},    {"-okm", 0x5B000009}, {"-okn", 0x5B00000A}, {"-okp", 0x5B00000B},
    {"-okr", 0x5B00000D},    {"-okv", 0x5B000011},
};

bool equalNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

std::string textOf(const char* buffer, size_t size) {
    return std::string(buffer, strnlen(buffer, size));
}

}  // namespace

int32_t parseOemMode(std::string_view line) {
    if (!line.empty() && line[0] >= '1' && line[0] <= '7') return line[0] - '0';
    if (equalNoCase(line, "-O")) return kOemAnyVendor;
    if (line.size() >= 2 && equalNoCase(line.substr(0, 2), "-O")) {
        for (const OemOption& o : kOemOptions) {
            if (equalNoCase(line, o.text)) return o.value;
        }
    }
    return 0;
}

uint16_t stampDay(std::time_t now) {
    std::tm base{};
    base.tm_year = 2006 - 1900;
    base.tm_mon = 10;
    base.tm_mday = 1;
    base.tm_isdst = -1;
    const std::time_t start = std::mktime(&base);
    const double seconds = std::difftime(now, start);
    if (seconds < 0) return 0;
    return static_cast<uint16_t>(static_cast<int64_t>(seconds) / 86400);
}

LcdClass deriveLcdClass(int32_t answer, std::string_view type, int32_t oemMode) {
    LcdClass c;
    if (answer != -1) {
        const auto raw = static_cast<uint32_t>(answer);
        c.lcdType = static_cast<int32_t>(raw & 0xFFFF) - 1;
        c.lcdSubType = static_cast<int32_t>(raw >> 16) - 1;
    } else {
        using namespace models;
        const std::pair<const ModelTable*, int32_t> byType[] = {
            {&LcdType2Models, 2}, {&LcdType3Models, 3}, {&LcdType4Models, 4},
            {&LcdType5Models, 5}, {&LcdType6Model, 6},  {&LcdType15Model, 15},
        };
        c.lcdType = 0;
        for (auto [table, cls] : byType) {
            if (table->matches(type)) {
                c.lcdType = cls;
                break;
            }
        }
    }
    if (oemMode >= 1 && oemMode <= 6) c.lcdType = oemMode - 1;
    return c;
}

CalibrationApp::CalibrationApp(Camera& camera, Clock& clock, Operator& op, Host& host)
    : camera_(camera), clock_(clock), op_(op), host_(host), context_{camera,       clock,  op,
                                                                     resultTexts_, state_, host} {}

CalibrationApp::~CalibrationApp() = default;

int CalibrationApp::run(std::string_view commandLine) {
    if (!startUp(commandLine)) return 1;
    runMainDialog();
    shutDown();
    return 0;
}

bool CalibrationApp::startUp(std::string_view commandLine) {
    // A site that keeps its judgement library in the working directory hears so once, here,
    // rather than finding every judged calibration NG.
    if (host_.libraryOnlyInWorkingDirectory(kJudgementLibrary)) {
        const std::string file = qorlink::nativeLibraryName(kJudgementLibrary);
        op_.message(MessageKind::Warning,
                    format(text::kJudgementLibraryNotUsed, file.c_str(), file.c_str()));
    }
    state_.oemMode = parseOemMode(commandLine);
    if (host_.markerFilePresent(kBootMarker)) state_.startMode = kStartBoot;
    if (host_.markerFilePresent(kUploadMarker)) state_.startMode = kStartUpload;

    camera_.reset_dll();
    camera_.set_speed(kFirstSpeed);
    const int32_t port = camera_.set_port(state_.requestedPort != 0         ? state_.requestedPort
                                          : state_.oemMode >= kOemAnyVendor ? state_.oemMode
                                                                            : 0);
    if (port == -1) {
        op_.message(text::kNotConnected);
        return false;
    }
    int32_t opened = -1;
    const int32_t firstSpeed = state_.requestedSpeed != 0 ? state_.requestedSpeed : kFirstSpeed;
    const int32_t lastSpeed = state_.requestedSpeed != 0 ? state_.requestedSpeed : 1;
    for (int32_t speed = firstSpeed; speed >= lastSpeed && opened != QORLINK_OK; --speed) {
        camera_.set_speed(speed);
        opened = camera_.session_enabled(1);
    }
    if (opened != QORLINK_OK) {
        op_.message(text::kNotConnected);
        return false;
    }

    mainWindow_ = std::make_unique<MainDialog>(context_);
    MainDialog& dlg = *mainWindow_;

    serviceIdLibrary_ = host_.loadLibrary(kServiceIdLibrary);
    if (serviceIdLibrary_) {
        determineLanguageQueryKind();
        if (state_.languageQueryKind == 2 && !stampServiceId()) return false;
    } else {
        state_.linkBuild = host_.linkBuildIdentity();
        if (asksLanguageWithoutServiceId(state_.linkBuild)) determineLanguageQueryKind();
    }

    if (state_.startMode != kStartUpload) {
        char version[33] = {};
        if (camera_.get_version(version) != QORLINK_OK) {
            op_.message(text::kCannotGetVersion);
            return false;
        }
        dlg.status =
            format(text::kFirmwareVersion, textOf(version, 32).c_str()).substr(0, kStatusMaxChars);
    }

    std::string type;
    int32_t lcdAnswer = -1;
    if (state_.startMode == kStartNormal) {
        char buffer[65] = {};
        camera_.get_cam_type(buffer);
        type = textOf(buffer, 64);
        lcdAnswer = camera_.get_lcd_type();
    }
    if (state_.languageQueryKind == 0 && models::LangKind1Models.matches(type)) {
        state_.languageQueryKind = 1;
    }
    const LcdClass lcd = deriveLcdClass(lcdAnswer, type, state_.oemMode);
    dlg.lcdType = lcd.lcdType;
    state_.lcdSubType = lcd.lcdSubType;

    if (state_.startMode != kStartUpload) preloadLcdRegisters();

    dlg.testSelection = kTestOff;
    dlg.calMode = 0;
    dlg.calData = 0;
    dlg.mac = {"08", "00", "7B", "50", "00", "00", "00", "00"};
    return true;
}

void CalibrationApp::determineLanguageQueryKind() {
    state_.languageQueryKind = 0;
    const int32_t v = camera_.get_number_of_lang2();
    for (int32_t answer : kLangTwoAnswers) {
        if (v == answer) {
            state_.languageQueryKind = 2;
            return;
        }
    }
    const int32_t n = camera_.get_number_of_lang();
    if (n == 1 || n == 2) state_.languageQueryKind = 1;
}

bool CalibrationApp::stampServiceId() {
    state_.serviceIdActive = 1;
    auto getUserId = reinterpret_cast<NcGetUserIdFn>(serviceIdLibrary_->symbol(kServiceIdEntry));
    if (getUserId == nullptr) {
        serviceIdLibrary_.reset();
        return false;
    }
    uint16_t idBuffer[2] = {};
    if (getUserId(idBuffer) == 0) return false;
    const uint16_t technician = idBuffer[0];

    ServiceIdRecord stored;
    if (camera_.get_ncuser_id(stored.w.data()) != QORLINK_OK) {
        op_.message(text::kCannotGetUserId);
        return false;
    }
    if (stored.w[1] == technician) {
        state_.serviceIdRecord = stored;
        return true;
    }
    state_.serviceIdRecord.w = {stampDay(clock_.wallTime()), technician, stored.w[0], stored.w[1]};
    if (camera_.set_ncuser_id(state_.serviceIdRecord.w.data()) != QORLINK_OK) {
        op_.message(text::kCannotSetUserId);
        return false;
    }
    return true;
}

void CalibrationApp::preloadLcdRegisters() {
    MainDialog& d = *mainWindow_;
    const int32_t cls = d.lcdType;
    if (cls == 6 || cls == 15) return;
    if (cls == 4) {
        int32_t r[8] = {kNeutralRegister,
                        kNeutralRegister,
                        kNeutralRegister,
                        kNeutralRegister,
                        kNeutralRegister,
                        kNeutralRegister,
                        0,
                        0};
        if (camera_.get_diag_dlcd_info(r) != QORLINK_OK) return;
        d.rBright = r[0];
        d.bBright = r[1];
        d.rgbOffset = r[2];
        d.gain = r[3];
        d.vcomdc = r[4];
        d.vcompp = r[5];
        return;
    }
    int32_t i[8] = {};
    if (camera_.get_diag_lcd_info(i) != QORLINK_OK) return;
    assignLcdRegisters(d, i);
}

void CalibrationApp::runMainDialog() {
    if (!mainWindow_) return;
    op_.runModal(*mainWindow_);
}

void CalibrationApp::shutDown() {
    if (state_.startMode == kStartNormal && state_.firmwareUpdated == 0) {
        if (camera_.control_lcd(kDisplayOff, 0) == QORLINK_OK) {
            waitReady(camera_, clock_, kExitReadyLimitSeconds);
        }
    }
    camera_.session_enabled(state_.firmwareUpdated == 1 ? 2 : 0);
}

}  // namespace orvia
