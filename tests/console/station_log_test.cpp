// The station log: one JSON line per procedure the console runs, failures included, and a log
// that cannot be written warns once without stopping the work.
#include "console/station_log.h"

#include <gtest/gtest.h>

#include <cstdio>
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
        logMainDialogProcedures(*app.mainWindow(), log, op);
    }
    void press(int id) { app.mainWindow()->command(id); }

    ConsoleRig rig{stampingProfile()};
    RecordingOperator op{rig.op};
    CalibrationApp app{rig.link, rig.clock, op, rig.host};
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
                         ",\"technician\":4321,\"camera_type\":\"ZR510\",\"serial\":"
                         "\"\",\"firmware\":\"1.02.0017\",\"procedure\":"
                         "\"calibrate uv\",\"parameters\":{},\"result_code\":0,"
                         "\"result_text\":\"OK\",\"duration_ms\":"))
        << lines[0];
    EXPECT_TRUE(contains(lines[1],
                         "\"procedure\":\"calibrate awb\",\"parameters\":{},"
                         "\"result_code\":-1,\"result_text\":\"Execute AWB & AGC Gain "
                         "Calibration. Yes or No? No\""))
        << lines[1];
    EXPECT_TRUE(contains(lines[2], "\"result_code\":8,\"result_text\":\"Error Write error\""))
        << lines[2];
    EXPECT_TRUE(contains(lines[3],
                         "\"procedure\":\"upload data\",\"parameters\":{\"file\":"
                         "\"/no/such/PIC.JPG\"},\"result_code\":-1,\"result_text\":"
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

TEST(StationLog, LinesAreJsonWhateverTheTextsHold) {
    StationRecord r;
    r.time = 86400;
    r.procedure = "test";
    r.parameters = {{"entry", "a \"b\"\\c\r\n\x01"}};
    r.resultCode = 8;
    r.resultText = "Error Write error";
    r.durationMs = 12;
    EXPECT_EQ(stationLogLine(r),
              "{\"time\":\"1970-01-02T00:00:00Z\",\"technician\":null,\"camera_type\":\"\","
              "\"serial\":\"\",\"firmware\":\"\",\"procedure\":\"test\",\"parameters\":{\"entry\":"
              "\"a \\\"b\\\"\\\\c\\r\\n\\u0001\"},\"result_code\":8,\"result_text\":\"Error Write "
              "error\",\"duration_ms\":12}");
}

}  // namespace
}  // namespace orvia::testing
