#include "ui/dialog_view.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/icon.h"
#include "ui/qt_call_runner.h"

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

// Shortest and tallest multi-line text box, in lines: it grows with its text between the two.
constexpr int kTextMinLines = 8;
constexpr int kTextMaxLines = 30;

}  // namespace

DialogView::DialogView(DialogModel& model, QWidget* parent) : QDialog(parent), model_(model) {
    setWindowTitle(qs(model_.title()));
    setWindowIcon(applicationIcon());
    for (const ControlDef& def : model_.table())
        create(def);
    arrange();
    for (const ControlDef& def : model_.table())
        mirror(def.id);
    mirrorDialog();
    for (const ControlDef& def : model_.table()) {
        if (def.catchesTyping) typingCatcher_ = def.id;
    }
    // The typing of the whole window passes by this view first (see eventFilter).
    if (typingCatcher_ != 0) qApp->installEventFilter(this);
    model_.setObserver([this](int id) {
        if (id == kDialogGone) {
            // The model goes first (a dialog replaced by a new one): close without touching it.
            modelGone_ = true;
            hide();
            deleteLater();
        } else if (id == 0) {
            mirrorDialog();
        } else {
            mirror(id);
        }
    });
}

DialogView::~DialogView() {
    if (typingCatcher_ != 0) qApp->removeEventFilter(this);
    if (!modelGone_) model_.setObserver(nullptr);
}

// While the edit that takes the window's typing is enabled, the letters, digits and signs typed
// into any other control of this window, and the Enter after them, go to that edit instead (as
// from a code reader that types like a keyboard). Keys with Alt or Control, and every other
// key, go where they were going.
bool DialogView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || modelGone_ || forwarding_) return false;
    auto* target = qobject_cast<QWidget*>(watched);
    QWidget* catcher = widget(typingCatcher_);
    if (target == nullptr || catcher == nullptr || target == catcher || target->window() != this)
        return false;
    if (!catcher->isEnabled() || !catcher->isVisible()) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & (Qt::AltModifier | Qt::ControlModifier)) return false;
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    const QString text = key->text();
    const bool typed =
        text.size() == 1 && (text[0].isLetterOrNumber() || text == "-" || text == "+");
    if (!enter && !typed) return false;
    QKeyEvent copy(key->type(), key->key(), key->modifiers(), key->text(), key->isAutoRepeat());
    // The edit passes Enter on to the window, whose default button takes it; that passage comes
    // by here again and goes through.
    forwarding_ = true;
    QCoreApplication::sendEvent(catcher, &copy);
    forwarding_ = false;
    return true;
}

QWidget* DialogView::widget(int id) const {
    auto it = widgets_.find(id);
    return it == widgets_.end() ? nullptr : it->second;
}

QLabel* DialogView::sideLabel(int id) const {
    auto it = sideLabels_.find(id);
    return it == sideLabels_.end() ? nullptr : it->second;
}

void DialogView::dispatch(int id) {
    // A handler started while a camera call waits would run inside that call's wait, nested in
    // the procedure that made it.
    if (QtCallRunner::anyCallRunning()) return;
    model_.command(id);
}

void DialogView::reject() {
    if (modelGone_) return;
    // Escape and the close box are the Cancel command; the model decides whether it closes.
    dispatch(kIdCancel);
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
            connect(b, &QPushButton::clicked, this, [this, id] { dispatch(id); });
            w = b;
            break;
        }
        case ControlKind::CheckBox: {
            QAbstractButton* c = nullptr;
            if (def.pushButtonLike) {
                c = new QPushButton(this);
                c->setCheckable(true);
            } else {
                c = new QCheckBox(this);
            }
            connect(c, &QAbstractButton::clicked, this, [this, id](bool on) {
                model_.viewState(id).checked = on;
                dispatch(id);
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
            connect(e, &QLineEdit::textEdited, this, [this, id](const QString& t) {
                model_.viewState(id).text = t.toStdString();
                dispatch(id);
            });
            w = e;
            break;
        }
        case ControlKind::MultiLineEdit: {
            auto* e = new QPlainTextEdit(this);
            e->document()->setDocumentMargin(kTextMargin);
            // Tab moves to the next control, as in every other field, instead of typing a tab.
            e->setTabChangesFocus(true);
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
            if (def.sunken) {
                l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
                l->setMinimumWidth(l->fontMetrics().horizontalAdvance('0') * def.maxChars);
            }
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
                dispatch(id);
            });
            w = c;
            break;
        }
        case ControlKind::Progress:
            w = new QProgressBar(this);
            break;
        case ControlKind::Radio: {
            // The model keeps the radios of a group box exclusive.
            auto* r = new QRadioButton(this);
            r->setAutoExclusive(false);
            connect(r, &QRadioButton::clicked, this, [this, id] {
                model_.checkRadio(id);
                dispatch(id);
            });
            w = r;
            break;
        }
        case ControlKind::Slider: {
            auto* s = new QSlider(Qt::Vertical, this);
            if (def.tick > 0) {
                s->setTickInterval(def.tick);
                s->setTickPosition(QSlider::TicksBothSides);
            }
            // Qt puts a vertical slider's minimum at the bottom; a slider whose lowest position
            // is at the top turns both the drawing and the keys and wheel round.
            s->setInvertedAppearance(def.lowestAtTop);
            s->setInvertedControls(def.lowestAtTop);
            if (def.page > 0) s->setPageStep(def.page);
            // Every move reaches the model: while the operator drags the handle as a dragging
            // report, when the handle is let go, and at once for a key, click or wheel step.
            auto report = [this, id, s](bool dragging) {
                if (mirroring_) return;
                ControlState& state = model_.viewState(id);
                state.position = s->sliderPosition();
                state.dragging = dragging;
                dispatch(id);
            };
            connect(s, &QSlider::sliderMoved, this, [report] { report(true); });
            connect(s, &QSlider::sliderReleased, this, [report] { report(false); });
            connect(s, &QSlider::actionTriggered, this, [s, report](int action) {
                if (action != QAbstractSlider::SliderMove) {
                    QMetaObject::invokeMethod(
                        s, [report] { report(false); }, Qt::QueuedConnection);
                }
            });
            w = s;
            break;
        }
        case ControlKind::UpDown: {
            // Two arrows, one above the other; each press reports one step.
            auto* pair = new QWidget(this);
            auto* column = new QVBoxLayout(pair);
            column->setContentsMargins(0, 0, 0, 0);
            column->setSpacing(0);
            for (int step : {+1, -1}) {
                auto* arrow = new QToolButton(pair);
                arrow->setArrowType(step > 0 ? Qt::UpArrow : Qt::DownArrow);
                arrow->setObjectName(step > 0 ? "up" : "down");
                arrow->setAutoRepeat(true);
                connect(arrow, &QToolButton::clicked, this, [this, id, step] {
                    model_.viewState(id).step = step;
                    dispatch(id);
                });
                column->addWidget(arrow);
            }
            w = pair;
            break;
        }
    }
    w->setObjectName(QString::number(id));
    if (def.tint >= 0) {
        QPalette palette = w->palette();
        palette.setColor(QPalette::Window, QColor::fromRgb(static_cast<QRgb>(def.tint)));
        w->setPalette(palette);
        w->setAutoFillBackground(true);
    }
    widgets_[id] = w;
    if (!def.label.empty()) {
        auto* l = new QLabel(qs(def.label), this);
        l->setTextFormat(Qt::PlainText);
        l->setBuddy(w);
        sideLabels_[id] = l;
    }
    return w;
}

QGridLayout* DialogView::gridOf(int groupId) {
    auto it = grids_.find(groupId);
    if (it != grids_.end()) return it->second;
    QWidget* owner = groupId == 0 ? static_cast<QWidget*>(this) : widget(groupId);
    auto* grid = new QGridLayout(owner);
    grids_[groupId] = grid;
    return grid;
}

// Every control goes into the grid of its group box (or of the dialog) at its cell; a side label
// shares the cell, to the left. Spare width goes to the columns where no control sits alone, or
// else to the right of the last column; spare height goes to rows with a multi-line text, or
// else below the last row.
void DialogView::arrange() {
    std::map<int, std::map<int, bool>> singleInColumn;  // group -> column -> has a lone control
    std::map<int, std::map<int, bool>> textInRow;
    std::map<int, std::pair<int, int>> extent;  // group -> (rows, columns)
    for (const ControlDef& def : model_.table()) {
        const Cell& c = def.cell;
        QGridLayout* grid = gridOf(def.group);
        QWidget* w = widget(def.id);
        if (QLabel* l = sideLabel(def.id)) {
            auto* pair = new QHBoxLayout;
            pair->addWidget(l);
            pair->addWidget(w);
            pair->addStretch(1);
            grid->addLayout(pair, c.row, c.column, c.rowSpan, c.columnSpan);
        } else {
            grid->addWidget(w, c.row, c.column, c.rowSpan, c.columnSpan);
        }
        if (def.buddy != 0) {
            if (auto* l = qobject_cast<QLabel*>(w)) l->setBuddy(widget(def.buddy));
        }
        if (c.columnSpan == 1) singleInColumn[def.group][c.column] = true;
        if (def.kind == ControlKind::MultiLineEdit) textInRow[def.group][c.row] = true;
        auto& [rows, columns] = extent[def.group];
        rows = std::max(rows, c.row + c.rowSpan);
        columns = std::max(columns, c.column + c.columnSpan);
    }
    for (const auto& [group, size] : extent) {
        QGridLayout* grid = grids_.at(group);
        const auto [rows, columns] = size;
        bool spareWidthPlaced = false;
        for (int column = 0; column < columns; ++column) {
            if (singleInColumn[group].count(column) == 0) {
                grid->setColumnStretch(column, 1);
                spareWidthPlaced = true;
            }
        }
        if (!spareWidthPlaced) grid->setColumnStretch(columns, 1);
        if (textInRow[group].empty()) {
            grid->setRowStretch(rows, 1);
        } else {
            for (const auto& [row, unused] : textInRow[group])
                grid->setRowStretch(row, 1);
        }
    }
}

// A button's name for screen readers: the title of its group box, the label of the field just
// left of it in its row, and its caption, without mnemonics ("USB Storage VID Set"), so that the
// many "Set" and "Get" buttons of a window can be told apart.
QString DialogView::accessibleName(int id) const {
    const ControlDef& def = model_.def(id);
    QStringList parts;
    if (def.group != 0) {
        const ControlDef& group = model_.def(def.group);
        parts << (group.spokenName.empty() ? qs(model_.control(def.group).text)
                                           : qs(group.spokenName));
    }
    for (const ControlDef& other : model_.table()) {
        if (other.group == def.group && other.cell.row == def.cell.row &&
            other.cell.column + other.cell.columnSpan == def.cell.column && !other.label.empty()) {
            parts << qs(other.label);
        }
    }
    parts << qs(model_.control(id).text);
    for (QString& part : parts) {
        part.remove('&');
        part = part.trimmed();
        while (part.endsWith(':'))
            part = part.chopped(1).trimmed();
    }
    parts.removeAll(QString());
    return parts.join(' ');
}

void DialogView::mirror(int id) {
    QWidget* w = widget(id);
    if (w == nullptr) return;
    const ControlState& s = model_.control(id);
    mirroring_ = true;
    const QString text = qs(s.text);
    if (auto* b = qobject_cast<QPushButton*>(w)) {
        b->setText(text);
        b->setAccessibleName(accessibleName(id));
        if (b->isCheckable()) b->setChecked(s.checked);
    } else if (auto* c = qobject_cast<QCheckBox*>(w)) {
        c->setText(text);
        c->setChecked(s.checked);
    } else if (auto* e = qobject_cast<QLineEdit*>(w)) {
        if (e->text() != text) e->setText(text);
        e->setReadOnly(s.readOnly);
    } else if (auto* p = qobject_cast<QPlainTextEdit*>(w)) {
        const QString t = toWidgetText(s.text);
        if (p->toPlainText() != t) p->setPlainText(t);
        p->setReadOnly(s.readOnly);
        const int lines =
            std::clamp(static_cast<int>(t.count('\n')) + 1, kTextMinLines, kTextMaxLines);
        p->setMinimumHeight(p->fontMetrics().lineSpacing() * lines + 2 * kTextMargin);
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
    } else if (auto* r = qobject_cast<QRadioButton*>(w)) {
        r->setText(text);
        r->setChecked(s.checked);
    } else if (auto* slider = qobject_cast<QSlider*>(w)) {
        slider->setRange(s.rangeLow, s.rangeHigh);
        slider->setValue(s.position);
    }
    w->setVisible(s.visible);
    w->setEnabled(s.enabled);
    w->setToolTip(qs(s.toolTip));
    if (QLabel* l = sideLabel(id)) {
        l->setVisible(s.visible);
        l->setEnabled(s.enabled);
    }
    mirroring_ = false;
}

void DialogView::mirrorDialog() {
    setWindowTitle(qs(model_.title()));
    if (model_.ended() && isVisible()) done(model_.endCode());
}

}  // namespace orvia::ui
