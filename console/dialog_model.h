// Toolkit-free dialog models.
//
// A dialog is described by its control table: every control's id, kind, caption, list items,
// range, initial visibility and enabling, and its place: a cell of the grid of the group box it
// sits in, or of the dialog itself. The table is the single source of truth: the model creates
// the controls' live state from it and the one generic view (ui/) builds and arranges its
// widgets from it and mirrors that state by control id, with no code of its own per dialog.
//
// The dialog's data are plain members of the derived class. exchange() binds them to controls;
// readControls() copies control state into the members and writeBack() copies the members into
// the controls, exactly when a procedure asks for it. A member changed by code and not written
// back is overwritten by the next readControls(); that is the behaviour the procedures rely on.
#pragma once

#include <climits>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "console/outcome.h"

namespace orvia {

enum class ControlKind {
    Button,         // push button
    DefaultButton,  // push button taking Enter
    CheckBox,
    Edit,           // one-line text field
    MultiLineEdit,  // scrolled text, Enter starts a new line
    Static,         // text label or status line
    Group,          // group box framing other controls
    List,           // drop-down list; selection is a 0-based index, -1 for none
    Progress,       // progress bar with a range
    Radio,          // radio button; checking one clears the other radios of its group box
    Slider,         // vertical slider (trackbar) with a range; its position is the value
    UpDown,         // a pair of up and down arrows; reports one step per press
};

// Margin around the text of a multi-line edit, in pixels.
inline constexpr int kTextMargin = 7;

// Observer id telling the view that its model is being destroyed.
inline constexpr int kDialogGone = INT_MIN;

// Ids of the standard buttons: OK and Cancel.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;

// A control's place in the grid of its parent (its group box, or the dialog when it has none).
// Spans stretch a control over several rows or columns.
struct Cell {
    int row = -1;  // -1: not placed
    int column = 0;
    int rowSpan = 1;
    int columnSpan = 1;
};

struct ControlDef {
    ControlDef() = default;
    ControlDef(int id, ControlKind kind, std::string caption = {})
        : id(id), kind(kind), caption(std::move(caption)) {}

    // Modifiers, so that a table row reads as one line.
    ControlDef& in(int groupId) {
        group = groupId;
        return *this;
    }
    ControlDef& at(int row, int column, int columnSpan = 1, int rowSpan = 1) {
        cell = Cell{row, column, rowSpan, columnSpan};
        return *this;
    }
    ControlDef& hidden() {
        visible = false;
        return *this;
    }
    ControlDef& labelled(std::string text) {
        label = std::move(text);
        return *this;
    }
    // A label whose mnemonic moves the focus to control `id`.
    ControlDef& naming(int id) {
        buddy = id;
        return *this;
    }
    // A status line: framed, and wide enough for `chars` characters.
    ControlDef& statusLine(int chars) {
        sunken = true;
        maxChars = chars;
        return *this;
    }
    // An edit that shows its text but takes no typing until the dialog allows it.
    ControlDef& readOnlyText() {
        readOnly = true;
        return *this;
    }
    ControlDef& disabled() {
        enabled = false;
        return *this;
    }
    // A check box drawn as a button that stays pressed while checked.
    ControlDef& pushLike() {
        pushButtonLike = true;
        return *this;
    }
    // A background colour, 0xRRGGBB.
    ControlDef& tinted(int rgb) {
        tint = rgb;
        return *this;
    }
    // A slider whose lowest position is at the top: the Up arrow key, the wheel turned up and a
    // click above the handle lower its position.
    ControlDef& lowAtTop() {
        lowestAtTop = true;
        return *this;
    }
    // The name a screen reader gives a group box without a title, and puts before the names of
    // the buttons inside it.
    ControlDef& spoken(std::string name) {
        spokenName = std::move(name);
        return *this;
    }
    // An edit that takes what is typed anywhere in its window while it is enabled: letters,
    // digits and signs, and the Enter that ends them (a code reader that types like a keyboard
    // reaches it whichever control has the focus).
    ControlDef& takesTypingAnywhere() {
        catchesTyping = true;
        return *this;
    }
    // How far a slider moves for Page Up, Page Down or a click beside its handle.
    ControlDef& pageStep(int positions) {
        page = positions;
        return *this;
    }

    int id = 0;  // ids below 0 are labels and frames that no procedure addresses
    ControlKind kind = ControlKind::Static;
    std::string caption;  // button, check box, label or group text; initial text of an edit
    std::vector<std::string> items;  // list items, in order
    int rangeLow = 0;                // progress range, or the value range of a numeric edit
    int rangeHigh = 0;
    bool visible = true;
    bool enabled = true;
    bool readOnly = false;
    int maxChars = 0;     // text limit of an edit (0: none)
    int group = 0;        // id of the enclosing group box, 0 for none
    std::string label;    // text shown beside a list or edit without a label control of its own
    Cell cell;            // place in the parent's grid
    int buddy = 0;        // a label's mnemonic moves the focus to this control
    bool sunken = false;  // a status line: framed, and wide enough for maxChars characters
    int tick = 0;         // a slider's tick interval (0: no ticks)
    int tint = -1;        // background colour 0xRRGGBB; -1 for the default
    bool pushButtonLike = false;  // a check box drawn as a button
    bool lowestAtTop = false;     // a slider with rangeLow at the top
    std::string spokenName;       // a title-less group box's name for screen readers
    bool catchesTyping = false;   // an edit taking the window's typing while enabled
    int page = 0;                 // a slider's page step (0: the toolkit's)
};

// Table rows by kind, to be placed with at() and, inside a group box, in().
namespace controls {
inline ControlDef button(int id, std::string caption) {
    return ControlDef(id, ControlKind::Button, std::move(caption));
}
inline ControlDef defaultButton(int id, std::string caption) {
    return ControlDef(id, ControlKind::DefaultButton, std::move(caption));
}
inline ControlDef check(int id, std::string caption) {
    return ControlDef(id, ControlKind::CheckBox, std::move(caption));
}
inline ControlDef label(int id, std::string caption = {}) {
    return ControlDef(id, ControlKind::Static, std::move(caption));
}
inline ControlDef groupBox(int id, std::string caption) {
    return ControlDef(id, ControlKind::Group, std::move(caption));
}
inline ControlDef edit(int id, int maxChars = 0) {
    ControlDef d(id, ControlKind::Edit);
    d.maxChars = maxChars;
    return d;
}
inline ControlDef readOnlyEdit(int id) {
    ControlDef d(id, ControlKind::Edit);
    d.readOnly = true;
    return d;
}
inline ControlDef multiLineEdit(int id) {
    return ControlDef(id, ControlKind::MultiLineEdit);
}
inline ControlDef list(int id, std::vector<std::string> items = {}) {
    ControlDef d(id, ControlKind::List);
    d.items = std::move(items);
    return d;
}
inline ControlDef progress(int id, int low, int high) {
    ControlDef d(id, ControlKind::Progress);
    d.rangeLow = low;
    d.rangeHigh = high;
    return d;
}
inline ControlDef radio(int id, std::string caption) {
    return ControlDef(id, ControlKind::Radio, std::move(caption));
}
inline ControlDef slider(int id, int low, int high, int tick = 0) {
    ControlDef d(id, ControlKind::Slider);
    d.rangeLow = low;
    d.rangeHigh = high;
    d.tick = tick;
    return d;
}
inline ControlDef upDown(int id, int low, int high) {
    ControlDef d(id, ControlKind::UpDown);
    d.rangeLow = low;
    d.rangeHigh = high;
    return d;
}
// A one-line edit holding a number within [low, high].
inline ControlDef numberEdit(int id, int low, int high) {
    ControlDef d(id, ControlKind::Edit);
    d.rangeLow = low;
    d.rangeHigh = high;
    return d;
}
}  // namespace controls

// What is wrong with a control table: duplicate ids, controls without a place, two controls in
// one cell, a group that is not a group box. Empty for a sound table.
std::vector<std::string> tableProblems(const std::vector<ControlDef>& table);

// The live state of one control.
struct ControlState {
    std::string text;
    std::vector<std::string> items;
    int selection = -1;
    bool checked = false;
    bool visible = true;
    bool enabled = true;
    bool readOnly = false;  // an edit that shows its text but takes no typing
    std::string toolTip;    // shown while the pointer rests on the control (empty: none)
    int position = 0;       // progress or slider position
    bool dragging = false;  // a slider's position is the handle's while the operator drags it
    int step = 0;           // an up-down's last step: +1 up, -1 down
    int rangeLow = 0;
    int rangeHigh = 0;
};

class DialogModel;

// Direction-aware binding of members to controls, used by DialogModel::exchange().
class DataExchange {
  public:
    DataExchange(DialogModel& dialog, bool saving) : dialog_(dialog), saving_(saving) {}
    // True while copying controls into members.
    bool saving() const { return saving_; }
    bool failed() const { return failed_; }
    int failedControl() const { return failedControl_; }

    // A text of at most maxChars characters (0: unlimited). A longer control text fails the
    // read and leaves the member unchanged.
    void text(int id, std::string& member, size_t maxChars = 0);
    // An integer typed into an edit, within [low, high]. Text that is not such a number fails.
    void number(int id, int32_t& member, int32_t low, int32_t high);
    // An unsigned 32-bit integer typed into an edit as decimal digits.
    void number(int id, uint32_t& member);
    // A list selection: 0-based index, -1 for none.
    void selection(int id, int32_t& member);
    // A check box: 0 or 1.
    void check(int id, int32_t& member);
    // A slider's position.
    void position(int id, int32_t& member);
    // A radio group: the index in `ids` of the checked radio, -1 for none.
    void radio(std::initializer_list<int> ids, int32_t& member);

  private:
    void fail(int id);

    DialogModel& dialog_;
    bool saving_;
    bool failed_ = false;
    int failedControl_ = 0;
};

class DialogModel {
  public:
    DialogModel(int templateId, std::string title, std::vector<ControlDef> table);
    // Tells the view (kDialogGone) so that it closes before the model it mirrors goes away.
    virtual ~DialogModel();
    DialogModel(const DialogModel&) = delete;
    DialogModel& operator=(const DialogModel&) = delete;

    int templateId() const { return templateId_; }
    const std::string& title() const { return title_; }
    const std::vector<ControlDef>& table() const { return table_; }
    const ControlDef& def(int id) const;
    bool has(int id) const { return state_.count(id) != 0; }

    // Live control state. Changes made through the setters reach the view.
    const ControlState& control(int id) const;
    void setText(int id, std::string text);
    void setVisible(int id, bool visible);
    void setEnabled(int id, bool enabled);
    void setReadOnly(int id, bool readOnly);
    void setToolTip(int id, std::string text);
    void setItems(int id, std::vector<std::string> items);
    void addItem(int id, std::string item);
    void setSelection(int id, int index);
    void setChecked(int id, bool checked);
    // Checks a radio button and clears the other radio buttons of its group box.
    void checkRadio(int id);
    void setPosition(int id, int position);
    void setRange(int id, int low, int high);

    // Controls -> members. False (members partly updated, as the exchange stops at the first
    // invalid control) when a control holds a value its binding rejects.
    bool readControls();
    // Members -> controls.
    void writeBack();
    // The control that failed the last readControls(), 0 when it succeeded.
    int lastExchangeFailure() const { return lastFailure_; }

    // Called once when the dialog is shown, before the operator sees it.
    virtual void initialise() {}
    // A control was activated (button press, list change, radio or check box click, slider
    // moved, up-down step, edit text changed by the operator). Returns false when nothing handles
    // it. The Cancel command (Escape, close box) ends the dialog unless a handler takes it.
    bool command(int id);
    // A control that only changes the window or the dialog's data.
    void setHandler(int id, std::function<void()> handler);
    // A control that starts a procedure. Its outcome, with the texts the operator was shown while
    // it ran, is kept as lastOutcome().
    using Procedure = std::function<Outcome()>;
    void setProcedure(int id, Operator& op, Procedure procedure);
    // Runs `around` in place of the control's procedure, with the procedure to call (nothing
    // happens for a control without one).
    void wrapProcedure(int id, std::function<Outcome(const Procedure&)> around);
    // The outcome of the last procedure a control started; nothing before the first.
    const std::optional<Outcome>& lastOutcome() const { return lastOutcome_; }

    // Ends a modal run with `code`.
    void end(int code);
    bool ended() const { return ended_; }
    int endCode() const { return endCode_; }
    // Makes the dialog ready to be shown again.
    void resetEnd() { ended_ = false; }

    // The view's hook: called with a control id after its state changed. An id of 0 means the
    // dialog's own state (title, size) changed; kDialogGone that the model is being destroyed.
    void setObserver(std::function<void(int id)> observer) { observer_ = std::move(observer); }
    // The view reports an operator's edit without notifying itself back.
    ControlState& viewState(int id);

  protected:
    virtual void exchange(DataExchange& dx) = 0;
    void notify(int id);

  private:
    ControlState& mutableState(int id);

    int templateId_;
    std::string title_;
    std::vector<ControlDef> table_;
    std::map<int, ControlState> state_;
    struct Handler {
        std::function<void()> action;
        Procedure procedure;
    };
    std::map<int, Handler> handlers_;
    std::optional<Outcome> lastOutcome_;
    std::function<void(int)> observer_;
    bool ended_ = false;
    int endCode_ = 0;
    int lastFailure_ = 0;
};

// Shows `dialog` modally and returns what was done in it: the outcome of the last procedure one
// of its controls started, or completed when none was. An operator without windows gets the
// needs-the-console outcome and the dialog is not shown.
Outcome runDialog(Operator& op, DialogModel& dialog);
// What a dialog asked for where no window can be shown gives: the box saying so and the
// needs-the-console outcome.
Outcome needsConsole(Operator& op);

}  // namespace orvia
