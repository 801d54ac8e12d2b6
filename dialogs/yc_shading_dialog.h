// Y/C shading (template 151): a preset white balance and a picture at each end of the zoom with
// colour shade mode on, each step logged as it runs. The camera display shows the monitor while
// the dialog is open.
#pragma once

#include <string>

#include "console/dialog_context.h"
#include "console/dialog_model.h"
#include "console/outcome.h"

namespace orvia {

namespace yc {
inline constexpr int kTemplate = 151;
inline constexpr int kStart = 1138;
inline constexpr int kLog = 1140;
}  // namespace yc

class YcShadingDialog final : public DialogModel {
  public:
    explicit YcShadingDialog(DialogContext& ctx);

    std::string log;

    // Puts the display on the monitor and empties the log.
    void initialise() override;

  protected:
    void exchange(DataExchange& dx) override;

  private:
    // Runs the steps; the first refused one ends them and the procedure, with its result.
    Outcome start();
    // Appends to the log and shows it at once.
    void append(const std::string& text);
    // Turns the display off and closes. Not a procedure of its own: closing leaves the outcome
    // of the last start as the dialog's.
    void exit();

    DialogContext& ctx_;
};

// Opens the Y/C shading dialog (the Test list's "Y/C Shading"); returns the outcome of the last
// start.
Outcome openYcShadingDialog(DialogContext& ctx);

}  // namespace orvia
