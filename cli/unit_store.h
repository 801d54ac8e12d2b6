// Unit records: what happened to each camera a station ran a recipe on, kept so that a line can
// say later which firmware went into serial number X, which values came out, who ran it, where,
// and whether each value was inside its limits.
//
// The records go through UnitStore; SqliteUnitStore keeps them in one SQLite file. Another
// store (a database server shared by a line) implements the same interface with the same
// schema. A record is written whole or not at all, and a run id already stored is not stored
// again, so a record may safely be offered twice.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "cli/recipe.h"
#include "console/outcome.h"

struct sqlite3;

namespace orvia::cli {

// One step of a run: what ran, how it ended, its measurements and limits, and its verdict.
struct StepRecord {
    int index = 0;  // from 1, in the recipe's order
    std::string label;
    std::string procedure;
    std::vector<std::pair<std::string, std::string>> parameters;
    Ending ending = Ending::Completed;
    Judgement judgement = Judgement::NotJudged;
    int32_t linkResult = 0;
    std::string reason;
    std::vector<Measurement> values;
    std::vector<LimitCheck> limits;
    int status = 0;  // the step's exit status
    bool passed = false;
    int64_t startedMs = 0;
    int64_t endedMs = 0;
};

// How a run came out.
enum class Verdict { Passed, Failed, Interrupted };
const char* verdictName(Verdict verdict);

struct UnitRecord {
    std::string runId;
    std::string station;  // the host name
    std::string tool;
    std::string toolVersion;
    std::optional<uint16_t> technician;
    std::string recipeName;
    std::string recipeSha256;
    std::string cameraType;
    std::string serial;
    std::string firmwareBefore;
    std::string firmwareAfter;
    int64_t startedMs = 0;
    int64_t endedMs = 0;
    int status = 0;  // the run's exit status
    Verdict verdict = Verdict::Failed;
    std::vector<StepRecord> steps;
};

// A store that cannot be opened, or a record that cannot be written or read.
class UnitStoreError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class UnitStore {
  public:
    virtual ~UnitStore() = default;
    // Stores the record in one transaction; a run id already stored is left as it is.
    virtual void save(const UnitRecord& record) = 0;
    // Every run of the camera with this serial number, oldest first, with its steps.
    virtual std::vector<UnitRecord> history(const std::string& serial) = 0;
};

// The schema version this program writes; older files are migrated when opened.
inline constexpr int kUnitSchemaVersion = 1;

class SqliteUnitStore final : public UnitStore {
  public:
    // Opens (or creates, with its folders) the database file and brings its schema up to date.
    explicit SqliteUnitStore(const std::string& path);
    ~SqliteUnitStore() override;
    SqliteUnitStore(const SqliteUnitStore&) = delete;
    SqliteUnitStore& operator=(const SqliteUnitStore&) = delete;

    void save(const UnitRecord& record) override;
    std::vector<UnitRecord> history(const std::string& serial) override;
    // The schema version the file holds.
    int schemaVersion();

  private:
    void migrate();
    void exec(const char* sql);

    sqlite3* db_ = nullptr;
};

// Where the unit records go without --db: $XDG_DATA_HOME/orvia/units.sqlite, else
// ~/.local/share/orvia/units.sqlite.
std::string defaultUnitDatabase();

// A new random run id, as a version-4 UUID in its usual text form.
std::string newRunId();

// Milliseconds since 1970 as UTC text, "2026-03-01T09:30:12.345Z", and back (nothing for
// other text).
std::string utcText(int64_t ms);
std::optional<int64_t> utcMs(const std::string& text);

}  // namespace orvia::cli
