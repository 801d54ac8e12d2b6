#include "console/dialog_model.h"

#include <charconv>
#include <limits>
#include <optional>
#include <stdexcept>
#include <utility>

#include "console/operator.h"
#include "console/texts.h"

namespace orvia {

void DataExchange::fail(int id) {
    if (!failed_) failedControl_ = id;
    failed_ = true;
}

void DataExchange::text(int id, std::string& member, size_t maxChars) {
    if (failed_) return;
    if (!saving_) {
        dialog_.setText(id, member);
        return;
    }
    const std::string& value = dialog_.control(id).text;
    if (maxChars != 0 && value.size() > maxChars) return fail(id);
    member = value;
}

namespace {

// A whole decimal number within [low, high], spaces around it allowed.
std::optional<int64_t> parseInteger(const std::string& value, int64_t low, int64_t high) {
    const size_t begin = value.find_first_not_of(' ');
    if (begin == std::string::npos) return std::nullopt;
    const char* last = value.data() + value.find_last_not_of(' ') + 1;
    int64_t parsed = 0;
    auto [ptr, ec] = std::from_chars(value.data() + begin, last, parsed);
    if (ec != std::errc() || ptr != last || parsed < low || parsed > high) return std::nullopt;
    return parsed;
}

}  // namespace

void DataExchange::number(int id, int32_t& member, int32_t low, int32_t high) {
    if (failed_) return;
    if (!saving_) return dialog_.setText(id, std::to_string(member));
    const std::optional<int64_t> parsed = parseInteger(dialog_.control(id).text, low, high);
    if (!parsed) return fail(id);
    member = static_cast<int32_t>(*parsed);
}

void DataExchange::number(int id, uint32_t& member) {
    if (failed_) return;
    if (!saving_) return dialog_.setText(id, std::to_string(member));
    const std::optional<int64_t> parsed =
        parseInteger(dialog_.control(id).text, 0, std::numeric_limits<uint32_t>::max());
    if (!parsed) return fail(id);
    member = static_cast<uint32_t>(*parsed);
}

void DataExchange::selection(int id, int32_t& member) {
    if (failed_) return;
    if (saving_) {
        member = dialog_.control(id).selection;
    } else {
        dialog_.setSelection(id, member);
    }
}

void DataExchange::check(int id, int32_t& member) {
    if (failed_) return;
    if (saving_) {
        member = dialog_.control(id).checked ? 1 : 0;
    } else {
        dialog_.setChecked(id, member != 0);
    }
}

void DataExchange::position(int id, int32_t& member) {
    if (failed_) return;
    if (saving_) {
        member = dialog_.control(id).position;
    } else {
        dialog_.setPosition(id, member);
    }
}

void DataExchange::radio(std::initializer_list<int> ids, int32_t& member) {
    if (failed_) return;
    int32_t index = 0;
    if (saving_) member = -1;
    for (int id : ids) {
        if (saving_ && dialog_.control(id).checked) member = index;
        if (!saving_) dialog_.setChecked(id, member == index);
        ++index;
    }
}

std::vector<std::string> tableProblems(const std::vector<ControlDef>& table) {
    std::vector<std::string> problems;
    std::map<int, const ControlDef*> byId;
    for (const ControlDef& d : table) {
        if (!byId.emplace(d.id, &d).second) {
            problems.push_back("control " + std::to_string(d.id) + " appears twice");
        }
    }
    auto name = [](const ControlDef& d) { return "control " + std::to_string(d.id); };
    for (size_t i = 0; i < table.size(); ++i) {
        const ControlDef& d = table[i];
        const Cell& c = d.cell;
        if (c.row < 0 || c.column < 0 || c.rowSpan < 1 || c.columnSpan < 1) {
            problems.push_back(name(d) + " has no place");
            continue;
        }
        if (d.group != 0) {
            auto g = byId.find(d.group);
            if (g == byId.end() || g->second->kind != ControlKind::Group) {
                problems.push_back(name(d) + " is in " + std::to_string(d.group) +
                                   ", which is no group box");
            }
        }
        if (d.buddy != 0 && byId.count(d.buddy) == 0) {
            problems.push_back(name(d) + " names a missing buddy " + std::to_string(d.buddy));
        }
        for (size_t j = 0; j < i; ++j) {
            const ControlDef& o = table[j];
            const Cell& e = o.cell;
            if (o.group != d.group || e.row < 0) continue;
            const bool rows = c.row < e.row + e.rowSpan && e.row < c.row + c.rowSpan;
            const bool columns =
                c.column < e.column + e.columnSpan && e.column < c.column + c.columnSpan;
            if (rows && columns) problems.push_back(name(d) + " overlaps " + name(o));
        }
    }
    return problems;
}

DialogModel::DialogModel(int templateId, std::string title, std::vector<ControlDef> table)
    : templateId_(templateId), title_(std::move(title)), table_(std::move(table)) {
    for (const ControlDef& s : table_) {
        if (state_.count(s.id) != 0) throw std::logic_error("duplicate control id");
        ControlState& c = state_[s.id];
        c.text = s.caption;
        c.items = s.items;
        c.visible = s.visible;
        c.enabled = s.enabled;
        c.readOnly = s.readOnly;
        c.rangeLow = s.rangeLow;
        c.rangeHigh = s.rangeHigh;
    }
}

DialogModel::~DialogModel() {
    if (observer_) observer_(kDialogGone);
}

const ControlDef& DialogModel::def(int id) const {
    for (const ControlDef& s : table_) {
        if (s.id == id) return s;
    }
    throw std::out_of_range("no control " + std::to_string(id));
}

const ControlState& DialogModel::control(int id) const {
    auto it = state_.find(id);
    if (it == state_.end()) throw std::out_of_range("no control " + std::to_string(id));
    return it->second;
}

ControlState& DialogModel::mutableState(int id) {
    return const_cast<ControlState&>(std::as_const(*this).control(id));
}

ControlState& DialogModel::viewState(int id) {
    return mutableState(id);
}

void DialogModel::notify(int id) {
    if (observer_) observer_(id);
}

void DialogModel::setText(int id, std::string text) {
    ControlState& c = mutableState(id);
    if (c.text == text) return;
    c.text = std::move(text);
    notify(id);
}

void DialogModel::setVisible(int id, bool visible) {
    mutableState(id).visible = visible;
    notify(id);
}

void DialogModel::setEnabled(int id, bool enabled) {
    mutableState(id).enabled = enabled;
    notify(id);
}

void DialogModel::setReadOnly(int id, bool readOnly) {
    mutableState(id).readOnly = readOnly;
    notify(id);
}

void DialogModel::setToolTip(int id, std::string text) {
    mutableState(id).toolTip = std::move(text);
    notify(id);
}

void DialogModel::setItems(int id, std::vector<std::string> items) {
    ControlState& c = mutableState(id);
    c.items = std::move(items);
    c.selection = -1;
    notify(id);
}

void DialogModel::addItem(int id, std::string item) {
    mutableState(id).items.push_back(std::move(item));
    notify(id);
}

void DialogModel::setSelection(int id, int index) {
    ControlState& c = mutableState(id);
    // A list keeps no selection outside its items, as a drop-down list does.
    c.selection = (index >= 0 && index < static_cast<int>(c.items.size())) ? index : -1;
    notify(id);
}

void DialogModel::setChecked(int id, bool checked) {
    mutableState(id).checked = checked;
    notify(id);
}

void DialogModel::checkRadio(int id) {
    const int group = def(id).group;
    for (const ControlDef& d : table_) {
        if (d.kind != ControlKind::Radio || d.group != group) continue;
        mutableState(d.id).checked = d.id == id;
        notify(d.id);
    }
}

void DialogModel::setPosition(int id, int position) {
    ControlState& c = mutableState(id);
    if (position < c.rangeLow) position = c.rangeLow;
    if (position > c.rangeHigh) position = c.rangeHigh;
    c.position = position;
    notify(id);
}

void DialogModel::setRange(int id, int low, int high) {
    ControlState& c = mutableState(id);
    c.rangeLow = low;
    c.rangeHigh = high;
    notify(id);
}

bool DialogModel::readControls() {
    DataExchange dx(*this, true);
    exchange(dx);
    lastFailure_ = dx.failed() ? dx.failedControl() : 0;
    return !dx.failed();
}

void DialogModel::writeBack() {
    DataExchange dx(*this, false);
    exchange(dx);
}

bool DialogModel::command(int id) {
    auto it = handlers_.find(id);
    if (it != handlers_.end() && it->second.procedure) {
        // A copy: the procedure may replace this control's handler while it runs.
        const Procedure procedure = it->second.procedure;
        lastOutcome_ = procedure();
        return true;
    }
    if (it != handlers_.end() && it->second.action) {
        const std::function<void()> action = it->second.action;
        action();
        return true;
    }
    if (id == kIdOk || id == kIdCancel) {
        end(id);
        return true;
    }
    return false;
}

void DialogModel::setHandler(int id, std::function<void()> handler) {
    handlers_[id] = Handler{std::move(handler), nullptr};
}

void DialogModel::setProcedure(int id, Operator& op, Procedure procedure) {
    handlers_[id] = Handler{
        nullptr, [&op, procedure = std::move(procedure)] { return runProcedure(op, procedure); }};
}

void DialogModel::wrapProcedure(int id, std::function<Outcome(const Procedure&)> around) {
    auto it = handlers_.find(id);
    if (it == handlers_.end() || !it->second.procedure) return;
    it->second.procedure = [inner = std::move(it->second.procedure), around = std::move(around)] {
        return around(inner);
    };
}

void DialogModel::end(int code) {
    ended_ = true;
    endCode_ = code;
    notify(0);
}

Outcome needsConsole(Operator& op) {
    op.message(MessageKind::Error, text::kNeedsConsole);
    return Outcome::needsConsole(text::kNeedsConsole);
}

Outcome runDialog(Operator& op, DialogModel& dialog) {
    if (!op.showsWindows()) return needsConsole(op);
    op.runModal(dialog);
    return dialog.lastOutcome().value_or(Outcome::completed());
}

}  // namespace orvia
