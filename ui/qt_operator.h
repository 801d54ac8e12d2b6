// The operator at a real screen: Qt message boxes, the open-file dialog, one DialogView per
// dialog model shown, the override wait cursor and the system clipboard.
#pragma once

#include <QPointer>
#include <map>
#include <vector>

#include "console/operator.h"

class QWidget;

namespace orvia::ui {

class DialogView;

class QtOperator : public Operator {
  public:
    QtOperator();
    ~QtOperator() override;

    bool askYesNo(std::string_view text) override;
    std::optional<std::string> chooseFile(std::string_view filter,
                                          std::string_view defaultExtension) override;
    int runModal(DialogModel& dialog) override;
    bool showModeless(DialogModel& dialog) override;
    void refresh(DialogModel& dialog) override;
    void setWaitCursor(bool on) override;
    void copyToClipboard(std::string_view text) override;

    // The view showing `dialog`, or null.
    DialogView* viewOf(const DialogModel& dialog) const;

  protected:
    // The window boxes and new dialogs belong to: the innermost modal dialog, from the moment
    // its initialisation starts.
    QWidget* owner() const;
    // Called with the view of a modal dialog before it runs; the default runs it.
    virtual int exec(DialogView& view);
    // A message box with the icon of its kind.
    void showMessage(MessageKind kind, std::string_view text) override;

  private:
    std::map<const DialogModel*, DialogView*> views_;
    // Modal dialogs being run, innermost last.
    std::vector<DialogView*> modal_;
    // Modeless dialogs belong to the dialog that opened them and close with it; one opened with
    // no dialog shown is closed here.
    std::vector<QPointer<DialogView>> modeless_;
};

// "Description|*.ext|Other|*.x" -> "Description (*.ext);;Other (*.x)".
std::string qtFileFilter(std::string_view filter);

}  // namespace orvia::ui
