// Video gain (template 153): the analogue video output level of the camera ("Dsc") and of its
// cradle, each from -30 to +30 on a slider whose top is +30, with "up" and "down" buttons two
// levels at a time and the "92%WHITE" test pattern. Both levels go to the camera together after
// every change the operator makes, except while a slider is being dragged.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "console/dialog_context.h"
#include "console/dialog_model.h"
#include "console/outcome.h"

namespace orvia {

namespace vg {
inline constexpr int kTemplate = 153;
inline constexpr int kCameraGroup = 1160;
inline constexpr int kCameraSlider = 1147;
inline constexpr int kCameraUp = 1148;
inline constexpr int kCameraDown = 1149;
inline constexpr int kCameraText = 1162;
inline constexpr int kCameraNumber = 1150;
inline constexpr int kCradleGroup = 1161;
inline constexpr int kCradleSlider = 1152;
inline constexpr int kCradleUp = 1153;
inline constexpr int kCradleDown = 1154;
inline constexpr int kCradleText = 1163;
inline constexpr int kCradleNumber = 1155;
inline constexpr int kWhite92 = 1166;
// Slider positions: the top (+30) is 0, the bottom (-30) is 60.
inline constexpr int32_t kPositionMax = 60;
}  // namespace vg

// The camera's code of a level: 2 x level for 0..30, 2 x level + 257 for -30..-1.
int32_t videoGainCode(int32_t level);
// The level a camera code stands for, limited to -30..30 (255 reads -1, 61 reads -30).
int32_t videoGainLevel(int32_t code);
// The text shown for slider position p: "30" ... "01", "00", "-01" ... "-30".
std::string videoLevelText(int32_t position);

class VideoGainDialog final : public DialogModel {
  public:
    // `viewfinder`: the main dialog's EVF check box, which picks the display the test pattern
    // goes to.
    VideoGainDialog(DialogContext& ctx, bool viewfinder);

    // One channel's slider position (0..60), level (30 - position) and level text.
    struct Channel {
        int32_t position = 30;
        int32_t level = 0;
        std::string text;
    };
    Channel camera;
    Channel cradle;
    // The camera's connection value (1 camera, 2 cradle), -1 when the levels could not be read.
    int32_t connection = 0;

    // Reads the connection and the levels, and enables the channels the connection has.
    void initialise() override;
    // Turns the display off when the dialog leaves it on; called once the window has closed.
    // Nothing when the display is off; otherwise the failure, after its box.
    std::optional<Outcome> closeDisplay();

  protected:
    void exchange(DataExchange& dx) override;

  private:
    Outcome onSlider(Channel& channel, int slider);
    Outcome onStep(Channel& channel, int32_t delta);
    void onNumber(Channel& channel);
    // Moves the channel to `position` and shows it; sends both levels when `send`.
    Outcome move(Channel& channel, int32_t position, bool send);
    // Sends both levels; the outcome holds them as "dsc_video_level" and "cradle_video_level".
    Outcome send();
    Outcome showWhite92();

    DialogContext& ctx_;
    bool viewfinder_;
};

// Opens the video gain dialog (the Maintenance button of the video gain type) and turns the
// display off after it closes. Returns the outcome of the last action taken in it, or the
// failure to turn the display off after it.
Outcome openVideoGainDialog(DialogContext& ctx, bool viewfinder);

}  // namespace orvia
