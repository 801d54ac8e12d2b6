// The Test list of the main dialog: choosing an entry runs its test at once. The dispatcher reads
// the display state, finds the entry's action by the list's order of checks (by position, by the
// entry's text, some only for cameras that have the feature) and runs it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "console/outcome.h"

namespace orvia {

struct Capabilities;
struct DialogContext;
class MainDialog;

// What a Test list entry does.
enum class TestAction {
    None,  // reduced list: nothing but a refresh
    Monitor,
    Off,
    Play,
    PlayMulti9,
    PlayNext,
    PlayRev,
    AdjData,
    CamInfo,
    CcdDefect,
    CcdBlack,
    EisAdj,
    EisCheck,
    SetApply,
    SetDefault,
    AfLed,
    AllVersion,
    ShadingAdj,
    YShadingAdj,
    TrackingAdj,
    PixelMap,
    TemplateChk,
    YcShading,
    SensWbCal,
    ShadingReset,
    InfinityCal,
    KeystoneCal,
    BatteryInfo,
    BatteryType,
    LensData,
    ZoomCal,
    OelAcl,
    Pattern,  // a display pattern, numbered by the entry's position
};

// The action of the entry at `selection` of `items`: the first check of the full list (or, when
// `caps.fullTestMenu` is 0, of the reduced list) that claims it. A check by text claims the entry
// when the first entry beginning with that text (ignoring case) is the selected one.
TestAction chooseTestAction(const std::vector<std::string>& items, int32_t selection,
                            const Capabilities& caps, int32_t lcdType);

// Runs the selected entry of the Test list (the list's selection-change handler).
Outcome onTestSelChange(MainDialog& dialog);

// A diagnostic program whose text is shown under `heading` in the result window: the wait status,
// the start (a refusal ends with the error box), a wait of up to `limitSeconds`, the idle status
// and the result window.
Outcome runTimedDiagTest(DialogContext& ctx, int32_t diag, uint32_t limitSeconds,
                         const std::string& heading);

}  // namespace orvia
