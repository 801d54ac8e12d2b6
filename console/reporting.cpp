#include "console/reporting.h"

#include "console/app.h"
#include "console/format.h"
#include "console/main_dialog.h"
#include "console/operator.h"
#include "console/result_text.h"
#include "console/texts.h"

namespace orvia {

void showError(Operator& op, const ResultTexts& texts, int code) {
    op.message(format(text::kErrorBox, texts.text(code).c_str()));
}

void showStepError(MainDialog& dialog, Operator& op, const ResultTexts& texts,
                   std::string_view step, int code) {
    const std::string whole =
        format(text::kStepError, std::string(step).c_str(), texts.text(code).c_str());
    dialog.setStatus(whole.substr(0, kStatusMaxChars));
    op.refresh(dialog);
    op.message(whole);
}

bool confirm(Operator& op, std::string_view action) {
    return op.askYesNo(std::string(action) + text::kYesOrNo);
}

ProgressFn mainWindowProgress(CalibrationApp& app) {
    return [&app](int32_t, int32_t, int32_t percent) -> int32_t {
        if (MainDialog* dialog = app.mainWindow()) dialog->setProgress(percent);
        return 1;
    };
}

ProgressScope::ProgressScope(CalibrationApp& app) : app_(app) {
    app_.camera().setup_callback(mainWindowProgress(app_), 0);
}

ProgressScope::~ProgressScope() {
    app_.camera().setup_callback(nullptr, 0);
}

}  // namespace orvia
