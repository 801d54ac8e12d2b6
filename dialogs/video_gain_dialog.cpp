#include "dialogs/video_gain_dialog.h"

#include <algorithm>

#include "console/camera.h"
#include "console/diag_run.h"
#include "console/diags.h"
#include "console/format.h"
#include "console/operator.h"
#include "console/reporting.h"
#include "console/texts.h"

namespace orvia {

namespace {

using diag::kVideoLevelMax;

// One channel's controls and the labels of its slider's scale.
struct ChannelIds {
    int group;
    const char* caption;
    int slider, up, down, text, number;
    int top, middle, bottom;
};

constexpr ChannelIds kCameraIds = {vg::kCameraGroup,
                                   text::kDscLevel,
                                   vg::kCameraSlider,
                                   vg::kCameraUp,
                                   vg::kCameraDown,
                                   vg::kCameraText,
                                   vg::kCameraNumber,
                                   -1,
                                   -2,
                                   -3};
constexpr ChannelIds kCradleIds = {vg::kCradleGroup,
                                   text::kCradleLevel,
                                   vg::kCradleSlider,
                                   vg::kCradleUp,
                                   vg::kCradleDown,
                                   vg::kCradleText,
                                   vg::kCradleNumber,
                                   -4,
                                   -5,
                                   -6};

constexpr int kSliderTick = 10;
constexpr int kSliderPage = 1;  // a click beside the handle moves one level

// A channel in its group box: the slider between its scale labels, "up", the level text and
// "down" beside it, and the level as a number (hidden once the dialog shows).
void addChannel(std::vector<ControlDef>& t, const ChannelIds& c, int column) {
    using namespace controls;
    const int g = c.group;
    t.push_back(groupBox(g, c.caption).at(0, column));
    t.push_back(label(c.top, text::kSliderTop).in(g).at(0, 0));
    t.push_back(label(c.middle, text::kSliderMiddle).in(g).at(1, 0));
    t.push_back(label(c.bottom, text::kSliderBottom).in(g).at(2, 0));
    // Position 0 (+30) at the top, where the scale says "30".
    t.push_back(slider(c.slider, 0, vg::kPositionMax, kSliderTick)
                    .lowAtTop()
                    .pageStep(kSliderPage)
                    .in(g)
                    .at(0, 1, 1, 3));
    t.push_back(button(c.up, text::kLevelUp).in(g).at(0, 2));
    t.push_back(readOnlyEdit(c.text).in(g).at(1, 2));
    t.push_back(button(c.down, text::kLevelDown).in(g).at(2, 2));
    t.push_back(edit(c.number).in(g).at(3, 2));
}

std::vector<ControlDef> videoGainTable() {
    std::vector<ControlDef> t;
    addChannel(t, kCameraIds, 0);
    addChannel(t, kCradleIds, 1);
    t.push_back(controls::button(vg::kWhite92, text::kWhite92).at(1, 0, 2));
    return t;
}

}  // namespace

int32_t videoGainCode(int32_t level) {
    return level >= 0 ? 2 * level : 2 * level + diag::kVideoCodeNegative;
}

int32_t videoGainLevel(int32_t code) {
    const int32_t level = code >= 0 && code <= 2 * kVideoLevelMax
                              ? code / 2
                              : -((diag::kVideoCodeTop - code) / 2) - 1;
    return std::clamp(level, -kVideoLevelMax, kVideoLevelMax);
}

std::string videoLevelText(int32_t position) {
    const int32_t level = kVideoLevelMax - position;
    return level >= 0 ? format(text::kVideoLevelFormat, level)
                      : format(text::kNegativeLevelFormat, -level);
}

VideoGainDialog::VideoGainDialog(DialogContext& ctx, bool viewfinder)
    : DialogModel(vg::kTemplate, text::kVideoGainTitle, videoGainTable()),
      ctx_(ctx),
      viewfinder_(viewfinder) {
    using namespace vg;
    Operator& op = ctx_.op;
    setProcedure(kCameraSlider, op, [this] { return onSlider(camera, kCameraSlider); });
    setProcedure(kCradleSlider, op, [this] { return onSlider(cradle, kCradleSlider); });
    setProcedure(kCameraUp, op, [this] { return onStep(camera, -diag::kVideoLevelButtonStep); });
    setProcedure(kCameraDown, op, [this] { return onStep(camera, diag::kVideoLevelButtonStep); });
    setProcedure(kCradleUp, op, [this] { return onStep(cradle, -diag::kVideoLevelButtonStep); });
    setProcedure(kCradleDown, op, [this] { return onStep(cradle, diag::kVideoLevelButtonStep); });
    // The hidden number fields move a channel without sending.
    setHandler(kCameraNumber, [this] { onNumber(camera); });
    setHandler(kCradleNumber, [this] { onNumber(cradle); });
    setProcedure(kWhite92, op, [this] { return showWhite92(); });
}

void VideoGainDialog::exchange(DataExchange& dx) {
    using namespace vg;
    dx.position(kCameraSlider, camera.position);
    dx.position(kCradleSlider, cradle.position);
    dx.text(kCameraText, camera.text);
    dx.text(kCradleText, cradle.text);
    dx.number(kCameraNumber, camera.level, -kVideoLevelMax, kVideoLevelMax);
    dx.number(kCradleNumber, cradle.level, -kVideoLevelMax, kVideoLevelMax);
}

void VideoGainDialog::initialise() {
    using namespace vg;
    connection = ctx_.camera.connection_state();
    int32_t codes[2] = {0, 0};
    if (ctx_.camera.get_analog_video_gain(codes) != 0) connection = -1;
    const bool cameraChannel = connection == diag::kConnectionCamera;
    const bool cradleChannel = connection == diag::kConnectionCradle;
    for (int id : {kCameraGroup, kCameraSlider, kCameraUp, kCameraDown})
        setEnabled(id, cameraChannel);
    for (int id : {kCradleGroup, kCradleSlider, kCradleUp, kCradleDown})
        setEnabled(id, cradleChannel);
    move(camera, kVideoLevelMax - videoGainLevel(codes[0]), false);
    move(cradle, kVideoLevelMax - videoGainLevel(codes[1]), false);
    setVisible(kCameraNumber, false);
    setVisible(kCradleNumber, false);
}

Outcome VideoGainDialog::onSlider(Channel& channel, int slider) {
    readControls();
    const int32_t position = std::clamp(channel.position, 0, vg::kPositionMax);
    // The level follows a dragged handle and goes to the camera when it is let go. A position
    // outside the slider's range is held at its end and not sent.
    const bool dragging = control(slider).dragging;
    return move(channel, position, !dragging && position == channel.position);
}

Outcome VideoGainDialog::onStep(Channel& channel, int32_t delta) {
    readControls();
    const int32_t end = delta < 0 ? 0 : vg::kPositionMax;
    if (channel.position == end) return Outcome::completed();
    return move(channel, std::clamp(channel.position + delta, 0, vg::kPositionMax), true);
}

void VideoGainDialog::onNumber(Channel& channel) {
    if (!readControls()) return;
    move(channel, kVideoLevelMax - channel.level, false);
}

Outcome VideoGainDialog::move(Channel& channel, int32_t position, bool send) {
    channel.position = position;
    channel.level = kVideoLevelMax - position;
    channel.text = videoLevelText(position);
    writeBack();
    return send ? this->send() : Outcome::completed();
}

Outcome VideoGainDialog::send() {
    WaitCursor busy(ctx_.op);
    readControls();
    const int32_t levels[2] = {kVideoLevelMax - camera.position, kVideoLevelMax - cradle.position};
    const int32_t codes[2] = {videoGainCode(levels[0]), videoGainCode(levels[1])};
    if (const int32_t r = ctx_.camera.set_analog_video_gain(codes); r != 0)
        return showError(ctx_, r);
    Outcome outcome;
    outcome.measure("dsc_video_level", levels[0]).measure("cradle_video_level", levels[1]);
    return outcome;
}

Outcome VideoGainDialog::showWhite92() {
    WaitCursor busy(ctx_.op);
    Camera& cam = ctx_.camera;
    const int32_t state = cam.get_lcd();
    if (state == diag::kDisplayNone) return showFailure(ctx_.op, text::kLcdNotAvailable);
    int32_t selected = 0;
    if (state != diag::kDisplayPlay) {
        selected = selectDisplayDevice(ctx_, viewfinder_);
        if (const int32_t r = cam.control_lcd(diag::kDisplayPlay, 0); r != 0)
            return showError(ctx_, r);
        waitReady(cam, ctx_.clock, diag::kWaitDisplayState);
    }
    if (const int32_t r = cam.diag_lcd_disp(diag::kPatternWhite92); r != 0)
        return showError(ctx_, r);
    waitReady(cam, ctx_.clock, diag::kWaitDisplayState);
    return keepEarlierFailure(ctx_, selected, Outcome::completed());
}

std::optional<Outcome> VideoGainDialog::closeDisplay() {
    Camera& cam = ctx_.camera;
    const int32_t state = cam.get_lcd();
    if (state == diag::kDisplayNone || state == diag::kDisplayOff) return std::nullopt;
    if (const int32_t r = cam.control_lcd(diag::kDisplayOff, 0); r != 0) return showError(ctx_, r);
    waitReady(cam, ctx_.clock, diag::kWaitDisplayState);
    return std::nullopt;
}

Outcome openVideoGainDialog(DialogContext& ctx, bool viewfinder) {
    VideoGainDialog dialog(ctx, viewfinder);
    Outcome outcome = runDialog(ctx.op, dialog);
    if (outcome.ending == Ending::NeedsConsole) return outcome;  // the dialog was never shown
    std::optional<Outcome> closing = dialog.closeDisplay();
    return closing && outcome.ending == Ending::Completed ? *closing : outcome;
}

}  // namespace orvia
