// The Qt views against their models, offscreen, and the call runner's promise that the window
// stays alive during a long camera call.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTemporaryFile>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <map>
#include <thread>

#include "camsim/catalogue_profile.h"
#include "camsim/setup_records.h"
#include "console/dialog_registry.h"
#include "console/main_dialog.h"
#include "console/result_dialog.h"
#include "console_rig.h"
#include "dialogs/battery_dialogs.h"
#include "dialogs/lens_adjust_dialog.h"
#include "dialogs/video_gain_dialog.h"
#include "ui/dialog_view.h"
#include "ui/qt_call_runner.h"
#include "ui/qt_operator.h"

namespace orvia::ui {
namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

// Every control of the model has a widget of its kind showing its state.
void expectAgrees(DialogView& view, DialogModel& model) {
    for (const ControlDef& def : model.table()) {
        SCOPED_TRACE("control " + std::to_string(def.id));
        QWidget* w = view.widget(def.id);
        ASSERT_NE(w, nullptr);
        const ControlState& s = model.control(def.id);
        // A control shows when it and every group box around it are visible, and can be used
        // when they all are enabled.
        bool shown = s.visible;
        bool enabled = s.enabled;
        for (int g = def.group; g != 0; g = model.def(g).group) {
            shown = shown && model.control(g).visible;
            enabled = enabled && model.control(g).enabled;
        }
        EXPECT_EQ(w->isVisibleTo(&view), shown);
        EXPECT_EQ(w->isEnabled(), enabled);
        switch (def.kind) {
            case ControlKind::Button:
            case ControlKind::DefaultButton: {
                auto* b = qobject_cast<QPushButton*>(w);
                ASSERT_NE(b, nullptr);
                EXPECT_EQ(b->text(), qs(s.text));
                EXPECT_EQ(b->isDefault(), def.kind == ControlKind::DefaultButton);
                break;
            }
            case ControlKind::CheckBox: {
                auto* c = qobject_cast<QAbstractButton*>(w);
                ASSERT_NE(c, nullptr);
                EXPECT_EQ(qobject_cast<QPushButton*>(w) != nullptr, def.pushButtonLike);
                EXPECT_EQ(c->isCheckable(), true);
                EXPECT_EQ(c->text(), qs(s.text));
                EXPECT_EQ(c->isChecked(), s.checked);
                break;
            }
            case ControlKind::Edit: {
                auto* e = qobject_cast<QLineEdit*>(w);
                ASSERT_NE(e, nullptr);
                EXPECT_EQ(e->text(), qs(s.text));
                EXPECT_EQ(e->isReadOnly(), def.readOnly);
                if (def.maxChars > 0) {
                    EXPECT_EQ(e->maxLength(), def.maxChars);
                }
                break;
            }
            case ControlKind::MultiLineEdit: {
                auto* e = qobject_cast<QPlainTextEdit*>(w);
                ASSERT_NE(e, nullptr);
                EXPECT_EQ(e->toPlainText(), qs(s.text).replace("\r\n", "\n"));
                break;
            }
            case ControlKind::Static: {
                auto* l = qobject_cast<QLabel*>(w);
                ASSERT_NE(l, nullptr);
                EXPECT_EQ(l->text(), qs(s.text));
                break;
            }
            case ControlKind::Group: {
                auto* g = qobject_cast<QGroupBox*>(w);
                ASSERT_NE(g, nullptr);
                EXPECT_EQ(g->title(), qs(s.text));
                break;
            }
            case ControlKind::List: {
                auto* c = qobject_cast<QComboBox*>(w);
                ASSERT_NE(c, nullptr);
                ASSERT_EQ(c->count(), static_cast<int>(s.items.size()));
                for (int i = 0; i < c->count(); ++i) {
                    EXPECT_EQ(c->itemText(i), qs(s.items[static_cast<size_t>(i)]));
                }
                EXPECT_EQ(c->currentIndex(), s.selection);
                break;
            }
            case ControlKind::Progress: {
                auto* p = qobject_cast<QProgressBar*>(w);
                ASSERT_NE(p, nullptr);
                EXPECT_EQ(p->value(), s.position);
                EXPECT_EQ(p->maximum(), s.rangeHigh);
                break;
            }
            case ControlKind::Radio: {
                auto* r = qobject_cast<QRadioButton*>(w);
                ASSERT_NE(r, nullptr);
                EXPECT_EQ(r->text(), qs(s.text));
                EXPECT_EQ(r->isChecked(), s.checked);
                break;
            }
            case ControlKind::Slider: {
                auto* slider = qobject_cast<QSlider*>(w);
                ASSERT_NE(slider, nullptr);
                EXPECT_EQ(slider->orientation(), Qt::Vertical);
                EXPECT_EQ(slider->minimum(), s.rangeLow);
                EXPECT_EQ(slider->maximum(), s.rangeHigh);
                EXPECT_EQ(slider->value(), s.position);
                EXPECT_EQ(slider->tickInterval(), def.tick);
                break;
            }
            case ControlKind::UpDown:
                EXPECT_NE(w->findChild<QToolButton*>("up"), nullptr);
                EXPECT_NE(w->findChild<QToolButton*>("down"), nullptr);
                break;
        }
        if (def.tint >= 0) {
            EXPECT_TRUE(w->autoFillBackground());
            EXPECT_EQ(w->palette().color(QPalette::Window).rgb() & 0xFFFFFFu,
                      static_cast<QRgb>(def.tint));
        }
        if (!def.label.empty()) {
            ASSERT_NE(view.sideLabel(def.id), nullptr);
            EXPECT_EQ(view.sideLabel(def.id)->text(), qs(def.label));
        }
    }
}

// Runs the console on a simulated camera and hands the initialised main dialog to `check`.
void withMainDialog(camsim::Profile profile, const std::function<void(MainDialog&)>& check) {
    testing::ConsoleRig rig(std::move(profile));
    bool ran = false;
    rig.op.modalScripts[kMainTemplate] = [&](DialogModel&) {
        check(rig.dialog());
        ran = true;
    };
    ASSERT_EQ(rig.run(), 0);
    EXPECT_TRUE(ran);
}

TEST(MainDialogView, MirrorsTheModelByControlId) {
    // A camera of factory code family 2, which keeps the MAC Address strip, and one of family 1.
    for (const char* type : {"YHC25", "TAKRO Digital Camera"}) {
        SCOPED_TRACE(type);
        withMainDialog(testing::profileFor(type, 0x00010003), [&](MainDialog& model) {
            DialogView view(model);
            EXPECT_EQ(view.windowTitle(), "Orvia Calibration Ver.1.60 Beta5");
            EXPECT_EQ(view.widget(idc::kMacGroup)->isVisibleTo(&view), model.bottomTrim() == 0);
            expectAgrees(view, model);

            // The model's later changes reach the widgets, camera texts as they are.
            model.setStatus(" Firmware Version: <b>1.02</b>");
            EXPECT_EQ(qobject_cast<QLabel*>(view.widget(idc::kStatus))->textFormat(),
                      Qt::PlainText);
            expectAgrees(view, model);
            model.setStatus(" Status: Wait!!");
            model.setVisible(idc::kStepCom, true);
            model.setProgress(40);
            model.appendTest("Y/C Shading");
            expectAgrees(view, model);

            // The operator's choice reaches the control, and the member only when read (here
            // with the list's handler, which would read it and run the test, taken away).
            model.setHandler(idc::kTest, {});
            auto* test = qobject_cast<QComboBox*>(view.widget(idc::kTest));
            test->setCurrentIndex(2);
            emit test->activated(2);
            EXPECT_EQ(model.control(idc::kTest).selection, 2);
            EXPECT_EQ(model.testSelection, kTestOff);
            model.readControls();
            EXPECT_EQ(model.testSelection, 2);
        });
    }
}

// A station screen is 1024 x 768; the window, with its frame and title bar, fits on it whatever
// the camera makes it show. The repair-service form also labels the repair-site list, and only
// it, "Repair site ".
TEST(MainDialogView, FitsA1024By768ScreenAndLabelsTheRepairSiteList) {
    constexpr int kFrameWidth = 16, kFrameHeight = 48;  // frame, title bar and task bar
    for (const char* type : {"YHC25", "TAKRO Digital Camera", "YFS11", "YOL10"}) {
        SCOPED_TRACE(type);
        withMainDialog(testing::profileFor(type, 0x00010003), [&](MainDialog& model) {
            DialogView view(model);
            view.show();
            const QSize size = view.sizeHint().expandedTo(view.minimumSizeHint());
            EXPECT_LE(size.width() + kFrameWidth, 1024) << size.width();
            EXPECT_LE(size.height() + kFrameHeight, 768) << size.height();
            if (model.control(idc::kRepairSite).visible) {
                QLabel* site = view.sideLabel(idc::kRepairSite);
                ASSERT_NE(site, nullptr);
                EXPECT_EQ(site->text(), "Repair site ");
                EXPECT_TRUE(site->isVisibleTo(&view));
                EXPECT_EQ(site->buddy(), view.widget(idc::kRepairSite));
            }
            for (QLabel* l : view.findChildren<QLabel*>()) {
                if (l->text() == "Repair site ") {
                    EXPECT_EQ(l->buddy(), view.widget(idc::kRepairSite));
                }
            }
        });
    }
}

// A screen reader tells every button of a window apart: no two buttons of one window share a
// name, and each name ends with the button's caption.
TEST(DialogViews, EveryButtonHasANameOfItsOwn) {
    auto check = [](DialogView& view, DialogModel& model) {
        std::map<QString, int> seen;
        for (const ControlDef& def : model.table()) {
            auto* b = qobject_cast<QPushButton*>(view.widget(def.id));
            if (b == nullptr) continue;
            const QString name = b->accessibleName();
            EXPECT_TRUE(name.endsWith(QString(b->text()).remove('&').trimmed()))
                << name.toStdString();
            const auto [at, added] = seen.emplace(name, def.id);
            EXPECT_TRUE(added) << name.toStdString() << ": " << at->second << " and " << def.id;
        }
    };
    testing::ConsoleRig rig;
    for (const DialogEntry& entry : dialogRegistry()) {
        SCOPED_TRACE(entry.name);
        std::unique_ptr<DialogModel> model = entry.make(rig.app.context());
        DialogView view(*model);
        check(view, *model);
    }
    for (const char* type : {"YHC25", "YFS11"}) {
        SCOPED_TRACE(type);
        withMainDialog(testing::profileFor(type, 0x00010003), [&](MainDialog& model) {
            DialogView view(model);
            check(view, model);
            EXPECT_EQ(qobject_cast<QPushButton*>(view.widget(idc::kUsbVidSet))->accessibleName(),
                      "USB Storage VID Set");
        });
    }
}

// Every dialog of the program, straight from its table: each control in the grid of its group
// box (or of the dialog), each widget agreeing with its control.
TEST(DialogViews, EveryRegisteredDialogIsBuiltFromItsTable) {
    testing::ConsoleRig rig;
    for (const DialogEntry& entry : dialogRegistry()) {
        SCOPED_TRACE(entry.name);
        std::unique_ptr<DialogModel> model = entry.make(rig.app.context());
        DialogView view(*model);
        EXPECT_EQ(view.windowTitle(), qs(model->title()));
        expectAgrees(view, *model);
        for (const ControlDef& def : model->table()) {
            QWidget* parent = def.group == 0 ? &view : view.widget(def.group);
            EXPECT_EQ(view.widget(def.id)->parentWidget(), parent) << def.id;
        }
    }
}

// Radios, sliders, up-downs and edits report the operator's change to the model's handler.
class ValueDialog final : public DialogModel {
  public:
    ValueDialog()
        : DialogModel(1, "Values",
                      {controls::radio(10, "A").at(0, 0), controls::radio(11, "B").at(0, 1),
                       controls::slider(12, 0, 127, 12).at(1, 0),
                       controls::upDown(13, 0, 127).at(1, 1), controls::edit(14).at(1, 2)}) {
        for (int id : {10, 11, 12, 13, 14})
            setHandler(id, [this, id] { heard.push_back(id); });
    }
    std::vector<int> heard;

  protected:
    void exchange(DataExchange&) override {}
};

TEST(DialogViews, RadiosSlidersUpDownsAndEditsReportTheOperatorsChange) {
    ValueDialog model;
    DialogView view(model);
    view.show();
    QTest::mouseClick(view.widget(11), Qt::LeftButton);
    EXPECT_TRUE(model.control(11).checked);
    EXPECT_FALSE(model.control(10).checked);
    model.checkRadio(10);
    expectAgrees(view, model);

    auto* slider = qobject_cast<QSlider*>(view.widget(12));
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_Up);
    QApplication::processEvents();
    EXPECT_EQ(model.control(12).position, 1);

    QTest::mouseClick(view.widget(13)->findChild<QToolButton*>("down"), Qt::LeftButton);
    EXPECT_EQ(model.control(13).step, -1);
    QTest::keyClicks(view.widget(14), "7F");
    EXPECT_EQ(model.control(14).text, "7F");
    EXPECT_EQ(model.heard, (std::vector<int>{11, 12, 13, 14, 14}));

    model.setPosition(12, 100);
    expectAgrees(view, model);
}

TEST(DialogViews, AViewWhoseModelGoesFirstClosesWithoutTouchingIt) {
    auto model = std::make_unique<ValueDialog>();
    QPointer<DialogView> view = new DialogView(*model);
    view->show();
    model.reset();
    EXPECT_FALSE(view->isVisible());
    QTest::keyClick(view, Qt::Key_Escape);  // nothing reaches the model that is gone
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(view.isNull());
}

TEST(ResultWindowView, EscapeAndTheCloseBoxCopyOnlyOkCloses) {
    QtOperator op;
    ResultDialog model(op);
    model.heading = "UV Matrix Results :";
    model.text = "R 1.02\r\nB 0.98";
    model.initialise();
    DialogView view(model);
    view.show();
    expectAgrees(view, model);
    EXPECT_EQ(view.windowTitle(), "Orvia Calibration");

    QApplication::clipboard()->clear();
    QTest::keyClick(&view, Qt::Key_Escape);
    EXPECT_TRUE(view.isVisible());
    EXPECT_EQ(QApplication::clipboard()->text(), "R 1.02\r\nB 0.98");

    QApplication::clipboard()->clear();
    view.close();
    EXPECT_TRUE(view.isVisible());
    EXPECT_EQ(QApplication::clipboard()->text(), "R 1.02\r\nB 0.98");

    QTest::mouseClick(view.widget(kIdOk), Qt::LeftButton);
    EXPECT_FALSE(view.isVisible());
    EXPECT_EQ(model.endCode(), kIdOk);
}

// The keyboard reaches every control of the result window: Tab leaves the text (which keeps
// it as it was) for the buttons, and Enter on OK closes the window.
TEST(ResultWindowView, TabLeavesTheTextAndOkIsReachedFromTheKeyboard) {
    QtOperator op;
    ResultDialog model(op);
    model.heading = "UV Matrix Results :";
    model.text = "R 1.02\r\nB 0.98";
    model.initialise();
    DialogView view(model);
    view.show();
    QApplication::setActiveWindow(&view);
    auto* text = qobject_cast<QPlainTextEdit*>(view.widget(kResultText));
    text->setFocus();
    ASSERT_TRUE(text->hasFocus());
    QWidget* reached = nullptr;
    for (int tabs = 0; tabs < 4 && reached != view.widget(kIdOk); ++tabs) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached = QApplication::focusWidget();
    }
    EXPECT_EQ(text->toPlainText(), "R 1.02\nB 0.98");
    ASSERT_EQ(reached, view.widget(kIdOk));
    QTest::keyClick(reached, Qt::Key_Space);
    EXPECT_FALSE(view.isVisible());
    EXPECT_EQ(model.endCode(), kIdOk);
}

// A button whose presses are counted.
class PressDialog final : public DialogModel {
  public:
    PressDialog() : DialogModel(1, "Press", {controls::button(20, "&Go").at(0, 0)}) {
        setHandler(20, [this] { ++presses; });
    }
    int presses = 0;

  protected:
    void exchange(DataExchange&) override {}
};

// A press that is not input (an assistive technology's action) while a camera call runs does
// not start the button's handler inside that call's wait; once the call is over it does.
TEST(DialogViews, NoHandlerStartsWhileACameraCallRuns) {
    PressDialog model;
    DialogView view(model);
    view.show();
    auto* button = qobject_cast<QPushButton*>(view.widget(20));
    ASSERT_NE(button, nullptr);
    // What an assistive technology's press comes to: a click that is not an input event.
    const auto press = [button] { button->click(); };
    QtCallRunner runner;
    std::atomic<bool> pressed{false};
    QTimer::singleShot(0, [&] {
        press();
        pressed = true;
    });
    runner.run([&pressed] {
        while (!pressed)  // the call lasts until the press was tried
            std::this_thread::yield();
        return 0;
    });
    EXPECT_EQ(model.presses, 0);
    press();
    EXPECT_EQ(model.presses, 1);
}

// A panel dialog, opened modeless.
class PanelDialog final : public DialogModel {
  public:
    PanelDialog() : DialogModel(142, "Organic EL Cal.", {controls::edit(1000).at(0, 0)}) {}

  protected:
    void exchange(DataExchange&) override {}
};

// A modal dialog that opens the panel while it initialises, as the main dialog does for an
// organic-EL camera.
class OpeningDialog final : public DialogModel {
  public:
    OpeningDialog(Operator& op, DialogModel& panel)
        : DialogModel(102, "Opener", {controls::label(1019).at(0, 0)}), op_(op), panel_(panel) {}
    void initialise() override { op_.showModeless(panel_); }

  protected:
    void exchange(DataExchange&) override {}

  private:
    Operator& op_;
    DialogModel& panel_;
};

// Looks at the modal dialog's window instead of waiting for an operator.
class InspectingOperator final : public QtOperator {
  public:
    std::function<void(DialogView&)> inspect;

  protected:
    int exec(DialogView& view) override {
        if (inspect) inspect(view);
        return kIdCancel;
    }
};

TEST(QtOperatorView, ADialogOpenedWhileAModalDialogInitialisesBelongsToItAndClosesWithIt) {
    InspectingOperator op;
    PanelDialog panel;
    OpeningDialog opener(op, panel);
    QPointer<DialogView> panelView;
    op.inspect = [&](DialogView& openerView) {
        panelView = op.viewOf(panel);
        ASSERT_FALSE(panelView.isNull());
        EXPECT_EQ(panelView->parentWidget(), &openerView);
        EXPECT_FALSE(panelView->isModal());
        EXPECT_TRUE(panelView->isVisible());
    };
    EXPECT_EQ(op.runModal(opener), kIdCancel);
    EXPECT_TRUE(panelView.isNull()) << "closed with the dialog that opened it";
    EXPECT_EQ(op.viewOf(panel), nullptr);
}

// An operator at the bench who presses UV Matrix, answers Yes and reads the result window.
class UvMatrixOperator final : public QtOperator {
  public:
    std::vector<std::string> questions;
    QString heading, text;

    bool askYesNo(std::string_view question) override {
        questions.emplace_back(question);
        return true;
    }

  protected:
    int exec(DialogView& view) override {
        if (view.model().templateId() == kMainTemplate) {
            qobject_cast<QPushButton*>(view.widget(idc::kUvMatrix))->click();
            return kIdCancel;
        }
        heading = qobject_cast<QLabel*>(view.widget(kResultHeading))->text();
        text = qobject_cast<QPlainTextEdit*>(view.widget(kResultText))->toPlainText();
        return kIdOk;
    }
};

TEST(UvMatrixInTheProgram, CameraCallsRunOffTheInterfaceThreadAndTheResultWindowShowsTheText) {
    testing::ConsoleRig rig;
    rig.model.setResult(16, "UV Matrix\r\nR-Y 1.024");
    QtCallRunner runner;
    LinkCamera link(runner);
    UvMatrixOperator op;
    CalibrationApp app(link, rig.clock, op, rig.host);
    ASSERT_EQ(app.run(""), 0);
    EXPECT_EQ(op.questions, std::vector<std::string>{"Execute UV Matrix Calibration. Yes or No?"});
    EXPECT_EQ(op.heading, "UV Matrix Results :");
    EXPECT_EQ(op.text, "UV Matrix\nR-Y 1.024");
    EXPECT_TRUE(rig.received(camsim::kOpExecute, 6));
}

// The virtual clock with its sleeps run as camera calls are, on the call runner's thread, each
// taking a moment of real time so the interface thread gets to paint, as it does in the program.
class RunnerClock final : public Clock {
  public:
    RunnerClock(Clock& base, CallRunner& runner) : base_(base), runner_(runner) {}
    uint32_t tickMs() override { return base_.tickMs(); }
    void sleepMs(uint32_t ms) override {
        runner_.run([&] {
            base_.sleepMs(ms);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            return 0;
        });
    }
    std::time_t wallTime() override { return base_.wallTime(); }

  private:
    Clock& base_;
    CallRunner& runner_;
};

// An operator who chooses "CCD Black" in the Test list, answers Yes, watches the status line
// paint while the camera's pause and wait run, and reads the result window.
class CcdBlackOperator final : public QtOperator {
  public:
    int paintsWhileWaiting = 0;
    QString heading, text;

    bool askYesNo(std::string_view) override { return true; }

  protected:
    int exec(DialogView& view) override {
        if (view.model().templateId() != kMainTemplate) {
            heading = qobject_cast<QLabel*>(view.widget(kResultHeading))->text();
            text = qobject_cast<QPlainTextEdit*>(view.widget(kResultText))->toPlainText();
            return kIdOk;
        }
        status_ = qobject_cast<QLabel*>(view.widget(idc::kStatus));
        status_->installEventFilter(&painter_);
        view.show();
        auto* test = qobject_cast<QComboBox*>(view.widget(idc::kTest));
        const int at = test->findText("CCD Black");
        test->setCurrentIndex(at);
        emit test->activated(at);
        return kIdCancel;
    }

  private:
    struct PaintCounter final : QObject {
        explicit PaintCounter(CcdBlackOperator& op) : op_(op) {}
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::Paint && op_.status_->text() == " Status: Wait!!")
                ++op_.paintsWhileWaiting;
            return QObject::eventFilter(watched, event);
        }
        CcdBlackOperator& op_;
    };
    QLabel* status_ = nullptr;
    PaintCounter painter_{*this};
};

TEST(TestListInTheProgram, CcdBlackPausesWithTheWindowPaintingAndShowsTheCameraText) {
    testing::ConsoleRig rig(testing::profileFor("YCB14"));  // pauses 110 s
    rig.model.setResult(30, "CCD Black\r\nNG pixels : 0");
    QtCallRunner runner;
    LinkCamera link(runner);
    RunnerClock clock(rig.clock, runner);
    CcdBlackOperator op;
    CalibrationApp app(link, clock, op, rig.host);
    const uint32_t start = rig.clock.tickMs();
    ASSERT_EQ(app.run(""), 0);
    EXPECT_GE(rig.clock.tickMs() - start, 110'000u);
    EXPECT_GT(op.paintsWhileWaiting, 0);
    EXPECT_EQ(op.heading, "CCD Black Results :");
    EXPECT_EQ(op.text, "CCD Black\nNG pixels : 0");
}

// An operator who chooses a firmware file, answers Yes and watches the main window: the progress
// bar's positions, and the bar painted part-way through the camera's restart, when a press of
// Data must be held off.
class FirmwareOperator final : public QtOperator {
  public:
    explicit FirmwareOperator(std::string file) : file_(std::move(file)) {}
    std::vector<std::string> messages;
    std::vector<int> positions;
    int paintsWhileRestarting = 0;
    bool pressedWhileRestarting = false;

    std::optional<std::string> chooseFile(std::string_view, std::string_view) override {
        ++choices;
        return file_;
    }
    int choices = 0;
    bool askYesNo(std::string_view) override { return true; }
    void showMessage(MessageKind, std::string_view text) override { messages.emplace_back(text); }

  protected:
    int exec(DialogView& view) override {
        auto* bar = qobject_cast<QProgressBar*>(view.widget(idc::kProgress));
        status_ = qobject_cast<QLabel*>(view.widget(idc::kStatus));
        data_ = qobject_cast<QPushButton*>(view.widget(idc::kData));
        QObject::connect(bar, &QProgressBar::valueChanged,
                         [this](int value) { positions.push_back(value); });
        bar->installEventFilter(&painter_);
        view.show();
        qobject_cast<QPushButton*>(view.widget(idc::kFirmware))->click();
        return kIdCancel;
    }

  private:
    struct PaintCounter final : QObject {
        explicit PaintCounter(FirmwareOperator& op) : op_(op) {}
        bool eventFilter(QObject* watched, QEvent* event) override {
            // A paint of the bar part-way through the wait: the window kept painting after the
            // wait began.
            auto* bar = qobject_cast<QProgressBar*>(watched);
            if (event->type() == QEvent::Paint && bar != nullptr && bar->value() > 0 &&
                op_.status_ != nullptr &&
                op_.status_->text() == " Status: Wait!!  Writing Firmware.") {
                // The operator presses Data meanwhile (the press arrives through the event loop,
                // as a real one does): held off like every input during the upload.
                if (op_.paintsWhileRestarting++ == 0) {
                    QTimer::singleShot(0, [this] {
                        op_.pressedWhileRestarting =
                            op_.status_->text() == " Status: Wait!!  Writing Firmware.";
                        QTest::mouseClick(op_.data_, Qt::LeftButton);
                    });
                }
            }
            return QObject::eventFilter(watched, event);
        }
        FirmwareOperator& op_;
    };

    std::string file_;
    QLabel* status_ = nullptr;
    QPushButton* data_ = nullptr;
    PaintCounter painter_{*this};
};

TEST(FirmwareInTheProgram, AFewMegabytesGoUpWithTheBarMovingAndTheWindowPaintsDuringTheRestart) {
    testing::ConsoleRig rig;
    const QString path = QDir::temp().filePath("orvia_ui_firmware_XXXXXX.BIN");
    QTemporaryFile file(path);
    ASSERT_TRUE(file.open());
    QByteArray image("VERSION=1.05.0300\r\n");
    image.append(QByteArray(3 * 1024 * 1024, '\x5A'));
    ASSERT_EQ(file.write(image), image.size());
    file.close();

    QtCallRunner runner;
    LinkCamera link(runner);
    RunnerClock clock(rig.clock, runner);
    FirmwareOperator op(file.fileName().toStdString());
    CalibrationApp app(link, clock, op, rig.host);
    ASSERT_EQ(app.run(""), 0);

    EXPECT_EQ(op.messages,
              std::vector<std::string>{"Update Firmware: Completed. New Version is 1.05.0300."});
    EXPECT_EQ(rig.camera.profile().firmwareVersion, "1.05.0300");
    // The bar moved through the transfer in many steps, reached 100 and went back to 0.
    const auto during = std::count_if(op.positions.begin(), op.positions.end(),
                                      [](int v) { return v > 0 && v < 100; });
    EXPECT_GE(during, 20);
    EXPECT_NE(std::find(op.positions.begin(), op.positions.end(), 100), op.positions.end());
    ASSERT_FALSE(op.positions.empty());
    EXPECT_EQ(op.positions.back(), 0);
    EXPECT_GT(op.paintsWhileRestarting, 0);
    EXPECT_TRUE(op.pressedWhileRestarting);
    EXPECT_EQ(op.choices, 1) << "the press of Data during the restart wait was held off";
}

// Types an identity into the USB Storage group, sets it, empties the fields and gets it back.
class IdentityOperator final : public QtOperator {
  public:
    std::map<int, QString> shown;

  protected:
    int exec(DialogView& view) override {
        const std::map<int, QString> typed = {{idc::kUsbVid, "ORV"},
                                              {idc::kUsbPid, "STORAGE"},
                                              {idc::kUsbRev, "2.1"},
                                              {idc::kUsbSerial, "1234"}};
        auto field = [&](int id) { return qobject_cast<QLineEdit*>(view.widget(id)); };
        for (const auto& [id, text] : typed) {
            field(id)->clear();
            QTest::keyClicks(field(id), text);
        }
        qobject_cast<QPushButton*>(view.widget(idc::kUsbSet))->click();
        for (const auto& [id, text] : typed)
            QTest::keyClicks(field(id), "x");  // changed, so the Get has to fill them again
        qobject_cast<QPushButton*>(view.widget(idc::kUsbGet))->click();
        for (const auto& [id, text] : typed)
            shown[id] = field(id)->text();
        return kIdCancel;
    }
};

TEST(IdentityInTheProgram, AWrittenIdentityReadsBackTheSame) {
    camsim::Profile profile = camsim::defaultProfile();
    camsim::addCatalogueRecords(profile);
    testing::ConsoleRig rig(profile);
    QtCallRunner runner;
    LinkCamera link(runner);
    IdentityOperator op;
    CalibrationApp app(link, rig.clock, op, rig.host);
    ASSERT_EQ(app.run(""), 0);
    EXPECT_EQ(op.shown, (std::map<int, QString>{{idc::kUsbVid, "ORV     "},
                                                {idc::kUsbPid, "STORAGE         "},
                                                {idc::kUsbRev, "2.1 "},
                                                {idc::kUsbSerial, "000000001234"}}));
}

TEST(CallRunner, InterfaceThreadKeepsProcessingEventsDuringALongCall) {
    QtCallRunner runner;
    QPushButton button("Get");
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, [&] { ++clicks; });
    button.show();

    std::atomic<bool> release{false};
    bool timerRan = false, waitCursor = false, callbackOnInterfaceThread = false;
    QThread* const interfaceThread = QThread::currentThread();
    QTimer::singleShot(0, [&] {
        timerRan = true;
        waitCursor = QApplication::overrideCursor() != nullptr &&
                     QApplication::overrideCursor()->shape() == Qt::WaitCursor;
        QTest::mouseClick(&button, Qt::LeftButton);  // held off while the call runs
        release = true;
    });
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    const int32_t result = runner.run([&] {
        // A camera conversation that only ends once the interface thread has run its timer.
        while (!release) {
            if (std::chrono::steady_clock::now() > giveUp) return -1;
            std::this_thread::yield();
        }
        runner.onCallerThread(
            [&] { callbackOnInterfaceThread = QThread::currentThread() == interfaceThread; });
        return 7;
    });
    EXPECT_EQ(result, 7);
    EXPECT_TRUE(timerRan);
    EXPECT_TRUE(waitCursor);
    EXPECT_TRUE(callbackOnInterfaceThread);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
}

// Runs the console on a camera of `type` and hands its context to `check` while the main dialog
// shows, so the dialogs built there talk to the camera.
void withCamera(testing::ConsoleRig& rig, const std::function<void(DialogContext&)>& check) {
    bool ran = false;
    rig.op.modalScripts[kMainTemplate] = [&](DialogModel&) {
        check(rig.app.context());
        ran = true;
    };
    ASSERT_EQ(rig.run(), 0);
    EXPECT_TRUE(ran);
}

// +30 is at the top of each level slider, where its scale says "30": the Up arrow key and a click
// on the groove above the handle raise the level by one and send it; a dragged handle sends
// nothing until it is let go.
TEST(VideoGainView, TheTopOfASliderIsPlusThirtyAndADraggedOneSendsWhenLetGo) {
    testing::ConsoleRig rig(camsim::setupProfile("YVG10"));
    withCamera(rig, [&](DialogContext& ctx) {
        VideoGainDialog model(ctx, false);
        model.initialise();
        DialogView view(model);
        view.show();
        expectAgrees(view, model);
        auto* slider = qobject_cast<QSlider*>(view.widget(vg::kCameraSlider));
        ASSERT_NE(slider, nullptr);
        const size_t from = rig.mark();
        slider->setSliderDown(true);
        for (int position : {25, 20, 10, 20})
            slider->setSliderPosition(position);
        QApplication::processEvents();
        EXPECT_TRUE(rig.traffic(from).empty());
        EXPECT_EQ(model.control(vg::kCameraText).text, "10");
        slider->setSliderDown(false);
        QApplication::processEvents();
        EXPECT_EQ(rig.traffic(from), std::vector<std::string>{"send 261"});
        EXPECT_EQ(rig.camera.profile().records[camsim::kCodeVideoGain],
                  testing::wordsRecord({20, 0}));

        slider->setFocus();
        QTest::keyClick(slider, Qt::Key_Up);
        QApplication::processEvents();
        EXPECT_EQ(model.control(vg::kCameraText).text, "11");
        EXPECT_EQ(rig.camera.profile().records[camsim::kCodeVideoGain],
                  testing::wordsRecord({22, 0}));

        QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(slider->width() / 2, 2));
        QApplication::processEvents();
        EXPECT_EQ(model.control(vg::kCameraText).text, "12");
        EXPECT_EQ(rig.camera.profile().records[camsim::kCodeVideoGain],
                  testing::wordsRecord({24, 0}));
        EXPECT_EQ(rig.traffic(from).size(), 3u);
    });
}

// The code reader types into the code field and ends with Enter, which the dialog's default
// button takes: the values land in their fields.
TEST(LensAdjustView, ACodeTypedIntoTheCodeFieldFillsTheValuesOnEnter) {
    testing::ConsoleRig rig(camsim::setupProfile("YQR10"));
    withCamera(rig, [&](DialogContext& ctx) {
        LensAdjustDialog model(ctx, LensLayout::A);
        model.initialise();
        DialogView view(model);
        view.show();
        auto* code = qobject_cast<QLineEdit*>(view.widget(lens::kScan));
        ASSERT_NE(code, nullptr);
        code->setFocus();
        QTest::keyClicks(code, "YQR10LNS0042A012b005A000B045A123");
        QTest::keyClick(code, Qt::Key_Return);
        EXPECT_EQ(model.control(lens::kFieldsA[0]).text, "A012");
        EXPECT_EQ(model.control(lens::kFieldsA[1]).text, "B005");
        EXPECT_EQ(qobject_cast<QLineEdit*>(view.widget(lens::kFieldsA[4]))->text(), "A123");
        EXPECT_EQ(code->text(), "");
        EXPECT_TRUE(view.isVisible());
        expectAgrees(view, model);
    });
}

// The code reader's code reaches the code field whichever control has the focus: after Write
// was clicked (the focus on Write) the next code fills the values, and its Enter does not press
// Write again.
TEST(LensAdjustView, ACodeReachesTheCodeFieldWhicheverControlHasTheFocus) {
    testing::ConsoleRig rig(camsim::setupProfile("YQR10"));
    withCamera(rig, [&](DialogContext& ctx) {
        LensAdjustDialog model(ctx, LensLayout::A);
        model.initialise();
        DialogView view(model);
        view.show();
        QApplication::setActiveWindow(&view);
        auto* write = qobject_cast<QPushButton*>(view.widget(lens::kWrite));
        auto* reader = view.widget(lens::kReaderInput);
        const auto scan = [&](QWidget* focused, const char* code) {
            focused->setFocus();
            QTest::keyClicks(focused, code);
            QTest::keyClick(focused, Qt::Key_Return);
        };
        scan(view.widget(lens::kScan), "YQR10LNS0042A012b005A000B045A123");
        const size_t from = rig.mark();
        QTest::mouseClick(write, Qt::LeftButton);
        EXPECT_EQ(rig.traffic(from).size(), 2u);
        scan(write, "YQR10LNS0043A001A002A003A004A005");
        EXPECT_EQ(rig.traffic(from).size(), 2u) << "Enter pressed nothing";
        EXPECT_EQ(model.control(lens::kFieldsA[0]).text, "A001");
        EXPECT_EQ(model.control(lens::kFieldsA[4]).text, "A005");
        scan(reader, "YQR10LNS0044A006A007A008A009A010");
        EXPECT_EQ(model.control(lens::kFieldsA[0]).text, "A006");
        EXPECT_TRUE(model.control(lens::kReaderInput).checked);
        expectAgrees(view, model);
    });
}

TEST(BatteryTypeView, ARadioButtonClickedChecksItAloneInItsGroup) {
    testing::ConsoleRig rig(camsim::setupProfile("YBT10"));
    withCamera(rig, [&](DialogContext& ctx) {
        BatteryTypeDialog model(ctx);
        model.initialise();
        DialogView view(model);
        EXPECT_TRUE(model.control(battery::kAlkaline).checked);
        qobject_cast<QRadioButton*>(view.widget(battery::kCrV3))->click();
        EXPECT_TRUE(model.control(battery::kCrV3).checked);
        EXPECT_FALSE(model.control(battery::kAlkaline).checked);
        expectAgrees(view, model);
    });
}

TEST(QtOperator, BoxesShowTheirTextsAsPlainText) {
    QtOperator op;
    std::vector<std::pair<QString, Qt::TextFormat>> seen;
    auto answer = [&](QMessageBox::StandardButton button) {
        QTimer::singleShot(0, [&seen, button] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            seen.emplace_back(box->text(), box->textFormat());
            box->button(button)->click();
        });
    };
    answer(QMessageBox::Ok);
    op.message("Error <b>12</b>");
    answer(QMessageBox::Yes);
    EXPECT_TRUE(op.askYesNo("Execute <Focus> Calibration. Yes or No?"));
    answer(QMessageBox::No);
    EXPECT_FALSE(op.askYesNo("Execute Focus Calibration. Yes or No?"));
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].first, "Error <b>12</b>");
    EXPECT_EQ(seen[1].first, "Execute <Focus> Calibration. Yes or No?");
    for (const auto& s : seen)
        EXPECT_EQ(s.second, Qt::PlainText);
}

// Each kind of box shows its own icon; a plain box shows none.
TEST(QtOperator, BoxesShowTheIconOfTheirKind) {
    QtOperator op;
    const std::pair<MessageKind, QMessageBox::Icon> cases[] = {
        {MessageKind::Plain, QMessageBox::NoIcon},
        {MessageKind::Information, QMessageBox::Information},
        {MessageKind::Warning, QMessageBox::Warning},
        {MessageKind::Error, QMessageBox::Critical},
    };
    for (const auto& [kind, icon] : cases) {
        QMessageBox::Icon seen = QMessageBox::NoIcon;
        QTimer::singleShot(0, [&seen] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            seen = box->icon();
            box->button(QMessageBox::Ok)->click();
        });
        op.message(kind, "Not supported !");
        EXPECT_EQ(seen, icon) << messageKindName(kind);
    }
}

TEST(QtOperator, TranslatesFileFilters) {
    EXPECT_EQ(qtFileFilter("Firmware File|*.BIN|All Files|*.*||"),
              "Firmware File (*.BIN);;All Files (*.*)");
    EXPECT_EQ(qtFileFilter("Images|*.JPG;*.JPEG"), "Images (*.JPG *.JPEG)");
}

}  // namespace
}  // namespace orvia::ui

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
