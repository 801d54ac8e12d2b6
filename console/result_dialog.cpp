#include "console/result_dialog.h"

#include "console/operator.h"
#include "console/texts.h"

namespace orvia {

namespace {

// The text is copied as characters 0 to 65535, the range the copy selects.
constexpr size_t kCopyLimit = 65535;

std::vector<ControlDef> resultTable() {
    return {
        ControlDef(kResultHeading, ControlKind::Static),
        ControlDef(kResultText, ControlKind::MultiLineEdit),
        ControlDef(kIdOk, ControlKind::DefaultButton, text::kOk),
        ControlDef(kIdCancel, ControlKind::Button, text::kCopy),
    };
}

}  // namespace

ResultDialog::ResultDialog(Operator& op)
    : DialogModel(kResultTemplate, text::kResultTitle, resultTable()), op_(op) {
    setHandler(kIdCancel, [this] { copy(); });
}

void ResultDialog::initialise() {
    writeBack();
}

void ResultDialog::exchange(DataExchange& dx) {
    dx.text(kResultHeading, heading);
    dx.text(kResultText, text);
}

void ResultDialog::copy() {
    op_.copyToClipboard(std::string(control(kResultText).text.substr(0, kCopyLimit)));
}

void showResult(Operator& op, const std::string& heading, const std::string& text) {
    ResultDialog dialog(op);
    dialog.heading = heading;
    dialog.text = text;
    op.runModal(dialog);
}

}  // namespace orvia
