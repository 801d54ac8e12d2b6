// The operator at a real screen: Qt message boxes, the open-file dialog, one DialogView per
// dialog model shown, the override wait cursor and the system clipboard.
#pragma once

#include <map>
#include <memory>

#include "console/operator.h"

class QWidget;

namespace orvia::ui {

class DialogView;

class QtOperator : public Operator {
  public:
    QtOperator();
    ~QtOperator() override;

    void message(std::string_view text) override;
    bool askYesNo(std::string_view text) override;
    std::optional<std::string> chooseFile(std::string_view filter) override;
    int runModal(DialogModel& dialog) override;
    bool showModeless(DialogModel& dialog) override;
    void refresh(DialogModel& dialog) override;
    void setWaitCursor(bool on) override;
    void copyToClipboard(std::string_view text) override;

    // The view showing `dialog`, or null.
    DialogView* viewOf(const DialogModel& dialog) const;

  protected:
    // The window boxes and new dialogs belong to: the innermost dialog shown.
    QWidget* owner() const;
    // Called with the view of a modal dialog before it runs; the default runs it.
    virtual int exec(DialogView& view);

  private:
    std::map<const DialogModel*, DialogView*> views_;
    std::map<const DialogModel*, std::unique_ptr<DialogView>> modeless_;
};

// "Description|*.ext|Other|*.x" -> "Description (*.ext);;Other (*.x)".
std::string qtFileFilter(std::string_view filter);

}  // namespace orvia::ui
