// The running system as the console sees it: the link library file beside the program, and the
// service-ID and judgement stand-ins loaded by their Windows names.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "console/host.h"
#include "console/judgement.h"
#include "environment.h"
#include "link/platform/library_name.h"

namespace orvia {
namespace {

TEST(HostSystem, ReadsThePrivateBuildOfTheLinkLibraryBesideTheProgram) {
    HostSystem host;
    const BuildIdentity id = host.linkBuildIdentity();
    ASSERT_TRUE(id.hasBlock);
    EXPECT_EQ(id.privateBuild(), std::optional<std::string>(ORVIA_EXPECTED_PRIVATE_BUILD));
    EXPECT_EQ(id.values.at("OriginalFilename"), "Qorlink.dll");
}

// The name rule itself is the link platform's (library_name.h, tested with the platform).
TEST(HostSystem, LoadsAnOutsideLibraryByAnyFormOfItsWindowsName) {
    HostSystem host;
    for (const char* name : {"Ulmora.dll", ".\\Ulmora.dll", "ULMORA.DLL"})
        EXPECT_NE(host.loadLibrary(name), nullptr) << name;
}

// A library lying in the working directory counts as left there only when the program would not
// load one from its own folder.
TEST(HostSystem, TellsALibraryLyingOnlyInTheWorkingDirectory) {
    namespace fs = std::filesystem;
    const fs::path before = fs::current_path();
    const fs::path here =
        fs::temp_directory_path() / ("orvia_host_" + std::to_string(std::random_device{}()));
    fs::create_directories(here);
    fs::current_path(here);
    HostSystem host;
    EXPECT_FALSE(host.libraryOnlyInWorkingDirectory(".\\Nothere.dll"));
    for (const char* name : {"Nothere.dll", "Judvane.dll"})
        std::ofstream(here / qorlink::nativeLibraryName(name)) << "not a library";
    EXPECT_TRUE(host.libraryOnlyInWorkingDirectory(".\\Nothere.dll"));
    // The stand-in judgement library lies beside the test program as well.
    EXPECT_FALSE(host.libraryOnlyInWorkingDirectory(".\\Judvane.dll"));
    fs::current_path(before);
    fs::remove_all(here);
}

TEST(ServiceIdStandIn, GivesTheConfiguredTechnicianOrFails) {
    HostSystem host;
    auto library = host.loadLibrary("Ulmora.dll");
    ASSERT_NE(library, nullptr);
    auto getUserId = reinterpret_cast<int32_t (*)(void*)>(library->symbol("NcGetUserID"));
    ASSERT_NE(getUserId, nullptr);

    struct Case {
        const char* env;
        int32_t result;
        uint16_t id;
    };
    const Case cases[] = {{"4660", 1, 4660}, {"0x1234", 1, 0x1234}, {"65535", 1, 65535},
                          {"65536", 0, 0},   {"-1", 0, 0},          {"12ab", 0, 0},
                          {"", 0, 0}};
    for (const Case& c : cases) {
        const testing::ScopedEnvironment id("ULMORA_TECHNICIAN_ID", c.env);
        uint16_t buffer[2] = {0, 0xBEEF};
        EXPECT_EQ(getUserId(buffer), c.result) << c.env;
        if (c.result != 0) {
            EXPECT_EQ(buffer[0], c.id) << c.env;
        }
        EXPECT_EQ(buffer[1], 0xBEEF) << "only the first word is written";
    }
}

// The stand-in's documented rule: gains within 0.050 of 1.000, a focus error of at most 10.
TEST(JudgementStandIn, JudgesGainsAndTheFocusErrorByItsRule) {
    HostSystem host;
    auto library = host.loadLibrary(kJudgementLibrary);
    ASSERT_NE(library, nullptr);
    auto judge = reinterpret_cast<JudgementEntry>(library->symbol(kJudgementEntry));
    ASSERT_NE(judge, nullptr);

    struct Case {
        int32_t kind;
        const char* text;
        int32_t result;
    };
    const Case cases[] = {
        {2, "AWB & AGC Gain\r\nR Gain   : 1.012\r\nB Gain   : 0.991\r\nAGC Gain : 1.004\r\n", 1},
        {2, "R Gain : 1.050\r\nB Gain : 0.950", 1},
        {2, "R Gain : 1.051\r\nB Gain : 1.000", 0},
        {2, "R Gain : 1.000\r\nB Gain : 0.949", 0},
        {2, "R Gain : 1.000\r\nB Gain : n/a", 0},
        {2, "Hue : 3.000\r\nR Gain : 1.000", 1},  // only gains count
        {2, "AWB : OK", 0},                       // no gain at all
        {1, "AF Calibration\r\nAF_DIFF = -10\r\n", 1},
        {1, "AF_DIFF = 11", 0},
        {1, "AF_DIFF = x", 0},
        {1, "AF Calibration", 0},
        {1, "R Gain : 1.000", 0},  // a kind judges by its own rule
        {3, "R Gain : 1.000", 0},
    };
    for (const Case& c : cases) {
        std::string buffer(c.text);
        buffer.resize(1024, '\0');
        EXPECT_EQ(judge("YJA15", c.kind, buffer.data()), c.result) << c.kind << " " << c.text;
        EXPECT_EQ(std::string(buffer.c_str()), c.text) << "the text is left as it was";
    }
    EXPECT_EQ(judge("YJA15", 2, nullptr), 0);
}

}  // namespace
}  // namespace orvia
