// The identity a camera presents to a PC: the vendor, product, revision and serial number texts
// of its USB storage device, the repair-service form of the serial number, and its MAC address.
// Each handler reads the main dialog's data, checks what the operator typed before anything is
// sent, and writes each field with its own diagnostic program.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "console/dialog_context.h"
#include "console/outcome.h"

namespace orvia {

class MainDialog;
struct AppState;

// The repair sites of list 1136, in list order, with their three-character codes.
struct RepairSite {
    const char* name;
    const char* code;
};
const std::vector<RepairSite>& repairSites();
std::vector<std::string> repairSiteNames();
// The position of "OTHERS", chosen for a prefix that names no site.
inline constexpr int32_t kOtherSite = 24;

// Characters of the serial number: 30 in repair mode, 14 for the one model that has them, else
// 12.
size_t serialLength(const AppState& state);

// Writes the date of `now` ("%y%m%d", local time) into characters 12-17 of `prefix` and the days
// since 2001-01-01 00:00 local time ("%03X", its first three characters) into characters
// 18-20. `prefix` must hold at least 21 characters.
void stampSerialPrefix(std::string& prefix, std::time_t now);

// The handlers of the USB Storage group, the repair-service serial controls and the MAC
// Address group.
Outcome readUsbIds(DialogContext& ctx, MainDialog& d);         // 1062
Outcome writeAllUsbIds(DialogContext& ctx, MainDialog& d);     // 1063
Outcome writeVendor(DialogContext& ctx, MainDialog& d);        // 1066
Outcome writeProduct(DialogContext& ctx, MainDialog& d);       // 1071
Outcome writeRevision(DialogContext& ctx, MainDialog& d);      // 1068
Outcome writeSerial(DialogContext& ctx, MainDialog& d);        // 1070
Outcome readRepairSerial(DialogContext& ctx, MainDialog& d);   // 1079
void composeSerialPrefix(DialogContext& ctx, MainDialog& d);   // 1136
Outcome writeRepairSerial(DialogContext& ctx, MainDialog& d);  // 1083
Outcome readMacAddress(DialogContext& ctx, MainDialog& d);     // 1055
Outcome writeMacAddress(DialogContext& ctx, MainDialog& d);    // 1056

}  // namespace orvia
