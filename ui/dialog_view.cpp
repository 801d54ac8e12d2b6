#include "ui/dialog_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "console/main_dialog.h"
#include "console/result_dialog.h"
#include "ui/icon.h"

namespace orvia::ui {

namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

// Multi-line texts keep "\r\n" in the model and "\n" in the widget.
QString toWidgetText(const std::string& s) {
    QString t = qs(s);
    t.replace("\r\n", "\n");
    return t;
}
std::string toModelText(const QString& s) {
    QString t = s;
    t.replace("\n", "\r\n");
    return t.toStdString();
}

// Narrowest one-line edit without a short text limit, in characters.
constexpr int kEditMinChars = 10;

// Shortest and tallest result text box, in lines.
constexpr int kResultMinLines = 8;
constexpr int kResultMaxLines = 30;

}  // namespace

DialogView::DialogView(DialogModel& model, QWidget* parent) : QDialog(parent), model_(model) {
    setWindowTitle(qs(model_.title()));
    setWindowIcon(applicationIcon());
    build();
    for (const ControlDef& def : model_.table())
        mirror(def.id);
    mirrorDialog();
    model_.setObserver([this](int id) {
        if (id == 0) {
            mirrorDialog();
        } else {
            mirror(id);
        }
    });
}

DialogView::~DialogView() {
    model_.setObserver(nullptr);
}

QWidget* DialogView::widget(int id) const {
    auto it = widgets_.find(id);
    return it == widgets_.end() ? nullptr : it->second;
}

QLabel* DialogView::sideLabel(int id) const {
    auto it = sideLabels_.find(id);
    return it == sideLabels_.end() ? nullptr : it->second;
}

void DialogView::reject() {
    // Escape and the close box are the Cancel command; the model decides whether it closes.
    model_.command(kIdCancel);
}

QWidget* DialogView::create(const ControlDef& def) {
    const int id = def.id;
    QWidget* w = nullptr;
    switch (def.kind) {
        case ControlKind::Button:
        case ControlKind::DefaultButton: {
            auto* b = new QPushButton(this);
            b->setAutoDefault(def.kind == ControlKind::DefaultButton);
            b->setDefault(def.kind == ControlKind::DefaultButton);
            connect(b, &QPushButton::clicked, this, [this, id] { model_.command(id); });
            w = b;
            break;
        }
        case ControlKind::CheckBox: {
            auto* c = new QCheckBox(this);
            connect(c, &QCheckBox::clicked, this, [this, id](bool on) {
                model_.viewState(id).checked = on;
                model_.command(id);
            });
            w = c;
            break;
        }
        case ControlKind::Edit: {
            auto* e = new QLineEdit(this);
            if (def.maxChars > 0) e->setMaxLength(def.maxChars);
            e->setReadOnly(def.readOnly);
            if (def.maxChars > 0 && def.maxChars <= 4) {
                e->setFixedWidth(e->fontMetrics().horizontalAdvance('W') * (def.maxChars + 2));
            } else {
                e->setMinimumWidth(e->fontMetrics().horizontalAdvance('0') * kEditMinChars);
            }
            connect(e, &QLineEdit::textEdited, this,
                    [this, id](const QString& t) { model_.viewState(id).text = t.toStdString(); });
            w = e;
            break;
        }
        case ControlKind::MultiLineEdit: {
            auto* e = new QPlainTextEdit(this);
            e->setReadOnly(def.readOnly);
            e->document()->setDocumentMargin(kResultTextMargin);
            e->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
            connect(e, &QPlainTextEdit::textChanged, this, [this, id, e] {
                if (!mirroring_) model_.viewState(id).text = toModelText(e->toPlainText());
            });
            w = e;
            break;
        }
        case ControlKind::Static: {
            // Texts from the camera are shown as they are, never as markup.
            auto* l = new QLabel(this);
            l->setTextFormat(Qt::PlainText);
            w = l;
            break;
        }
        case ControlKind::Group:
            w = new QGroupBox(this);
            break;
        case ControlKind::List: {
            auto* c = new QComboBox(this);
            c->setMaxVisibleItems(16);
            connect(c, &QComboBox::activated, this, [this, id](int index) {
                model_.viewState(id).selection = index;
                model_.command(id);
            });
            w = c;
            break;
        }
        case ControlKind::Progress:
            w = new QProgressBar(this);
            break;
    }
    w->setObjectName(QString::number(id));
    widgets_[id] = w;
    if (!def.label.empty()) {
        auto* l = new QLabel(qs(def.label), this);
        l->setTextFormat(Qt::PlainText);
        l->setBuddy(w);
        sideLabels_[id] = l;
    }
    return w;
}

void DialogView::build() {
    for (const ControlDef& def : model_.table())
        create(def);
    if (model_.templateId() == kMainTemplate) {
        arrangeMain();
    } else if (model_.templateId() == kResultTemplate) {
        arrangeResult();
    } else {
        arrangeGeneric();
    }
}

QWidget* DialogView::row(std::initializer_list<int> ids, QWidget* parent) {
    auto* line = new QWidget(parent);
    auto* h = new QHBoxLayout(line);
    h->setContentsMargins(0, 0, 0, 0);
    for (int id : ids) {
        if (QLabel* l = sideLabel(id)) h->addWidget(l);
        h->addWidget(widget(id));
    }
    h->addStretch(1);
    return line;
}

void DialogView::arrangeMain() {
    using namespace idc;
    // Register labels name the list beside them.
    for (auto [labelId, listId] : {std::pair{kLabelRBright, kRBright},
                                   {kLabelBBright, kBBright},
                                   {kLabelVcomdc, kVcomdc},
                                   {kLabelVcompp, kVcompp},
                                   {kLabelRgbOffset, kRgbOffset},
                                   {kLabelGain, kGain}}) {
        static_cast<QLabel*>(widget(labelId))->setBuddy(widget(listId));
    }
    auto group = [this](int id, std::initializer_list<std::initializer_list<int>> rows) {
        auto* box = static_cast<QGroupBox*>(widget(id));
        auto* v = new QVBoxLayout(box);
        for (auto ids : rows)
            v->addWidget(row(ids, box));
        v->addStretch(1);
        return box;
    };
    QGroupBox* calibration =
        group(kCalibrationGroup,
              {{kAwb, kFocus, kUvMatrix}, {kCalMode, kCalModeOk}, {kCalData, kCalDataOk}});
    QGroupBox* upload = group(kUploadGroup, {{kFirmware, kData, kInitialize}});
    QGroupBox* lcd = group(kLcdGroup, {{kEvf, kVco},
                                       {kLcdType},
                                       {kLabelRBright, kRBright, kLabelBBright, kBBright},
                                       {kLabelVcomdc, kVcomdc, kLabelVcompp, kVcompp},
                                       {kLabelRgbOffset, kRgbOffset, kLabelGain, kGain},
                                       {kTint, kPhase},
                                       {kHAfc}});
    QGroupBox* test = group(kTestGroup, {{kTest},
                                         {kHallCal, kMaintenance, kStepCom},
                                         {kBackrushLabel, kBackrush},
                                         {kBackrushGet, kBackrushSet}});
    QGroupBox* setting = group(kSettingGroup, {{kLanguage},
                                               {kVideoMode},
                                               {kFactoryCode},
                                               {kLangNumber},
                                               {kSerialLabel, kSerial1, kSerial2},
                                               {kSerialGet, kSerialSet},
                                               {kRepairSite}});
    QGroupBox* usb = group(kUsbGroup, {{kUsbGet, kUsbSet},
                                       {kUsbVid, kUsbVidSet, kUsbPid, kUsbPidSet},
                                       {kUsbSerial, kUsbSerialSet, kUsbRev, kUsbRevSet},
                                       {kPreviousIdLabel, kPreviousId},
                                       {kPrePreviousIdLabel, kPrePreviousId}});
    QGroupBox* mac = group(kMacGroup, {{kMacGet, kMac[0], kMac[1], kMac[2], kMac[3], kMac[4],
                                        kMac[5], kMac[6], kMac[7], kMacSet}});

    auto* grid = new QGridLayout;
    grid->addWidget(calibration, 0, 0);
    grid->addWidget(upload, 1, 0);
    grid->addWidget(test, 2, 0);
    grid->addWidget(lcd, 0, 1, 3, 1);
    grid->addWidget(setting, 0, 2, 2, 1);
    grid->addWidget(usb, 2, 2);

    auto* status = static_cast<QLabel*>(widget(kStatus));
    status->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    status->setMinimumWidth(status->fontMetrics().horizontalAdvance('0') *
                            static_cast<int>(kStatusMaxChars));
    auto* statusRow = new QHBoxLayout;
    statusRow->addWidget(status, 3);
    statusRow->addWidget(widget(kProgress), 2);

    bottomStrip_ = mac;
    auto* v = new QVBoxLayout(this);
    v->addLayout(grid);
    v->addLayout(statusRow);
    v->addWidget(mac);
}

void DialogView::arrangeResult() {
    auto* v = new QVBoxLayout(this);
    v->addWidget(widget(kResultHeading));
    v->addWidget(widget(kResultText), 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(widget(kIdOk));
    buttons->addWidget(widget(kIdCancel));
    v->addLayout(buttons);
}

void DialogView::arrangeGeneric() {
    auto* v = new QVBoxLayout(this);
    for (const ControlDef& def : model_.table()) {
        if (def.group == 0 && def.kind != ControlKind::Group) v->addWidget(row({def.id}, this));
    }
}

void DialogView::mirror(int id) {
    QWidget* w = widget(id);
    if (w == nullptr) return;
    const ControlState& s = model_.control(id);
    mirroring_ = true;
    const QString text = qs(s.text);
    if (auto* b = qobject_cast<QPushButton*>(w)) {
        b->setText(text);
    } else if (auto* c = qobject_cast<QCheckBox*>(w)) {
        c->setText(text);
        c->setChecked(s.checked);
    } else if (auto* e = qobject_cast<QLineEdit*>(w)) {
        if (e->text() != text) e->setText(text);
    } else if (auto* p = qobject_cast<QPlainTextEdit*>(w)) {
        const QString t = toWidgetText(s.text);
        if (p->toPlainText() != t) p->setPlainText(t);
        if (model_.templateId() == kResultTemplate) {
            const int lines =
                std::clamp(static_cast<int>(t.count('\n')) + 1, kResultMinLines, kResultMaxLines);
            p->setMinimumHeight(p->fontMetrics().lineSpacing() * lines + 2 * kResultTextMargin);
        }
    } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
        g->setTitle(text);
    } else if (auto* l = qobject_cast<QLabel*>(w)) {
        l->setText(text);
    } else if (auto* c = qobject_cast<QComboBox*>(w)) {
        QStringList items;
        for (const std::string& i : s.items)
            items << qs(i);
        QStringList current;
        for (int i = 0; i < c->count(); ++i)
            current << c->itemText(i);
        if (current != items) {
            c->clear();
            c->addItems(items);
        }
        c->setCurrentIndex(s.selection);
    } else if (auto* bar = qobject_cast<QProgressBar*>(w)) {
        bar->setRange(s.rangeLow, s.rangeHigh);
        bar->setValue(s.position);
    }
    w->setVisible(s.visible);
    w->setEnabled(s.enabled);
    if (QLabel* l = sideLabel(id)) {
        l->setVisible(s.visible);
        l->setEnabled(s.enabled);
    }
    mirroring_ = false;
}

void DialogView::mirrorDialog() {
    setWindowTitle(qs(model_.title()));
    if (auto* main = dynamic_cast<MainDialog*>(&model_); main && bottomStrip_ != nullptr) {
        bottomStrip_->setVisible(main->bottomTrim() == 0);
    }
    if (model_.ended() && isVisible()) done(model_.endCode());
}

}  // namespace orvia::ui
