// Renders the main dialog, the result window, the result window after a judged AWB calibration,
// the main dialog part-way through a firmware upload and the adjustment dialogs, as the console
// builds them on a simulated camera, into PNG files: orvia_screenshots OUTPUT_DIRECTORY.
#include <QApplication>
#include <QDir>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryFile>
#include <cstdio>
#include <functional>
#include <map>

#include "camsim/adjustment_model.h"
#include "console/main_dialog.h"
#include "console/result_dialog.h"
#include "console_rig.h"
#include "dialogs/lens_dialogs.h"
#include "dialogs/maintenance_dialog.h"
#include "dialogs/oel_dialogs.h"
#include "dialogs/paf_cal_dialog.h"
#include "ui/dialog_view.h"
#include "ui/icon.h"
#include "ui/qt_operator.h"

namespace {

// The picture of each dialog, by template.
const std::map<int, const char*> kPictures = {
    {orvia::kMainTemplate, "main_dialog.png"},
    {orvia::kResultTemplate, "result_window.png"},
    {orvia::kOelCalTemplate, "organic_el_levels.png"},
    {orvia::kOelAclTemplate, "organic_el_acl.png"},
    {orvia::kHallCalTemplate, "hall_element.png"},
    {orvia::kLensDataTemplate, "lens_data.png"},
    {orvia::kKeystoneTemplate, "keystone_zoom.png"},
    {orvia::kMaintenanceTemplate, "maintenance.png"},
    {orvia::kPafCalTemplate, "paf_calibration.png"},
};

// Further pictures: the result window after a judged AWB calibration, and the main dialog
// part-way through a firmware upload.
constexpr char kAwbPicture[] = "awb_result.png";
constexpr char kUploadPicture[] = "main_dialog_upload.png";
constexpr int kFurtherPictures = 2;

// Renders each dialog instead of waiting for an operator, and answers Yes.
class ScreenshotOperator final : public orvia::ui::QtOperator {
  public:
    explicit ScreenshotOperator(QString directory) : directory_(std::move(directory)) {}
    QStringList written;
    // Opens the other dialogs while the main dialog shows.
    std::function<void()> openOthers;

    // The firmware upload: this file, Yes, and the boxes read rather than waited on.
    std::optional<std::string> chooseFile(std::string_view, std::string_view) override {
        return firmware_;
    }
    bool askYesNo(std::string_view) override { return true; }
    void message(std::string_view) override {}

    void render(orvia::ui::DialogView& view) {
        view.adjustSize();
        view.show();
        QApplication::processEvents();
        const int id = view.model().templateId();
        const bool again = id == orvia::kResultTemplate && resultWindows_++ > 0;
        const QString path = QDir(directory_).filePath(again ? kAwbPicture : kPictures.at(id));
        if (view.grab().save(path)) written << path;
    }

  protected:
    int exec(orvia::ui::DialogView& view) override {
        render(view);
        if (view.model().templateId() == orvia::kMainTemplate) {
            orvia::showResult(*this, "UV Matrix Results :",
                              "UV Matrix Calibration\r\n  R-Y gain   : 1.024\r\n"
                              "  B-Y gain   : 0.987\r\n  Hue        : +2\r\n  Result     : OK");
            view.model().command(orvia::idc::kAwb);
            uploadFirmware(view);
            if (openOthers) openOthers();
        }
        view.hide();
        return orvia::kIdCancel;
    }

  private:
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
            const QString path = QDir(directory_).filePath(kUploadPicture);
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
    camsim::addAdjustmentRecords(profile);
    camsim::Camera camera(profile);
    camsim::AdjustmentModel adjustments(camera);
    camsim::CatalogueModel catalogue(camera);
    camsim::addCalibrationDiags(camera, catalogue, {.shadeStatus = 0});
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
    op.openOthers = [&] {
        orvia::DialogContext& ctx = app.context();
        orvia::openHallCalDialog(ctx);
        orvia::openLensDataDialog(ctx, orvia::kLensPair);
        orvia::KeystoneDialog keystone(ctx);
        op.runModal(keystone);
        orvia::openMaintenanceDialog(ctx);
        orvia::openPafCalDialog(ctx, false);
        // The organic-EL dialogs are modeless.
        orvia::OelCalDialog levels(ctx);
        orvia::OelAclDialog acl(ctx, &levels.block());
        for (orvia::DialogModel* panel :
             {static_cast<orvia::DialogModel*>(&levels), static_cast<orvia::DialogModel*>(&acl)}) {
            op.showModeless(*panel);
            if (orvia::ui::DialogView* view = op.viewOf(*panel)) op.render(*view);
        }
    };
    app.run("");
    for (const QString& path : op.written)
        std::printf("%s\n", qPrintable(path));
    return op.written.size() == static_cast<qsizetype>(kPictures.size()) + kFurtherPictures ? 0 : 1;
}
