// Renders the main dialog (plain, repair-service and locked builds), the result window and the
// parameter prompt, as the console builds them on a simulated camera, into PNG files:
// orvia_screenshots OUTPUT_DIRECTORY.
#include <QApplication>
#include <QDir>
#include <cstdio>
#include <functional>

#include "console/main_dialog.h"
#include "console/result_dialog.h"
#include "console_rig.h"
#include "service/param_dialog.h"
#include "ui/dialog_view.h"
#include "ui/icon.h"
#include "ui/qt_operator.h"

namespace {

// Renders each modal dialog instead of waiting for an operator. The main dialog is saved as
// `mainName`; `followUp` then opens the dialogs shown from it.
class ScreenshotOperator final : public orvia::ui::QtOperator {
  public:
    ScreenshotOperator(QString directory, QString mainName,
                       std::function<void(ScreenshotOperator&)> followUp)
        : directory_(std::move(directory)),
          mainName_(std::move(mainName)),
          followUp_(std::move(followUp)) {}
    QStringList written;

  protected:
    int exec(orvia::ui::DialogView& view) override {
        view.adjustSize();
        view.show();
        QApplication::processEvents();
        const orvia::DialogModel& model = view.model();
        const QString name = model.templateId() == orvia::kMainTemplate    ? mainName_
                             : model.templateId() == orvia::kParamTemplate ? "set_parameter.png"
                                                                           : "result_window.png";
        const QString path = QDir(directory_).filePath(name);
        if (view.grab().save(path)) written << path;
        if (model.templateId() == orvia::kMainTemplate && followUp_) followUp_(*this);
        view.hide();
        return orvia::kIdCancel;
    }

  private:
    QString directory_;
    QString mainName_;
    std::function<void(ScreenshotOperator&)> followUp_;
};

// Runs the console on a camera of `profile` with a link library built as `build` and returns
// the files written.
QStringList renderConsole(const QString& directory, camsim::Profile profile, const char* build,
                          const QString& mainName,
                          std::function<void(ScreenshotOperator&)> followUp = {}) {
    profile.values[205] = 0x4E430014;
    profile.records[206] = orvia::testing::wordsRecord({0x00420100, 0x00050007});
    profile.records[80] = orvia::testing::wordsRecord({16, 16, 16, 16, 16, 16, 16, 16});
    camsim::Camera camera(profile);
    qorlink::test::VirtualPlatform platform;
    platform.attach(1, camera);
    qorlink::test::ScopedPlatform installed(platform);
    orvia::DirectRunner runner;
    orvia::LinkCamera link(runner);
    orvia::testing::VirtualConsoleClock clock(platform, 1710491400);
    orvia::testing::TestHost host;
    host.serviceId = {.present = true, .technician = 0x1234};
    host.linkBuild = orvia::testing::identityNaming(build);
    ScreenshotOperator op(directory, mainName, std::move(followUp));
    orvia::CalibrationApp app(link, clock, op, host);
    app.run("");
    Cam_reset_dll();
    return op.written;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setWindowIcon(orvia::ui::applicationIcon());
    const QString directory = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString(".");
    QDir().mkpath(directory);

    // A camera with an EVF panel, Hall and maintenance buttons, and a service-ID record, of a
    // factory code family that keeps the MAC Address strip.
    QStringList written = renderConsole(
        directory, orvia::testing::profileFor("YHC25", 0x00010003), "PELORIN", "main_dialog.png",
        [](ScreenshotOperator& op) {
            orvia::showResult(op, "UV Matrix Results :",
                              "UV Matrix Calibration\r\n  R-Y gain   : 1.024\r\n"
                              "  B-Y gain   : 0.987\r\n  Hue        : +2\r\n  Result     : OK");
        });
    // The repair-service build on a camera of its family, with the factory code prompt.
    written += renderConsole(directory, orvia::testing::profileFor("YFS11"), "Westrand",
                             "main_dialog_westrand.png", [](ScreenshotOperator& op) {
                                 orvia::ParamDialog prompt(op, 0x1A);
                                 op.runModal(prompt);
                             });
    // The locked build.
    written += renderConsole(directory, orvia::testing::profileFor("YXS10"), "TELMO",
                             "main_dialog_telmo.png");
    for (const QString& path : written)
        std::printf("%s\n", qPrintable(path));
    return written.size() == 5 ? 0 : 1;
}
