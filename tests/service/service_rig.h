// Choosing Test list entries and pressing service controls on the console rig.
#pragma once

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "console/main_dialog.h"
#include "console/result_dialog.h"
#include "console_rig.h"

namespace orvia::testing {

using Strings = std::vector<std::string>;

// What one operation sent and left.
struct Outcome {
    Strings traffic;
    int32_t selection = -1;  // the Test list's selection afterwards
    uint32_t tookMs = 0;     // on the virtual clock
};

// Runs the console; in the main dialog runs `before`, then `act`, and records the traffic, the
// status line and the time of `act`.
inline Outcome runInDialog(ConsoleRig& rig, const std::function<void(MainDialog&)>& act,
                           const std::function<void(MainDialog&)>& before = {}) {
    Outcome out;
    rig.op.modalScripts[kMainTemplate] = [&](DialogModel& model) {
        auto& d = static_cast<MainDialog&>(model);
        if (before) before(d);
        rig.recordStatus();
        const size_t from = rig.mark();
        const uint32_t start = rig.clock.tickMs();
        act(d);
        out.tookMs = rig.clock.tickMs() - start;
        out.traffic = rig.traffic(from);
        out.selection = d.control(idc::kTest).selection;
    };
    EXPECT_EQ(rig.run(), 0);
    return out;
}

// Selects the Test list's entry `position` and lets the list report the change.
inline void selectTest(MainDialog& d, int position) {
    d.setSelection(idc::kTest, position);
    d.command(idc::kTest);
}

// The position of `entry` in the Test list (-1: absent).
inline int positionOf(MainDialog& d, const std::string& entry) {
    const auto& items = d.control(idc::kTest).items;
    const auto at = std::find(items.begin(), items.end(), entry);
    return at == items.end() ? -1 : static_cast<int>(at - items.begin());
}

// Runs the console and chooses `entry` of the Test list.
inline Outcome chooseTest(ConsoleRig& rig, const std::string& entry,
                          const std::function<void(MainDialog&)>& before = {}) {
    return runInDialog(
        rig,
        [&](MainDialog& d) {
            const int at = positionOf(d, entry);
            ASSERT_GE(at, 0) << entry;
            selectTest(d, at);
        },
        before);
}

// The heading and text of the result windows shown after the main dialog.
struct ResultShown {
    std::string heading, text;
    bool operator==(const ResultShown&) const = default;
};

inline std::vector<ResultShown> resultWindows(const ConsoleRig& rig) {
    std::vector<ResultShown> out;
    for (const OperatorEvent* e : rig.op.dialogs()) {
        if (e->templateId != kResultTemplate) continue;
        out.push_back({e->controls.at(kResultHeading), e->controls.at(kResultText)});
    }
    return out;
}

inline camsim::FaultRule refuse(int op, int code, int nth = 1) {
    return {.fault = camsim::Fault::Dc1, .op = op, .code = code, .nth = nth, .times = 0};
}

}  // namespace orvia::testing
