// Renders the main dialog (plain, repair-service and locked builds, and part-way through a
// firmware upload), the result window (also after a judged AWB calibration and for "Cam Info"),
// the "All Version" box, the parameter prompt and the adjustment dialogs, as the console builds
// them on a simulated camera, into PNG files: orvia_screenshots OUTPUT_DIRECTORY.
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
#include <functional>
#include <map>
#include <vector>

#include "camsim/adjustment_model.h"
#include "camsim/service_diags.h"
#include "camsim/setup_records.h"
#include "console/main_dialog.h"
#include "console/result_dialog.h"
#include "console_rig.h"
#include "dialogs/battery_dialogs.h"
#include "dialogs/key_dialog.h"
#include "dialogs/lens_adjust_dialog.h"
#include "dialogs/lens_dialogs.h"
#include "dialogs/maintenance_dialog.h"
#include "dialogs/oel_dialogs.h"
#include "dialogs/paf_cal_dialog.h"
#include "dialogs/video_gain_dialog.h"
#include "dialogs/yc_shading_dialog.h"
#include "service/param_dialog.h"
#include "ui/dialog_view.h"
#include "ui/icon.h"
#include "ui/qt_operator.h"

namespace {

// The picture of each dialog but the main dialog, by template.
const std::map<int, const char*> kPictures = {
    {orvia::kResultTemplate, "result_window.png"},
    {orvia::kParamTemplate, "set_parameter.png"},
    {orvia::kOelCalTemplate, "organic_el_levels.png"},
    {orvia::kOelAclTemplate, "organic_el_acl.png"},
    {orvia::kHallCalTemplate, "hall_element.png"},
    {orvia::kLensDataTemplate, "lens_data.png"},
    {orvia::kKeystoneTemplate, "keystone_zoom.png"},
    {orvia::kMaintenanceTemplate, "maintenance.png"},
    {orvia::kPafCalTemplate, "paf_calibration.png"},
};
// The result window shown again: after a judged AWB calibration, and for "Cam Info".
constexpr const char* kLaterResultPictures[] = {"awb_result.png", "cam_info_result.png"};
constexpr char kVersionBoxPicture[] = "all_version_box.png";
constexpr char kUploadPicture[] = "main_dialog_upload.png";

// Pictures of the dialogs that act before they are taken, and what the operator has done in each
// when it is taken.
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

// Opens each of these dialogs where the console opens it.
void openSetupDialogs(orvia::DialogContext& ctx) {
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

class ScreenshotOperator;
// What is opened from the main dialog once it is saved.
using FollowUp = std::function<void(ScreenshotOperator&, orvia::ui::DialogView& mainView,
                                    orvia::DialogContext& ctx)>;

// Renders each dialog instead of waiting for an operator, answers Yes and reads boxes rather
// than waiting on them. The main dialog is saved as `mainName`; `followUp` then opens the
// dialogs shown from it.
class ScreenshotOperator final : public orvia::ui::QtOperator {
  public:
    ScreenshotOperator(QString directory, QString mainName, FollowUp followUp)
        : directory_(std::move(directory)),
          mainName_(std::move(mainName)),
          followUp_(std::move(followUp)) {}
    QStringList written;
    orvia::DialogContext* context = nullptr;
    // The file the next open-file dialog chooses.
    std::string file;

    std::optional<std::string> chooseFile(std::string_view, std::string_view) override {
        return file;
    }
    bool askYesNo(std::string_view) override { return true; }
    // The version box is rendered and closed; other boxes are read rather than waited on.
    void showMessage(orvia::MessageKind kind, std::string_view text) override {
        if (text.rfind("DSC Version Information", 0) != 0) return;
        QTimer::singleShot(0, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) return;
            const QString path = QDir(directory_).filePath(kVersionBoxPicture);
            if (box->grab().save(path)) written << path;
            box->button(QMessageBox::Ok)->click();
        });
        orvia::ui::QtOperator::showMessage(kind, text);
    }

    void render(orvia::ui::DialogView& view, const QString& name) {
        view.adjustSize();
        view.show();
        QApplication::processEvents();
        const QString path = QDir(directory_).filePath(name);
        if (view.grab().save(path)) written << path;
    }
    void render(orvia::ui::DialogView& view) {
        const int id = view.model().templateId();
        if (id == orvia::kMainTemplate) return render(view, mainName_);
        if (id != orvia::kResultTemplate) return render(view, kPictures.at(id));
        // The result windows of the adjustment dialogs are not pictured.
        const int shown = resultWindows_++;
        if (shown == 0) return render(view, kPictures.at(id));
        if (shown <= static_cast<int>(std::size(kLaterResultPictures)))
            render(view, kLaterResultPictures[shown - 1]);
    }

  protected:
    int exec(orvia::ui::DialogView& view) override {
        for (const AdjustmentPicture& picture : adjustmentPictures()) {
            if (picture.templateId != view.model().templateId()) continue;
            if (picture.act) picture.act(view.model());
            render(view, picture.file);
            view.hide();
            return orvia::kIdCancel;
        }
        render(view);
        if (view.model().templateId() == orvia::kMainTemplate && followUp_ && context) {
            followUp_(*this, view, *context);
        }
        view.hide();
        return orvia::kIdCancel;
    }

  private:
    QString directory_;
    QString mainName_;
    FollowUp followUp_;
    int resultWindows_ = 0;
};

// Presses Firmware and renders the main dialog once the progress bar is part-way.
void renderUpload(ScreenshotOperator& op, orvia::ui::DialogView& view) {
    QTemporaryFile file(QDir::temp().filePath("orvia_firmware_XXXXXX.BIN"));
    if (!file.open()) return;
    file.write("VERSION=1.03.0020\r\n" + QByteArray(256 * 1024, '\x5A'));
    file.close();
    op.file = file.fileName().toStdString();
    auto* bar = qobject_cast<QProgressBar*>(view.widget(orvia::idc::kProgress));
    bool taken = false;
    const auto watch = QObject::connect(bar, &QProgressBar::valueChanged, [&](int value) {
        if (taken || value < 40) return;
        taken = true;
        op.render(view, kUploadPicture);
    });
    qobject_cast<QPushButton*>(view.widget(orvia::idc::kFirmware))->click();
    QObject::disconnect(watch);
}

// Chooses `entry` in the Test list, as the operator does.
void chooseTest(orvia::ui::DialogView& view, const char* entry) {
    auto* test = qobject_cast<QComboBox*>(view.widget(orvia::idc::kTest));
    const int at = test->findText(entry);
    test->setCurrentIndex(at);
    emit test->activated(at);
}

// Opens every adjustment dialog once.
void renderAdjustmentDialogs(ScreenshotOperator& op, orvia::DialogContext& ctx) {
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
}

// Runs the console on a camera of `profile` with a link library built as `build` and returns
// the files written.
QStringList renderConsole(const QString& directory, camsim::Profile profile, const char* build,
                          const QString& mainName, FollowUp followUp = {}) {
    profile.values[205] = 0x4E430014;
    profile.records[206] = orvia::testing::wordsRecord({0x00420100, 0x00050007});
    profile.records[80] = orvia::testing::wordsRecord({16, 16, 16, 16, 16, 16, 16, 16});
    camsim::addAdjustmentRecords(profile);
    profile.records[camsim::kCodeVideoGain] = orvia::testing::wordsRecord({20, 245});
    camsim::addSetupRecords(profile);
    camsim::Camera camera(profile);
    camsim::AdjustmentModel adjustments(camera);
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
    host.linkBuild = orvia::testing::identityNaming(build);
    ScreenshotOperator op(directory, mainName, std::move(followUp));
    orvia::CalibrationApp app(link, clock, op, host);
    op.context = &app.context();
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
        [](ScreenshotOperator& op, orvia::ui::DialogView& mainView, orvia::DialogContext& ctx) {
            orvia::showResult(op, "UV Matrix Results :",
                              "UV Matrix Calibration\r\n  R-Y gain   : 1.024\r\n"
                              "  B-Y gain   : 0.987\r\n  Hue        : +2\r\n  Result     : OK");
            mainView.model().command(orvia::idc::kAwb);
            renderUpload(op, mainView);
            chooseTest(mainView, "Cam Info");
            chooseTest(mainView, "All Version");
            renderAdjustmentDialogs(op, ctx);
            openSetupDialogs(ctx);
        });
    // The repair-service build on a camera of its family, with the factory code prompt.
    written += renderConsole(
        directory, orvia::testing::profileFor("YFS11"), "Westrand", "main_dialog_westrand.png",
        [](ScreenshotOperator& op, orvia::ui::DialogView&, orvia::DialogContext&) {
            orvia::ParamDialog prompt(op, 0x1A);
            op.runModal(prompt);
        });
    // The locked build.
    written += renderConsole(directory, orvia::testing::profileFor("YXS10"), "TELMO",
                             "main_dialog_telmo.png");
    for (const QString& path : written)
        std::printf("%s\n", qPrintable(path));
    // Every dialog once, the main dialog, the later result windows, the version box, the upload,
    // and the main dialog of the other two builds.
    const qsizetype expected =
        static_cast<qsizetype>(kPictures.size() + adjustmentPictures().size() +
                               std::size(kLaterResultPictures)) +
        1 + 1 + 1 + 2;
    return written.size() == expected ? 0 : 1;
}
