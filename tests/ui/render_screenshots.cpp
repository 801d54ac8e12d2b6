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
#include <vector>

#include "camsim/setup_records.h"
#include "console/main_dialog.h"
#include "console/result_dialog.h"
#include "console_rig.h"
#include "dialogs/battery_dialogs.h"
#include "dialogs/key_dialog.h"
#include "dialogs/lens_adjust_dialog.h"
#include "dialogs/video_gain_dialog.h"
#include "dialogs/yc_shading_dialog.h"
#include "ui/dialog_view.h"
#include "ui/icon.h"
#include "ui/qt_operator.h"

namespace {

// The adjustment dialogs' pictures, and what the operator has done in each when it is taken.
struct AdjustmentPicture {
    int templateId;
    const char* file;
    std::function<void(orvia::DialogModel&)> act;
};

const std::vector<AdjustmentPicture>& adjustmentPictures() {
    using orvia::DialogModel;
    static const std::vector<AdjustmentPicture> pictures = {
        {orvia::vg::kTemplate, "video_gain.png", {}},
        {orvia::yc::kTemplate, "yc_shading.png",
         [](DialogModel& d) { d.command(orvia::yc::kStart); }},
        {orvia::battery::kInfoTemplate, "battery_info.png",
         [](DialogModel& d) { d.command(orvia::kIdOk); }},
        {orvia::battery::kTypeTemplate, "battery_type.png", {}},
        {orvia::keys::kTemplate, "key_provisioning.png", {}},
        {orvia::lens::kTemplateA, "lens_adjustment_a.png",
         [](DialogModel& d) {
             d.viewState(orvia::lens::kScan).text = "YQR10LNS0042A012B005A000B045A123";
             d.command(orvia::lens::kScanEnter);
             d.command(orvia::lens::kWrite);
         }},
        {orvia::lens::kTemplateB, "lens_adjustment_b.png",
         [](DialogModel& d) {
             d.viewState(orvia::lens::kScan).text =
                 "123456654321700121034005610007008910900123400009";
             d.command(orvia::lens::kScanEnter);
         }},
    };
    return pictures;
}

// Opens each adjustment dialog where the console opens it.
void openAdjustmentDialogs(orvia::DialogContext& ctx) {
    orvia::openVideoGainDialog(ctx, false);
    orvia::openYcShadingDialog(ctx);
    orvia::openBatteryInfoDialog(ctx);
    orvia::openBatteryTypeDialog(ctx);
    orvia::openKeyDialog(ctx);
    for (orvia::LensLayout layout : {orvia::LensLayout::A, orvia::LensLayout::B}) {
        orvia::LensAdjustDialog lens(ctx, layout);
        ctx.op.runModal(lens);
    }
}

// Renders each modal dialog instead of waiting for an operator, and answers Yes.
class ScreenshotOperator final : public orvia::ui::QtOperator {
  public:
    explicit ScreenshotOperator(QString directory) : directory_(std::move(directory)) {}
    QStringList written;
    orvia::DialogContext* context = nullptr;

    // The firmware upload: this file, Yes, and the boxes read rather than waited on.
    std::optional<std::string> chooseFile(std::string_view, std::string_view) override {
        return firmware_;
    }
    bool askYesNo(std::string_view) override { return true; }
    void message(std::string_view) override {}

  protected:
    int exec(orvia::ui::DialogView& view) override {
        view.adjustSize();
        view.show();
        QApplication::processEvents();
        orvia::DialogModel& model = view.model();
        for (const AdjustmentPicture& picture : adjustmentPictures()) {
            if (picture.templateId != model.templateId()) continue;
            if (picture.act) picture.act(model);
            view.adjustSize();
            QApplication::processEvents();
            const QString path = QDir(directory_).filePath(picture.file);
            if (view.grab().save(path)) written << path;
            view.hide();
            return orvia::kIdCancel;
        }
        const bool main = model.templateId() == orvia::kMainTemplate;
        const QString name = main                    ? "main_dialog.png"
                             : resultWindows_++ == 0 ? "result_window.png"
                                                     : "awb_result.png";
        const QString path = QDir(directory_).filePath(name);
        if (view.grab().save(path)) written << path;
        if (main) {
            orvia::showResult(*this, "UV Matrix Results :",
                              "UV Matrix Calibration\r\n  R-Y gain   : 1.024\r\n"
                              "  B-Y gain   : 0.987\r\n  Hue        : +2\r\n  Result     : OK");
            model.command(orvia::idc::kAwb);
            uploadFirmware(view);
            openAdjustmentDialogs(*context);
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
    profile.records[camsim::kCodeVideoGain] = orvia::testing::wordsRecord({20, 245});
    camsim::addSetupRecords(profile);
    camsim::Camera camera(profile);
    camsim::CatalogueModel catalogue(camera);
    camsim::addCalibrationDiags(camera, catalogue, {.shadeStatus = 0});
    camsim::BatteryModel battery(camera);
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
    op.context = &app.context();
    app.state().caps.factoryCodeFamily = 2;  // a family that keeps the MAC Address strip
    app.run("");
    for (const QString& path : op.written)
        std::printf("%s\n", qPrintable(path));
    // The main dialog, two result windows, the upload and seven adjustment dialogs.
    return op.written.size() == 11 ? 0 : 1;
}
