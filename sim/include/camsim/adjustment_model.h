// The camera's side of the adjustment dialogs.
//
// addAdjustmentRecords fills a profile with consistent records for them: the organic-EL ELD
// record (48 bytes, its size reported by value 163), the Hall element information (aperture
// open), the lens data pair and second pulse, the error history (information 4, 35 bytes) and
// counters (information 5, 28 bytes), and the PAF display mode (off).
//
// AdjustmentModel adds the behaviour around them to one camera:
// - the level and ACL programs (61-68, 72, 73) store the diagnostic word into their ELD word;
// - the aperture program (55) stores it as the aperture state, the Hall gain and offset
//   programs (56-59) as their Hall words;
// - a PAF result selector written to the diagnostic word puts that result's text into the
//   diagnostic buffer.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "camsim/camera.h"
#include "camsim/profile.h"

namespace camsim {

inline constexpr int kCodeEldInfo = 163;
inline constexpr int kCodeHallInfo = 157;
inline constexpr int kCodeLensData = 169;
inline constexpr int kCodeSecondPulse = 187;
inline constexpr int kCodeInfo4 = 155;
inline constexpr int kCodeInfo5 = 156;
inline constexpr int kCodePafDisplay = 154;
inline constexpr int kCodeStepZoom = 211;

// Adds the adjustment records and values to `profile`, keeping those it already holds.
void addAdjustmentRecords(Profile& profile);

// An organic-EL camera: `lcdAnswer` 7 is LCD type 6, 16 is type 15.
Profile organicElProfile(int32_t lcdAnswer = 7);
// An organic-EL camera whose ELD record is larger than the console's block: 64 bytes.
Profile oversizedEldProfile();
// A camera whose error history has `info4Size` bytes (35 passes the console's size test, 36
// holds a fourth entry and does not).
Profile errorHistoryProfile(int32_t info4Size);

class AdjustmentModel {
  public:
    // Installs the behaviour on `camera`, calling any hooks already installed as well.
    explicit AdjustmentModel(Camera& camera);
    ~AdjustmentModel();

    // Text served from the diagnostic buffer after `selector` was written to the diagnostic
    // word. Every PAF selector has a text of its own to begin with.
    void setPafResult(int32_t selector, const std::string& text);

    struct State;

  private:
    std::shared_ptr<State> state_;
};

}  // namespace camsim
