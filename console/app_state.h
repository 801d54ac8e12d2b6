// Process-wide state of the console: start-up values, the service-ID record, the camera type and
// the capability flags the main dialog derives from it.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "console/build_identity.h"

namespace orvia {

inline constexpr int32_t kStartNormal = 0;
inline constexpr int32_t kStartBoot = 1;
inline constexpr int32_t kStartUpload = 2;

// The camera's service-ID record: stamp day, technician ID, and the previous pair.
struct ServiceIdRecord {
    std::array<uint16_t, 4> w{};
};

// Set while the main dialog initialises and read by the handlers of the dialog's controls.
struct Capabilities {
    int32_t pafMode = 0;
    int32_t hasBackrushPulse = 0;
    int32_t hasInfinityCal = 0;
    int32_t hasKeystoneCal = 0;
    int32_t keystoneVariant = 0;
    int32_t hasPixelMap = 0;
    int32_t hasBatteryInfo = 0;
    int32_t hasBatteryType = 0;
    int32_t hasLensData = 0;
    int32_t lensDataKind = 0;
    int32_t hasMaintenance = 0;
    int32_t hasShadingAdj = 0;
    int32_t testVariant = 0;
    int32_t hasTemplateChk = 0;
    // Set by the test menu, identity and region set-ups. The full Test menu is offered unless
    // the repair-service build reduces it.
    int32_t fullTestMenu = 1;
    int32_t repairSiteMode = 0;
    int32_t factoryCodeFamily = 0;
};

struct AppState {
    int32_t oemMode = 0;
    // A port and link speed chosen by the caller (the command-line tool); 0 leaves the choice to
    // start-up: the port the OEM mode gives, the fastest speed that opens the session.
    int32_t requestedPort = 0;
    int32_t requestedSpeed = 0;
    int32_t startMode = kStartNormal;
    int32_t languageQueryKind = -1;
    int32_t serviceIdActive = -1;
    ServiceIdRecord serviceIdRecord;
    int32_t firmwareUpdated = 0;
    // The camera type text as the main dialog read it (at most 64 characters).
    std::string cameraType;
    // Second number of the LCD type answer; -1 when the camera reports none.
    int32_t lcdSubType = -1;
    Capabilities caps;
    // The link library's build identity as start-up read it: only when the service-ID library
    // did not load (otherwise empty). Other build checks read it through the Host.
    BuildIdentity linkBuild;
    // The production lens adjustment's read-back button is offered: granted by a link library
    // build without a PrivateBuild value, and kept for the rest of the run.
    bool lensReadBackAllowed = false;
};

}  // namespace orvia
