// How procedures report: the error box, the step error, the confirmation prompt, the status line
// and the progress bar. Every procedure reports through these, on its dialog context.
#pragma once

#include <string>
#include <string_view>

#include "console/camera.h"
#include "console/dialog_context.h"
#include "console/outcome.h"

namespace orvia {

class Operator;
class ResultTexts;

// "Error <result text>" in an OK box with the error icon. Returns the failure, with `code` as
// its link result.
Outcome showError(Operator& op, const ResultTexts& texts, int code);
Outcome showError(DialogContext& ctx, int code);

// The status line's text, when the main window exists.
void setStatus(DialogContext& ctx, const std::string& text);

// An operation that ends on a failed call: the status line back to " Status: ", then the error
// box. Returns the failure.
Outcome endWithError(DialogContext& ctx, int code);

// A failed step of a multi-step procedure: " Status: <step> <result text>" cut to 50 characters
// on the status line, the window repainted, then the whole text in an OK box with the error
// icon. Returns the failure.
Outcome showStepError(DialogContext& ctx, std::string_view step, int code);

// A failure that is not a camera call's result (a camera that answered with something unusable,
// a library that is missing): `text` in a box of `kind`. Returns the failure, with `linkResult`.
Outcome showFailure(Operator& op, std::string_view text, MessageKind kind = MessageKind::Plain,
                    int32_t linkResult = 0);

// A file the procedure cannot use: `text` in a box. Returns the outcome saying so.
Outcome showFileUnusable(Operator& op, std::string_view text);

// A procedure that goes on after a step it reported as failed with link result `earlier` (0:
// none), as the display selection does: its outcome is that failure, with what the rest
// measured, unless the rest failed too.
Outcome keepEarlierFailure(DialogContext& ctx, int32_t earlier, Outcome later);

// Asks "<action>. Yes or No?"; true for Yes. Nothing may be sent to the camera on No.
bool confirm(Operator& op, std::string_view action);
// The outcome of a question about `action` answered No; its reason is the question and the
// answer ("<action>. Yes or No? No").
Outcome answeredNo(std::string_view action);

// The progress callback for transfers: moves the main window's progress bar, and stops the
// transfer only when the status line says not to go on.
ProgressFn statusLineProgress(DialogContext& ctx);

// Registers the progress callback for as long as it lives.
class ProgressScope {
  public:
    explicit ProgressScope(DialogContext& ctx);
    ~ProgressScope();
    ProgressScope(const ProgressScope&) = delete;
    ProgressScope& operator=(const ProgressScope&) = delete;

  private:
    DialogContext& ctx_;
};

}  // namespace orvia
