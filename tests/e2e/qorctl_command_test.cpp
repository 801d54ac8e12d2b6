// qorctl as a station script runs it: against a camsim camera on a pseudo-terminal, checking what
// it prints, its JSON object, its exit status and the station log.
#include <gtest/gtest.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace {

struct CommandRun {
    std::string output;
    int status = -1;
};

int exitStatus(int raw) {
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
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
        {"info", "", 0, "firmware: 1.02.0017\ntype: ZR510\nserial: 40012345\nlcd_type: 1\nmac: "},
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

TEST(Qorctl, PortOneReachesTheCameraAndAMissingDeviceEndsInTheConsolesWords) {
    const CommandRun run = Qorctl("--port 1 info", "");
    EXPECT_EQ(run.status, 0);
    FILE* pipe =
        popen(("QORLINK_COM1=/nonexistent " + kQorctl + " --port 1 info 2>&1").c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    char line[256] = {};
    const bool got = std::fgets(line, sizeof line, pipe) != nullptr;
    EXPECT_EQ(exitStatus(pclose(pipe)), 3);
    EXPECT_TRUE(got);
    EXPECT_STREQ(line, "Camera is not connected.\n");
}

TEST(Qorctl, JsonIsOneObjectWithTheStatusFieldsAndTheFailure) {
    const CommandRun ok = Qorctl("--json get timezone");
    EXPECT_EQ(ok.status, 0);
    EXPECT_EQ(
        ok.output,
        "{\"command\":\"get\",\"status\":0,\"ok\":true,\"ending\":\"completed\","
        "\"judgement\":\"not_judged\",\"link_result\":0,\"values\":{\"timezone\":9},"
        "\"timezone\":9,\"messages\":[],\"message_kinds\":[],\"results\":[],\"error\":null}\n");

    const CommandRun failed = Qorctl("--json diag 16", "--refuse 6");
    EXPECT_EQ(failed.status, 18);
    // The box also goes to standard error, ahead of the object.
    EXPECT_TRUE(has(failed,
                    "{\"command\":\"diag\",\"status\":18,\"ok\":false,\"ending\":\"failed\","
                    "\"judgement\":\"not_judged\",\"link_result\":8,\"values\":{},\"messages\":"
                    "[\"Error Write error\"],\"message_kinds\":[\"error\"],\"results\":[],"
                    "\"error\":\"Error Write error\"}\n"))
        << failed.output;

    // A judged NG: not ok, with the judgement and the gains as numbers.
    const CommandRun ng =
        Qorctl("--json --yes calibrate awb", "--type YJA10 --awb-gains 1.300,0.700,1.000");
    EXPECT_EQ(ng.status, 7);
    EXPECT_TRUE(has(ng,
                    "\"status\":7,\"ok\":false,\"ending\":\"completed\",\"judgement\":"
                    "\"ng\",\"link_result\":0,\"values\":{\"awb_r_gain\":1.3,\"awb_b_gain\":"
                    "0.7,\"agc_gain\":1}"))
        << ng.output;
    EXPECT_TRUE(has(ng, "\"error\":\"NG\"}")) << ng.output;
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

// A run stopped by SIGTERM still leaves its record, as interrupted, and says so in its status.
TEST(Qorctl, ARunStoppedBySigtermIsRecordedAsInterrupted) {
    const std::string log = ::testing::TempDir() + "qorctl_interrupted.log";
    std::remove(log.c_str());
    // The AWB program keeps the camera busy for 20 s; qorctl is told to stop while it waits.
    const std::string command =
        kCamsim + " --diag-ms 3:20000 -- sh -c '" + kQorctl + " --log " + log +
        " --yes calibrate awb & pid=$!; sleep 2; kill -TERM $pid; wait $pid'";
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char chunk[512];
    while (std::fgets(chunk, sizeof chunk, pipe) != nullptr)
        output += chunk;
    const int status = exitStatus(pclose(pipe));
    EXPECT_EQ(status, 143) << output;
    const std::string record = readAll(log);
    EXPECT_NE(record.find("\"ok\":false,\"ending\":\"interrupted\""), std::string::npos)
        << record << output;
    EXPECT_NE(record.find("interrupted by signal 15"), std::string::npos) << record;
}

}  // namespace
