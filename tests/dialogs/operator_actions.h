// What the operator does to a dialog's controls, as the view reports it to the model, and a
// run of the console in which a dialog is opened from the main dialog.
#pragma once

#include <cmath>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "console/dialog_model.h"
#include "console/main_dialog.h"
#include "console/outcome.h"
#include "console_rig.h"

namespace orvia::testing {

// The boxes shown while a procedure ran, each as "<kind>: <text>" ("error: Set Lens data
// failure !"), so that a test states the icon with the text.
inline std::vector<std::string> boxesOf(const Outcome& outcome) {
    std::vector<std::string> boxes;
    for (const ShownMessage& m : outcome.messages)
        boxes.push_back(std::string(messageKindName(m.kind)) + ": " + m.text);
    return boxes;
}

// The number measured as `name`; NaN when the outcome has none.
inline double measured(const Outcome& outcome, std::string_view name) {
    const Measurement* m = outcome.value(name);
    return m != nullptr && m->number ? *m->number : std::nan("");
}

inline void type(DialogModel& d, int id, const std::string& text) {
    d.viewState(id).text = text;
    d.command(id);
}
inline void step(DialogModel& d, int id, int delta) {
    d.viewState(id).step = delta;
    d.command(id);
}
// A slider let go at `position` (or stepped there by a key or click).
inline void slide(DialogModel& d, int id, int position) {
    d.viewState(id).position = position;
    d.viewState(id).dragging = false;
    d.command(id);
}
// A slider's handle dragged to `position` and still held.
inline void drag(DialogModel& d, int id, int position) {
    d.viewState(id).position = position;
    d.viewState(id).dragging = true;
    d.command(id);
}
inline void click(DialogModel& d, int id, bool checked) {
    d.viewState(id).checked = checked;
    d.command(id);
}
inline void choose(DialogModel& d, int id) {
    d.checkRadio(id);
    d.command(id);
}
inline void select(DialogModel& d, int id, int index) {
    d.viewState(id).selection = index;
    d.command(id);
}

// Runs the console; while the main dialog shows, `open` opens the modal dialog of `templateId`
// and `act` does what the operator does in it.
inline void withDialog(ConsoleRig& rig, int templateId,
                       const std::function<void(DialogModel& main)>& open,
                       const std::function<void(DialogModel&)>& act) {
    rig.op.modalScripts[kMainTemplate] = open;
    bool ran = false;
    rig.op.modalScripts[templateId] = [&](DialogModel& d) {
        ran = true;
        act(d);
    };
    ASSERT_EQ(rig.run(), 0);
    EXPECT_TRUE(ran) << "dialog " << templateId << " was not shown";
}

// The same with the dialog opened by a main-dialog button, which must be showing.
inline void withButton(ConsoleRig& rig, int button, int templateId,
                       const std::function<void(DialogModel&)>& act) {
    withDialog(
        rig, templateId,
        [button](DialogModel& main) {
            ASSERT_TRUE(main.control(button).visible);
            main.command(button);
        },
        act);
}

}  // namespace orvia::testing
