// Renders the main dialog, the result window, the result window after a judged AWB calibration,
// the main dialog part-way through a firmware upload, and the Test list's "Cam Info" result window
// and "All Version" box, as the console builds them on a simulated camera, into PNG files:
// orvia_screenshots OUTPUT_DIRECTORY.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryFile>
#include <QTimer>
#include <algorithm>
#include <cstdio>

#include "camsim/service_diags.h"
#include "console/main_dialog.h"
#include "console/result_dialog.h"
#include "console_rig.h"
#include "ui/dialog_view.h"
#include "ui/icon.h"
#include "ui/qt_operator.h"

namespace {

// Renders each modal dialog instead of waiting for an operator, and answers Yes.
class ScreenshotOperator final : public orvia::ui::QtOperator {
  public:
    explicit ScreenshotOperator(QString directory) : directory_(std::move(directory)) {}
    QStringList written;

    // The firmware upload: this file, Yes, and the boxes read rather than waited on.
    std::optional<std::string> chooseFile(std::string_view, std::string_view) override {
        return firmware_;
    }
    bool askYesNo(std::string_view) override { return true; }
    // The version box is rendered and closed; other boxes are read rather than waited on.
    void message(std::string_view text) override {
        if (text.rfind("DSC Version Information", 0) != 0) return;
        QTimer::singleShot(0, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) return;
            const QString path = QDir(directory_).filePath("all_version_box.png");
            if (box->grab().save(path)) written << path;
            box->button(QMessageBox::Ok)->click();
        });
        orvia::ui::QtOperator::message(text);
    }

  protected:
    int exec(orvia::ui::DialogView& view) override {
        view.adjustSize();
        view.show();
        QApplication::processEvents();
        orvia::DialogModel& model = view.model();
        const bool main = model.templateId() == orvia::kMainTemplate;
        static const char* const results[] = {"result_window.png", "awb_result.png",
                                              "cam_info_result.png"};
        const QString name = main ? "main_dialog.png" : results[std::min(resultWindows_++, 2)];
        const QString path = QDir(directory_).filePath(name);
        if (view.grab().save(path)) written << path;
        if (main) {
            orvia::showResult(*this, "UV Matrix Results :",
                              "UV Matrix Calibration\r\n  R-Y gain   : 1.024\r\n"
                              "  B-Y gain   : 0.987\r\n  Hue        : +2\r\n  Result     : OK");
            model.command(orvia::idc::kAwb);
            uploadFirmware(view);
            chooseTest(view, "Cam Info");
            chooseTest(view, "All Version");
        }
        view.hide();
        return orvia::kIdCancel;
    }

  private:
    // Chooses `entry` in the Test list, as the operator does.
    static void chooseTest(orvia::ui::DialogView& view, const char* entry) {
        auto* test = qobject_cast<QComboBox*>(view.widget(orvia::idc::kTest));
        const int at = test->findText(entry);
        test->setCurrentIndex(at);
        emit test->activated(at);
    }

    // Presses Firmware and renders the window once the progress bar is part-way.
    void uploadFirmware(orvia::ui::DialogView& view) {
        QTemporaryFile file(QDir::temp().filePath("orvia_firmware_XXXXXX.BIN"));
        if (!file.open()) return;
        file.write("VERSION=1.03.0020\r\n" + QByteArray(256 * 1024, '\x5A'));
        file.close();
        firmware_ = file.fileName().toStdString();
        auto* bar = qobject_cast<QProgressBar*>(view.widget(orvia::idc::kProgress));
        bool taken = false;
        const auto watch = QObject::connect(bar, &QProgressBar::valueChanged, [&](int value) {
            if (taken || value < 40) return;
            taken = true;
            const QString path = QDir(directory_).filePath("main_dialog_upload.png");
            if (view.grab().save(path)) written << path;
        });
        qobject_cast<QPushButton*>(view.widget(orvia::idc::kFirmware))->click();
        QObject::disconnect(watch);
    }

    QString directory_;
    int resultWindows_ = 0;
    std::string firmware_;
};

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setWindowIcon(orvia::ui::applicationIcon());
    const QString directory = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString(".");
    QDir().mkpath(directory);

    // A camera with an EVF panel, Hall and maintenance buttons, and a service-ID record.
    camsim::Profile profile = orvia::testing::profileFor("YHC25", 0x00010003);
    profile.values[205] = 0x4E430014;
    profile.records[206] = orvia::testing::wordsRecord({0x00420100, 0x00050007});
    profile.records[80] = orvia::testing::wordsRecord({16, 16, 16, 16, 16, 16, 16, 16});
    camsim::Camera camera(profile);
    camsim::CatalogueModel catalogue(camera);
    camsim::addCalibrationDiags(camera, catalogue, {.shadeStatus = 0});
    camsim::addServiceDiags(camera, catalogue);
    qorlink::test::VirtualPlatform platform;
    platform.attach(1, camera);
    qorlink::test::ScopedPlatform installed(platform);
    orvia::DirectRunner runner;
    orvia::LinkCamera link(runner);
    orvia::testing::VirtualConsoleClock clock(platform, 1710491400);
    orvia::testing::TestHost host;
    host.serviceId = {.present = true, .technician = 0x1234};
    host.judgement = {.present = true, .result = 1};  // the camera's type is judged
    ScreenshotOperator op(directory);
    orvia::CalibrationApp app(link, clock, op, host);
    app.state().caps.factoryCodeFamily = 2;  // a family that keeps the MAC Address strip
    app.run("");
    for (const QString& path : op.written)
        std::printf("%s\n", qPrintable(path));
    return op.written.size() == 6 ? 0 : 1;
}
