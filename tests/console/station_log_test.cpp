// The station log: one JSON line per procedure the console runs, failures included, and a log
// that cannot be written warns once without stopping the work.
#include "console/station_log.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "console_rig.h"

namespace orvia::testing {
namespace {

std::vector<std::string> linesOf(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

bool contains(const std::string& s, const std::string& part) {
    return s.find(part) != std::string::npos;
}

// The camera answers the language query so that start-up stamps the technician's service ID.
camsim::Profile stampingProfile() {
    constexpr int kCodeLang2 = 205;
    camsim::Profile p = camsim::defaultProfile();
    p.values[kCodeLang2] = 0x4E430014;
    return p;
}

// The console as the program builds it with a station log: the operator recorded, the main
// dialog's procedures logged.
struct LoggedConsole {
    explicit LoggedConsole(const std::string& path)
        : log(path, [this](const std::string& w) { warnings.push_back(w); }) {
        rig.host.serviceId.present = true;
        rig.host.serviceId.technician = 4321;
        if (!app.startUp("")) throw std::runtime_error("console did not start");
        app.mainWindow()->initialise();
        logMainDialogProcedures(*app.mainWindow(), log, {"orvia", "9.8.7", "station-3"});
    }
    void press(int id) { app.mainWindow()->command(id); }

    ConsoleRig rig{stampingProfile()};
    CalibrationApp app{rig.link, rig.clock, rig.op, rig.host};
    std::vector<std::string> warnings;
    StationLog log;
};

TEST(StationLog, RecordsEveryProcedureWithItsOutcomeAndTheCamerasIdentity) {
    const std::string path = ::testing::TempDir() + "console_station.log";
    std::remove(path.c_str());
    LoggedConsole console(path);
    console.rig.op.answers = {true, false};
    console.press(idc::kUvMatrix);
    console.press(idc::kAwb);
    console.rig.camera.faults().add(
        {.fault = camsim::Fault::Dc1, .op = camsim::kOpExecute, .code = 6, .times = 0});
    console.rig.op.answers = {true};
    console.press(idc::kUvMatrix);
    console.rig.op.files = {"/no/such/PIC.JPG"};
    console.rig.op.answers = {true};
    console.press(idc::kData);

    const std::vector<std::string> lines = linesOf(path);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_TRUE(contains(lines[0],
                         "\"tool\":\"orvia\",\"tool_version\":\"9.8.7\",\"host\":"
                         "\"station-3\",\"technician\":4321,\"camera_type\":\"ZR510\",\"serial\":"
                         "\"\",\"firmware\":\"1.02.0017\",\"procedure\":"
                         "\"calibrate uv\",\"parameters\":{},\"ok\":true,\"ending\":\"completed\","
                         "\"judgement\":\"not_judged\",\"link_result\":0,\"values\":{},"
                         "\"result_code\":0,\"result_text\":\"OK\",\"duration_ms\":"))
        << lines[0];
    EXPECT_TRUE(contains(lines[1],
                         "\"procedure\":\"calibrate awb\",\"parameters\":{},\"ok\":false,"
                         "\"ending\":\"declined\""))
        << lines[1];
    EXPECT_TRUE(contains(lines[1],
                         "\"result_code\":-1,\"result_text\":\"Execute AWB & AGC Gain "
                         "Calibration. Yes or No? No\""))
        << lines[1];
    EXPECT_TRUE(contains(lines[2],
                         "\"ok\":false,\"ending\":\"failed\",\"judgement\":"
                         "\"not_judged\",\"link_result\":8,"))
        << lines[2];
    EXPECT_TRUE(contains(lines[2], "\"result_code\":8,\"result_text\":\"Error Write error\""))
        << lines[2];
    EXPECT_TRUE(contains(lines[3],
                         "\"procedure\":\"upload data\",\"parameters\":{\"file\":"
                         "\"/no/such/PIC.JPG\"},\"ok\":false,\"ending\":\"file_unusable\""))
        << lines[3];
    EXPECT_TRUE(contains(lines[3],
                         "\"result_code\":-1,\"result_text\":"
                         "\"File open failed. '/no/such/PIC.JPG'\""))
        << lines[3];
    EXPECT_TRUE(console.warnings.empty());
}

TEST(StationLog, AnUnwritableLogWarnsOnceAndTheWorkGoesOn) {
    LoggedConsole console("/no/such/dir/station.log");
    console.rig.op.answers = {true, true};
    console.press(idc::kUvMatrix);
    console.press(idc::kUvMatrix);
    EXPECT_EQ(console.warnings,
              std::vector<std::string>{"warning: station log '/no/such/dir/station.log' cannot be "
                                       "written (No such file or directory); carrying on without "
                                       "it"});
    EXPECT_EQ(console.rig.op.dialogs().size(), 2u);  // both result windows
}

#ifndef _WIN32
// A log that is not a regular file (a FIFO would hold the procedure until someone reads it) or a
// symbolic link (planted in a shared folder to redirect the log) is refused with the reason.
TEST(StationLog, OnlyARegularFileIsWrittenAndALinkIsNotFollowed) {
    const std::string dir = ::testing::TempDir() + "station_odd_logs/";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    ASSERT_EQ(mkfifo((dir + "fifo").c_str(), 0600), 0);
    std::ofstream(dir + "target") << "";
    std::filesystem::create_symlink(dir + "target", dir + "link");
    const std::pair<const char*, const char*> cases[] = {
        {"fifo", "not a regular file"},
        {"link", "a symbolic link, which is not followed"},
        {"", "Is a directory"},
    };
    for (const auto& [name, why] : cases) {
        SCOPED_TRACE(name);
        std::vector<std::string> warnings;
        StationLog log(dir + name, [&](const std::string& w) { warnings.push_back(w); });
        log.append(StationRecord{});
        ASSERT_EQ(warnings.size(), 1u);
        EXPECT_NE(warnings[0].find(std::string("(") + why + ")"), std::string::npos) << warnings[0];
    }
    EXPECT_EQ(std::filesystem::file_size(dir + "target"), 0u) << "the link was followed";
    std::filesystem::remove_all(dir);
}
#endif

TEST(StationLog, LinesAreJsonWhateverTheTextsHold) {
    StationRecord r;
    r.startedMs = 86400000 + 5;
    r.endedMs = 86400000 + 17;
    r.tool = {"qorctl", "1.2", "h"};
    r.procedure = "test";
    r.parameters = {{"entry", "a \"b\"\\c\r\n\x01"}};
    r.outcome = Outcome::failed(8, "Error Write error");
    EXPECT_EQ(stationLogLine(r),
              "{\"time\":\"1970-01-02T00:00:00.005Z\",\"ended\":\"1970-01-02T00:00:00.017Z\","
              "\"tool\":\"qorctl\",\"tool_version\":\"1.2\",\"host\":\"h\",\"technician\":null,"
              "\"camera_type\":\"\",\"serial\":\"\",\"firmware\":\"\",\"procedure\":\"test\","
              "\"parameters\":{\"entry\":\"a \\\"b\\\"\\\\c\\r\\n\\u0001\"},\"ok\":false,"
              "\"ending\":\"failed\",\"judgement\":\"not_judged\",\"link_result\":8,\"values\":{},"
              "\"result_code\":8,\"result_text\":\"Error Write error\",\"duration_ms\":12}");
}

// A camera text in another encoding still gives valid UTF-8: each stray byte becomes U+FFFD,
// well-formed sequences pass as they are.
TEST(StationLog, TextsThatAreNotUtf8AreReplacedNotPassedThrough) {
    EXPECT_EQ(jsonString("Caf\xE9 \xC3\xA9 \xE2\x82\xAC \xF0\x9F\x93\xB7"),
              "\"Caf\\ufffd \xC3\xA9 \xE2\x82\xAC \xF0\x9F\x93\xB7\"");
    EXPECT_EQ(jsonString("\xC0\xAF\xED\xA0\x80\xF4\x90\x80\x80\xC3"),
              "\"\\ufffd\\ufffd\\ufffd\\ufffd\\ufffd\\ufffd\\ufffd\\ufffd\\ufffd\\ufffd\"");
}

// A judged NG is a failure in the record, with the values that were judged; numbers stay numbers.
TEST(StationLog, AJudgedNgIsRecordedAsAFailureWithItsValues) {
    StationRecord r;
    r.outcome.judged(false).measure("awb_r_gain", 1.3).measure("af_diff", -40, "pulse");
    r.outcome.note("firmware_after", "1.03.0020");
    const std::string line = stationLogLine(r);
    EXPECT_TRUE(contains(line, "\"ok\":false,\"ending\":\"completed\",\"judgement\":\"ng\""))
        << line;
    EXPECT_TRUE(contains(line,
                         "\"values\":{\"awb_r_gain\":1.3,\"af_diff\":-40,\"af_diff_unit\":"
                         "\"pulse\",\"firmware_after\":\"1.03.0020\"}"))
        << line;
    EXPECT_TRUE(contains(line, "\"result_code\":-1,\"result_text\":\"NG\"")) << line;
}

}  // namespace
}  // namespace orvia::testing
