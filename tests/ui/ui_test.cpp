// The Qt views against their models, offscreen, and the call runner's promise that the window
// stays alive during a long camera call.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <map>
#include <thread>

#include "camsim/catalogue_profile.h"
#include "console/dialog_registry.h"
#include "console/main_dialog.h"
#include "console/result_dialog.h"
#include "console_rig.h"
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
        // A control shows when it and every group box around it are visible.
        bool shown = s.visible;
        for (int g = def.group; g != 0; g = model.def(g).group)
            shown = shown && model.control(g).visible;
        EXPECT_EQ(w->isVisibleTo(&view), shown);
        EXPECT_EQ(w->isEnabled(), s.enabled);
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
                auto* c = qobject_cast<QCheckBox*>(w);
                ASSERT_NE(c, nullptr);
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

            // The operator's choice reaches the control, and the member only when read.
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
