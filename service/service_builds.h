// The two service builds of the link library, named by its PrivateBuild value: the repair-service
// build ("Westrand") turns the serial-number controls into the repair-service form and reduces
// the Test list; the locked build ("TELMO") locks most of the console. The main dialog runs the
// set-ups while it initialises, for the camera families they serve.
#pragma once

#include <string_view>

#include "console/build_identity.h"
#include "console/dialog_context.h"

namespace orvia {

class MainDialog;

// True when the library file's PrivateBuild value is `name`. A file without a version block, or
// a block without the value, is no service build.
bool isServiceBuild(const BuildIdentity& identity, std::string_view name);

// The repair-service form of the serial number, the Westrand build's locks and reduced Test
// list, and the tool tips.
void repairServiceSetup(DialogContext& ctx, MainDialog& d);
// The TELMO build's locks and Test list, and the tool tips; nothing on any other build.
void lockedServiceSetup(DialogContext& ctx, MainDialog& d);
// Gives each control that has a tool tip text its tip.
void installToolTips(MainDialog& d);

}  // namespace orvia
