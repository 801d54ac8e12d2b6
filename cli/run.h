// `qorctl run RECIPE`: a recipe's steps on one camera in one session, each step's outcome held
// against its limits, the unit's record stored; and `qorctl history SERIAL`, the records of one
// camera.
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "cli/cli_operator.h"
#include "cli/options.h"
#include "cli/recipe.h"
#include "cli/unit_store.h"
#include "console/app.h"
#include "console/outcome.h"
#include "console/station_log.h"

namespace orvia::cli {

class RecipeRun {
  public:
    // `store` may be null: the run then keeps no record.
    RecipeRun(Recipe recipe, const Options& options, std::unique_ptr<UnitStore> store,
              std::string storeName);

    // Gives each step's station log record to `log` as the step ends (a step whose values are
    // outside their limits is recorded as judged NG).
    void logStepsTo(std::function<void(const StationRecord&)> log) { log_ = std::move(log); }

    // Runs the steps on the open session, in order, until one fails that stops the recipe or
    // `stopped` answers true between steps. Returns the run's outcome: the first failed step's
    // (ending, link result, judgement, and why), or completed.
    Outcome run(CalibrationApp& app, CliOperator& op, const std::function<bool()>& stopped);
    // The run's exit status: the first failed step's, 0 when none failed.
    int status() const { return status_; }

    // Stores the unit record (when the camera was reached) and prints the summary: fields on
    // standard output, or the summary object with --json. Returns the exit status: `status`,
    // or kExitBadFile when a run that otherwise passed could not be stored.
    int finish(CliOperator& op, int status, const Outcome& outcome);

    // Stores the record of a run that a signal ends before its steps do (from the thread that
    // saw the signal, while a step may still be running); prints nothing.
    void storeInterrupted(const Outcome& outcome);

    // The record so far.
    UnitRecord record() const;

  private:
    void runStep(CalibrationApp& app, CliOperator& op, size_t index);
    // Completes the record with the run's end; returns whether it was stored.
    bool store(int status, const Outcome& outcome);
    void printStep(CliOperator& op, const StepRecord& step, const Outcome& outcome,
                   CliOperator::Mark since);

    // Guards the record and the store, which storeInterrupted() uses from another thread.
    mutable std::mutex lock_;
    Recipe recipe_;
    Options options_;
    std::unique_ptr<UnitStore> store_;
    std::string storeName_;
    UnitRecord record_;
    bool reached_ = false;
    int status_ = 0;
    std::optional<size_t> firstFailure_;  // index into record_.steps
    Outcome firstFailureOutcome_;
    std::function<void(const StationRecord&)> log_;
};

// Reads the recipe and opens the unit store that `qorctl run` needs before any camera is
// touched. What is wrong is printed (and the JSON object, with --json) and its status set in
// `refusal`; null is returned then.
std::unique_ptr<RecipeRun> prepareRecipeRun(const Options& options, int& refusal);

// `qorctl history SERIAL`: every run of the camera in the unit store; returns the exit status.
int showHistory(const Options& options);

}  // namespace orvia::cli
