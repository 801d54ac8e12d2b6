// Everything the console asks of the person at the bench: message boxes, Yes/No questions, file
// choice, modal and modeless dialogs, the wait cursor and the clipboard. The Qt program
// implements it with real widgets; tests use a scripted operator that answers and records.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orvia {

class DialogModel;

class Operator {
  public:
    virtual ~Operator() = default;

    // A message box with an OK button.
    virtual void message(std::string_view text) = 0;
    // A message box with Yes and No buttons and the question icon; true for Yes.
    virtual bool askYesNo(std::string_view text) = 0;
    // The open-file dialog for an existing file. `filter` is a list of "Description|*.ext"
    // entries joined by '|'. A non-empty `defaultExtension` ("BIN") is added to a name typed
    // without one, and the name field starts as "*.<extension>". Returns the chosen path, or
    // nothing when the operator cancels.
    virtual std::optional<std::string> chooseFile(std::string_view filter,
                                                  std::string_view defaultExtension) = 0;
    // Shows `dialog` modally, after calling its initialise(), and returns the code it ended
    // with.
    virtual int runModal(DialogModel& dialog) = 0;
    // Shows `dialog` without blocking, after calling its initialise(); false when its window
    // cannot be created.
    virtual bool showModeless(DialogModel& dialog) = 0;
    // Repaints `dialog` now, so a status text shows before a long step starts.
    virtual void refresh(DialogModel& dialog) = 0;
    virtual void setWaitCursor(bool on) = 0;
    virtual void copyToClipboard(std::string_view text) = 0;
};

// Shows the wait cursor for as long as it lives.
class WaitCursor {
  public:
    explicit WaitCursor(Operator& op) : op_(op) { op_.setWaitCursor(true); }
    ~WaitCursor() { op_.setWaitCursor(false); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

  private:
    Operator& op_;
};

}  // namespace orvia
