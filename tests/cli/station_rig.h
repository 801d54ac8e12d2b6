// qorctl's session on a simulated camera: the application started as qorctl starts it, with the
// tool's own operator (JSON, so nothing but the objects is printed).
#pragma once

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "cli/cli_operator.h"
#include "cli/options.h"
#include "cli/station.h"
#include "console_rig.h"

namespace orvia::cli {

struct StationRig {
    explicit StationRig(camsim::Profile profile) : rig(std::move(profile)) {
        if (!app.startUp("")) throw std::runtime_error("no session");
        app.mainWindow()->initialise();
        op.attach(app.context(), *app.mainWindow());
    }

    // Runs the command `words` with `options`; returns its exit status and keeps its outcome.
    int run(std::vector<std::string> words, Options options = {}) {
        options.args = std::move(words);
        options.yes = true;
        Station station(app, op, options);
        outcome = station.run();
        return station.status(outcome);
    }

    testing::ConsoleRig rig;
    CliOperator op{true, true, false};
    CalibrationApp app{rig.link, rig.clock, op, rig.host};
    Outcome outcome;
};

}  // namespace orvia::cli
