// Renders the main dialog and the result window, as the console builds them on a simulated
// camera, into PNG files: orvia_screenshots OUTPUT_DIRECTORY.
#include <QApplication>
#include <QDir>
#include <cstdio>

#include "console/main_dialog.h"
#include "console/result_dialog.h"
#include "console_rig.h"
#include "ui/dialog_view.h"
#include "ui/icon.h"
#include "ui/qt_operator.h"

namespace {

// Renders each modal dialog instead of waiting for an operator.
class ScreenshotOperator final : public orvia::ui::QtOperator {
  public:
    explicit ScreenshotOperator(QString directory) : directory_(std::move(directory)) {}
    QStringList written;

  protected:
    int exec(orvia::ui::DialogView& view) override {
        view.adjustSize();
        view.show();
        QApplication::processEvents();
        const orvia::DialogModel& model = view.model();
        const QString name =
            model.templateId() == orvia::kMainTemplate ? "main_dialog.png" : "result_window.png";
        const QString path = QDir(directory_).filePath(name);
        if (view.grab().save(path)) written << path;
        if (model.templateId() == orvia::kMainTemplate) {
            orvia::showResult(*this, "UV Matrix Results :",
                              "UV Matrix Calibration\r\n  R-Y gain   : 1.024\r\n"
                              "  B-Y gain   : 0.987\r\n  Hue        : +2\r\n  Result     : OK");
        }
        view.hide();
        return orvia::kIdCancel;
    }

  private:
    QString directory_;
};

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setWindowIcon(orvia::ui::applicationIcon());
    const QString directory = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString(".");
    QDir().mkpath(directory);

    // A camera with an EVF panel, Hall and maintenance buttons, and a service-ID record, of a
    // factory code family that keeps the MAC Address strip.
    camsim::Profile profile = orvia::testing::profileFor("YHC25", 0x00010003);
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
    ScreenshotOperator op(directory);
    orvia::CalibrationApp app(link, clock, op, host);
    app.run("");
    for (const QString& path : op.written)
        std::printf("%s\n", qPrintable(path));
    return op.written.size() == 2 ? 0 : 1;
}
