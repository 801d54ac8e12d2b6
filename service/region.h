// The "Setting" group of the main dialog: the Language, Video Mode, Factory Code and Lang. number
// lists. Each writes its camera setting as soon as the operator changes the selection. Which
// factory codes the list offers depends on the camera's factory code family.
#pragma once

#include <string>
#include <vector>

#include "console/dialog_context.h"
#include "console/outcome.h"

namespace orvia {

class MainDialog;

// The lists as the dialog template holds them.
const std::vector<std::string>& languageItems();
const std::vector<std::string>& videoModeItems();
const std::vector<std::string>& templateFactoryCodes();
const std::vector<std::string>& langNumberItems();

// Fills the Factory Code and Lang. number lists for the camera in hand, selects its current
// factory code and sets the factory code family (left at 0 when the template list stays).
void fillRegionLists(DialogContext& ctx, MainDialog& dialog);

// Selection changes.
Outcome changeFactoryCode(DialogContext& ctx, MainDialog& dialog);
Outcome changeLanguage(DialogContext& ctx, MainDialog& dialog);
Outcome changeVideoMode(DialogContext& ctx, MainDialog& dialog);
Outcome changeLangNumber(DialogContext& ctx, MainDialog& dialog);

}  // namespace orvia
