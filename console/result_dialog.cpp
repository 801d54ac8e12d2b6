#include "console/result_dialog.h"

#include "console/operator.h"
#include "console/texts.h"

namespace orvia {

namespace {

// The text is copied as characters 0 to 65535, the range the copy selects.
constexpr size_t kCopyLimit = 65535;

// The heading and the text across the window, the buttons at the bottom right.
std::vector<ControlDef> resultTable() {
    using namespace controls;
    return {
        label(kResultHeading).at(0, 0, 3),
        multiLineEdit(kResultText).at(1, 0, 3),
        defaultButton(kIdOk, text::kOk).at(2, 1),
        button(kIdCancel, text::kCopy).at(2, 2),
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
    op.noteResult(heading, text);
    op.runModal(dialog);
}

}  // namespace orvia
