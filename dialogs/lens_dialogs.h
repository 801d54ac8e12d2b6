// The lens unit's three modal dialogs: the aperture and its Hall-element sensor's gain and
// offset, the lens data (PI switch and Delta SB, or the second pulse value), and the keystone
// zoom step taken before the keystone calibration.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "console/dialog_context.h"
#include "console/dialog_model.h"
#include "console/outcome.h"

namespace orvia {

inline constexpr int kHallCalTemplate = 139;
inline constexpr int kLensDataTemplate = 144;
inline constexpr int kKeystoneTemplate = 148;

namespace idc::lens {
inline constexpr int kOpen = 1069;
inline constexpr int kClose = 1070;
inline constexpr int kGainRough = 1096;
inline constexpr int kGainFine = 1097;
inline constexpr int kOffsetRough = 1098;
inline constexpr int kOffsetFine = 1099;
inline constexpr int kStatus = 1087;
inline constexpr int kFirstLabel = 1132;
inline constexpr int kPiSwitch = 1124;
inline constexpr int kSecondLabel = 1133;
inline constexpr int kDeltaSb = 1125;
inline constexpr int kSecondPulse = 1126;
inline constexpr int kWide = 1130;
inline constexpr int kTele = 1131;
}  // namespace idc::lens

// Items of the Hall combo boxes: "-10" ... "  0" ... "+10"; index = value + 10.
const std::vector<std::string>& hallItems();
inline constexpr int32_t kHallOffset = 10;

// "Hall element calibration": reports only in its status line. A refused step is the failure of
// its procedure, with its status text as the reason.
class HallCalDialog final : public DialogModel {
  public:
    explicit HallCalDialog(DialogContext& ctx);
    void initialise() override;

    int32_t gainRough = -1, gainFine = -1, offsetRough = -1, offsetFine = -1;

  protected:
    void exchange(DataExchange& dx) override;

  private:
    struct Step;
    Outcome run(const Step& step, int32_t value);
    void status(const char* text);

    DialogContext& ctx_;
};

// Lens data modes: the PI switch and Delta SB pair, or the second pulse as "Group 2 offset" or
// as "Zoom Adjustment Data".
inline constexpr int32_t kLensPair = 0;
inline constexpr int32_t kLensGroup2Offset = 1;
inline constexpr int32_t kLensZoomAdjustment = 2;

// "Lens data Dialog" in one of the three modes, kept for its life.
class LensDataDialog final : public DialogModel {
  public:
    LensDataDialog(DialogContext& ctx, int32_t mode);
    void initialise() override;

    uint32_t piSwitch = 0;
    uint32_t deltaSb = 0;
    int32_t secondPulse = 0;

  protected:
    void exchange(DataExchange& dx) override;

  private:
    // Sends the values; the outcome records what was sent, or the first refused call.
    Outcome set();

    DialogContext& ctx_;
    int32_t mode_;
};

// "KeyStone Cal.": the zoom to its wide or tele step; ends with OK when the camera took it.
class KeystoneDialog final : public DialogModel {
  public:
    explicit KeystoneDialog(DialogContext& ctx);

  protected:
    void exchange(DataExchange&) override {}

  private:
    Outcome zoom(int32_t step);

    DialogContext& ctx_;
};

// The main dialog's "Hall Cal." button. Returns the outcome of the last step taken in it.
Outcome openHallCalDialog(DialogContext& ctx);
// The Test list entry "Lens Data", in the camera's lens data kind; `mode` for other callers.
// Returns the outcome of the last "&Set".
Outcome openLensDataDialog(DialogContext& ctx);
Outcome openLensDataDialog(DialogContext& ctx, int32_t mode);
// Before the Test list's keystone calibration: for cameras of the keystone variant the zoom
// dialog. Nothing when the calibration may go on (no dialog needed, or the zoom step was taken);
// otherwise why not: the refused zoom step, the dialog closed without a step (declined), or an
// operator without windows.
std::optional<Outcome> zoomBeforeKeystoneCalibration(DialogContext& ctx);

}  // namespace orvia
