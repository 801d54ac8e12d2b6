// The Qt view of a dialog model: one widget per control of the model's table, each placed in the
// grid cell its row names, inside its group box or the dialog, and mirroring the model's control
// state by id. The same code builds every dialog. Operator input goes into the control state
// and, for buttons, check boxes and lists, to the model's command handler; the model's members
// change only when its procedures read the controls.
#pragma once

#include <QDialog>
#include <map>

#include "console/dialog_model.h"

class QGridLayout;
class QLabel;

namespace orvia::ui {

class DialogView final : public QDialog {
  public:
    explicit DialogView(DialogModel& model, QWidget* parent = nullptr);
    ~DialogView() override;

    DialogModel& model() { return model_; }
    // The widget of control `id`, or null.
    QWidget* widget(int id) const;
    // The label shown beside control `id` when the table gives it one, or null.
    QLabel* sideLabel(int id) const;

  protected:
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Passes a control's activation to the model, unless a camera call is running.
    void dispatch(int id);
    QWidget* create(const ControlDef& def);
    void arrange();
    QGridLayout* gridOf(int groupId);
    void mirror(int id);
    QString accessibleName(int id) const;
    void mirrorDialog();

    DialogModel& model_;
    std::map<int, QWidget*> widgets_;
    std::map<int, QLabel*> sideLabels_;
    std::map<int, QGridLayout*> grids_;  // by group id; 0 is the dialog's own
    bool mirroring_ = false;
    bool modelGone_ = false;   // the model was destroyed before this view
    int typingCatcher_ = 0;    // the edit that takes the window's typing, 0 for none
    bool forwarding_ = false;  // a key is on its way to that edit
};

}  // namespace orvia::ui
