// Everything the console asks of the person at the bench: message boxes, Yes/No questions, file
// choice, modal and modeless dialogs, the wait cursor and the clipboard. The Qt program
// implements it with real widgets; tests use a scripted operator that answers and records.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "console/outcome.h"

namespace orvia {

class DialogModel;

// What the operator was shown, kept while a procedure runs so that its outcome can carry it.
class Transcript {
  public:
    struct Mark {
        size_t messages = 0;
        size_t results = 0;
    };
    // Starts a procedure's part; returns where it starts.
    Mark begin();
    // Ends the part begun at `mark` and moves its texts into `outcome`. The outermost part's end
    // forgets everything, so a long session keeps nothing.
    void end(const Mark& mark, Outcome& outcome);

    void add(ShownMessage message);
    void add(ShownResult result);

  private:
    int depth_ = 0;
    std::vector<ShownMessage> messages_;
    std::vector<ShownResult> results_;
};

class Operator {
  public:
    virtual ~Operator() = default;

    // A message box with an OK button and the icon of its kind (none for Plain).
    void message(MessageKind kind, std::string_view text);
    void message(std::string_view text) { message(MessageKind::Plain, text); }
    // Notes that the result window showed `text` under `heading` (showResult() calls it).
    void noteResult(std::string_view heading, std::string_view text);
    Transcript& transcript() { return transcript_; }

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
    // False for an operator that has no windows (the command-line tool): it can show message
    // boxes and result texts, but no dialog to work in.
    virtual bool showsWindows() const { return true; }

  protected:
    // Shows the message box itself.
    virtual void showMessage(MessageKind kind, std::string_view text) = 0;

  private:
    Transcript transcript_;
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
