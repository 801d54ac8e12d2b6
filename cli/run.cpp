#include "cli/run.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <utility>

#include "cli/exit_status.h"
#include "cli/run_texts.h"
#include "cli/station.h"
#include "console/format.h"
#include "console/station_log.h"
#include "console/texts.h"

namespace orvia::cli {
namespace {

using Json = nlohmann::ordered_json;

// What the tool says when it refuses before any camera is touched: on standard error, and as
// the JSON object when one was asked for.
int refuse(const std::string& command, int status, const std::string& error, bool json) {
    std::fprintf(stderr, "%s\n", error.c_str());
    if (json) {
        Json out;
        out["schema"] = kJsonSchema;
        out["command"] = command;
        out["status"] = status;
        out["ok"] = false;
        out["error"] = error;
        CliOperator::printJson(out);
    }
    return status;
}

Json numberOrNull(const std::optional<double>& n) {
    return n ? Json(*n) : Json(nullptr);
}

std::string measuredText(const Measurement& m) {
    return m.number ? jsonNumber(*m.number) + (m.unit.empty() ? "" : " " + m.unit) : m.text;
}

Json limitsJson(const std::vector<LimitCheck>& checks) {
    Json out = Json::array();
    for (const LimitCheck& c : checks) {
        Json l;
        l["value"] = c.limit.value;
        l["low"] = numberOrNull(c.limit.low);
        l["high"] = numberOrNull(c.limit.high);
        if (c.limit.equalsText) {
            l["equals"] = *c.limit.equalsText;
        } else {
            l["equals"] = numberOrNull(c.limit.equalsNumber);
        }
        if (!c.measured) {
            l["measured"] = nullptr;
        } else if (c.measured->number) {
            l["measured"] = *c.measured->number;
        } else {
            l["measured"] = c.measured->text;
        }
        l["held"] = c.held;
        out.push_back(std::move(l));
    }
    return out;
}

// Why a step with these limits did not pass although its procedure did: the first limit broken.
std::string brokenLimit(const std::vector<LimitCheck>& checks) {
    for (const LimitCheck& c : checks) {
        if (c.held) continue;
        if (!c.measured)
            return format(text::kLimitNotMeasuredReason, c.limit.value.c_str(),
                          describe(c.limit).c_str());
        return format(text::kLimitReason, c.limit.value.c_str(), measuredText(*c.measured).c_str(),
                      describe(c.limit).c_str());
    }
    return {};
}

Json parametersJson(const std::vector<std::pair<std::string, std::string>>& parameters) {
    Json out = Json::object();
    for (const auto& [name, value] : parameters)
        out[name] = value;
    return out;
}

Json technicianJson(const std::optional<uint16_t>& technician) {
    return technician ? Json(*technician) : Json(nullptr);
}

}  // namespace

RecipeRun::RecipeRun(Recipe recipe, const Options& options, std::unique_ptr<UnitStore> store,
                     std::string storeName)
    : recipe_(std::move(recipe)),
      options_(options),
      store_(std::move(store)),
      storeName_(std::move(storeName)) {
    record_.runId = newRunId();
    record_.station = stationHostName();
    record_.tool = "qorctl";
    record_.toolVersion = toolVersion();
    record_.recipeName = recipe_.name;
    record_.recipeSha256 = recipe_.sha256;
    record_.startedMs = wallTimeMs();
}

UnitRecord RecipeRun::record() const {
    const std::lock_guard<std::mutex> hold(lock_);
    return record_;
}

Outcome RecipeRun::run(CalibrationApp& app, CliOperator& op, const std::function<bool()>& stopped) {
    const StationIdentity id = readStationIdentity(app.camera());
    {
        const std::lock_guard<std::mutex> hold(lock_);
        reached_ = true;
        record_.cameraType = id.cameraType;
        record_.serial = id.serial;
        record_.firmwareBefore = id.firmware;
        record_.firmwareAfter = id.firmware;
        if (app.state().serviceIdActive == 1) record_.technician = app.state().serviceIdRecord.w[1];
    }
    bool interrupted = false;
    for (size_t i = 0; i < recipe_.steps.size(); ++i) {
        if (stopped()) {
            interrupted = true;
            break;
        }
        runStep(app, op, i);
        const StepRecord& step = record_.steps.back();
        if (!step.passed && recipe_.steps[i].onFailure == OnFailure::Stop) {
            if (!options_.json && i + 1 < recipe_.steps.size())
                std::printf(text::kRunStopped, i + 1);
            break;
        }
    }
    if (firstFailure_) {
        const StepRecord& failed = record_.steps[*firstFailure_];
        Outcome o;
        o.ending = firstFailureOutcome_.ending;
        o.linkResult = firstFailureOutcome_.linkResult;
        o.judgement =
            failed.status == kExitOutOfLimits ? Judgement::Ng : firstFailureOutcome_.judgement;
        o.reason = format(text::kStepFailed, static_cast<size_t>(failed.index),
                          failed.label.c_str(), failed.reason.c_str());
        status_ = failed.status;
        return o;
    }
    Outcome o = Outcome::completed();
    if (interrupted) o.ending = Ending::Interrupted;
    for (const StepRecord& s : record_.steps) {
        if (s.judgement == Judgement::Pass || !s.limits.empty()) o.judgement = Judgement::Pass;
    }
    status_ = exitFor(o);
    return o;
}

void RecipeRun::runStep(CalibrationApp& app, CliOperator& op, size_t index) {
    const RecipeStep& step = recipe_.steps[index];
    Options o = options_;
    o.args = step.command.args;
    o.param = step.command.param;
    o.waitSeconds = step.command.waitSeconds;
    o.expectVersion = step.command.expectVersion;
    if (!options_.json)
        std::printf(text::kStepBegins, index + 1, recipe_.steps.size(), step.label.c_str());
    std::fflush(stdout);

    StepRecord s;
    s.index = static_cast<int>(index + 1);
    s.label = step.label;
    s.procedure = procedureOf(o);
    s.parameters = parametersOf(o);
    s.startedMs = wallTimeMs();
    const CliOperator::Mark since = op.mark();
    Station station(app, op, o);
    const Outcome outcome = station.run();
    s.status = station.status(outcome);
    s.endedMs = wallTimeMs();
    s.limits = checkLimits(step.limits, outcome);
    const std::string broken = brokenLimit(s.limits);
    if (s.status == kExitOk && !broken.empty()) s.status = kExitOutOfLimits;
    s.passed = s.status == kExitOk;
    s.ending = outcome.ending;
    s.judgement = outcome.judgement;
    s.linkResult = outcome.linkResult;
    s.values = outcome.values;
    if (!s.passed) s.reason = s.status == kExitOutOfLimits ? broken : resultTextOf(outcome);
    printStep(op, s, outcome, since);
    if (log_) {
        StationRecord r;
        r.startedMs = s.startedMs;
        r.endedMs = s.endedMs;
        r.tool = {record_.tool, record_.toolVersion, record_.station};
        r.technician = record_.technician;
        r.cameraType = record_.cameraType;
        r.serial = record_.serial;
        r.firmware = record_.firmwareAfter;
        r.procedure = s.procedure;
        r.parameters = s.parameters;
        r.outcome = outcome;
        if (s.status == kExitOutOfLimits) {
            r.outcome.judgement = Judgement::Ng;
            r.outcome.reason = s.reason;
        }
        log_(r);
    }
    if (!s.passed && !firstFailure_) {
        firstFailure_ = record_.steps.size();
        firstFailureOutcome_ = outcome;
    }
    const std::lock_guard<std::mutex> hold(lock_);
    // A firmware upload leaves the version the camera reports afterwards.
    if (o.args[0] == "upload" && o.args[1] == "firmware") {
        const Measurement* after = outcome.value("firmware_after");
        record_.firmwareAfter = after != nullptr ? after->text : std::string();
    }
    record_.steps.push_back(std::move(s));
}

void RecipeRun::printStep(CliOperator& op, const StepRecord& s, const Outcome& outcome,
                          CliOperator::Mark since) {
    if (options_.json) {
        Json out = op.object("run", s.status, outcome, since);
        out["event"] = "step";
        out["index"] = s.index;
        out["label"] = s.label;
        out["procedure"] = s.procedure;
        out["limits"] = limitsJson(s.limits);
        if (!s.passed) out["error"] = s.reason;
        CliOperator::printJson(out);
    } else {
        for (const LimitCheck& c : s.limits) {
            const std::string limit = describe(c.limit);
            if (!c.measured) {
                std::printf(text::kLimitNotMeasured, c.limit.value.c_str(), limit.c_str());
            } else {
                std::printf(c.held ? text::kLimitHeld : text::kLimitBroken, c.limit.value.c_str(),
                            measuredText(*c.measured).c_str(), limit.c_str());
            }
        }
        std::printf(text::kStepEnds, static_cast<size_t>(s.index), s.label.c_str(),
                    s.passed ? text::kVerdictPassed : s.reason.c_str(), s.status);
    }
    std::fflush(stdout);
    op.takeFields();  // the step's own fields are in its line, not in the summary
}

bool RecipeRun::store(int status, const Outcome& outcome) {
    const std::lock_guard<std::mutex> hold(lock_);
    if (!reached_ || !store_) return false;
    record_.endedMs = wallTimeMs();
    record_.status = status;
    record_.verdict = outcome.ending == Ending::Interrupted ? Verdict::Interrupted
                      : status == kExitOk                   ? Verdict::Passed
                                                            : Verdict::Failed;
    try {
        // A record already stored (by storeInterrupted()) is kept as it is.
        store_->save(record_);
        return true;
    } catch (const UnitStoreError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return false;
    }
}

void RecipeRun::storeInterrupted(const Outcome& outcome) {
    store(exitFor(outcome), outcome);
}

int RecipeRun::finish(CliOperator& op, int status, const Outcome& outcome) {
    const bool recorded = store(status, outcome);
    if (reached_ && store_ && !recorded && status == kExitOk) status = kExitBadFile;
    const UnitRecord r = record();
    size_t passed = 0;
    for (const StepRecord& s : r.steps)
        passed += s.passed ? 1 : 0;
    const size_t ran = r.steps.size();
    op.takeFields();
    op.field("recipe", recipe_.name);
    op.field("recipe_sha256", recipe_.sha256);
    op.field("run_id", r.runId);
    op.field("serial", r.serial);
    op.field("camera_type", r.cameraType);
    op.field("firmware_before", r.firmwareBefore);
    op.field("firmware_after", r.firmwareAfter);
    op.field("technician", technicianJson(r.technician));
    op.field("steps", recipe_.steps.size());
    op.field("passed", passed);
    op.field("failed", ran - passed);
    op.field("skipped", recipe_.steps.size() - ran);
    // A unit whose record could not be stored is not reported as passed.
    op.field("verdict",
             verdictName(status != kExitOk && r.verdict == Verdict::Passed ? Verdict::Failed
                                                                           : r.verdict));
    op.field("database", recorded ? Json(storeName_) : Json(nullptr));
    if (options_.json) {
        Json out = op.object("run", status, outcome);
        out["event"] = "summary";
        if (status != kExitOk && !outcome.reason.empty()) out["error"] = outcome.reason;
        CliOperator::printJson(out);
    } else if (status != kExitOk && !outcome.reason.empty()) {
        std::fflush(stdout);
        std::fprintf(stderr, "%s\n", outcome.reason.c_str());
    }
    return status;
}

namespace {

// The unit store the options name, or the default one.
std::string storePath(const Options& o) {
    return o.db ? *o.db : defaultUnitDatabase();
}

}  // namespace

std::unique_ptr<RecipeRun> prepareRecipeRun(const Options& o, int& refusal) {
    if (o.args.size() != 2) {
        refusal = refuse(
            "run", kExitUsage,
            format(text::kCliBadArgument, o.args.size() < 2 ? "run" : o.args[2].c_str()), o.json);
        return nullptr;
    }
    auto loaded = loadRecipe(o.args[1]);
    if (const std::string* error = std::get_if<std::string>(&loaded)) {
        refusal = refuse("run", kExitUsage, *error, o.json);
        return nullptr;
    }
    const std::string path = storePath(o);
    try {
        auto store = std::make_unique<SqliteUnitStore>(path);
        return std::make_unique<RecipeRun>(std::get<Recipe>(std::move(loaded)), o, std::move(store),
                                           path);
    } catch (const UnitStoreError& e) {
        refusal = refuse("run", kExitBadFile, e.what(), o.json);
        return nullptr;
    }
}

int showHistory(const Options& o) {
    if (o.args.size() != 2)
        return refuse(
            "history", kExitUsage,
            format(text::kCliBadArgument, o.args.size() < 2 ? "history" : o.args[2].c_str()),
            o.json);
    const std::string& serial = o.args[1];
    const std::string path = storePath(o);
    std::vector<UnitRecord> runs;
    try {
        // Asking about a database that is not there creates none.
        if (!std::filesystem::exists(path))
            throw UnitStoreError(format(text::kStoreUnusable, path.c_str(), std::strerror(ENOENT)));
        runs = SqliteUnitStore(path).history(serial);
    } catch (const UnitStoreError& e) {
        return refuse("history", kExitBadFile, e.what(), o.json);
    }
    if (!o.json) {
        if (runs.empty()) std::printf(text::kHistoryNone, serial.c_str(), path.c_str());
        for (const UnitRecord& r : runs) {
            std::printf(text::kHistoryRun, utcText(r.startedMs).c_str(), r.station.c_str(),
                        r.cameraType.c_str(), verdictName(r.verdict), r.recipeName.c_str(),
                        r.firmwareBefore.c_str(), r.firmwareAfter.c_str(), r.runId.c_str());
            for (const StepRecord& s : r.steps) {
                std::printf(text::kHistoryStep, s.index, s.label.c_str(),
                            s.passed ? text::kVerdictPassed : text::kVerdictFailed,
                            s.reason.c_str());
            }
        }
        return kExitOk;
    }
    Json out;
    out["schema"] = kJsonSchema;
    out["command"] = "history";
    out["status"] = kExitOk;
    out["ok"] = true;
    out["error"] = nullptr;
    out["serial"] = serial;
    out["runs"] = Json::array();
    for (const UnitRecord& r : runs) {
        Json run;
        run["run_id"] = r.runId;
        run["station"] = r.station;
        run["tool"] = r.tool;
        run["tool_version"] = r.toolVersion;
        run["technician"] = technicianJson(r.technician);
        run["recipe"] = r.recipeName;
        run["recipe_sha256"] = r.recipeSha256;
        run["camera_type"] = r.cameraType;
        run["serial"] = r.serial;
        run["firmware_before"] = r.firmwareBefore;
        run["firmware_after"] = r.firmwareAfter;
        run["started"] = utcText(r.startedMs);
        run["ended"] = utcText(r.endedMs);
        run["status"] = r.status;
        run["verdict"] = verdictName(r.verdict);
        run["steps"] = Json::array();
        for (const StepRecord& s : r.steps) {
            Json step;
            step["index"] = s.index;
            step["label"] = s.label;
            step["procedure"] = s.procedure;
            step["parameters"] = parametersJson(s.parameters);
            step["status"] = s.status;
            step["ok"] = s.passed;
            step["ending"] = endingName(s.ending);
            step["judgement"] = judgementName(s.judgement);
            step["link_result"] = s.linkResult;
            step["error"] = s.passed ? Json(nullptr) : Json(s.reason);
            step["values"] = valuesJson(s.values);
            step["limits"] = limitsJson(s.limits);
            step["started"] = utcText(s.startedMs);
            step["ended"] = utcText(s.endedMs);
            run["steps"].push_back(std::move(step));
        }
        out["runs"].push_back(std::move(run));
    }
    CliOperator::printJson(out);
    return kExitOk;
}

}  // namespace orvia::cli
