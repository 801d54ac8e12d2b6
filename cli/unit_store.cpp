#include "cli/unit_store.h"

#include <sqlite3.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <random>

#include "cli/run_texts.h"
#include "console/format.h"

namespace orvia::cli {
namespace {

// The schema's migrations, in order: migration N brings a file at version N-1 to version N.
// A migration once released is never changed; a change to the schema is a new migration.
const char* const kMigrations[] = {
    // 1: runs, their steps, and the steps' measurements with their limits.
    "CREATE TABLE runs ("
    " run_id TEXT PRIMARY KEY,"
    " station TEXT NOT NULL,"
    " tool TEXT NOT NULL,"
    " tool_version TEXT NOT NULL,"
    " technician INTEGER,"
    " recipe_name TEXT NOT NULL,"
    " recipe_sha256 TEXT NOT NULL,"
    " camera_type TEXT NOT NULL,"
    " serial TEXT NOT NULL,"
    " firmware_before TEXT NOT NULL,"
    " firmware_after TEXT NOT NULL,"
    " started_at TEXT NOT NULL,"
    " ended_at TEXT NOT NULL,"
    " status INTEGER NOT NULL,"
    " verdict TEXT NOT NULL);"
    "CREATE INDEX runs_by_serial ON runs (serial, started_at);"
    "CREATE TABLE steps ("
    " run_id TEXT NOT NULL REFERENCES runs (run_id),"
    " step_index INTEGER NOT NULL,"
    " label TEXT NOT NULL,"
    " procedure TEXT NOT NULL,"
    " parameters TEXT NOT NULL,"
    " ending TEXT NOT NULL,"
    " judgement TEXT NOT NULL,"
    " link_result INTEGER NOT NULL,"
    " reason TEXT NOT NULL,"
    " status INTEGER NOT NULL,"
    " passed INTEGER NOT NULL,"
    " started_at TEXT NOT NULL,"
    " ended_at TEXT NOT NULL,"
    " PRIMARY KEY (run_id, step_index));"
    // One row per value measured and per limit; a limit on a value the step did not measure
    // has measured = 0. within_limits is null for a value without a limit.
    "CREATE TABLE measurements ("
    " run_id TEXT NOT NULL,"
    " step_index INTEGER NOT NULL,"
    " position INTEGER NOT NULL,"
    " name TEXT NOT NULL,"
    " measured INTEGER NOT NULL,"
    " number REAL,"
    " text TEXT,"
    " unit TEXT NOT NULL,"
    " limit_low REAL,"
    " limit_high REAL,"
    " limit_equals_number REAL,"
    " limit_equals_text TEXT,"
    " within_limits INTEGER,"
    " PRIMARY KEY (run_id, step_index, position),"
    " FOREIGN KEY (run_id, step_index) REFERENCES steps (run_id, step_index));",
};
static_assert(std::size(kMigrations) == kUnitSchemaVersion);

// How long a write waits for another station's write to the same file.
constexpr int kBusyTimeoutMs = 10000;

// A prepared statement, finalised when it goes.
class Statement {
  public:
    Statement(sqlite3* db, const char* sql) : db_(db) {
        if (sqlite3_prepare_v2(db, sql, -1, &s_, nullptr) != SQLITE_OK)
            throw UnitStoreError(sqlite3_errmsg(db));
    }
    ~Statement() { sqlite3_finalize(s_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& bind(int i, const std::string& v) {
        return check(
            sqlite3_bind_text(s_, i, v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT));
    }
    Statement& bind(int i, int64_t v) { return check(sqlite3_bind_int64(s_, i, v)); }
    Statement& bind(int i, std::optional<double> v) {
        return check(v ? sqlite3_bind_double(s_, i, *v) : sqlite3_bind_null(s_, i));
    }
    Statement& bind(int i, const std::optional<std::string>& v) {
        return v ? bind(i, *v) : check(sqlite3_bind_null(s_, i));
    }
    Statement& bindNull(int i) { return check(sqlite3_bind_null(s_, i)); }

    // Runs a statement that returns no rows.
    void run() {
        if (sqlite3_step(s_) != SQLITE_DONE) throw UnitStoreError(sqlite3_errmsg(db_));
        sqlite3_reset(s_);
    }
    // The next row; false after the last.
    bool row() {
        const int r = sqlite3_step(s_);
        if (r == SQLITE_ROW) return true;
        if (r != SQLITE_DONE) throw UnitStoreError(sqlite3_errmsg(db_));
        return false;
    }
    // Ready to run again, with new values.
    void reset() {
        sqlite3_reset(s_);
        sqlite3_clear_bindings(s_);
    }
    bool isNull(int c) { return sqlite3_column_type(s_, c) == SQLITE_NULL; }
    std::string text(int c) {
        const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(s_, c));
        return t != nullptr ? std::string(t, static_cast<size_t>(sqlite3_column_bytes(s_, c)))
                            : std::string();
    }
    int64_t integer(int c) { return sqlite3_column_int64(s_, c); }
    std::optional<double> number(int c) {
        if (isNull(c)) return std::nullopt;
        return sqlite3_column_double(s_, c);
    }

  private:
    Statement& check(int r) {
        if (r != SQLITE_OK) throw UnitStoreError(sqlite3_errmsg(db_));
        return *this;
    }

    sqlite3* db_;
    sqlite3_stmt* s_ = nullptr;
};

template <typename Enum, size_t N>
Enum byName(const std::string& name, const std::array<Enum, N>& all, const char* (*nameOf)(Enum)) {
    for (Enum e : all) {
        if (name == nameOf(e)) return e;
    }
    return all[0];
}

constexpr std::array kEndings = {Ending::Failed,       Ending::Completed,    Ending::Declined,
                                 Ending::FileUnusable, Ending::NeedsConsole, Ending::Interrupted};
constexpr std::array kJudgements = {Judgement::NotJudged, Judgement::Pass, Judgement::Ng};
constexpr std::array kVerdicts = {Verdict::Failed, Verdict::Passed, Verdict::Interrupted};

std::string parametersJson(const std::vector<std::pair<std::string, std::string>>& p) {
    nlohmann::ordered_json out = nlohmann::ordered_json::object();
    for (const auto& [name, value] : p)
        out[name] = value;
    return out.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

std::vector<std::pair<std::string, std::string>> parametersOf(const std::string& json) {
    std::vector<std::pair<std::string, std::string>> p;
    const auto parsed = nlohmann::ordered_json::parse(json, nullptr, false);
    if (!parsed.is_object()) return p;
    for (const auto& [name, value] : parsed.items())
        p.emplace_back(name, value.is_string() ? value.get<std::string>() : value.dump());
    return p;
}

// Commits when it goes out of scope after commit(), rolls back otherwise.
class Transaction {
  public:
    explicit Transaction(sqlite3* db) : db_(db) { run("BEGIN IMMEDIATE"); }
    ~Transaction() {
        if (!done_) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit() {
        run("COMMIT");
        done_ = true;
    }

  private:
    void run(const char* sql) {
        char* error = nullptr;
        if (sqlite3_exec(db_, sql, nullptr, nullptr, &error) != SQLITE_OK) {
            const std::string why = error != nullptr ? error : "";
            sqlite3_free(error);
            throw UnitStoreError(why);
        }
    }

    sqlite3* db_;
    bool done_ = false;
};

}  // namespace

const char* verdictName(Verdict verdict) {
    switch (verdict) {
        case Verdict::Passed:
            return text::kVerdictPassed;
        case Verdict::Failed:
            return text::kVerdictFailed;
        case Verdict::Interrupted:
            return text::kVerdictInterrupted;
    }
    return text::kVerdictFailed;
}

SqliteUnitStore::SqliteUnitStore(const std::string& path) {
    const auto fail = [&path](const std::string& why) {
        return UnitStoreError(format(text::kStoreUnusable, path.c_str(), why.c_str()));
    };
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (!folder.empty()) std::filesystem::create_directories(folder, ec);
    if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
        SQLITE_OK) {
        const std::string why = db_ != nullptr ? sqlite3_errmsg(db_) : "out of memory";
        sqlite3_close(db_);
        db_ = nullptr;
        throw fail(why);
    }
    sqlite3_busy_timeout(db_, kBusyTimeoutMs);
    try {
        exec("PRAGMA foreign_keys = ON");
        migrate();
    } catch (const UnitStoreError& e) {
        sqlite3_close(db_);
        db_ = nullptr;
        throw fail(e.what());
    }
}

SqliteUnitStore::~SqliteUnitStore() {
    sqlite3_close(db_);
}

void SqliteUnitStore::exec(const char* sql) {
    char* error = nullptr;
    if (sqlite3_exec(db_, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string why = error != nullptr ? error : sqlite3_errmsg(db_);
        sqlite3_free(error);
        throw UnitStoreError(why);
    }
}

int SqliteUnitStore::schemaVersion() {
    Statement s(db_, "SELECT COALESCE(MAX(version), 0) FROM schema_version");
    return s.row() ? static_cast<int>(s.integer(0)) : 0;
}

void SqliteUnitStore::migrate() {
    exec("CREATE TABLE IF NOT EXISTS schema_version (version INTEGER NOT NULL)");
    // Each migration runs in a transaction of its own, after looking again at the version: two
    // stations opening a new file at once migrate it once.
    for (;;) {
        Transaction t(db_);
        const int version = schemaVersion();
        if (version > kUnitSchemaVersion)
            throw UnitStoreError(format(text::kStoreTooNew, version, kUnitSchemaVersion));
        if (version == kUnitSchemaVersion) return t.commit();
        exec(kMigrations[version]);
        Statement(db_, "INSERT INTO schema_version (version) VALUES (?)")
            .bind(1, int64_t{version + 1})
            .run();
        t.commit();
    }
}

void SqliteUnitStore::save(const UnitRecord& r) {
    try {
        Transaction t(db_);
        Statement known(db_, "SELECT 1 FROM runs WHERE run_id = ?");
        known.bind(1, r.runId);
        if (known.row()) return t.commit();

        Statement run(db_,
                      "INSERT INTO runs (run_id, station, tool, tool_version, technician, "
                      "recipe_name, recipe_sha256, camera_type, serial, firmware_before, "
                      "firmware_after, started_at, ended_at, status, verdict) "
                      "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        run.bind(1, r.runId).bind(2, r.station).bind(3, r.tool).bind(4, r.toolVersion);
        if (r.technician) {
            run.bind(5, int64_t{*r.technician});
        } else {
            run.bindNull(5);
        }
        run.bind(6, r.recipeName).bind(7, r.recipeSha256).bind(8, r.cameraType);
        run.bind(9, r.serial).bind(10, r.firmwareBefore).bind(11, r.firmwareAfter);
        run.bind(12, utcText(r.startedMs)).bind(13, utcText(r.endedMs));
        run.bind(14, int64_t{r.status}).bind(15, std::string(verdictName(r.verdict)));
        run.run();

        Statement step(db_,
                       "INSERT INTO steps (run_id, step_index, label, procedure, parameters, "
                       "ending, judgement, link_result, reason, status, passed, started_at, "
                       "ended_at) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        Statement value(db_,
                        "INSERT INTO measurements (run_id, step_index, position, name, "
                        "measured, number, text, unit, limit_low, limit_high, "
                        "limit_equals_number, limit_equals_text, within_limits) "
                        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        for (const StepRecord& s : r.steps) {
            step.bind(1, r.runId).bind(2, int64_t{s.index}).bind(3, s.label);
            step.bind(4, s.procedure).bind(5, parametersJson(s.parameters));
            step.bind(6, std::string(endingName(s.ending)));
            step.bind(7, std::string(judgementName(s.judgement)));
            step.bind(8, int64_t{s.linkResult}).bind(9, s.reason).bind(10, int64_t{s.status});
            step.bind(11, int64_t{s.passed}).bind(12, utcText(s.startedMs));
            step.bind(13, utcText(s.endedMs));
            step.run();
            // The values in their order, each with its limit; then the limits on values the
            // step did not measure.
            int64_t position = 0;
            const auto add = [&](const Measurement* m, const std::string& name,
                                 const LimitCheck* c) {
                value.bind(1, r.runId).bind(2, int64_t{s.index}).bind(3, ++position);
                value.bind(4, name).bind(5, int64_t{m != nullptr});
                value.bind(6, m != nullptr ? m->number : std::nullopt);
                if (m != nullptr && !m->number) {
                    value.bind(7, m->text);
                } else {
                    value.bindNull(7);
                }
                value.bind(8, m != nullptr ? m->unit : std::string());
                value.bind(9, c ? c->limit.low : std::nullopt);
                value.bind(10, c ? c->limit.high : std::nullopt);
                value.bind(11, c ? c->limit.equalsNumber : std::nullopt);
                value.bind(12, c ? c->limit.equalsText : std::nullopt);
                if (c != nullptr) {
                    value.bind(13, int64_t{c->held});
                } else {
                    value.bindNull(13);
                }
                value.run();
            };
            const auto limitOn = [&s](const std::string& name) -> const LimitCheck* {
                for (const LimitCheck& c : s.limits) {
                    if (c.limit.value == name) return &c;
                }
                return nullptr;
            };
            for (const Measurement& m : s.values)
                add(&m, m.name, limitOn(m.name));
            for (const LimitCheck& c : s.limits) {
                if (!c.measured) add(nullptr, c.limit.value, &c);
            }
        }
        t.commit();
    } catch (const UnitStoreError& e) {
        throw UnitStoreError(format(text::kStoreNotWritten, e.what()));
    }
}

std::vector<UnitRecord> SqliteUnitStore::history(const std::string& serial) {
    std::vector<UnitRecord> runs;
    Statement q(db_,
                "SELECT run_id, station, tool, tool_version, technician, recipe_name, "
                "recipe_sha256, camera_type, serial, firmware_before, firmware_after, "
                "started_at, ended_at, status, verdict FROM runs WHERE serial = ? "
                "ORDER BY started_at, run_id");
    q.bind(1, serial);
    while (q.row()) {
        UnitRecord r;
        r.runId = q.text(0);
        r.station = q.text(1);
        r.tool = q.text(2);
        r.toolVersion = q.text(3);
        if (!q.isNull(4)) r.technician = static_cast<uint16_t>(q.integer(4));
        r.recipeName = q.text(5);
        r.recipeSha256 = q.text(6);
        r.cameraType = q.text(7);
        r.serial = q.text(8);
        r.firmwareBefore = q.text(9);
        r.firmwareAfter = q.text(10);
        r.startedMs = utcMs(q.text(11)).value_or(0);
        r.endedMs = utcMs(q.text(12)).value_or(0);
        r.status = static_cast<int>(q.integer(13));
        r.verdict = byName(q.text(14), kVerdicts, verdictName);
        runs.push_back(std::move(r));
    }
    Statement steps(db_,
                    "SELECT step_index, label, procedure, parameters, ending, judgement, "
                    "link_result, reason, status, passed, started_at, ended_at FROM steps "
                    "WHERE run_id = ? ORDER BY step_index");
    Statement values(db_,
                     "SELECT name, measured, number, text, unit, limit_low, limit_high, "
                     "limit_equals_number, limit_equals_text, within_limits FROM measurements "
                     "WHERE run_id = ? AND step_index = ? ORDER BY position");
    for (UnitRecord& r : runs) {
        Statement& s = steps;
        s.bind(1, r.runId);
        while (s.row()) {
            StepRecord step;
            step.index = static_cast<int>(s.integer(0));
            step.label = s.text(1);
            step.procedure = s.text(2);
            step.parameters = parametersOf(s.text(3));
            step.ending = byName(s.text(4), kEndings, endingName);
            step.judgement = byName(s.text(5), kJudgements, judgementName);
            step.linkResult = static_cast<int32_t>(s.integer(6));
            step.reason = s.text(7);
            step.status = static_cast<int>(s.integer(8));
            step.passed = s.integer(9) != 0;
            step.startedMs = utcMs(s.text(10)).value_or(0);
            step.endedMs = utcMs(s.text(11)).value_or(0);
            values.bind(1, r.runId).bind(2, int64_t{step.index});
            while (values.row()) {
                std::optional<Measurement> m;
                if (values.integer(1) != 0) {
                    m = Measurement{values.text(0), values.number(2), values.text(3),
                                    values.text(4)};
                    step.values.push_back(*m);
                }
                if (!values.isNull(9)) {
                    Limit l{values.text(0), values.number(5), values.number(6), values.number(7),
                            std::nullopt};
                    if (!values.isNull(8)) l.equalsText = values.text(8);
                    step.limits.push_back({l, m, values.integer(9) != 0});
                }
            }
            values.reset();
            r.steps.push_back(std::move(step));
        }
        steps.reset();
    }
    return runs;
}

std::string defaultUnitDatabase() {
    const char* data = std::getenv("XDG_DATA_HOME");
    std::filesystem::path base;
    if (data != nullptr && *data == '/') {
        base = data;
    } else {
        const char* home = std::getenv("HOME");
        base = std::filesystem::path(home != nullptr ? home : ".") / ".local" / "share";
    }
    return (base / "orvia" / "units.sqlite").string();
}

std::string newRunId() {
    std::random_device random;
    std::array<uint8_t, 16> b{};
    for (size_t i = 0; i < b.size(); i += 4) {
        const uint32_t word = random();
        for (size_t j = 0; j < 4; ++j)
            b[i + j] = static_cast<uint8_t>(word >> (8 * j));
    }
    b[6] = static_cast<uint8_t>((b[6] & 0x0F) | 0x40);  // version 4: random
    b[8] = static_cast<uint8_t>((b[8] & 0x3F) | 0x80);  // the standard variant
    std::string id;
    for (size_t i = 0; i < b.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) id += '-';
        id += format("%02x", b[i]);
    }
    return id;
}

std::string utcText(int64_t ms) {
    const std::time_t seconds = static_cast<std::time_t>(ms / 1000);
    std::tm t{};
    gmtime_r(&seconds, &t);
    return format("%04d-%02d-%02dT%02d:%02d:%02d.%03dZ", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday,
                  t.tm_hour, t.tm_min, t.tm_sec, static_cast<int>(ms % 1000));
}

std::optional<int64_t> utcMs(const std::string& text) {
    std::tm t{};
    int ms = 0;
    char z = 0;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d.%3d%c", &t.tm_year, &t.tm_mon,
                    &t.tm_mday, &t.tm_hour, &t.tm_min, &t.tm_sec, &ms, &z) != 8 ||
        z != 'Z')
        return std::nullopt;
    t.tm_year -= 1900;
    t.tm_mon -= 1;
    return static_cast<int64_t>(timegm(&t)) * 1000 + ms;
}

}  // namespace orvia::cli
