// The camera's side of the console's adjustment dialogs for video output, batteries, the
// production lens adjustment and the key records, and the profiles of the camera types that
// have them.
//
// addSetupRecords fills a profile with:
// - the analogue video gain record (code 261): two words, the camera's and the cradle's level in
//   the camera's code (0..60 for 0..30, 197..255 for -30..-1), both level 0; the connection
//   value (code 260) stays as the profile has it (1 camera, 2 cradle);
// - the battery type (value code 168) and the battery information record (code 167, 22 bytes);
// - the production lens adjustment record (code 209) and its size (value code 242): 16 bytes,
//   eight 16-bit values, for layout A; 28 bytes for layout B, the types of lensLayoutBTypes();
// - the two key records (code 203, 724 bytes; code 204, 136 bytes).
// Data sends replace the records, so a read after a write returns what was written.
//
// BatteryModel gives code 167 the record of the kind the host wrote to the diagnostic word
// (code 32) before its fetch, 1 or 2.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "camsim/camera.h"
#include "camsim/profile.h"

namespace camsim {

inline constexpr int kCodeVideoGain = 261;
inline constexpr int kCodeBatteryType = 168;
inline constexpr int kCodeLensAdjRecord = 209;
inline constexpr int kCodeLensAdjSize = 242;
inline constexpr int kCodeKey1 = 203;
inline constexpr int kCodeKey2 = 204;
inline constexpr size_t kBatteryInfoBytes = 22;

// Types whose lens adjustment record has layout B; the other lens adjustment types have A.
const std::vector<std::string>& lensLayoutBTypes();
// Every type with a lens adjustment record, and the key provisioning type.
const std::vector<std::string>& lensAdjustmentTypes();
inline constexpr char kKeyProvisioningType[] = "YRK10";

// The battery information records of kind 1 and kind 2 that the camera reports unless told
// otherwise.
std::vector<uint8_t> defaultBatteryInfo(int kind);

// Adds the records above to `profile`, for its type, keeping those it already holds.
void addSetupRecords(Profile& profile);
// The default profile for camera type `type`, with its setup records.
Profile setupProfile(const std::string& type);

class BatteryModel {
  public:
    // Installs the behaviour on `camera` after any hooks already installed. The behaviour stays
    // with the camera when this object goes away.
    explicit BatteryModel(Camera& camera);

    // The record served for `kind` (1 or 2) from now on.
    void setInfo(int kind, std::vector<uint8_t> record);

  private:
    std::shared_ptr<std::map<int, std::vector<uint8_t>>> records_;
};

}  // namespace camsim
