// qorctl's commands on a simulated camera and a virtual clock: the exit status a station script
// sees and the outcome behind it, for judged results and firmware versions.
#include "cli/station.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "cli/exit_status.h"
#include "station_rig.h"

namespace orvia::cli {
namespace {

using testing::profileFor;

std::string firmwareFile(const std::string& version) {
    const std::string dir = std::filesystem::temp_directory_path() / "orvia_station_test";
    std::filesystem::create_directories(dir);
    const std::string path = dir + "/FW_" + version + ".BIN";
    std::ofstream(path, std::ios::binary) << "VERSION=" << version << "\r\n"
                                          << std::string(4000, 'f');
    return path;
}

// A judged NG is a failure of its own, with the values that were judged; a pass is a success.
TEST(Station, AJudgedNgExitsWithItsOwnStatusAndKeepsTheValues) {
    struct Case {
        const char* calibration;
        int32_t verdict;  // what the judgement library answers
        int status;
        Judgement judgement;
        const char* value;
    };
    const Case cases[] = {
        {"awb", 0, kExitJudgedNg, Judgement::Ng, "awb_r_gain"},
        {"awb", 1, kExitOk, Judgement::Pass, "awb_r_gain"},
        {"focus", 0, kExitJudgedNg, Judgement::Ng, "af_diff"},
        {"focus", 1, kExitOk, Judgement::Pass, "af_diff"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.calibration) + " judged " + std::to_string(c.verdict));
        StationRig s(profileFor("YJA15"));
        s.rig.host.judgement.present = true;
        s.rig.host.judgement.result = c.verdict;
        EXPECT_EQ(s.run({"calibrate", c.calibration}), c.status);
        EXPECT_EQ(s.outcome.ending, Ending::Completed);
        EXPECT_EQ(s.outcome.judgement, c.judgement);
        const Measurement* value = s.outcome.value(c.value);
        ASSERT_NE(value, nullptr);
        EXPECT_TRUE(value->number.has_value());
    }
}

// --expect-version: the firmware is only good when the camera reports that version after its
// restart; another version, or none read, fails with its own status.
TEST(Station, UploadFirmwareChecksTheVersionTheCameraReportsAfterwards) {
    struct Case {
        const char* type;
        const char* fileVersion;
        const char* expected;
        int status;
    };
    const Case cases[] = {
        {"ZR510", "1.03.0020", "1.03.0020", kExitOk},
        {"ZR510", "1.03.0020", "1.03.0021", kExitWrongVersion},
        // The quick-restart models are not asked for their version after the upload.
        {"YQS21", "1.03.0020", "1.03.0020", kExitWrongVersion},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.type) + " expecting " + c.expected);
        StationRig s(profileFor(c.type));
        Options o;
        o.expectVersion = c.expected;
        const std::string file = firmwareFile(c.fileVersion);
        s.op.setFile(file);
        EXPECT_EQ(s.run({"upload", "firmware", file}, o), c.status);
        ASSERT_NE(s.outcome.value("firmware_before"), nullptr);
        EXPECT_EQ(s.outcome.value("firmware_before")->text, "1.02.0017");
        ASSERT_NE(s.outcome.value("file_sha256"), nullptr);
    }
}

// A firmware the camera does not come back from is never reported as the new one.
TEST(Station, ACameraThatDoesNotAnswerAfterTheRestartFailsTheUpload) {
    StationRig s(profileFor("ZR510"));
    s.rig.camera.faults().add({.fault = camsim::Fault::Dc1,
                               .op = camsim::kOpGetData,
                               .code = camsim::kCodeFirmwareVersion,
                               .nth = 2,  // the read before the upload answers
                               .times = 0});
    const std::string file = firmwareFile("1.03.0020");
    s.op.setFile(file);
    EXPECT_NE(s.run({"upload", "firmware", file}), kExitOk);
    EXPECT_EQ(s.outcome.ending, Ending::Failed);
    EXPECT_EQ(s.outcome.value("firmware_after"), nullptr);
}

}  // namespace
}  // namespace orvia::cli
