// Recipe runs on a simulated camera and a virtual clock: each step's verdict against its limits,
// what a failed step does to the rest, the run's status, and the unit record kept in SQLite.
#include "cli/run.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>

#include "camsim/calibration_diags.h"
#include "cli/exit_status.h"
#include "station_rig.h"

namespace orvia::cli {
namespace {

using testing::profileFor;

std::string scratchFolder() {
    const std::string dir = std::filesystem::temp_directory_path() / "orvia_run_test";
    std::filesystem::create_directories(dir);
    return dir;
}

Recipe recipeOf(const std::string& text) {
    const std::string path = scratchFolder() + "/recipe.toml";
    std::ofstream(path) << text;
    auto loaded = loadRecipe(path);
    if (auto* error = std::get_if<std::string>(&loaded)) throw std::runtime_error(*error);
    return std::get<Recipe>(std::move(loaded));
}

// A fresh database file.
std::string database(const std::string& name) {
    const std::string path = scratchFolder() + "/" + name;
    std::filesystem::remove(path);
    return path;
}

// A recipe run on a camera whose focus result reports `afDiff`.
struct RunRig : StationRig {
    explicit RunRig(int32_t afDiff = -3) : StationRig(profileFor("ZR510")) {
        rig.model.setResult(camsim::kDiagFocus, camsim::focusResultText(afDiff, std::nullopt));
    }

    // Runs `recipe` until `stopAfter` steps have run; returns the exit status.
    int run(const std::string& recipe, const std::string& db, size_t stopAfter = 100) {
        Options o;
        o.json = true;
        o.yes = true;
        RecipeRun r(recipeOf(recipe), o, std::make_unique<SqliteUnitStore>(db), db);
        outcome = r.run(app, op, [&r, stopAfter] { return r.record().steps.size() >= stopAfter; });
        const int status = r.finish(op, r.status(), outcome);
        record = r.record();
        return status;
    }

    UnitRecord record;
};

const char* const kFocusThenMore = R"(name = "focus line"
[[step]]
do = "calibrate"
what = "focus"
limits = { af_diff = [-10, 10] }
on_failure = "%s"
[[step]]
do = "set"
name = "timezone"
value = 9
limits = { timezone = %d }
[[step]]
do = "info"
)";

// A value outside its limits fails its step with its own status; the recipe stops there or
// goes on as the step says, and the run ends with the first failed step's status.
TEST(RecipeRun, AValueOutsideItsLimitsFailsTheStepAndTheRun) {
    struct Case {
        int32_t afDiff;
        const char* onFailure;
        int timezone;  // the limit on the value set (9)
        int status;
        std::vector<int> stepStatuses;
        Verdict verdict;
    };
    const Case cases[] = {
        {-3, "stop", 9, kExitOk, {0, 0, 0}, Verdict::Passed},
        {10, "stop", 9, kExitOk, {0, 0, 0}, Verdict::Passed},  // the limit's end is inside
        {40, "stop", 9, kExitOutOfLimits, {kExitOutOfLimits}, Verdict::Failed},
        {40, "continue", 9, kExitOutOfLimits, {kExitOutOfLimits, 0, 0}, Verdict::Failed},
        {-3, "stop", 8, kExitOutOfLimits, {0, kExitOutOfLimits}, Verdict::Failed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.afDiff) + " " + c.onFailure + " " +
                     std::to_string(c.timezone));
        RunRig s(c.afDiff);
        char recipe[1024];
        std::snprintf(recipe, sizeof recipe, kFocusThenMore, c.onFailure, c.timezone);
        EXPECT_EQ(s.run(recipe, database("limits.sqlite")), c.status);
        std::vector<int> statuses;
        for (const StepRecord& step : s.record.steps)
            statuses.push_back(step.status);
        EXPECT_EQ(statuses, c.stepStatuses);
        EXPECT_EQ(s.record.verdict, c.verdict);
        EXPECT_EQ(s.outcome.passed(), c.status == kExitOk);
        if (c.status != kExitOk) {
            // The run says which step failed and why, in the values' own terms.
            EXPECT_NE(s.outcome.reason.find("is outside its limits"), std::string::npos)
                << s.outcome.reason;
            EXPECT_EQ(s.outcome.judgement, Judgement::Ng);
        }
    }
}

// A step whose procedure fails keeps its own status; a value it did not measure fails its limit.
TEST(RecipeRun, AFailedProcedureKeepsItsStatusAndUnmeasuredValuesFailTheirLimits) {
    RunRig s;
    const int status = s.run(R"([[step]]
do = "test"
entry = "No Such Entry"
on_failure = "continue"
[[step]]
do = "get"
name = "timezone"
limits = { awb_r_gain = [0.9, 1.1] }
)",
                             database("failed.sqlite"));
    ASSERT_EQ(s.record.steps.size(), 2u);
    EXPECT_EQ(s.record.steps[0].status, kExitUsage);
    EXPECT_EQ(s.record.steps[0].ending, Ending::Failed);
    EXPECT_EQ(status, kExitUsage);
    EXPECT_EQ(s.record.steps[1].status, kExitOutOfLimits);
    ASSERT_EQ(s.record.steps[1].limits.size(), 1u);
    EXPECT_FALSE(s.record.steps[1].limits[0].measured.has_value());
    EXPECT_NE(s.record.steps[1].reason.find("awb_r_gain was not measured"), std::string::npos);
}

// Stopped between steps: the run ends there, recorded as interrupted, never as passed.
TEST(RecipeRun, AStoppedRunIsRecordedAsInterrupted) {
    RunRig s;
    const std::string db = database("stopped.sqlite");
    const int status = s.run("[[step]]\ndo = \"info\"\n[[step]]\ndo = \"info\"\n", db, 1);
    EXPECT_EQ(status, kExitInterrupted);
    EXPECT_EQ(s.record.steps.size(), 1u);
    const auto runs = SqliteUnitStore(db).history(s.record.serial);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].verdict, Verdict::Interrupted);
    EXPECT_EQ(runs[0].status, kExitInterrupted);
}

// The unit record: who, where, what recipe, which camera, the firmware before and after an
// upload, each step with its values, limits and verdict; read back as it was written.
TEST(RecipeRun, TheUnitRecordIsStoredWholeAndReadBack) {
    RunRig s;
    s.rig.host.serviceId.present = true;
    s.rig.host.serviceId.technician = 4711;
    const std::string firmware = scratchFolder() + "/FW_1.03.0020.BIN";
    std::ofstream(firmware, std::ios::binary) << "VERSION=1.03.0020\r\n" << std::string(4000, 'f');
    const std::string db = database("units.sqlite");
    const int status = s.run(R"(name = "firmware line"
[[step]]
do = "upload"
kind = "firmware"
file = "FW_1.03.0020.BIN"
expect_version = "1.03.0020"
[[step]]
do = "calibrate"
what = "focus"
limits = { af_diff = [-10, 10], af_missing = 1 }
on_failure = "continue"
)",
                             db);
    EXPECT_EQ(status, kExitOutOfLimits);
    const auto runs = SqliteUnitStore(db).history(s.record.serial);
    ASSERT_EQ(runs.size(), 1u);
    const UnitRecord& r = runs[0];
    EXPECT_EQ(r.serial, s.record.serial);
    EXPECT_EQ(r.runId, s.record.runId);
    EXPECT_EQ(r.runId.size(), 36u);
    EXPECT_EQ(r.recipeName, "firmware line");
    EXPECT_EQ(r.recipeSha256.size(), 64u);
    EXPECT_EQ(r.tool, "qorctl");
    EXPECT_FALSE(r.station.empty());
    EXPECT_EQ(r.technician, s.record.technician);
    EXPECT_EQ(r.cameraType, "ZR510");
    EXPECT_EQ(r.firmwareBefore, "1.02.0017");
    EXPECT_EQ(r.firmwareAfter, "1.03.0020");
    EXPECT_EQ(r.status, kExitOutOfLimits);
    EXPECT_EQ(r.verdict, Verdict::Failed);
    EXPECT_LE(r.startedMs, r.endedMs);
    ASSERT_EQ(r.steps.size(), 2u);
    EXPECT_TRUE(r.steps[0].passed);
    EXPECT_EQ(r.steps[0].procedure, "upload firmware");
    ASSERT_NE(r.steps[0].values.size(), 0u);
    ASSERT_EQ(r.steps[0].values.size(), s.record.steps[0].values.size());
    for (size_t i = 0; i < r.steps[0].values.size(); ++i) {
        const Measurement &got = r.steps[0].values[i], &ran = s.record.steps[0].values[i];
        EXPECT_EQ(got.name, ran.name);
        EXPECT_EQ(got.number, ran.number);
        EXPECT_EQ(got.text, ran.text);
        EXPECT_EQ(got.unit, ran.unit);
    }
    const StepRecord& focus = r.steps[1];
    EXPECT_FALSE(focus.passed);
    EXPECT_EQ(focus.status, kExitOutOfLimits);
    ASSERT_EQ(focus.limits.size(), 2u);
    EXPECT_EQ(focus.limits[0].limit.value, "af_diff");
    EXPECT_EQ(focus.limits[0].limit.low, -10);
    EXPECT_EQ(focus.limits[0].limit.high, 10);
    EXPECT_TRUE(focus.limits[0].held);
    EXPECT_EQ(focus.limits[0].measured->number, -3);
    EXPECT_EQ(focus.limits[1].limit.value, "af_missing");
    EXPECT_EQ(focus.limits[1].limit.equalsNumber, 1);
    EXPECT_FALSE(focus.limits[1].held);
    EXPECT_FALSE(focus.limits[1].measured.has_value());
}

// A store that refuses every record.
class RefusingStore final : public UnitStore {
  public:
    void save(const UnitRecord&) override { throw UnitStoreError("disk full"); }
    std::vector<UnitRecord> history(const std::string&) override { return {}; }
};

// A unit that passed but whose record could not be stored is never reported as passed.
TEST(RecipeRun, ARecordThatCannotBeStoredFailsARunThatPassed) {
    RunRig s;
    Options o;
    o.json = true;
    RecipeRun r(recipeOf("[[step]]\ndo = \"info\"\n"), o, std::make_unique<RefusingStore>(),
                "refusing");
    const Outcome outcome = r.run(s.app, s.op, [] { return false; });
    ASSERT_EQ(r.status(), kExitOk);
    EXPECT_EQ(r.finish(s.op, r.status(), outcome), kExitBadFile);
}

// The unit database's place: $XDG_DATA_HOME when it is an absolute path, else under $HOME.
TEST(UnitStore, TheDefaultDatabaseFollowsTheDataHome) {
    const char* home = std::getenv("HOME");
    const char* data = std::getenv("XDG_DATA_HOME");
    const std::string savedHome = home != nullptr ? home : "";
    const std::string savedData = data != nullptr ? data : "";
    struct Case {
        const char* dataHome;  // null: unset
        const char* expected;
    };
    const Case cases[] = {
        {"/srv/line", "/srv/line/orvia/units.sqlite"},
        {nullptr, "/home/tech/.local/share/orvia/units.sqlite"},
        {"relative", "/home/tech/.local/share/orvia/units.sqlite"},
    };
    setenv("HOME", "/home/tech", 1);
    for (const Case& c : cases) {
        if (c.dataHome != nullptr) {
            setenv("XDG_DATA_HOME", c.dataHome, 1);
        } else {
            unsetenv("XDG_DATA_HOME");
        }
        EXPECT_EQ(defaultUnitDatabase(), c.expected);
    }
    setenv("HOME", savedHome.c_str(), 1);
    if (data != nullptr) {
        setenv("XDG_DATA_HOME", savedData.c_str(), 1);
    } else {
        unsetenv("XDG_DATA_HOME");
    }
}

// The schema is versioned: a new file is migrated, an opened one is not migrated again, a file
// from a newer program is refused rather than written into.
TEST(UnitStore, TheSchemaIsMigratedOnceAndANewerOneIsRefused) {
    const std::string db = database("schema.sqlite");
    { EXPECT_EQ(SqliteUnitStore(db).schemaVersion(), kUnitSchemaVersion); }
    { EXPECT_EQ(SqliteUnitStore(db).schemaVersion(), kUnitSchemaVersion); }
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(db.c_str(), &raw), SQLITE_OK);
    int rows = 0;
    sqlite3_exec(
        raw, "SELECT COUNT(*) FROM schema_version",
        [](void* n, int, char** v, char**) { return *static_cast<int*>(n) = std::atoi(v[0]), 0; },
        &rows, nullptr);
    EXPECT_EQ(rows, kUnitSchemaVersion);
    sqlite3_exec(raw, "INSERT INTO schema_version VALUES (99)", nullptr, nullptr, nullptr);
    sqlite3_close(raw);
    try {
        SqliteUnitStore newer(db);
        ADD_FAILURE() << "a newer schema was opened";
    } catch (const UnitStoreError& e) {
        EXPECT_NE(std::string(e.what()).find("its schema is version 99"), std::string::npos)
            << e.what();
    }
}

// A record offered twice (the same run id) is stored once; history lists a camera's runs in the
// order they started and no other camera's.
TEST(UnitStore, ARunIdIsStoredOnceAndHistoryKeepsToOneCamera) {
    SqliteUnitStore store(database("history.sqlite"));
    const auto unit = [](std::string id, std::string serial, int64_t started) {
        UnitRecord r;
        r.runId = std::move(id);
        r.serial = std::move(serial);
        r.startedMs = r.endedMs = started;
        StepRecord step;
        step.index = 1;
        step.label = "info";
        step.values = {{"serial", std::nullopt, r.serial, ""}};
        r.steps.push_back(step);
        return r;
    };
    store.save(unit("b", "1", 2000));
    store.save(unit("a", "1", 1000));
    store.save(unit("c", "2", 1500));
    UnitRecord again = unit("a", "1", 1000);
    again.steps.clear();
    store.save(again);
    const auto runs = store.history("1");
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].runId, "a");
    EXPECT_EQ(runs[1].runId, "b");
    EXPECT_EQ(runs[0].steps.size(), 1u);  // the first record of run "a" stands
    EXPECT_TRUE(store.history("3").empty());
}

TEST(UnitStore, RunIdsAreRandomVersionFourUuids) {
    const std::string a = newRunId(), b = newRunId();
    EXPECT_NE(a, b);
    ASSERT_EQ(a.size(), 36u);
    EXPECT_EQ(a[8], '-');
    EXPECT_EQ(a[14], '4');
    EXPECT_NE(std::string("89ab").find(a[19]), std::string::npos);
    EXPECT_EQ(utcMs(utcText(1765460669123)), 1765460669123);
    EXPECT_EQ(utcText(0), "1970-01-01T00:00:00.000Z");
}

}  // namespace
}  // namespace orvia::cli
