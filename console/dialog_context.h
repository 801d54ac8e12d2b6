// What a dialog and its procedures may use: the camera, the clock, the operator, the result texts,
// the program's state and the host, plus the main window's status line once it exists. Dialogs
// are built on this context and never see the application object.
#pragma once

#include <string>

namespace orvia {

class Camera;
class Clock;
class Operator;
class ResultTexts;
class Host;
struct AppState;

// The main window's status line (at most 50 characters) and progress bar.
class StatusLine {
  public:
    virtual ~StatusLine() = default;

    // Sets the status text, cut to 50 characters.
    virtual void setStatus(const std::string& text) = 0;
    // Sets the status text and repaints the window at once, so it shows before a long step.
    virtual void showStatusNow(const std::string& text) = 0;
    // Progress bar position, 0 to 100.
    virtual void setProgress(int percent) = 0;
    // False when the running transfer is to be stopped (the program was asked to end).
    virtual bool keepGoing() { return true; }
};

struct DialogContext {
    Camera& camera;
    Clock& clock;
    Operator& op;
    ResultTexts& texts;
    AppState& state;
    Host& host;
    // The main window's status line; null until the main dialog exists.
    StatusLine* statusLine = nullptr;
};

}  // namespace orvia
