// Every dialog of the program, by name, with a way to build it on a dialog context. The dialog
// checks (a sound control table, a view that mirrors the model) run over this list, so a dialog
// added here is checked with the rest.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "console/dialog_context.h"
#include "console/dialog_model.h"

namespace orvia {

struct DialogEntry {
    const char* name;
    std::function<std::unique_ptr<DialogModel>(DialogContext&)> make;
};

const std::vector<DialogEntry>& dialogRegistry();

}  // namespace orvia
