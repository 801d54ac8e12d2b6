// A console run in which an adjustment dialog is opened from the main dialog and the camera
// traffic it caused; what the operator does to the controls is in operator_actions.h.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "console/dialog_model.h"
#include "console/main_dialog.h"
#include "console_rig.h"
#include "operator_actions.h"

namespace orvia::testing {

using Strings = std::vector<std::string>;

// Runs the console on `rig`; while the main dialog shows, `open` opens the dialog of
// `templateId` and `act` does what the operator does in it. Returns the camera traffic from the
// opening to the closing of the dialog.
inline Strings openDialog(ConsoleRig& rig, int templateId, const std::function<void()>& open,
                          const std::function<void(DialogModel&)>& act = {}) {
    Strings traffic;
    bool shown = false;
    rig.op.modalScripts[kMainTemplate] = [&](DialogModel&) {
        rig.recordStatus();
        const size_t from = rig.mark();
        open();
        traffic = rig.traffic(from);
    };
    rig.op.modalScripts[templateId] = [&](DialogModel& d) {
        shown = true;
        if (act) act(d);
    };
    EXPECT_EQ(rig.run(), 0);
    EXPECT_TRUE(shown) << "dialog " << templateId << " was not shown";
    return traffic;
}

// Runs `action` in the dialog and returns the camera traffic it caused.
inline Strings trafficOf(ConsoleRig& rig, const std::function<void()>& action) {
    const size_t from = rig.mark();
    action();
    return rig.traffic(from);
}

// Records every text control `id` of `d` shows from now on.
inline void recordTexts(DialogModel& d, int id, Strings& into) {
    d.setObserver([&d, id, &into](int changed) {
        if (changed == id) into.push_back(d.control(id).text);
    });
}

}  // namespace orvia::testing
