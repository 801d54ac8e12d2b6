// A scripted operator for procedure tests: answers questions and file choices from queues, runs
// modal dialogs through per-template scripts, and records everything the operator would have
// seen.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "console/dialog_model.h"
#include "console/operator.h"

namespace orvia::testing {

struct OperatorEvent {
    enum class Kind { Message, Question, FileChoice, Modal, Modeless, Refresh, Clipboard };
    OperatorEvent(Kind kind, std::string text, int templateId = 0)
        : kind(kind), text(std::move(text)), templateId(templateId) {}

    Kind kind;
    std::string text;  // box or question text, clipboard text, dialog title
    int templateId = 0;
    // For message boxes: the box's kind (its icon).
    MessageKind messageKind = MessageKind::Plain;
    // For dialogs: every control's text when the dialog was shown, by id.
    std::map<int, std::string> controls;
};

class ScriptedOperator final : public Operator {
  public:
    // Answers to Yes/No questions, in order. A question with no answer left is answered No.
    std::deque<bool> answers;
    // Results of file choices, in order (nothing: cancelled). None left: cancelled.
    std::deque<std::optional<std::string>> files;
    // What the operator does in a modal dialog, by template. Without a script the dialog is
    // closed with Cancel, or with OK when Cancel does not close it.
    std::map<int, std::function<void(DialogModel&)>> modalScripts;
    // Makes every modeless dialog fail to open.
    bool modelessFails = false;
    // Runs when a question is asked, before it is answered (a file can vanish meanwhile).
    std::function<void(std::string_view question)> onQuestion;

    std::vector<OperatorEvent> events;
    std::string clipboard;
    int waitDepth = 0;  // wait cursor nesting now
    int waitShown = 0;  // times the wait cursor was turned on
    int unansweredQuestions = 0;

    // Texts of the message boxes, in order.
    std::vector<std::string> messages() const;
    // The kinds of the message boxes, in order.
    std::vector<MessageKind> messageKinds() const;
    std::vector<std::string> questions() const;
    // The filters of the file choices, in order, and their default extensions.
    std::vector<std::string> fileFilters() const;
    std::vector<std::string> defaultExtensions;
    // The dialogs shown modally, in order.
    std::vector<const OperatorEvent*> dialogs() const;

    bool askYesNo(std::string_view text) override;
    std::optional<std::string> chooseFile(std::string_view filter,
                                          std::string_view defaultExtension) override;
    int runModal(DialogModel& dialog) override;
    bool showModeless(DialogModel& dialog) override;
    void refresh(DialogModel& dialog) override;
    void setWaitCursor(bool on) override;
    void copyToClipboard(std::string_view text) override;

  protected:
    void showMessage(MessageKind kind, std::string_view text) override;

  private:
    OperatorEvent snapshot(OperatorEvent::Kind kind, DialogModel& dialog) const;
};

}  // namespace orvia::testing
