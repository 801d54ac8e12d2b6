// The application object: the start-up sequence before any window exists, the main dialog's
// modal run, and the exit sequence that leaves the camera in a sound state.
#pragma once

#include <cstdint>
#include <ctime>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "console/app_state.h"
#include "console/camera.h"
#include "console/clock.h"
#include "console/dialog_context.h"
#include "console/host.h"
#include "console/operator.h"
#include "console/result_text.h"

namespace orvia {

class MainDialog;

// OEM identities chosen on the command line.
inline constexpr int32_t kOemAnyVendor = 0x5AFFFFFF;
inline constexpr int32_t kOemVendorBase = 0x5B000000;

// The command line (the text after the program name, taken whole) as an OEM mode.
int32_t parseOemMode(std::string_view commandLine);

// Whole days from 2006-11-01 00:00:00 local time to `now`, as the camera stores them: a time
// before that day gives 0.
uint16_t stampDay(std::time_t now);

// The model class from the camera's LCD type answer and type text, and the digit override.
struct LcdClass {
    int32_t lcdType = 0;
    int32_t lcdSubType = -1;
};
LcdClass deriveLcdClass(int32_t lcdTypeAnswer, std::string_view cameraType, int32_t oemMode);

class CalibrationApp {
  public:
    CalibrationApp(Camera& camera, Clock& clock, Operator& op, Host& host);
    ~CalibrationApp();
    CalibrationApp(const CalibrationApp&) = delete;
    CalibrationApp& operator=(const CalibrationApp&) = delete;

    // Runs start-up, the main dialog and the exit sequence. Returns the process exit code: 0
    // after the dialog ran, 1 when start-up ended the program.
    int run(std::string_view commandLine);

    // The stages of run(), for callers that need to act between them.
    // Start-up: true when the main dialog is to be shown.
    bool startUp(std::string_view commandLine);
    // Shows the main dialog modally.
    void runMainDialog();
    // Exit sequence: display off, readiness, session closed (or left open after a firmware
    // update).
    void shutDown();

    Camera& camera() { return camera_; }
    Clock& clock() { return clock_; }
    Operator& op() { return op_; }
    Host& host() { return host_; }
    AppState& state() { return state_; }
    ResultTexts& resultTexts() { return resultTexts_; }
    // What the dialogs are built on.
    DialogContext& context() { return context_; }
    // The main dialog, once start-up has built it.
    MainDialog* mainWindow() { return mainWindow_.get(); }

    // The exit poll of Cam_ready() gives up after this long.
    static constexpr uint32_t kExitReadyLimitSeconds = 15;

  private:
    void determineLanguageQueryKind();
    bool stampServiceId();
    void preloadLcdRegisters();

    Camera& camera_;
    Clock& clock_;
    Operator& op_;
    Host& host_;
    AppState state_;
    ResultTexts resultTexts_;
    DialogContext context_;
    std::unique_ptr<MainDialog> mainWindow_;
    std::unique_ptr<OutsideLibrary> serviceIdLibrary_;
};

}  // namespace orvia
