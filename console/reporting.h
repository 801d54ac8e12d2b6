// How procedures report: the error box, the step error, the confirmation prompt and the progress
// bar.
#pragma once

#include <string>
#include <string_view>

#include "console/camera.h"

namespace orvia {

class CalibrationApp;
class MainDialog;
class Operator;
class ResultTexts;

// "Error <result text>" in an OK box.
void showError(Operator& op, const ResultTexts& texts, int code);

// A failed step of a multi-step procedure: " Status: <step> <result text>" cut to 50 characters
// on the status line, the dialog repainted, then the whole text in an OK box.
void showStepError(MainDialog& dialog, Operator& op, const ResultTexts& texts,
                   std::string_view step, int code);

// Asks "<action>. Yes or No?"; true for Yes. Nothing may be sent to the camera on No.
bool confirm(Operator& op, std::string_view action);

// The progress callback for transfers: moves the main dialog's progress bar and never stops the
// transfer.
ProgressFn mainWindowProgress(CalibrationApp& app);

// Registers the progress callback for as long as it lives.
class ProgressScope {
  public:
    explicit ProgressScope(CalibrationApp& app);
    ~ProgressScope();
    ProgressScope(const ProgressScope&) = delete;
    ProgressScope& operator=(const ProgressScope&) = delete;

  private:
    CalibrationApp& app_;
};

}  // namespace orvia
