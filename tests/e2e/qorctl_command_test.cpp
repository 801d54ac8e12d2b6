// qorctl as a station script runs it: against a camsim camera on a pseudo-terminal, checking what
// it prints, its JSON object, its exit status and the station log.
#include <gtest/gtest.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct CommandRun {
    std::string output;
    int status = -1;
};

int exitStatus(int raw) {
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

// Runs `command` with sh, standard error joined to standard output; its output and status.
CommandRun Shell(const std::string& command) {
    CommandRun run;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) return run;
    char chunk[512];
    while (std::fgets(chunk, sizeof chunk, pipe) != nullptr)
        run.output += chunk;
    run.status = exitStatus(pclose(pipe));
    return run;
}

const std::string kCamsim = CAMSIM_COMMAND;
const std::string kQorctl = QORCTL_PROGRAM;

// Runs qorctl against a camsim camera started with `camsimOptions`; standard output and error
// are a pipe. camsim's own first line (the device path) is dropped.
CommandRun Qorctl(const std::string& args, const std::string& camsimOptions = "") {
    CommandRun run;
    const std::string command =
        kCamsim + " " + camsimOptions + " -- " + kQorctl + " " + args + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return run;
    char chunk[512];
    bool first = true;
    while (std::fgets(chunk, sizeof chunk, pipe) != nullptr) {
        if (!first) run.output += chunk;
        first = false;
    }
    run.status = exitStatus(pclose(pipe));
    return run;
}

// The same with qorctl's output on a terminal of its own.
CommandRun QorctlOnTerminal(const std::string& args) {
    CommandRun run;
    int master = -1;
    const pid_t pid = forkpty(&master, nullptr, nullptr, nullptr);
    if (pid < 0) return run;
    if (pid == 0) {
        const std::string command =
            kCamsim + " -- " + kQorctl + " " + args + " 2>/dev/tty | tail -n +2";
        execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    char chunk[512];
    for (ssize_t n; (n = read(master, chunk, sizeof chunk)) > 0;)
        run.output.append(chunk, static_cast<size_t>(n));
    close(master);
    int raw = 0;
    waitpid(pid, &raw, 0);
    run.status = exitStatus(raw);
    return run;
}

bool has(const CommandRun& run, const std::string& text) {
    return run.output.find(text) != std::string::npos;
}

std::string scratchFile(const std::string& name, const std::string& bytes) {
    const std::string path = ::testing::TempDir() + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

std::string readAll(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

const std::string kJpeg = std::string("\xFF\xD8\xFF\xE0", 4) + std::string(3000, 'j');

TEST(Qorctl, CommandsPrintWhatTheCameraSaysAndExitWithTheirStatus) {
    const std::string image = scratchFile("qorctl.JPG", kJpeg);
    struct Case {
        std::string args;
        std::string camsim;
        int status;
        std::string expected;
    };
    const Case cases[] = {
        {"info", "", 0,
         "firmware: 1.02.0017\ncamera_type: ZR510\nserial: 40012345\nlcd_type: 1\nmac: "},
        {"set timezone 5", "", 0, "timezone: 5\n"},
        {"get no_such_value", "", 2, "qorctl: unknown name 'no_such_value'"},
        {"diag 3 --wait 5", "", 0, "AWB & AGC Gain\nR Gain   : 1.012\n"},
        {"diag 3", "--refuse 6", 18, "Error Write error\n"},
        {"calibrate awb", "", 5, "AWB & AGC Gain Calibration. Yes or No? No (give --yes"},
        {"--yes calibrate awb", "", 0, "AWB Results :\n"},
        {"calibrate uv --yes", "--refuse 6", 18, "Error Write error\n"},
        {"--yes upload firmware /no/such/file.BIN", "", 4, "Cannot open file '/no/such/file.BIN' "},
        {"--yes upload font " + image, "", 4, "is not a font file"},
        {"--yes upload image " + image, "", 0, "100%\n"},
        {"test cam info", "", 0, "Camera Info :\nImage : "},
        {"test y/c shading", "", 6, "This needs the console's window (orvia)."},
        // Judged results: an NG is a failure of its own (7), whatever the window showed.
        {"--yes calibrate awb", "--type YJA10 --awb-gains 1.300,0.700,1.000", 7,
         "AWB Results : NG\n"},
        {"--yes calibrate awb", "--type YJA10 --awb-gains 1.010,0.990,1.000", 0,
         "AWB Results : OK\n"},
        {"--yes calibrate focus", "--type YJA10 --af-diff 40", 7, "AF_DIFF = 40"},
        {"test No Such Entry", "", 2, "qorctl: no Test list entry 'No Such Entry'"},
        {"calibrate", "", 2, "qorctl: bad or missing argument: calibrate"},
        {"frobnicate", "", 2, "qorctl: unknown command 'frobnicate'"},
        {"diag --help", "", 0, "usage: qorctl diag N [--param V] [--wait S]"},
        {"upload --help", "", 0, "usage: qorctl upload firmware|image|font|nand FILE"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        const CommandRun run = Qorctl(c.args, c.camsim);
        EXPECT_EQ(run.status, c.status) << run.output;
        EXPECT_TRUE(has(run, c.expected)) << run.output;
    }
}

TEST(Qorctl, PortOneReachesTheCameraAndAMissingDeviceIsSaidToBeMissing) {
    const CommandRun run = Qorctl("--port 1 info", "");
    EXPECT_EQ(run.status, 0);
    FILE* pipe =
        popen(("QORLINK_COM1=/nonexistent " + kQorctl + " --port 1 info 2>&1").c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    char line[256] = {};
    const bool got = std::fgets(line, sizeof line, pipe) != nullptr;
    EXPECT_EQ(exitStatus(pclose(pipe)), 41);
    EXPECT_TRUE(got);
    EXPECT_STREQ(line, "qorctl: no device '/nonexistent'\n");
}

TEST(Qorctl, JsonIsOneObjectWithTheStatusFieldsAndTheFailure) {
    const CommandRun ok = Qorctl("--json get timezone");
    EXPECT_EQ(ok.status, 0);
    const auto okObject = nlohmann::json::parse(ok.output);
    EXPECT_EQ(okObject["status"], 0);
    EXPECT_EQ(okObject["ok"], true);
    EXPECT_EQ(okObject["timezone"], 9);
    EXPECT_EQ(okObject["values"]["timezone"], 9);
    EXPECT_TRUE(okObject["error"].is_null());

    const CommandRun failed = Qorctl("--json diag 16", "--refuse 6");
    EXPECT_EQ(failed.status, 18);
    // The box also goes to standard error, ahead of the object.
    const std::string line = failed.output.substr(failed.output.find('{'));
    const auto failure = nlohmann::json::parse(line);
    EXPECT_EQ(failure["status"], 18);
    EXPECT_EQ(failure["ok"], false);
    EXPECT_EQ(failure["ending"], "failed");
    EXPECT_EQ(failure["link_result"], 8);
    EXPECT_EQ(failure["messages"],
              nlohmann::json::parse(R"([{"kind":"error","text":"Error Write error"}])"));
    EXPECT_EQ(failure["error"], "Error Write error");

    // A judged NG: not ok, with the judgement and the gains as numbers.
    const CommandRun ng =
        Qorctl("--json --yes calibrate awb", "--type YJA10 --awb-gains 1.300,0.700,1.000");
    EXPECT_EQ(ng.status, 7);
    const auto judged = nlohmann::json::parse(ng.output.substr(ng.output.find('{')));
    EXPECT_EQ(judged["ok"], false);
    EXPECT_EQ(judged["ending"], "completed");
    EXPECT_EQ(judged["judgement"], "ng");
    EXPECT_EQ(judged["values"]["awb_r_gain"], 1.3);
    EXPECT_EQ(judged["values"]["awb_b_gain"], 0.7);
    EXPECT_EQ(judged["error"], "NG");
}

// The fields of docs/qorctl_json.md: (command, field) -> type, from its tables.
std::map<std::pair<std::string, std::string>, std::string> documentedFields() {
    std::map<std::pair<std::string, std::string>, std::string> fields;
    std::istringstream doc(readAll(QORCTL_JSON_DOCUMENT));
    for (std::string line; std::getline(doc, line);) {
        if (!line.starts_with("| ") || line.starts_with("| command") || line.starts_with("|---"))
            continue;
        std::vector<std::string> cells;
        std::istringstream row(line.substr(1));
        for (std::string cell; std::getline(row, cell, '|');) {
            cell.erase(0, cell.find_first_not_of(' '));
            cell.erase(cell.find_last_not_of(' ') + 1);
            cells.push_back(cell);
        }
        if (cells.size() >= 3) fields[{cells[0], cells[1]}] = cells[2];
    }
    return fields;
}

std::string typeOf(const nlohmann::json& v) {
    if (v.is_number()) return "number";
    if (v.is_boolean()) return "boolean";
    if (v.is_array()) return "array";
    if (v.is_object()) return "object";
    return "string";  // strings, and null where a text may be absent
}

// `object` holds every field the document lists under `sections`, of the listed types, and
// nothing the document does not list there. `name` is the field documented as NAME.
void expectFollowsDocument(
    const nlohmann::json& object,
    const std::map<std::pair<std::string, std::string>, std::string>& documented,
    const std::vector<std::string>& sections, const std::string& name = "") {
    for (const auto& [key, value] : object.items()) {
        std::string documentedAs;
        for (const std::string& section : sections) {
            const std::string field = key == name ? "NAME" : key;
            if (auto f = documented.find({section, field}); f != documented.end())
                documentedAs = f->second;
        }
        EXPECT_FALSE(documentedAs.empty()) << "undocumented field " << key;
        if (!value.is_null() && !documentedAs.empty()) {
            EXPECT_EQ(typeOf(value), documentedAs) << key;
        }
    }
    for (const auto& [where, type] : documented) {
        if (!where.first.empty() &&
            std::find(sections.begin(), sections.end(), where.first) != sections.end()) {
            const std::string key = where.second == "NAME" ? name : where.second;
            EXPECT_TRUE(object.contains(key)) << "missing " << key;
        }
    }
}

// Every command's object holds the fields its document lists for it, of the listed types, and
// nothing the document does not list.
TEST(Qorctl, JsonOfEveryCommandFollowsItsDocument) {
    const auto documented = documentedFields();
    ASSERT_GT(documented.size(), 20u) << "the document's tables were not read";
    const std::string image = scratchFile("qorctl_doc.JPG", kJpeg);
    struct Case {
        std::string args;
        std::string section;  // the document's command column for this object
        bool ran;             // a command ran (not a refused command line)
        std::string name;     // for get and set: the value's name
    };
    const Case cases[] = {
        {"info", "info", true, ""},
        {"get timezone", "get", true, "timezone"},
        {"set timezone 7", "set", true, "timezone"},
        {"diag 3", "diag", true, ""},
        {"--yes calibrate awb", "calibrate", true, ""},
        {"--yes upload image " + image, "upload", true, ""},
        {"test", "test", true, ""},
        {"test cam info", "", true, ""},
        {"ports", "ports", true, ""},
        {"frobnicate", "", false, ""},
        {"info --port 9", "", false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        const CommandRun run = Qorctl("--json " + c.args);
        const size_t at = run.output.rfind("\n{");
        const std::string line = run.output.substr(at == std::string::npos ? 0 : at + 1);
        nlohmann::json object;
        ASSERT_NO_THROW(object = nlohmann::json::parse(line)) << run.output;
        EXPECT_EQ(object["status"], run.status);
        expectFollowsDocument(object, documented, {"*", c.ran ? "ran" : "", c.section}, c.name);
    }
}

// The command line's conventions: decimal numbers, whole words, one entry per name, --version,
// --opt=value and --, and the usage line on errors.
TEST(Qorctl, CommandLinesFollowTheUsualConventions) {
    struct Case {
        std::string args;
        int status;
        std::string expected;
    };
    const Case cases[] = {
        {"set timezone 010", 0, "timezone: 10\n"},
        {"set timezone 0x0B", 0, "timezone: 11\n"},
        {"set timezone -5", 0, "timezone: -5\n"},
        {"--port=1 get timezone", 0, "timezone: 9\n"},
        {"get -- timezone", 0, "timezone: 9\n"},
        {"info extra words", 2, "qorctl: bad or missing argument: extra\nusage: qorctl"},
        {"test set", 2, "'set' begins several Test list entries: 'Set Apply', 'Set Default'"},
        {"test off", 0, ""},
        {"diag 259", 2, "bad or missing argument: 259"},
        {"--port 3 info", 2, "qorctl: bad value for --port: '3'\nusage: qorctl"},
        {"--speed 6 info", 2, "bad value for --speed"},
        {"--baud 115200 --speed 5 get timezone", 0, "timezone: 9"},
        {"--baud 300 info", 2, "bad value for --baud: '300'"},
        {"--version", 0, "qorctl 1."},
        {"help upload", 0, "usage: qorctl upload firmware|image|font|nand FILE"},
        {"--nonsense info", 2, "usage: qorctl [OPTIONS] COMMAND"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        const CommandRun run = Qorctl(c.args);
        EXPECT_EQ(run.status, c.status) << run.output;
        EXPECT_TRUE(has(run, c.expected)) << run.output;
    }
}

// Each way a named device can fail has its own words and status, told at once.
TEST(Qorctl, ANamedDeviceThatCannotBeUsedIsToldApart) {
    const std::string dir = ::testing::TempDir() + "qorctl_devices/";
    std::system(("rm -rf " + dir + " && mkdir -p " + dir).c_str());
    // A silent pseudo-terminal: a device no camera answers on.
    int master = -1, slave = -1;
    char silent[128] = {};
    ASSERT_EQ(openpty(&master, &slave, silent, nullptr, nullptr), 0);
    struct Case {
        std::string command;
        int status;
        std::string expected;
    };
    const Case cases[] = {
        {kQorctl + " --device " + dir + "missing info", 41, "no device '" + dir + "missing'"},
        {kQorctl + " --device " + silent + " --timeout 1 info", 3,
         "Camera is not connected.\nqorctl: no camera answered within 1 s"},
        // The device held by another program (flock, as the link library holds it).
        {"flock " + std::string(silent) + " " + kQorctl + " --device " + silent + " info", 43,
         "is in use by another program"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        const CommandRun run = Shell(c.command);
        EXPECT_EQ(run.status, c.status) << run.output;
        EXPECT_TRUE(has(run, c.expected)) << run.output;
    }
    close(slave);
    close(master);
    // A device this user may not open: as root, qorctl runs as an unprivileged user for it.
    const std::string locked = dir + "locked";
    std::ofstream(locked) << "";
    chmod(locked.c_str(), 0600);
    chmod(dir.c_str(), 0755);
    const std::string asUser =
        geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
    if (geteuid() != 0) chmod(locked.c_str(), 0);
    const CommandRun run = Shell(asUser + kQorctl + " --device " + locked + " info");
    EXPECT_EQ(run.status, 42) << run.output;
    EXPECT_TRUE(has(run, "permission denied")) << run.output;
}

TEST(Qorctl, DrawsAProgressBarOnATerminal) {
    const std::string image = scratchFile("qorctl_bar.JPG", kJpeg);
    const CommandRun run = QorctlOnTerminal("--yes upload image " + image);
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(has(run, "[########################################] 100%")) << run.output;
}

TEST(Qorctl, UploadedImageReachesTheCameraByteForByte) {
    std::string bytes = kJpeg;
    for (int i = 0; i < 4096; ++i)
        bytes += static_cast<char>(i * 7 + i / 256);
    const std::string image = scratchFile("qorctl_exact.JPG", bytes);
    const std::string saved = ::testing::TempDir() + "qorctl_exact.saved";
    std::remove(saved.c_str());
    const CommandRun run = Qorctl("--yes upload image " + image, "--save-load " + saved);
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(readAll(saved) == bytes) << "what camsim saved differs from the file";
}

TEST(Qorctl, StationLogRecordsEveryRunAndAnUnwritableLogOnlyWarns) {
    const std::string log = ::testing::TempDir() + "qorctl_station.log";
    std::remove(log.c_str());
    EXPECT_EQ(Qorctl("--log " + log + " diag 3 --param 7 --wait 5").status, 0);
    EXPECT_EQ(Qorctl("--log " + log + " --yes calibrate awb", "--refuse 6").status, 18);
    std::istringstream lines(readAll(log));
    std::string first, second, extra;
    std::getline(lines, first);
    std::getline(lines, second);
    EXPECT_FALSE(std::getline(lines, extra));
    EXPECT_TRUE(first.starts_with("{\"time\":\"")) << first;
    EXPECT_NE(first.find("\"tool\":\"qorctl\",\"tool_version\":\""), std::string::npos) << first;
    EXPECT_NE(first.find("\"camera_type\":\"ZR510\",\"serial\":\"40012345\",\"firmware\":"
                         "\"1.02.0017\",\"procedure\":\"diag\",\"parameters\":{\"program\":\"3\","
                         "\"param\":\"7\",\"wait\":\"5\"},\"ok\":true,\"ending\":\"completed\""),
              std::string::npos)
        << first;
    EXPECT_NE(first.find("\"result_code\":0,\"result_text\":\"OK\",\"duration_ms\":"),
              std::string::npos)
        << first;
    EXPECT_NE(second.find("\"procedure\":\"calibrate awb\""), std::string::npos) << second;
    EXPECT_NE(second.find("\"result_code\":8,\"result_text\":\"Error Write error\""),
              std::string::npos)
        << second;

    const CommandRun unwritable = Qorctl("--log /no/such/dir/station.log info");
    EXPECT_EQ(unwritable.status, 0);
    EXPECT_TRUE(has(unwritable, "firmware: 1.02.0017")) << unwritable.output;
    EXPECT_TRUE(has(unwritable,
                    "warning: station log '/no/such/dir/station.log' cannot be "
                    "written (No such file or directory); carrying on without it\n"))
        << unwritable.output;
}

// SIGINT in the middle of an upload stops the transfer through its progress callback: qorctl
// ends with 130 and an interrupted record, and the camera is ready for the next run at once.
TEST(Qorctl, SigintDuringAnUploadStopsItCleanly) {
    const std::string log = ::testing::TempDir() + "qorctl_sigint.log";
    std::remove(log.c_str());
    const std::string image = scratchFile("qorctl_big.JPG", kJpeg + std::string(400'000, 'p'));
    const std::string command = kCamsim + " -- sh -c '" + kQorctl + " --log " + log +
                                " --yes upload image " + image +
                                " & pid=$!; sleep 2; kill -INT $pid; wait $pid; echo status=$?; " +
                                kQorctl + " --timeout 5 get timezone'";
    const CommandRun run = Shell(command);
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(has(run, "status=130")) << run.output;
    EXPECT_TRUE(has(run, "timezone: 9")) << "the next run: " << run.output;
    const std::string record = readAll(log);
    EXPECT_NE(record.find("\"ok\":false,\"ending\":\"interrupted\""), std::string::npos) << record;
}

// A reader that goes away (qorctl ... | head -2) does not end an upload half way: the transfer
// runs to its end, the camera holds every byte and the record says so.
TEST(Qorctl, AClosedReaderDoesNotEndAnUploadMidway) {
    const std::string log = ::testing::TempDir() + "qorctl_sigpipe.log";
    std::remove(log.c_str());
    const std::string bytes = kJpeg + std::string(60'000, 'q');
    const std::string image = scratchFile("qorctl_pipe.JPG", bytes);
    const std::string saved = ::testing::TempDir() + "qorctl_pipe.saved";
    std::remove(saved.c_str());
    const std::string command = kCamsim + " --save-load " + saved + " -- sh -c '" + kQorctl +
                                " --log " + log + " --yes upload image " + image +
                                " 2>&1 | head -2 >/dev/null'";
    EXPECT_EQ(exitStatus(std::system(command.c_str())), 0);
    EXPECT_TRUE(readAll(saved) == bytes) << "the camera did not get the whole file";
    EXPECT_NE(readAll(log).find("\"ok\":true,\"ending\":\"completed\""), std::string::npos)
        << readAll(log);
}

// A run stopped by SIGTERM still leaves its record, as interrupted, and says so in its status.
TEST(Qorctl, ARunStoppedBySigtermIsRecordedAsInterrupted) {
    const std::string log = ::testing::TempDir() + "qorctl_interrupted.log";
    std::remove(log.c_str());
    // The AWB program keeps the camera busy for 20 s; qorctl is told to stop while it waits.
    const std::string command =
        kCamsim + " --diag-ms 3:20000 -- sh -c '" + kQorctl + " --log " + log +
        " --yes calibrate awb & pid=$!; sleep 2; kill -TERM $pid; wait $pid'";
    const CommandRun run = Shell(command);
    EXPECT_EQ(run.status, 143) << run.output;
    const std::string record = readAll(log);
    EXPECT_NE(record.find("\"ok\":false,\"ending\":\"interrupted\""), std::string::npos)
        << record << run.output;
    EXPECT_NE(record.find("interrupted by signal 15"), std::string::npos) << record;
}

// The JSON objects on qorctl's standard output, one a line (boxes and progress lines are not).
std::vector<nlohmann::json> jsonLines(const std::string& output) {
    std::vector<nlohmann::json> objects;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("{\"schema\"")) objects.push_back(nlohmann::json::parse(line));
    }
    return objects;
}

std::string firstWord(const std::string& text, size_t n = 0) {
    std::istringstream words(text);
    std::string word;
    for (size_t i = 0; i <= n; ++i)
        words >> word;
    return word;
}

// The example recipe runs whole against camsim in one session; each step's line and the summary
// follow the document; the unit's record is there to look back on with history.
TEST(Qorctl, TheExampleRecipeRunsAndItsRecordIsKept) {
    const auto documented = documentedFields();
    const std::string db = ::testing::TempDir() + "qorctl_units.sqlite";
    const std::string log = ::testing::TempDir() + "qorctl_recipe.log";
    std::remove(db.c_str());
    std::remove(log.c_str());
    const CommandRun run = Qorctl("--json run " + std::string(QORCTL_EXAMPLE_RECIPE) + " --db " +
                                  db + " --log " + log);
    EXPECT_EQ(run.status, 0) << run.output;
    const auto objects = jsonLines(run.output);
    ASSERT_GE(objects.size(), 2u) << run.output;
    for (size_t i = 0; i + 1 < objects.size(); ++i) {
        const nlohmann::json& step = objects[i];
        SCOPED_TRACE(step.dump());
        EXPECT_EQ(step["event"], "step");
        EXPECT_EQ(step["index"], i + 1);
        EXPECT_EQ(step["ok"], true);
        // A Test list entry run by name has no fields of its own (its list has).
        const std::string command = firstWord(step["procedure"]);
        const std::string name =
            command == "get" || command == "set" ? firstWord(step["label"], 1) : "";
        expectFollowsDocument(step, documented,
                              {"*", "ran", "run step", command == "test" ? "" : command}, name);
        for (const auto& limit : step["limits"])
            EXPECT_EQ(limit["held"], true) << limit;
    }
    const nlohmann::json& summary = objects.back();
    expectFollowsDocument(summary, documented, {"*", "ran", "run"});
    EXPECT_EQ(summary["event"], "summary");
    EXPECT_EQ(summary["status"], 0);
    EXPECT_EQ(summary["verdict"], "passed");
    EXPECT_EQ(summary["steps"], objects.size() - 1);
    EXPECT_EQ(summary["passed"], objects.size() - 1);
    EXPECT_EQ(summary["serial"], "40012345");
    EXPECT_EQ(summary["database"], db);
    // The station log has each step's procedure, then the run.
    std::istringstream logLines(readAll(log));
    std::vector<std::string> procedures;
    for (std::string line; std::getline(logLines, line);)
        procedures.push_back(nlohmann::json::parse(line)["procedure"]);
    EXPECT_EQ(procedures,
              (std::vector<std::string>{"info", "upload image", "set", "get", "calibrate awb",
                                        "calibrate focus", "test", "diag", "run"}));

    const CommandRun looked = Shell(kQorctl + " --json history 40012345 --db " + db);
    EXPECT_EQ(looked.status, 0) << looked.output;
    const std::string& output = looked.output;
    const auto history = nlohmann::json::parse(output);
    expectFollowsDocument(history, documented, {"*", "history"});
    ASSERT_EQ(history["runs"].size(), 1u) << output;
    const auto& unit = history["runs"][0];
    EXPECT_EQ(unit["run_id"], summary["run_id"]);
    EXPECT_EQ(unit["recipe"], "camsim line check");
    EXPECT_EQ(unit["recipe_sha256"], summary["recipe_sha256"]);
    EXPECT_EQ(unit["firmware_before"], "1.02.0017");
    EXPECT_EQ(unit["verdict"], "passed");
    EXPECT_EQ(unit["steps"].size(), objects.size() - 1);
}

// A camera whose values leave their limits, or whose calls fail, fails the run with the first
// failed step's status; a step marked "continue" lets the recipe go on, the others stop it.
TEST(Qorctl, TheExampleRecipeFailsOnValuesOutsideTheirLimits) {
    struct Case {
        std::string camsim;
        int status;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"--af-diff 40",
         9,
         {"  af_diff 40 pulse in [-10, 10]: OUTSIDE ITS LIMITS\n",
          "== the recipe stops here: step 6 failed\n", "skipped: 2\n", "verdict: failed\n"}},
        {"--awb-gains 1.300,0.700,1.000",
         9,
         {"  awb_r_gain 1.3 in [0.95, 1.05]: OUTSIDE ITS LIMITS\n",
          "  awb_b_gain 0.7 in [0.95, 1.05]: OUTSIDE ITS LIMITS\n", "passed: 7\nfailed: 1\n",
          "skipped: 0\n", "step 5 (calibrate awb): awb_r_gain 1.3 is outside its limits"}},
        {"--refuse 6",
         18,
         {"== step 5 calibrate awb: Error Write error (status 18)\n",
          "== step 6 calibrate focus: Error Write error (status 18)\n", "skipped: 2\n"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.camsim);
        const std::string db = ::testing::TempDir() + "qorctl_limits.sqlite";
        const std::string log = ::testing::TempDir() + "qorctl_limits.log";
        std::remove(log.c_str());
        const CommandRun run =
            Qorctl("run " + std::string(QORCTL_EXAMPLE_RECIPE) + " --db " + db + " --log " + log,
                   c.camsim);
        EXPECT_EQ(run.status, c.status) << run.output;
        for (const std::string& text : c.expected)
            EXPECT_TRUE(has(run, text)) << text << "\n" << run.output;
        // The station log says the same: the failed calibration and the run are not ok.
        std::istringstream lines(readAll(log));
        int failed = 0;
        for (std::string line; std::getline(lines, line);) {
            const auto record = nlohmann::json::parse(line);
            if (record["ok"] == false) {
                ++failed;
                EXPECT_TRUE(record["procedure"].get<std::string>().starts_with("calibrate") ||
                            record["procedure"] == "run")
                    << line;
            }
        }
        EXPECT_GE(failed, 2);
    }
}

// A recipe that cannot run, or a unit database that cannot be used, is refused before any camera
// is looked for: the named device does not exist, and its status (41) never comes.
TEST(Qorctl, ABadRecipeIsRefusedBeforeAnyCameraIsTouched) {
    const std::string recipe = scratchFile("qorctl_bad.toml",
                                           "[[step]]\ndo = \"info\"\n\n"
                                           "[[step]]\ndo = \"frobnicate\"\n");
    const std::string good = scratchFile("qorctl_good.toml", "[[step]]\ndo = \"info\"\n");
    struct Case {
        std::string args;
        int status;
        std::string expected;
    };
    const Case cases[] = {
        {"run " + recipe, 2, recipe + ":5: unknown step 'frobnicate' (the steps are: info,"},
        {"run /no/such/recipe.toml", 2, "qorctl: cannot read recipe '/no/such/recipe.toml'"},
        {"run", 2, "qorctl: bad or missing argument: run"},
        {"run " + good + " --db /dev/null/units.sqlite", 4,
         "qorctl: the unit database '/dev/null/units.sqlite' cannot be used: "},
        {"history 40012345 --db /no/such/units.sqlite", 4,
         "the unit database '/no/such/units.sqlite' cannot be used: No such file or directory"},
    };
    const auto documented = documentedFields();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        for (const bool json : {false, true}) {
            const CommandRun run =
                Shell(kQorctl + " --device /no/such/tty " + (json ? "--json " : "") + c.args);
            const std::string& output = run.output;
            EXPECT_EQ(run.status, c.status) << output;
            EXPECT_NE(output.find(c.expected), std::string::npos) << output;
            if (!json) continue;
            const auto objects = jsonLines(output);
            ASSERT_EQ(objects.size(), 1u) << output;
            expectFollowsDocument(objects[0], documented, {"*"});
            EXPECT_EQ(objects[0]["status"], c.status);
            EXPECT_NE(objects[0]["error"].get<std::string>().find(c.expected), std::string::npos);
        }
    }
}

// A recipe stopped by SIGTERM in the middle of a step leaves its unit record, as interrupted,
// with the steps that ended before.
TEST(Qorctl, ARecipeStoppedBySigtermIsRecordedAsInterrupted) {
    const std::string db = ::testing::TempDir() + "qorctl_interrupted.sqlite";
    std::remove(db.c_str());
    const std::string recipe =
        scratchFile("qorctl_long.toml",
                    "[[step]]\ndo = \"info\"\n[[step]]\ndo = \"calibrate\"\nwhat = \"awb\"\n");
    // The AWB program keeps the camera busy for 20 s; qorctl is told to stop while it waits.
    const std::string command = kCamsim + " --diag-ms 3:20000 -- sh -c '" + kQorctl + " --db " +
                                db + " run " + recipe +
                                " & pid=$!; sleep 3; kill -TERM $pid; wait $pid'";
    EXPECT_EQ(exitStatus(std::system((command + " >/dev/null 2>&1").c_str())), 143);
    const std::string output = Shell(kQorctl + " --json history 40012345 --db " + db).output;
    const auto history = nlohmann::json::parse(output);
    ASSERT_EQ(history["runs"].size(), 1u) << output;
    EXPECT_EQ(history["runs"][0]["verdict"], "interrupted");
    EXPECT_EQ(history["runs"][0]["status"], 130);
    ASSERT_EQ(history["runs"][0]["steps"].size(), 1u) << output;
    EXPECT_EQ(history["runs"][0]["steps"][0]["label"], "info");
}

}  // namespace
