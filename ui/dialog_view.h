// The Qt view of a dialog model: one widget per control of the model's table, arranged for the
// dialog's template, mirroring the model's control state by id. Operator input goes into the
// control state and, for buttons, check boxes and lists, to the model's command handler; the
// model's members change only when its procedures read the controls.
#pragma once

#include <QDialog>
#include <map>

#include "console/dialog_model.h"

class QLabel;
class QVBoxLayout;

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
    // The strip at the bottom of the main dialog that narrow layouts remove.
    QWidget* bottomStrip() const { return bottomStrip_; }

  protected:
    void reject() override;

  private:
    void build();
    QWidget* create(const ControlDef& def);
    void arrangeMain();
    void arrangeResult();
    void arrangeGeneric();
    QWidget* row(std::initializer_list<int> ids, QWidget* parent);
    void mirror(int id);
    void mirrorDialog();

    DialogModel& model_;
    std::map<int, QWidget*> widgets_;
    std::map<int, QLabel*> sideLabels_;
    QWidget* bottomStrip_ = nullptr;
    bool mirroring_ = false;
};

}  // namespace orvia::ui
