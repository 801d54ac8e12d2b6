// What qorctl does once the camera session is open: one command (info, get, set, diag,
// calibrate, upload, test) run through the console's procedures, its outcome and exit status,
// and how the station log names it.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "cli/cli_operator.h"
#include "cli/options.h"
#include "console/app.h"
#include "console/outcome.h"

namespace orvia::cli {

class Station {
  public:
    Station(CalibrationApp& app, CliOperator& op, const Options& o) : app_(app), op_(op), o_(o) {}

    // The command's outcome.
    Outcome run();
    // The exit status of the command that gave `outcome`.
    int status(const Outcome& outcome) const;

  private:
    Outcome usage(const std::string& what);
    Outcome procedure(const std::function<Outcome()>& run);
    Outcome info();
    Outcome value(bool set);
    Outcome diag();
    Outcome calibrate();
    Outcome checkVersion(Outcome outcome);
    Outcome upload();
    Outcome test();

    CalibrationApp& app_;
    CliOperator& op_;
    const Options& o_;
    bool usageError_ = false;
    bool wrongVersion_ = false;
};

// The named values of get and set, for the help text.
std::vector<std::string> namedValues();

// The procedure a command runs, as the station log names it: the command, with the calibration
// or the kind of upload.
std::string procedureOf(const Options& o);
// The command's words and options by name, for the station log.
std::vector<std::pair<std::string, std::string>> parametersOf(const Options& o);

}  // namespace orvia::cli
