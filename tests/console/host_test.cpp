// The running system as the console sees it: the link library file beside the program and the
// service-ID stand-in loaded by its Windows name.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>

#include "console/host.h"

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
        setenv("ULMORA_TECHNICIAN_ID", c.env, 1);
        uint16_t buffer[2] = {0, 0xBEEF};
        EXPECT_EQ(getUserId(buffer), c.result) << c.env;
        if (c.result != 0) {
            EXPECT_EQ(buffer[0], c.id) << c.env;
        }
        EXPECT_EQ(buffer[1], 0xBEEF) << "only the first word is written";
    }
    unsetenv("ULMORA_TECHNICIAN_ID");
}

}  // namespace
}  // namespace orvia
