#include "dialogs/paf_cal_dialog.h"

#include <array>
#include <cstring>

#include "console/camera.h"
#include "console/diag_run.h"
#include "console/diags.h"
#include "console/operator.h"
#include "console/reporting.h"
#include "console/result_dialog.h"
#include "console/texts.h"
#include "dialogs/adjust_support.h"

namespace orvia {

namespace {

constexpr int kDistanceGroup = -70, kResultsGroup = -71;
constexpr int kStatusChars = 50;
constexpr int kUniformityParts = 4;
constexpr int32_t kDisplayOff = 1;
constexpr int32_t kDisplayMonitor = 2;
constexpr int32_t kPafDispOff = 1;
constexpr int32_t kPafDispOn = 2;

// The results list: its four first entries, by index, and the one appended at initialisation.
enum ResultKind { kResultUniformity, kResultDistance, kResultTemperature, kResultParallax };

std::vector<ControlDef> pafTable() {
    using namespace controls;
    using namespace idc::paf;
    return {
        button(kUniformity, "&Uniformity").at(0, 0),
        button(kParallax, "&Parallax").at(0, 1),
        button(kTemp1, "Temp &1").at(0, 2),
        button(kTemp2, "Temp &2").at(0, 3),
        groupBox(kDistanceGroup, "Distance Calibration").at(1, 0, 2),
        numberEdit(kDistance, 0, kPafDistanceMax).in(kDistanceGroup).at(0, 0),
        upDown(kDistanceStep, 0, kPafDistanceMax).in(kDistanceGroup).at(0, 1),
        button(kDistanceCal, "&Calibration").in(kDistanceGroup).at(0, 2),
        groupBox(kResultsGroup, "Calibration Results").at(1, 2, 2),
        list(kResults, {"Uniformity", "Distance", "Temparature", "Parallax"})
            .in(kResultsGroup)
            .at(0, 0),
        button(kGet, "&Get").in(kResultsGroup).at(0, 1),
        groupBox(kDispGroup, "PAF Disp.").hidden().at(2, 0, 2),
        radio(kDispOn, "&ON").hidden().in(kDispGroup).at(0, 0),
        radio(kDispOff, "O&FF").hidden().in(kDispGroup).at(0, 1),
        button(kUpDown, "Up/&Down Cal.").hidden().at(2, 2),
        label(kStatus).statusLine(kStatusChars).at(3, 0, 3),
        defaultButton(kIdOk, text::kOk).at(3, 3),
    };
}

}  // namespace

// One calibration button: its question, wait text, program, wait, heading, and whether it
// sends the distance first or reads the uniformity's four parts after.
struct PafCalDialog::Calibration {
    const char* question;
    const char* wait;
    int32_t diag;
    uint32_t waitSeconds;
    const char* heading;
    bool sendsDistance;
    bool uniformity;
};

namespace {
using Cal = PafCalDialog::Calibration;
const Cal kUniformityRun{text::kAskUniformity,
                         text::kWaitUniformity,
                         diag::kPafUniformity,
                         diag::kWaitCalibration,
                         text::kUniformityResults,
                         false,
                         true};
const Cal kDistanceRun{text::kAskDistance,
                       text::kWaitDistance,
                       diag::kPafDistance,
                       diag::kWaitPafShort,
                       text::kDistanceResults,
                       true,
                       false};
const Cal kParallaxRun{text::kAskParallax,
                       text::kWaitParallax,
                       diag::kPafParallax,
                       diag::kWaitPafShort,
                       text::kParallaxResults,
                       false,
                       false};
const Cal kTemp1Run{text::kAskTemp1,
                    text::kWaitTemp1,
                    diag::kPafTemp1,
                    diag::kWaitPafShort,
                    text::kTemp1Results,
                    false,
                    false};
const Cal kTemp2Run{text::kAskTemp2,
                    text::kWaitTemp2,
                    diag::kPafTemp2,
                    diag::kWaitPafShort,
                    text::kTemp2Results,
                    false,
                    false};
const Cal kUpDownRun{text::kAskUpDown,
                     text::kWaitUpDown,
                     diag::kPafUpDown,
                     diag::kWaitAdjustment,
                     text::kUpDownResults,
                     false,
                     false};
}  // namespace

PafCalDialog::PafCalDialog(DialogContext& ctx, bool evf)
    : DialogModel(kPafCalTemplate, text::kPafCalTitle, pafTable()), ctx_(ctx), evf_(evf) {
    using namespace idc::paf;
    const std::pair<int, const Calibration*> calibrations[] = {
        {kUniformity, &kUniformityRun}, {kDistanceCal, &kDistanceRun}, {kParallax, &kParallaxRun},
        {kTemp1, &kTemp1Run},           {kTemp2, &kTemp2Run},          {kUpDown, &kUpDownRun}};
    for (auto [id, run] : calibrations)
        setProcedure(id, ctx_.op, [this, run] { return calibrate(*run); });
    setProcedure(kGet, ctx_.op, [this] { return getStored(); });
    setProcedure(kDispOn, ctx_.op, [this] { return switchDisplay(true); });
    setProcedure(kDispOff, ctx_.op, [this] { return switchDisplay(false); });
    setHandler(kDistanceStep, [this] {
        distance += control(kDistanceStep).step;
        writeBack();
    });
}

void PafCalDialog::exchange(DataExchange& dx) {
    dx.number(idc::paf::kDistance, distance, 0, kPafDistanceMax);
    dx.selection(idc::paf::kResults, results);
}

void PafCalDialog::status(const char* text) {
    setText(idc::paf::kStatus, text);
    ctx_.op.refresh(*this);
}

void PafCalDialog::initialise() {
    using namespace idc::paf;
    writeBack();
    const int32_t mode = ctx_.camera.get_pafdisp_mode();
    if (mode == kPafDispOff) {
        checkRadio(kDispOff);
    } else if (mode == kPafDispOn) {
        checkRadio(kDispOn);
    } else if (mode <= 0) {
        status(text::kPafDispUnsupported);
    }
    for (int id : {kDispGroup, kDispOn, kDispOff, kUpDown})
        setVisible(id, true);
    addItem(kResults, text::kPafResultUpDown);
}

std::variant<std::string, Outcome> PafCalDialog::fetch(std::optional<int32_t> selector) {
    int32_t r = selector ? ctx_.camera.set_diag_long(*selector) : 0;
    std::array<char, kDiagTextBytes> buffer{};
    if (r == 0) r = ctx_.camera.get_diag_buffer(buffer.data());
    if (r != 0) return showError(ctx_, r);
    return std::string(buffer.data(), strnlen(buffer.data(), buffer.size()));
}

std::variant<std::string, Outcome> PafCalDialog::fetchUniformity() {
    std::string text;
    for (int part = 0; part < kUniformityParts; ++part) {
        std::variant<std::string, Outcome> p = fetch(paf_selector::kUniformity + part);
        if (std::holds_alternative<Outcome>(p)) return p;
        text += std::get<std::string>(p);
    }
    return text;
}

Outcome PafCalDialog::showFetched(const char* heading, std::variant<std::string, Outcome> fetched) {
    if (std::holds_alternative<Outcome>(fetched)) return std::get<Outcome>(std::move(fetched));
    showResult(ctx_.op, heading, std::get<std::string>(fetched));
    return Outcome::completed();
}

Outcome PafCalDialog::calibrate(const Calibration& c) {
    if (!c.uniformity) readControlsOrPrompt(*this, ctx_.op);
    if (!ctx_.op.askYesNo(c.question)) return Outcome::declined(c.question);
    status(c.wait);
    WaitCursor busy(ctx_.op);
    int32_t r = c.sendsDistance ? ctx_.camera.set_diag_long(distance) : 0;
    if (r == 0) r = ctx_.camera.execute_diag(c.diag);
    if (r != 0) {
        status(text::kStatusIdle);
        return showError(ctx_, r);
    }
    waitReady(ctx_.camera, ctx_.clock, c.waitSeconds);
    status(text::kStatusIdle);
    ctx_.camera.get_diag_long();
    return showFetched(c.heading, c.uniformity ? fetchUniformity() : fetch(std::nullopt));
}

Outcome PafCalDialog::getStored() {
    readControlsOrPrompt(*this, ctx_.op);
    const std::vector<std::string>& items = control(idc::paf::kResults).items;
    if (results >= 0 && static_cast<size_t>(results) < items.size() &&
        items[static_cast<size_t>(results)] == text::kPafResultUpDown) {
        return showFetched(text::kUpDownResults, fetch(paf_selector::kUpDown));
    }
    switch (results) {
        case kResultUniformity:
            return showFetched(text::kUniformityResults, fetchUniformity());
        case kResultDistance:
            if (const int32_t r = ctx_.camera.set_diag_long(distance); r != 0)
                return showError(ctx_, r);
            return showFetched(text::kDistanceResults, fetch(paf_selector::kDistance));
        case kResultTemperature:
            return showFetched(text::kTemperatureResults, fetch(paf_selector::kTemperature));
        case kResultParallax:
            return showFetched(text::kParallaxResults, fetch(paf_selector::kParallax));
        default:
            return Outcome::completed();  // the list always has a selection
    }
}

Outcome PafCalDialog::switchDisplay(bool on) {
    status(text::kStatusIdle);
    const int32_t selected = selectDisplayDevice(ctx_, evf_);
    int32_t r = ctx_.camera.control_lcd(on ? kDisplayMonitor : kDisplayOff, 0);
    if (r != 0) {
        Outcome failure = showError(ctx_, r);
        writeBack();
        return failure;
    }
    waitReady(ctx_.camera, ctx_.clock, diag::kWaitAdjustment);
    r = ctx_.camera.set_pafdisp_mode(on ? kPafDispOn : kPafDispOff);
    if (r != 0) return showError(ctx_, r);
    status(on ? text::kPafDispOnDone : text::kPafDispOffDone);
    writeBack();
    return keepEarlierFailure(ctx_, selected, Outcome::completed());
}

Outcome openPafCalDialog(DialogContext& ctx, bool evf) {
    PafCalDialog dialog(ctx, evf);
    return runDialog(ctx.op, dialog);
}

}  // namespace orvia
